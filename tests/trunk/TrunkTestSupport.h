// Helpers of the link aggregation tests: a simulator with the trunk data and
// the connection and profile globals pointing at it, clicks on dialog
// controls, and the SET requests the simulator received.
#pragma once

#include "common/CUtils.h"
#include "common/Globals.h"
#include "support/SimulatorFixture.h"
#include "ui/UiTestSupport.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <QAbstractButton>

#include <algorithm>
#include <string>
#include <vector>

inline std::string TrunkData()
{
    return KorvelSimulator::TestData("trunk.snmprec");
}

inline std::string TestData(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/trunk/" + name;
}

// An object of the switch settings, korvelEnterprise.10.76.19.1 + relative.
inline std::string SwitchOid(const std::string& relative)
{
    return KorvelOid("10.76.19.1." + relative);
}

// The octets of a hexadecimal text ("c0000000").
inline std::string Octets(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

// The profile of a switch with `ports` ports, reached at the simulator.
inline void UseSwitch(const KorvelSimulator& sim, int ports = 28)
{
    g_strDeviceIP = sim.Host();
    g_strSnmpVersion = "1";
    g_strReadCommunity = KorvelSimulator::ReadCommunity();
    g_strWriteCommunity = KorvelSimulator::WriteCommunity();
    g_strTimeout = "3000";
    g_nPortCount = ports;
}

inline QAbstractButton* ButtonOf(const CWnd& dialog, int id)
{
    CWnd* control = dialog.GetDlgItem(id);
    return control ? qobject_cast<QAbstractButton*>(control->GetWidget()) : nullptr;
}

// Clicks a button of the dialog as a user would.
inline void ClickControl(const CWnd& dialog, int id)
{
    if (QAbstractButton* button = ButtonOf(dialog, id))
        button->click();
}

// The SET requests the simulator received, each as its bindings ("OID|TYPE|VALUE").
inline std::vector<std::vector<std::string>> SetRequests(const KorvelSimulator& sim)
{
    std::vector<std::vector<std::string>> sets;
    for (const std::string& line : sim.LogLines()) {
        if (line.rfind("SET\t", 0) != 0)
            continue;
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        fields.push_back(line.substr(start));
        // SET, version, community, then the bindings.
        sets.emplace_back(fields.size() > 3 ? fields.begin() + 3 : fields.end(), fields.end());
    }
    return sets;
}

// The SET requests the simulator receives from now on (the test's own
// preparations before are left out).
class SetWatch
{
public:
    explicit SetWatch(const KorvelSimulator& sim) : m_sim(sim), m_skip(SetRequests(sim).size()) {}
    std::vector<std::vector<std::string>> Sets() const
    {
        auto sets = SetRequests(m_sim);
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(m_skip, sets.size())));
        return sets;
    }

private:
    const KorvelSimulator& m_sim;
    size_t m_skip;
};
