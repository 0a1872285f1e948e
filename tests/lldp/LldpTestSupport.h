// What the LLDP tests share: the simulated switch with the LLDP data and its
// objects.
#pragma once

#include "vlan/VlanTestSupport.h"

#include <string>
#include <vector>

namespace lldptest {

inline const std::string kLldp = "1.3.6.1.4.1.32473.10.76.19.1.24";
inline const std::string kState = kLldp + ".1.0";
inline const std::string kHold = kLldp + ".2.0";
inline const std::string kInterval = kLldp + ".3.0";
inline const std::string kReinit = kLldp + ".4.0";
inline const std::string kDelay = kLldp + ".5.0";
inline std::string PseOid(int port)
{
    return kLldp + ".7.1.2." + std::to_string(port);
}
inline std::string RemoteOid(int column, int remote)
{
    return "1.0.8802.1.1.2.1.4.1.1." + std::to_string(column) + ".300.5." + std::to_string(remote);
}
inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}

// The 28-port base switch with LLDP enabled: hold multiplier 4, interval 30,
// reinit delay 2, TX delay 2; the power TLV off on ports 1-8; two neighbours
// on port 5.
class LldpTest : public FeatureDialogTest
{
protected:
    void StartLldpSwitch(std::vector<std::string> extra = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("lldp.snmprec")};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, 28);
    }
};

} // namespace lldptest
