// Sorting by a clicked heading: numbers, texts and dates both ways, with the
// rows' data, colours and selection travelling along.
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace report_test {

namespace {

using Message = ReportDemoDialog::Message;

struct SortFixture : ReportFixture
{
    SortFixture()
    {
        d.m_list.SetColumns("Count,80;Name,80;Time,150;Id,40");
        const char* rows[][4] = {
            {"100", "port", "1/2/2020", "A"},
            {"9", "Zeta", "12/31/2019", "B"},
            {"-5", "", "2020-01-01 08:30", "C"},
            {"10", "alpha", "7:45", "D"},
            {"1.5", "Alpha", "2019-06-15", "E"},
            {"-12", "port 9", "12/31/2019 11:59 PM", "F"},
            {"2.5%", "zeta", "2020-01-01 8:29:59", "G"},
        };
        for (const auto& row : rows) {
            const int r = d.m_list.InsertItemTexts(d.m_list.GetItemCount(), {row[0], row[1], row[2], row[3]});
            d.m_list.SetItemData(r, static_cast<DWORD_PTR>(row[3][0]));
        }
        d.m_list.SetItemTextColor(3, -1, RGB(200, 0, 0), FALSE); // row D
        d.m_list.SetItemStates(2, RC_ITEM_SELECTED);             // row C
        d.messages.clear();
    }

    // The ids from the top row down.
    std::string Ids()
    {
        std::string ids;
        for (int r = 0; r < d.m_list.GetItemCount(); ++r)
            ids += d.m_list.GetItemText(r, 3);
        return ids;
    }

    // Every row kept its user data, colour and selection.
    void ExpectRowsIntact()
    {
        for (int r = 0; r < d.m_list.GetItemCount(); ++r) {
            const char id = d.m_list.GetItemText(r, 3)[0];
            SCOPED_TRACE(std::string("row ") + id);
            EXPECT_EQ(d.m_list.GetItemData(r), static_cast<DWORD_PTR>(id));
            EXPECT_EQ(d.m_list.GetItemTextColor(r, 1), id == 'D' ? RGB(200, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
            EXPECT_EQ(d.m_list.TestItemStates(r, RC_ITEM_SELECTED), id == 'C');
        }
    }
};

} // namespace

TEST(ReportSort, HeadingClicksSortNumbersTextsAndDatesBothWays)
{
    SortFixture f;
    struct Case
    {
        int column;
        std::string ascending;
    };
    const Case cases[] = {
        {0, "FCEGBDA"}, // -12, -5, 1.5, 2.5%, 9, 10, 100
        {1, "CEBDAFG"}, // "", Alpha, Zeta, alpha, port, port 9, zeta
        {2, "DEBFGCA"}, // a time alone first, then by date and time
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        f.d.messages.clear();
        f.ClickHeading(c.column);
        EXPECT_EQ(f.Ids(), c.ascending);
        EXPECT_EQ(f.d.m_list.GetSortColumn(), c.column);
        EXPECT_TRUE(f.d.m_list.IsSortAscending());
        f.ExpectRowsIntact();

        f.ClickHeading(c.column);
        std::string descending = c.ascending;
        std::reverse(descending.begin(), descending.end());
        EXPECT_EQ(f.Ids(), descending);
        EXPECT_FALSE(f.d.m_list.IsSortAscending());
        f.ExpectRowsIntact();

        const std::vector<Message> sorted = {{WM_REPORT_SORTED, static_cast<WPARAM>(c.column), TRUE},
                                             {WM_REPORT_SORTED, static_cast<WPARAM>(c.column), FALSE}};
        EXPECT_EQ(f.d.messages, sorted);
    }
}

TEST(ReportSort, ChangedRowsMakeTheNextClickAscendAgain)
{
    SortFixture f;
    f.ClickHeading(0);
    f.ClickHeading(0);
    ASSERT_FALSE(f.d.m_list.IsSortAscending());
    f.d.m_list.InsertItemTexts(0, {"0", "new", "", "H"});
    EXPECT_EQ(f.d.m_list.GetSortColumn(), -1);
    f.ClickHeading(0);
    EXPECT_TRUE(f.d.m_list.IsSortAscending());
    EXPECT_EQ(f.Ids(), "FCHEGBDA");

    // Writing a cell through the control forgets the order too.
    f.d.m_list.SetItemInt(0, 0, 1000);
    EXPECT_EQ(f.d.m_list.GetSortColumn(), -1);

    // A list whose headings are no buttons does not sort.
    f.d.m_list.SetSortable(FALSE);
    EXPECT_FALSE(f.d.m_list.IsSortable());
    f.d.messages.clear();
    f.d.m_list.SortByColumn(1, TRUE);
    EXPECT_EQ(f.Ids(), "FCHEGBDA");
    EXPECT_TRUE(f.d.messages.empty());
}

TEST(ReportSort, SeparatorRowsStayAndSplitTheListIntoGroups)
{
    ReportFixture f;
    f.d.Fill({{"3"}, {"1"}, {"--"}, {"2"}, {"0"}, {"--"}, {"7"}});
    f.d.m_list.SetSeparatorText("--");
    f.d.m_list.SortByColumn(0, FALSE);
    EXPECT_EQ(f.Column(0), "3 1 -- 2 0 -- 7");
    f.d.m_list.SortByColumn(0, TRUE);
    EXPECT_EQ(f.Column(0), "1 3 -- 0 2 -- 7");
    EXPECT_STREQ(f.d.m_list.GetSeparatorText(), "--");
    f.d.m_list.SetSeparatorText(nullptr);
    EXPECT_EQ(f.d.m_list.GetSeparatorText(), nullptr);
}

} // namespace report_test
