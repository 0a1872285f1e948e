// Combo boxes and list boxes: items from the template, sorted and unsorted
// insertion, searches, selection, item data, and which changes notify.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QComboBox>

namespace ui_test {

namespace {

std::vector<std::string> Items(CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        std::string text;
        combo.GetLBText(i, text);
        items.push_back(text);
    }
    return items;
}

} // namespace

TEST(ComboBox, TemplateItemsSelectionAndNotifications)
{
    EnsureApplication();
    TestDialog d;
    ASSERT_TRUE(d.Create(IDD_UI_TEST));
    CComboBox& mode = d.m_comboMode;
    EXPECT_EQ(Items(mode), (std::vector<std::string>{"LACP", "Static", "Disable"}));
    EXPECT_EQ(mode.GetCurSel(), CB_ERR);
    EXPECT_EQ(mode.GetWindowText(), "");

    EXPECT_EQ(mode.SetCurSel(1), 1);
    EXPECT_EQ(mode.GetWindowText(), "Static");
    EXPECT_EQ(mode.SetCurSel(5), CB_ERR);
    EXPECT_EQ(mode.GetCurSel(), CB_ERR);
    EXPECT_EQ(d.modeChanges, 0); // the program's own selections send nothing

    // The user's choice reaches the dialog.
    SendKey(mode.GetWidget(), Qt::Key_Down);
    EXPECT_EQ(d.modeChanges, 1);
    EXPECT_EQ(mode.GetCurSel(), 0);
    d.DestroyWindow();
}

TEST(ComboBox, InsertionSearchAndItemData)
{
    EnsureApplication();
    TestDialog d;
    ASSERT_TRUE(d.Create(IDD_UI_TEST));
    auto& sorted = *static_cast<CComboBox*>(d.GetDlgItem(IDC_TEST_SPEED)); // CBS_DROPDOWN | CBS_SORT
    CComboBox& plain = d.m_comboMode;                                      // unsorted drop-down list
    plain.ResetContent();
    EXPECT_EQ(plain.GetCount(), 0);

    for (const char* s : {"Auto", "10M-Half", "100M-Full", "1000M-Full", "auto"})
        sorted.AddString(s);
    EXPECT_EQ(Items(sorted), (std::vector<std::string>{"1000M-Full", "100M-Full", "10M-Half", "Auto", "auto"}));
    EXPECT_EQ(sorted.InsertString(0, "zz"), 0); // InsertString never sorts
    EXPECT_EQ(sorted.InsertString(9, "x"), CB_ERR);
    EXPECT_EQ(sorted.InsertString(-1, "last"), 6);
    sorted.SetWindowText("typed");
    EXPECT_EQ(sorted.GetCurSel(), CB_ERR);
    EXPECT_EQ(sorted.GetWindowText(), "typed"); // adding items leaves the typed text alone

    struct Find
    {
        int start;
        const char* text;
        bool exact;
        int found;
    };
    const Find finds[] = {
        {-1, "10", false, 1},   // "1000M-Full", after "zz" at 0
        {1, "10", false, 2},    // searching after row 1
        {3, "10", false, 1},    // wraps round to the top
        {-1, "AUTO", false, 4}, // case does not count
        {4, "auto", true, 5},   // exact, after row 4
        {-1, "100M", true, CB_ERR}, {-1, "nothing", false, CB_ERR},
    };
    for (const Find& f : finds) {
        const int found = f.exact ? sorted.FindStringExact(f.start, f.text) : sorted.FindString(f.start, f.text);
        EXPECT_EQ(found, f.found) << f.text << " after " << f.start;
    }
    EXPECT_EQ(sorted.SelectString(-1, "10M"), 3);
    EXPECT_EQ(sorted.GetWindowText(), "10M-Half");
    EXPECT_EQ(sorted.SelectString(-1, "none"), CB_ERR);
    EXPECT_EQ(sorted.GetCurSel(), 3);

    EXPECT_EQ(sorted.SetItemData(3, 0xBEEF), 0);
    EXPECT_EQ(sorted.GetItemData(3), 0xBEEFU);
    EXPECT_EQ(sorted.GetItemData(2), 0U);
    EXPECT_EQ(sorted.SetItemData(99, 1), CB_ERR);
    EXPECT_EQ(sorted.DeleteString(3), 6); // items left
    EXPECT_EQ(sorted.GetCurSel(), CB_ERR);
    EXPECT_EQ(sorted.DeleteString(6), CB_ERR);
    std::string text;
    sorted.GetLBText(3, text);
    EXPECT_EQ(text, "Auto");
    EXPECT_EQ(sorted.GetLBTextLen(3), 4);
    EXPECT_EQ(sorted.GetLBTextLen(30), CB_ERR);
    EXPECT_TRUE(sorted.LimitText(3));
    sorted.SetWindowText("abcdef");
    EXPECT_EQ(sorted.GetWindowText(), "abc");
    EXPECT_FALSE(plain.LimitText(3)); // a drop-down list has no field
    d.DestroyWindow();
}

TEST(ListBox, SortedItemsSearchAndSelection)
{
    EnsureApplication();
    TestDialog d;
    ASSERT_TRUE(d.Create(IDD_UI_TEST));
    auto& list = *static_cast<CListBox*>(d.GetDlgItem(IDC_TEST_LOG));
    for (const char* s : {"walk ended", "row 2", "row 1"})
        list.AddString(s);
    EXPECT_EQ(list.GetCount(), 3);
    std::string text;
    list.GetText(0, text);
    EXPECT_EQ(text, "walk ended"); // not sorted: no LBS_SORT
    EXPECT_EQ(list.InsertString(1, "inserted"), 1);
    EXPECT_EQ(list.FindString(-1, "ROW"), 2);
    EXPECT_EQ(list.FindStringExact(-1, "row 1"), 3);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "walk"), 0);
    EXPECT_EQ(list.GetCurSel(), 0);
    list.SetItemData(2, 77);
    EXPECT_EQ(list.GetItemData(2), 77U);
    EXPECT_EQ(list.DeleteString(0), 3);
    EXPECT_EQ(list.GetTextLen(0), 8);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
    d.DestroyWindow();
}

} // namespace ui_test
