// What the tests of the switch's own SNMP agent pages share: the simulated
// switch with the agent's data, its objects, the requests the module sent,
// and the pages' COPYDATA answers waited for.
#pragma once

#include "support/FeatureDialogTest.h"
#include "vlan/VlanTestSupport.h"

#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "platform/snmp/KorvelMib.h"
#include "resources/snmp_agent.h"

#include <algorithm>
#include <string>
#include <vector>

namespace agenttest {

inline const std::string kAgent = KorvelOid("10.76.19.1.25");
inline const std::string kAgentState = kAgent + ".1.0";
inline const std::string kEngineID = kAgent + ".7.0";
inline std::string Trap(int n)
{
    return kAgent + ".8." + std::to_string(n) + ".0";
}
inline std::string HostColumn(int column)
{
    return kAgent + ".6.2.1." + std::to_string(column);
}
inline std::string HostOid(int column, const std::string& index)
{
    return HostColumn(column) + "." + index;
}

// Bindings of the request log: an integer, an octet string written as text
// or as hexadecimal octets, an object asked for.
inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}
inline std::string Str(const std::string& oid, const std::string& value)
{
    return oid + "|4|" + value;
}
inline std::string Hex(const std::string& oid, const std::string& hex)
{
    return oid + "|4x|" + hex;
}
inline std::string Asked(const std::string& oid)
{
    return oid + "|5|";
}

inline std::string AgentData()
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/snmp_agent/fixtures/snmp_agent.snmprec";
}

using RequestList = std::vector<std::vector<std::string>>;

// The tests' switch with the agent's data (tests/snmp_agent/fixtures):
// agent enabled, engine ID 80007e5903001122334455, the trap switches of
// RSTP, PoE power on and off and the PoE budget off, the others on; trap hosts
// 192.168.1.100 (V2c, public), 2001:db8::10 (V3-AuthNoPriv, korvel-md5),
// fe80::1234%eth0 (V1, trapcomm), an unknown address type (V1, oddtype) and
// 10.0.0.99, which is not in service.
class AgentTest : public FeatureDialogTest
{
protected:
    void StartAgentSwitch(const std::string& model = "KSX-Bellis")
    {
        g_strModelName = model;
        StartSwitch({KorvelSimulator::BaseData(), AgentData()}, 28);
    }
    // The test's own writes go through sim->Set: they are counted apart.
    void SetObject(const std::string& oid, int type, const std::string& value)
    {
        ASSERT_EQ(sim->Set(oid, type, value), 0) << oid;
        ++m_ownSets;
    }
    // The SETs the module sent.
    RequestList Sets() const
    {
        RequestList sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(m_ownSets, sets.size())));
        return sets;
    }
    // The GETs that asked for the object.
    std::size_t GetsOf(const std::string& oid) const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GET"))
            count += std::count(request.begin(), request.end(), Asked(oid)) != 0 ? 1 : 0;
        return count;
    }

    std::size_t m_ownSets = 0;
};

using vlantest::Checked;
using vlantest::Texts;
using vlantest::WhenDialogOpens;

} // namespace agenttest
