// The 802.1X counter viewers on the simulated 28-port switch: one row per
// port, every column the switch's value (the first counter in column 0, no
// port number), over SNMPv1 and SNMPv3.
#include "legacy/C8021Diagnosis.h"
#include "legacy/C8021Status.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "resources/legacy.h"

#include <functional>
#include <memory>

namespace dot1x_counters_test {

using namespace legacytest;

namespace {

struct Viewer
{
    const char* caption;
    std::function<std::unique_ptr<CLegacyFrame>()> make;
    int listId;
    const char* table;
    int columns;
    const char* firstHeading;
};

const Viewer kViewers[] = {
    {"802.1x Statistic Information", [] { return std::make_unique<C8021Status>(); }, IDC_8021X_STATUS_LIST,
     "1.0.8802.1.1.1.1.2.2.1", 12, "EapolFramesRx"},
    {"802.1x Diagnose Information", [] { return std::make_unique<C8021Diagnosis>(); }, IDC_8021X_DIAGNOSIS_LIST,
     "1.0.8802.1.1.1.1.2.3.1", 18, "EntersConnecting"},
};

class Dot1xCountersTest : public LegacyTest
{
};

} // namespace

TEST_F(Dot1xCountersTest, OneRowPerPortWithTheSwitchsCounters)
{
    StartLegacySwitch();
    for (bool v3 : {false, true}) {
        if (v3)
            UseV3(kAuthPriv);
        for (const Viewer& viewer : kViewers) {
            std::unique_ptr<CLegacyFrame> dialog = viewer.make();
            RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
                ASSERT_TRUE(WaitForWalk(d, viewer.listId, 28)) << viewer.caption;
                PumpFor(200);
                EXPECT_EQ(d.GetWindowText(), viewer.caption);
                CListCtrl& list = List(d, viewer.listId);
                ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), viewer.columns);
                const Rows rows = ListRows(d, viewer.listId);
                ASSERT_EQ(rows.size(), 28u) << viewer.caption << (v3 ? " over SNMPv3" : "");
                for (int port = 1; port <= 28; ++port)
                    for (int column = 1; column <= viewer.columns; ++column) {
                        const std::string oid =
                            std::string(viewer.table) + "." + std::to_string(column) + "." + std::to_string(port);
                        // The last frame source is six zero bytes: an address, in hexadecimal.
                        const std::string expected =
                            viewer.columns == 12 && column == 12 ? "00:00:00:00:00:00" : sim->Get(oid);
                        EXPECT_EQ(rows[static_cast<std::size_t>(port - 1)][static_cast<std::size_t>(column - 1)],
                                  expected)
                            << oid;
                    }
            });
        }
    }
}

} // namespace dot1x_counters_test

namespace dot1x_counters_test {

// Rows at indexes no port can have (0, 99, 40 on 28 ports) are not shown, and
// shift no port's counters; the last frame source is the whole address, NUL
// bytes included.
TEST_F(Dot1xCountersTest, RowsStayAtTheirPortAndTheSourceIsAnAddress)
{
    StartLegacySwitch({std::string(KORVEL_SOURCE_DIR) + "/tests/dot1x_counters/fixtures/foreign-rows.snmprec"});
    for (const Viewer& viewer : kViewers) {
        std::unique_ptr<CLegacyFrame> dialog = viewer.make();
        RunModal<CLegacyFrame>(*dialog, [&](CLegacyFrame& d) {
            ASSERT_TRUE(WaitForWalk(d, viewer.listId, 28)) << viewer.caption;
            const Rows rows = ListRows(d, viewer.listId);
            ASSERT_EQ(rows.size(), 28u) << viewer.caption;
            for (int port : {1, 2, 28}) {
                const std::string oid = std::string(viewer.table) + ".1." + std::to_string(port);
                EXPECT_EQ(rows[static_cast<std::size_t>(port - 1)][0], sim->Get(oid)) << oid;
            }
            for (const auto& row : rows)
                for (const char* foreign : {"777", "778", "999", "555", "556"})
                    EXPECT_EQ(std::find(row.begin(), row.end(), foreign), row.end()) << foreign;
            if (viewer.columns == 12) {
                EXPECT_EQ(rows[2][11], "00:1A:00:3C:4D:00");
            }
        });
    }
}

} // namespace dot1x_counters_test
