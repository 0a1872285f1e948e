// What the tests of the legacy viewers share: a sample model's simulated
// switch (its SNMPv3 tables, 802.1X counters and routes come with every
// model), the SNMPv3 users of its data, and the rows a report list shows.
#pragma once

#include "common/Globals.h"
#include "legacy/CLegacyFrame.h"
#include "platform/ui/UiThreadCalls.h"
#include "support/FeatureDialogTest.h"

#include <string>
#include <vector>

namespace legacytest {

using Rows = std::vector<std::vector<std::string>>;

// The connection parameters of an SNMPv3 user of the sample models' data.
struct V3User
{
    const char* name;
    const char* level;
    const char* authProtocol;
    const char* authPassword;
    const char* privProtocol;
    const char* privPassword;
};
inline constexpr V3User kAuthNoPriv{"korvel-md5", "2", "2", "md5-auth-pass", "1", ""};
inline constexpr V3User kAuthPriv{"korvel-sha-des", "3", "3", "sha-auth-pass", "2", "sha-priv-pass"};

inline void UseV3(const V3User& user)
{
    g_strSnmpVersion = "3";
    g_strUserName = user.name;
    g_strSecurityLevel = user.level;
    g_strAuthProtocol = user.authProtocol;
    g_strAuthPassword = user.authPassword;
    g_strPrivProtocol = user.privProtocol;
    g_strPrivPassword = user.privPassword;
}

class LegacyTest : public FeatureDialogTest
{
protected:
    // KSX-Puffin (28 ports), with `extra` data files loaded after it.
    void StartLegacySwitch(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = KorvelSimulator::ModelArgs("KSX-Puffin");
        for (const std::string& file : extra) {
            args.push_back("--data");
            args.push_back(file);
        }
        StartSwitch({}, 28, args);
        g_strSecurityLevel = "1";
        g_strAuthProtocol = "1";
        g_strPrivProtocol = "1";
        g_strUserName.clear();
        g_strAuthPassword.clear();
        g_strPrivPassword.clear();
    }
    // Every request the switch received (the test's own controls left out).
    std::size_t RequestCount() const
    {
        return Requests("GET").size() + Requests("GETNEXT").size() + Requests("SET").size() +
               Requests("GETBULK").size();
    }
    void TearDown() override { g_strSnmpVersion = std::string("1"); }
};

inline CListCtrl& List(CWnd& dialog, int id)
{
    return Item<CListCtrl>(dialog, id);
}

inline Rows ListRows(CWnd& dialog, int id)
{
    CListCtrl& list = List(dialog, id);
    const int columns = list.GetHeaderCtrl() ? list.GetHeaderCtrl()->GetItemCount() : 0;
    Rows rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(list.GetItemText(row, column));
        rows.push_back(cells);
    }
    return rows;
}

// Pump, delivering posted messages too: a test acts from inside a queued
// call, where the event loop does not deliver them (the route viewer posts
// itself its Refresh when it is shown).
inline bool PumpPosted(const std::function<bool()>& ready, int timeoutMs = 5000)
{
    return Pump(
        [&] {
            UiThreadCalls::DeliverPosted();
            return ready();
        },
        timeoutMs);
}

// Waits until no SNMPv1 walk is running and the list holds at least `rows` rows.
inline bool WaitForWalk(CLegacyFrame& dialog, int listId, int rows, int timeoutMs = 15000)
{
    return PumpPosted([&] { return !dialog.WalkRunning() && List(dialog, listId).GetItemCount() >= rows; },
                      timeoutMs);
}

} // namespace legacytest
