// The device and resource viewers on the simulated switch: power supplies
// with their source words over SNMPv1 and SNMPv3, the port numbers, the CPU
// utilisation re-read on its timer (skipped while a read is outstanding,
// stopped by Close), and nothing sent under version "2".
#include "legacy/CDeviceInfo.h"
#include "legacy/CResourceInfo.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/TimerScale.h"
#include "resources/legacy.h"

#include <functional>

namespace device_info_test {

using namespace legacytest;

namespace {

class DeviceInfoTest : public LegacyTest
{
protected:
    void TearDown() override
    {
        SetWindowTimerScale(1);
        LegacyTest::TearDown();
    }
    // The CPU reads the switch received: GETs that ask for the 1-second figure.
    std::size_t CpuReads() const
    {
        std::size_t reads = 0;
        for (const auto& request : Requests("GET"))
            if (!request.empty() && request[0].rfind(KorvelOid("10.94.89.89.1.7.0") + "|", 0) == 0)
                ++reads;
        return reads;
    }
};

} // namespace

TEST_F(DeviceInfoTest, PowerSuppliesAndPortNumbersOverBothVersions)
{
    StartLegacySwitch();
    struct Case
    {
        std::function<void()> use;
        Rows rows;
    };
    const Case cases[] = {
        {[] { g_strSnmpVersion = std::string("1"); },
         {{"Main PSU", "1", "AC"},
          {"Backup PSU", "2", "Internal Redundant"},
          {"DC input", "1", "DC"},
          {"RPS link", "3", "External PowerSupply"},
          {"Legacy PSU", "2", "Unknown"},
          {"Probe PSU", "3", "Other"}}},
        {[] { UseV3(kAuthNoPriv); },
         {{"Main PSU", "1", "ac"},
          {"Backup PSU", "2", "internalRedundant"},
          {"DC input", "1", "dc"},
          {"RPS link", "3", "externalPowerSupply"},
          {"Legacy PSU", "2", "unknown"},
          {"Probe PSU", "3", "other"}}},
    };
    for (const Case& c : cases) {
        c.use();
        CDeviceInfo dialog;
        RunModal<CDeviceInfo>(dialog, [&](CDeviceInfo& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_DEVICE_POWER_LIST, 6));
            ASSERT_TRUE(Pump([&] { return Text(d, IDC_DEVICE_LOOPBACK_PORT) == "28"; }));
            EXPECT_EQ(ListRows(d, IDC_DEVICE_POWER_LIST), c.rows) << g_strSnmpVersion;
            EXPECT_EQ(Text(d, IDC_DEVICE_HTTP_PORT), "80");
            EXPECT_EQ(Text(d, IDC_DEVICE_PORT_COUNT), "28");
            EXPECT_EQ(Text(d, IDC_DEVICE_USER_PORT), "26");
        });
    }
}

TEST_F(DeviceInfoTest, VersionTwoShowsNothingAndSendsNothing)
{
    StartLegacySwitch();
    g_strSnmpVersion = "2";
    CDeviceInfo device;
    RunModal<CDeviceInfo>(device, [&](CDeviceInfo& d) {
        ClickButton(d, IDC_LEGACY_REFRESH_V3);
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_DEVICE_POWER_LIST).GetItemCount(), 0);
        EXPECT_EQ(Text(d, IDC_DEVICE_HTTP_PORT), "");
    });
    CResourceInfo resource;
    RunModal<CResourceInfo>(resource, [&](CResourceInfo& d) {
        ClickButton(d, IDC_LEGACY_REFRESH_V3);
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_RESOURCE_CPU_LIST).GetItemCount(), 0);
    });
    EXPECT_EQ(RequestCount(), 0u);
}

// The timer re-reads (every 5 s, here scaled to 0.5 s); the figures change
// between reads; Close stops the reads.
TEST_F(DeviceInfoTest, CpuFiguresAreReadAgainOnTheTimerUntilClose)
{
    StartLegacySwitch();
    SetWindowTimerScale(0.1);
    CResourceInfo dialog;
    std::size_t readsAtClose = 0;
    RunModal<CResourceInfo>(dialog, [&](CResourceInfo& d) {
        ASSERT_TRUE(Pump([&] { return List(d, IDC_RESOURCE_CPU_LIST).GetItemCount() == 1; }));
        const Rows first = ListRows(d, IDC_RESOURCE_CPU_LIST);
        ASSERT_TRUE(Pump([&] { return CpuReads() >= 3; }, 15000));
        ASSERT_TRUE(Pump([&] { return List(d, IDC_RESOURCE_CPU_LIST).GetItemCount() == 1; }));
        EXPECT_NE(ListRows(d, IDC_RESOURCE_CPU_LIST), first);
        EXPECT_EQ(ListRows(d, IDC_RESOURCE_CPU_LIST).front().size(), 3u);
        ClickButton(d, IDCANCEL);
        readsAtClose = CpuReads();
    });
    PumpFor(1500);
    EXPECT_EQ(CpuReads(), readsAtClose);
}

// A slow switch: while a read is outstanding, ticks and Refresh send nothing
// and the list stays empty; the first tick after the reply reads again. With
// replies 2 s late and a tick every 0.5 s, about 4.5 s of it send at most 3
// reads (every tick would send 9).
TEST_F(DeviceInfoTest, TicksWhileAReadIsOutstandingAreSkipped)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(2000));
    SetWindowTimerScale(0.1);
    CResourceInfo dialog;
    RunModal<CResourceInfo>(dialog, [&](CResourceInfo& d) {
        PumpFor(1200);
        ClickButton(d, IDC_LEGACY_REFRESH_V3);
        EXPECT_EQ(List(d, IDC_RESOURCE_CPU_LIST).GetItemCount(), 0);
        ASSERT_TRUE(Pump([&] { return List(d, IDC_RESOURCE_CPU_LIST).GetItemCount() == 1; }, 15000));
        PumpFor(4500 - 1200 - 2000);
    });
    PumpFor(3000);
    EXPECT_GE(CpuReads(), 1u);
    EXPECT_LE(CpuReads(), 3u);
}

TEST_F(DeviceInfoTest, CpuFiguresOverSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    CResourceInfo dialog;
    RunModal<CResourceInfo>(dialog, [&](CResourceInfo& d) {
        const Rows rows = ListRows(d, IDC_RESOURCE_CPU_LIST);
        ASSERT_EQ(rows.size(), 1u);
        for (const std::string& figure : rows.front())
            EXPECT_FALSE(figure.empty());
    });
}

} // namespace device_info_test
