// The Time Profile Info dialog on the simulated switch: the profiles in
// service listed, the checks of a new profile, the free index it takes,
// profiles added with and without a date range, and delete.
#include "features/poe_rmon/CTimeProfileInfo.h"
#include "poe/PoeTestSupport.h"
#include "resources/power_saving.h"

namespace power_saving_test {

using namespace poetest;

namespace {

CListCtrl& ProfileList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_TP_LIST);
}

std::vector<std::string> ProfileRows(CListCtrl& list)
{
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string text;
        for (int col = 0; col < 6; ++col)
            text += (col ? "|" : "") + list.GetItemText(row, col);
        rows.push_back(text);
    }
    return rows;
}

bool WaitForProfiles(CWnd& d, int rows)
{
    return Pump([&] { return ProfileList(d).GetItemCount() == rows; }, 20000);
}

struct NewProfile
{
    std::string name;
    bool date = false;
    int firstYear = 2012, firstMonth = 5, firstDay = 10, lastYear = 2012, lastMonth = 5, lastDay = 10;
    int startHour = 8, startMinute = 0, endHour = 17, endMinute = 0;
};

void FillProfile(CWnd& d, const NewProfile& p)
{
    d.GetDlgItem(IDC_TP_NAME)->SetWindowText(p.name);
    if ((d.IsDlgButtonChecked(IDC_TP_DATE) == BST_CHECKED) != p.date)
        ClickButton(d, IDC_TP_DATE);
    auto choose = [&](int id, int position) { Item<CComboBox>(d, id).SetCurSel(position); };
    choose(IDC_TP_FROM_YEAR, p.firstYear - 2011);
    choose(IDC_TP_FROM_MONTH, p.firstMonth - 1);
    choose(IDC_TP_FROM_DAY, p.firstDay - 1);
    choose(IDC_TP_TO_YEAR, p.lastYear - 2011);
    choose(IDC_TP_TO_MONTH, p.lastMonth - 1);
    choose(IDC_TP_TO_DAY, p.lastDay - 1);
    choose(IDC_TP_START_HOUR, p.startHour);
    choose(IDC_TP_START_MINUTE, p.startMinute);
    choose(IDC_TP_END_HOUR, p.endHour);
    choose(IDC_TP_END_MINUTE, p.endMinute);
}

class TimeProfileDialogTest : public PoeTest
{
protected:
    void StartProfileSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("power_saving.snmprec")}, 28);
    }
};

} // namespace

TEST_F(TimeProfileDialogTest, ListsTheProfilesInService)
{
    StartProfileSwitch();
    CTimeProfileInfo dialog;
    RunModal<CTimeProfileInfo>(dialog, [&](CTimeProfileInfo& d) {
        ASSERT_TRUE(WaitForProfiles(d, 2));
        EXPECT_EQ(d.GetWindowText(), "Time Profile Info");
        EXPECT_EQ(ProfileRows(ProfileList(d)),
                  (std::vector<std::string>{"Office hours|Mon,Tue,Wed,Thu,Fri|2011/03/07|2011/12/31|08:05|17:30",
                                            "Night|Mon,Tue,Wed,Thu,Fri,Sat,Sun|||00:00|06:00"}));
    });
}

TEST_F(TimeProfileDialogTest, ChecksANewProfileBeforeWritingIt)
{
    const std::string startAfterEnd = "'Start Time' can't be greater than 'End Time'";
    const std::string sameTimes = "'Start Time' and 'End Time' can't be the same";
    struct Case
    {
        NewProfile profile;
        std::string message; // empty: written
    };
    const Case cases[] = {
        {{""}, "The Profile name can not be empty,please input it."},
        {{"a.b"}, "Invalid Profile name."},
        {{"a,b"}, "Invalid Profile name."},
        {{"a/b"}, "Invalid Profile name."},
        {{"Night"}, "The Profile Name is exist."},
        {{"Equal", false, 2012, 5, 10, 2012, 5, 10, 9, 0, 9, 0}, sameTimes},
        {{"Equal dated", true, 2012, 5, 10, 2012, 5, 12, 9, 0, 9, 0}, sameTimes},
        {{"One day", true, 2012, 5, 10, 2012, 5, 10, 22, 0, 6, 0}, startAfterEnd},
        {{"Back", true, 2012, 5, 10, 2012, 4, 20}, "'To month' can't be less than 'From month'"},
        // Accepted: overnight without a date, and over two days.
        {{"Late shift", false, 2012, 5, 10, 2012, 5, 10, 22, 0, 6, 0}, ""},
        {{"Two days", true, 2012, 5, 10, 2012, 5, 11, 22, 0, 6, 0}, ""},
    };
    StartProfileSwitch();
    CTimeProfileInfo dialog;
    RunModal<CTimeProfileInfo>(dialog, [&](CTimeProfileInfo& d) {
        ASSERT_TRUE(WaitForProfiles(d, 2));
        int listed = 2;
        for (const Case& c : cases) {
            SCOPED_TRACE("\"" + c.profile.name + "\"");
            BoxRecorder boxes;
            const std::size_t before = Sets().size();
            FillProfile(d, c.profile);
            ClickButton(d, IDC_TP_ADD);
            if (c.message.empty()) {
                ASSERT_TRUE(WaitForProfiles(d, ++listed));
                EXPECT_TRUE(boxes.Calls().empty());
                EXPECT_GE(SetsAfter(before).size(), 2U);
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
                EXPECT_TRUE(SetsAfter(before).empty());
            }
        }
        // The first free index was 3 (its row waited, not in service: it is
        // replaced), then 4.
        EXPECT_EQ(sim->Get(ProfileOid(2, 3)), "Late shift");
        EXPECT_EQ(sim->Get(ProfileOid(2, 4)), "Two days");
        EXPECT_EQ(ProfileRows(ProfileList(d))[3], "Two days||2012/05/10|2012/05/11|22:00|06:00");
    });
}

TEST_F(TimeProfileDialogTest, AddTakesTheLowestFreeIndexAndEightAreFull)
{
    StartProfileSwitch();
    for (int index : {4, 5, 6, 7, 8})
        ASSERT_EQ(sim->Set(ProfileOid(21, index), SnmpValueInteger, "4"), 0);
    ASSERT_EQ(sim->Set(ProfileOid(21, 3), SnmpValueInteger, "6"), 0);
    BoxRecorder boxes;
    CTimeProfileInfo dialog;
    RunModal<CTimeProfileInfo>(dialog, [&](CTimeProfileInfo& d) {
        ASSERT_TRUE(WaitForProfiles(d, 7));
        FillProfile(d, {"Third"});
        ClickButton(d, IDC_TP_ADD);
        ASSERT_TRUE(WaitForProfiles(d, 8));
        EXPECT_EQ(sim->Get(ProfileOid(2, 3)), "Third");
        FillProfile(d, {"Ninth"});
        ClickButton(d, IDC_TP_ADD);
        // Delete: the selected profile goes.
        ClickRow(ProfileList(d), 2);
        ClickButton(d, IDC_TP_DELETE);
        ASSERT_TRUE(WaitForProfiles(d, 7));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The Max entry is 8."});
    EXPECT_FALSE(sim->Has(ProfileOid(2, 3)));
}

} // namespace power_saving_test
