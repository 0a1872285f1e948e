// What the PVID and management VLAN tests share beyond the VLAN tests'
// support: the data of the simulated switch and the objects they check.
#pragma once

#include "vlan/VlanTestSupport.h"

#include <string>
#include <vector>

namespace pvidtest {

inline const std::string kManagementState = "1.3.6.1.4.1.32473.10.76.19.1.7.2.0";
inline const std::string kManagementVid = "1.3.6.1.4.1.32473.10.76.19.1.7.3.0";

inline std::string PvidOid(int port)
{
    return vlantest::kPvidColumn + "." + std::to_string(port);
}
inline std::string PvidData()
{
    return KorvelSimulator::TestData("pvid.snmprec");
}
inline std::string PvidFixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/pvid/fixtures/" + name;
}
// The 28-port switch with its VLANs, PVIDs and management VLAN.
inline std::vector<std::string> PvidSwitch28()
{
    return {KorvelSimulator::BaseData(), vlantest::VlanData(), PvidData()};
}

} // namespace pvidtest
