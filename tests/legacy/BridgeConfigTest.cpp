// The legacy "Bridge Config" dialog on the simulated switch: the read, the
// time checks, the SET sequence when RSTP is switched on, off and on again.
#include "legacy/CSpanTreeBridgeParam.h"
#include "legacy/LegacyTestSupport.h"

namespace legacy_test {

namespace {

const std::string kHello = kStp + ".13.0";
const std::string kDelay = kStp + ".14.0";
const std::string kMaxAge = kStp + ".12.0";
const std::string kPriority = kStp + ".2.0";

bool WaitForBridgeRead(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDOK); }, 10000);
}

void TypeTimes(CWnd& d, const std::string& age, const std::string& delay, const std::string& hello)
{
    Type(d, IDC_LSTPB_MAX_AGE, age);
    Type(d, IDC_LSTPB_FORWARD_DELAY, delay);
    Type(d, IDC_LSTPB_HELLO_TIME, hello);
}

class BridgeConfigTest : public LegacyTest
{
};

} // namespace

TEST_F(BridgeConfigTest, ShowsTheBridgeAndTheSwitchsRstpState)
{
    StartLegacySwitch();
    CSpanTreeBridgeParam dialog;
    RunModal<CSpanTreeBridgeParam>(dialog, [&](CSpanTreeBridgeParam& d) {
        ASSERT_TRUE(WaitForBridgeRead(d));
        EXPECT_EQ(d.GetWindowText(), " STP Configuration ");
        EXPECT_EQ(Text(d, IDC_LSTPB_ROOT), "80:00:00:11:22:33:44:55");
        EXPECT_EQ(Text(d, IDC_LSTPB_PRIORITY), "32768");
        EXPECT_EQ(Text(d, IDC_LSTPB_MAX_AGE), "2000");
        EXPECT_EQ(Text(d, IDC_LSTPB_FORWARD_DELAY), "1500");
        EXPECT_EQ(Text(d, IDC_LSTPB_HELLO_TIME), "200");
        EXPECT_EQ(Text(d, IDC_LSTPB_TOPO_TIME), "12345");
        EXPECT_EQ(Text(d, IDC_LSTPB_TOPO_CHANGES), "3");
        EXPECT_EQ(Text(d, IDC_LSTPB_HOLD_TIME), "100");
        EXPECT_EQ(Text(d, IDC_LSTPB_FWD_DELAY_NOW), "1500");
        EXPECT_TRUE(IsChecked(d, IDC_LSTPB_RSTP));
        EXPECT_EQ(ComboSelection(d, IDC_LSTPB_VERSION), "RSTP");
        EXPECT_TRUE(Enabled(d, IDC_LSTPB_PORT_SETTING));
        EXPECT_TRUE(Enabled(d, IDC_LSTPB_MAX_AGE));
    });
}

TEST_F(BridgeConfigTest, ChecksTheTimesBeforeSendingAnything)
{
    struct Case
    {
        const char *age, *delay, *hello, *message; // message empty: accepted
    };
    const Case cases[] = {
        {"599", "400", "100", "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !"},
        {"4001", "3000", "100", "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !"},
        {"600", "399", "100", "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !"},
        {"600", "400", "1001", "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !"},
        {"600", "400", "201",
         "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \nMax Age >= "
         "(2*(Hello Time + 1.0))"},
        {"4000", "2099", "100",
         "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: "
         "\n2*(Forward Delay - 1) >= Max Age"},
        {"600", "400", "200", ""},
        {"4000", "2100", "100", ""},
    };
    StartLegacySwitch();
    BoxRecorder boxes;
    CSpanTreeBridgeParam dialog;
    RunModal<CSpanTreeBridgeParam>(dialog, [&](CSpanTreeBridgeParam& d) {
        ASSERT_TRUE(WaitForBridgeRead(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.age) + "/" + c.delay + "/" + c.hello);
            const std::size_t boxesBefore = boxes.Calls().size();
            const std::size_t setsBefore = Sets().size();
            TypeTimes(d, c.age, c.delay, c.hello);
            ClickButton(d, IDOK);
            if (*c.message != '\0') {
                ASSERT_EQ(boxes.Calls().size(), boxesBefore + 1);
                EXPECT_EQ(boxes.Calls().back().text, c.message);
                EXPECT_EQ(Sets().size(), setsBefore);
            } else {
                EXPECT_EQ(boxes.Calls().size(), boxesBefore);
                EXPECT_EQ(sim->Get(kMaxAge), c.age);
                EXPECT_EQ(sim->Get(kDelay), c.delay);
                EXPECT_EQ(sim->Get(kHello), c.hello);
                ASSERT_TRUE(WaitForBridgeRead(d));
            }
        }
    });
}

TEST_F(BridgeConfigTest, SwitchesRstpOnOffAndOnAgain)
{
    StartLegacySwitch();
    ASSERT_EQ(sim->Set(kRstpState, SnmpValueInteger, "2"), 0);
    auto Sets = [this] { return LegacyTest::Sets(1); };
    BoxRecorder boxes;
    CSpanTreeBridgeParam dialog;
    RunModal<CSpanTreeBridgeParam>(dialog, [&](CSpanTreeBridgeParam& d) {
        ASSERT_TRUE(WaitForBridgeRead(d));
        EXPECT_FALSE(IsChecked(d, IDC_LSTPB_RSTP));
        EXPECT_FALSE(Enabled(d, IDC_LSTPB_PORT_SETTING));
        EXPECT_FALSE(Enabled(d, IDC_LSTPB_MAX_AGE));

        // On: the enabling SET first, then the preparing times, the three
        // times, and hello time again with the priority and the version.
        ClickButton(d, IDC_LSTPB_RSTP);
        EXPECT_TRUE(Enabled(d, IDC_LSTPB_MAX_AGE));
        TypeTimes(d, "1000", "800", "300");
        Type(d, IDC_LSTPB_PRIORITY, "4096x");
        ClickButton(d, IDOK);
        const RequestList expected = {
            {Int(kRstpState, "1")},
            {Int(kHello, "100"), Int(kDelay, "3000")},
            {Int(kMaxAge, "1000")},
            {Int(kDelay, "800")},
            {Int(kHello, "300")},
            {Int(kHello, "300"), Int(kPriority, "4096"), Int(kStpVersion, "2")},
        };
        EXPECT_EQ(Sets(), expected);
        EXPECT_EQ(sim->Get(kRstpState), "1");
        EXPECT_EQ(sim->Get(kPriority), "4096");
        ASSERT_TRUE(WaitForBridgeRead(d));

        // Off: only the state, and nothing read again.
        ClickButton(d, IDC_LSTPB_RSTP);
        ClickButton(d, IDOK);
        ASSERT_EQ(Sets().size(), expected.size() + 1);
        EXPECT_EQ(Sets().back(), std::vector<std::string>{Int(kRstpState, "2")});
        EXPECT_EQ(sim->Get(kRstpState), "2");
        EXPECT_FALSE(Enabled(d, IDC_LSTPB_PORT_SETTING));

        // On again without a read in between: the dialog knows RSTP is off.
        ClickButton(d, IDC_LSTPB_RSTP);
        ClickButton(d, IDOK);
        const RequestList sets = Sets();
        ASSERT_EQ(sets.size(), expected.size() * 2 + 1);
        EXPECT_EQ(sets[expected.size() + 1], std::vector<std::string>{Int(kRstpState, "1")});
        EXPECT_EQ(sim->Get(kRstpState), "1");
        EXPECT_TRUE(boxes.Calls().empty());
    });
}

TEST_F(BridgeConfigTest, RefusesApplyBeforeTheReadAndClosesDuringIt)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(1500));
    CSpanTreeBridgeParam dialog;
    RunModal<CSpanTreeBridgeParam>(dialog, [&](CSpanTreeBridgeParam& d) {
        EXPECT_FALSE(Enabled(d, IDOK));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(Sets().empty());
    });
    EXPECT_TRUE(Sets().empty());
}

} // namespace legacy_test
