// The syslog and software-package viewers on the simulated switch: each
// viewer's rows, words and count once it is shown, the severity words (9 as
// "Emergency"), the applications' indexes of several arcs, and nothing read
// over SNMPv3.
#include "legacy/CHisSyslogInfoDlg.h"
#include "legacy/CSwPackageInfoDlg.h"
#include "legacy/CSyslogAppInfoDlg.h"
#include "legacy/CSyslogInfoDlg.h"
#include "legacy/LegacyWords.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "resources/legacy.h"

#include <functional>
#include <map>
#include <memory>

namespace syslog_viewers_test {

using namespace legacytest;

namespace {

struct Viewer
{
    const char* title;
    std::function<std::unique_ptr<CLegacyFrame>()> make;
    int rows;
    // Rows checked whole, by position.
    std::map<int, std::vector<std::string>> shown;
};

const std::vector<Viewer>& Viewers()
{
    static const std::vector<Viewer> viewers = {
        {"Syslog Information",
         [] { return std::make_unique<CSyslogInfoDlg>(); },
         12,
         {{0, {"1", "2026-12-02 01:11:01", "PORT", "Emergency", "Cold start", "text-a1", "text-b1", "text-c1", "text-d1"}},
          {2, {"3", "2026-12-04 03:13:03", "VLAN", "Critical", "Link down", "text-a3", "", "text-c3", "text-d3"}},
          {8, {"9", "2026-12-01 09:13:02", "VLAN", "NotActive", "Port blocked", "text-a9", "", "text-c9", "text-d9"}},
          {9, {"10", "2026-12-02 00:14:03", "SNMP", "Emergency", "Reboot", "text-a10", "text-b10", "text-c10",
               "text-d10"}}}},
        {"Syslog Information in Cache",
         [] { return std::make_unique<CHisSyslogInfoDlg>(); },
         5,
         {{0, {"1", "2026-11-21 12:01:00", "PORT", "Emergency", "Topology change", "cache-a1", "cache-b1", "cache-c1",
               "cache-d1"}},
          {1, {"2", "2026-11-22 12:02:00", "STP", "NotActive", "Login failed", "cache-a2", "cache-b2", "cache-c2",
               "cache-d2"}},
          {2, {"3", "2026-11-23 12:03:00", "VLAN", "Warning", "Config saved", "cache-a3", "cache-b3", "cache-c3",
               "cache-d3"}}}},
        {"SwPackage Information",
         [] { return std::make_unique<CSwPackageInfoDlg>(); },
         3,
         {{0, {"bootloader", "1.0.7"}}, {1, {"kernel", "4.19.2-k3"}}, {2, {"switch-app", "3.2.18"}}}},
        {"Syslog Application Information",
         [] { return std::make_unique<CSyslogAppInfoDlg>(); },
         4,
         {{0, {"1.1", "System core", "SYS", "Info"}},
          {1, {"1.2", "Port manager", "PORT", "Notice"}},
          {2, {"2.7", "Spanning tree", "STP", "Warning"}},
          {3, {"3.1.4", "SNMP agent", "SNMP", "Emergency"}}}},
    };
    return viewers;
}

class SyslogViewersTest : public LegacyTest
{
};

} // namespace

TEST_F(SyslogViewersTest, EachViewerShowsItsTableWhenShown)
{
    StartLegacySwitch();
    for (const Viewer& viewer : Viewers()) {
        std::unique_ptr<CLegacyFrame> dialog = viewer.make();
        RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_SYSLOG_VIEW_LIST, viewer.rows)) << viewer.title;
            PumpPosted([] { return false; }, 300);
            EXPECT_EQ(d.GetWindowText(), viewer.title);
            const Rows rows = ListRows(d, IDC_SYSLOG_VIEW_LIST);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(viewer.rows)) << viewer.title;
            for (const auto& [position, cells] : viewer.shown)
                EXPECT_EQ(rows[static_cast<std::size_t>(position)], cells) << viewer.title << " row " << position;
            EXPECT_EQ(Text(d, IDC_SYSLOG_COUNT), std::to_string(viewer.rows));
        });
    }
}

TEST_F(SyslogViewersTest, ReadNothingOverSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    for (const Viewer& viewer : Viewers()) {
        std::unique_ptr<CLegacyFrame> dialog = viewer.make();
        RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
            PumpPosted([] { return false; }, 300);
            ClickButton(d, IDC_SYSLOG_VIEW_REFRESH);
            EXPECT_EQ(List(d, IDC_SYSLOG_VIEW_LIST).GetItemCount(), 0) << viewer.title;
            EXPECT_EQ(Text(d, IDC_SYSLOG_COUNT), "0");
        });
    }
    EXPECT_EQ(RequestCount(), 0u);
}

TEST(SyslogWordsTest, SeverityWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0", "Emergency"}, {"1", "Alert"}, {"2", "Critical"}, {"3", "Error"},     {"4", "Warning"},
        {"5", "Notice"},    {"6", "Info"},  {"7", "Debug"},    {"8", "NotActive"}, {"9", "Emergency"},
        {"", "Emergency"},  {"06", "Emergency"}};
    for (const auto& [value, word] : cases)
        EXPECT_EQ(legacy::SeverityWord(value), word) << value;
}

} // namespace syslog_viewers_test
