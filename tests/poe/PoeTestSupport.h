// What the PoE tests share: the tests' switch with the PoE objects
// (tests/support/data/poe.snmprec), their identifiers, and the requests the
// switch received.
#pragma once

#include "vlan/VlanTestSupport.h"

#include "resources/poe.h"

#include <string>
#include <vector>

namespace poetest {

inline const std::string kPoe = "1.3.6.1.4.1.32473.10.76.19.1.22";
inline std::string PortOid(int column, int port)
{
    return kPoe + ".1.1." + std::to_string(column) + ".1." + std::to_string(port);
}
inline std::string Scalar(int n)
{
    return kPoe + "." + std::to_string(n) + ".0";
}
inline const std::string kRanges = "1.3.6.1.4.1.32473.10.76.19.1.23.1.1";
inline std::string RangeOid(int column, int index)
{
    return kRanges + "." + std::to_string(column) + "." + std::to_string(index);
}
inline const std::string kProfiles = "1.3.6.1.4.1.32473.10.76.19.1.32.1.1";
inline std::string ProfileOid(int column, int index)
{
    return kProfiles + "." + std::to_string(column) + "." + std::to_string(index);
}

// Bindings as the request log shows them.
inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}
inline std::string Text(const std::string& oid, const std::string& value)
{
    return oid + "|4|" + value;
}

// The 28-port test switch with 24 PoE ports: see poe.snmprec for its ports,
// time profiles (1 Office, 2 Night, 5 Weekend) and time ranges (1 Workdays
// and 3 Spring in service, 2 Parked not in service, 4 Unready not ready).
class PoeTest : public FeatureDialogTest
{
public:
    void StartPoeSwitch() { StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("poe.snmprec")}, 28); }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
    // The SETs after the first `skip`.
    std::vector<std::vector<std::string>> SetsAfter(std::size_t skip) const
    {
        auto sets = Sets();
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
};

using vlantest::Checked;
using vlantest::FindDialog;
using vlantest::Texts;
using vlantest::WhenDialogOpens;

} // namespace poetest
