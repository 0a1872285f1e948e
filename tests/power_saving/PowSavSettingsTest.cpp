// The power saving and time profile logic on the simulated switch: the
// settings read and handed to the owner, each kind's write with its bindings
// in order, refused port lists, the profile names once their walk has ended,
// the time profile rows, and profiles added, refused and deleted.
#include "features/poe_rmon/CPowSavSettings.h"
#include "poe/PoeTestSupport.h"

namespace power_saving_test {

using namespace poetest;

namespace {

const std::string kSaving = "1.3.6.1.4.1.32473.10.76.19.1.31";

std::string SavingOid(const std::string& relative)
{
    return kSaving + "." + relative;
}

// The owner window: keeps what the logic sends, the records copied.
class SavingOwner : public CWnd
{
public:
    SavingOwner() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~SavingOwner() override { DestroyWindow(); }
    std::vector<POWER_detection_info> detections;
    std::vector<std::array<POWER_saving_info, 4>> savings;
    std::vector<TIME_profile_info> profiles;
    int profileEnds = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_POWER_SAVING_NOTIFY) {
            if (wParam == 0)
                detections.push_back(*reinterpret_cast<const POWER_detection_info*>(lParam));
            else {
                const auto* records = reinterpret_cast<const POWER_saving_info*>(lParam);
                savings.push_back({records[0], records[1], records[2], records[3]});
            }
            return 0;
        }
        if (message == WM_TIME_PROFILE_NOTIFY) {
            if (wParam == 0)
                profiles.push_back(*reinterpret_cast<const TIME_profile_info*>(lParam));
            else
                ++profileEnds;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string RecordText(const POWER_saving_info& r)
{
    return std::to_string(r.nType) + "|" + r.strPorts + "|" + r.strState + "|" + r.strTimeProfile1 + "|" +
           r.strTimeProfile2;
}

class PowSavSettingsTest : public PoeTest
{
protected:
    void StartSavingSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("power_saving.snmprec")}, 28);
    }
};

} // namespace

TEST_F(PowSavSettingsTest, TheReadHandsTheOwnerTheDetectionThenTheRecords)
{
    StartSavingSwitch();
    SavingOwner owner;
    CPowSavSettings logic;
    logic.m_hOwnerWnd = owner.GetSafeHwnd();
    logic.GetPowerSaving();
    ASSERT_EQ(owner.detections.size(), 1U);
    EXPECT_EQ(owner.detections[0].strLinkStatus, "1");
    EXPECT_EQ(owner.detections[0].strCableLength, "");
    ASSERT_EQ(owner.savings.size(), 1U);
    const auto& records = owner.savings[0];
    // "None" reads as no profile; an all-zero bitmap as no ports.
    EXPECT_EQ(RecordText(records[0]), "1|1-3,5|1|Office hours|");
    EXPECT_EQ(RecordText(records[1]), "2||2||");
    EXPECT_EQ(RecordText(records[2]), "4|All Port|1|Night|");
    EXPECT_EQ(RecordText(records[3]), "0||2||");
    // A silent switch: no message, the records stay reset.
    ASSERT_TRUE(sim->SilenceFor(5000));
    logic.GetPowerSaving();
    EXPECT_EQ(owner.savings.size(), 1U);
}

TEST_F(PowSavSettingsTest, EachKindAndStateWritesItsBindingsInOrder)
{
    auto state = [](int kind, const std::string& v) {
        return Int(SavingOid(kind == 4 ? "4.1.0" : std::to_string(kind) + ".2.0"), v);
    };
    auto profile = [](int kind, int n, const std::string& v) {
        return Text(SavingOid(kind == 4 ? "4." + std::to_string(n + 1) + ".0"
                                        : std::to_string(kind) + "." + std::to_string(n + 2) + ".0"),
                    v);
    };
    auto ports = [](int kind, const std::string& hex) { return SavingOid(std::to_string(kind) + ".1.0") + "|4x|" + hex; };
    struct Case
    {
        POWER_saving_info record;
        std::vector<std::string> bindings;
    };
    const Case cases[] = {
        {{1, "1-3", "2", "Night", "Office hours"}, {state(1, "2")}},
        {{4, "", "2", "Night", ""}, {state(4, "2")}},
        {{1, "1-3,5", "1", "Night", "None"},
         {state(1, "1"), ports(1, "e8000000"), profile(1, 1, "Night"), profile(1, 2, "")}},
        {{2, "28", "1", "", "Night"}, {state(2, "1"), ports(2, "00000010"), profile(2, 1, ""), profile(2, 2, "Night")}},
        {{3, "", "1", "Night", ""}, {state(3, "1"), profile(3, 1, "Night"), profile(3, 2, ""), ports(3, "00000000")}},
        {{4, "1-4", "1", "Office hours", "Night"}, {state(4, "1"), profile(4, 1, "Office hours"), profile(4, 2, "Night")}},
    };
    StartSavingSwitch();
    CPowSavSettings logic;
    for (const Case& c : cases) {
        SCOPED_TRACE(RecordText(c.record));
        const std::size_t before = Sets().size();
        EXPECT_TRUE(logic.SetPowerSaving(c.record));
        EXPECT_EQ(SetsAfter(before), std::vector<std::vector<std::string>>{c.bindings});
    }
    EXPECT_EQ(sim->Get(SavingOid("4.3.0")), "Night");
}

TEST_F(PowSavSettingsTest, APortListThatDoesNotParseSendsNothing)
{
    StartSavingSwitch();
    BoxRecorder boxes;
    CPowSavSettings logic;
    for (const char* list : {"1,a", "29"})
        EXPECT_FALSE(logic.SetPowerSaving({1, list, "1", "", ""})) << list;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "Invalid Portlist"));
    EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{});
    // The switch's refusal is a failed write.
    ASSERT_TRUE(sim->RefuseNextSet(SavingOid("6.0"), 5));
    EXPECT_FALSE(logic.SetLinkStatusDetection({"", "2"}));
    EXPECT_TRUE(logic.SetLinkStatusDetection({"", "2"}));
    EXPECT_EQ(sim->Get(SavingOid("6.0")), "2");
}

TEST_F(PowSavSettingsTest, SlowlyArrivingProfileNamesAreAllThereOnceTheWalkHasEnded)
{
    StartSavingSwitch();
    ASSERT_TRUE(sim->SetReplyDelay(400));
    CPowSavSettings logic;
    logic.StartProfileNameWalk();
    EXPECT_TRUE(logic.WaitProfileNames());
    // The row left waiting has no name.
    EXPECT_EQ(logic.GetProfileNames(), (std::vector<std::string>{"Office hours", "Night"}));
}

TEST_F(PowSavSettingsTest, TheProfileWalkHandsOverEveryRowThenItsEnd)
{
    StartSavingSwitch();
    SavingOwner owner;
    CPowSavSettings logic;
    logic.m_hOwnerWnd = owner.GetSafeHwnd();
    logic.StartTimeProfileWalk();
    ASSERT_TRUE(Pump([&] { return owner.profileEnds == 1; }, 10000));
    ASSERT_EQ(owner.profiles.size(), 3U);
    const TIME_profile_info& dated = owner.profiles[0];
    EXPECT_EQ(dated.strName, "Office hours");
    EXPECT_EQ(dated.from.strYear, "2011");
    EXPECT_EQ(dated.from.strMonth, "003");
    EXPECT_EQ(dated.from.strDay, "007");
    EXPECT_EQ(dated.from.strHour, "008");
    EXPECT_EQ(dated.to.strMonth, "0012");
    EXPECT_EQ(dated.to.strMinute, "0030");
    EXPECT_EQ(dated.strWeekdays[4], "1");
    EXPECT_EQ(dated.strWeekdays[5], "2");
    const TIME_profile_info& plain = owner.profiles[1];
    EXPECT_EQ(plain.strDateFlag, "2");
    EXPECT_EQ(plain.from.strYear, "");
    EXPECT_EQ(plain.to.strDay, "");
    EXPECT_EQ(owner.profiles[2].strRowStatus, "2");
}

TEST_F(PowSavSettingsTest, ProfilesAreCreatedWrittenWholeAndDeleted)
{
    StartSavingSwitch();
    CPowSavSettings logic;
    TIME_profile_info dated;
    dated.strIndex = "4";
    dated.strName = "Holidays";
    dated.strDateFlag = "1";
    dated.from = {"2012", "12", "24", "0", "0"};
    dated.to = {"2012", "12", "26", "23", "59"};
    dated.strWeekdays = {"1", "1", "1", "1", "1", "1", "1"};
    TIME_profile_info plain;
    plain.strIndex = "5";
    plain.strName = "Lunch";
    plain.from.strHour = "12";
    plain.from.strMinute = "0";
    plain.to.strHour = "13";
    plain.to.strMinute = "0";
    EXPECT_TRUE(logic.AddTimeProfile(dated));
    EXPECT_TRUE(logic.AddTimeProfile(plain));
    auto cell = [](int column, const std::string& index) { return ProfileOid(column, std::stoi(index)); };
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 4U);
    EXPECT_EQ(sets[0], std::vector<std::string>{Int(cell(21, "4"), "5")});
    EXPECT_EQ(sets[1].front(), Text(cell(2, "4"), "Holidays"));
    EXPECT_EQ(sets[1][3], Int(cell(5, "4"), "12"));
    EXPECT_EQ(sets[1].back(), Int(cell(21, "4"), "1"));
    // Without a date range the date columns are not written.
    std::vector<std::string> lunch{Text(cell(2, "5"), "Lunch"), Int(cell(3, "5"), "2"), Int(cell(7, "5"), "12"),
                                   Int(cell(8, "5"), "0"),     Int(cell(12, "5"), "13"), Int(cell(13, "5"), "0")};
    for (int column = 14; column <= 20; ++column)
        lunch.push_back(Int(cell(column, "5"), "2"));
    lunch.push_back(Int(cell(21, "5"), "1"));
    EXPECT_EQ(sets[3], lunch);
    EXPECT_EQ(sim->Get(cell(1, "4")), "4");
    EXPECT_EQ(sim->Get(cell(21, "5")), "1");

    // A refused column SET leaves no row behind: the index can be used again.
    plain.strIndex = "6";
    ASSERT_TRUE(sim->RefuseNextSet(cell(2, "6"), 5));
    EXPECT_FALSE(logic.AddTimeProfile(plain));
    EXPECT_FALSE(sim->Has(cell(21, "6")));
    EXPECT_TRUE(logic.AddTimeProfile(plain));

    EXPECT_TRUE(logic.DeleteTimeProfile("4"));
    EXPECT_FALSE(sim->Has(cell(2, "4")));
}

} // namespace power_saving_test
