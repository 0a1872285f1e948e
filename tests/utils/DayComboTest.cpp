// The day list follows the month and year shown in two other windows.
#include "common/CUtils.h"
#include "platform/ui/WindowLayer.h"
#include "resources/test.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace utils_test {

TEST(DayCombo, HoldsTheDaysOfTheShownMonth)
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "utils-test";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    CDialog dialog(IDD_UI_TEST);
    ASSERT_TRUE(dialog.Create(IDD_UI_TEST));
    CWnd* year = dialog.GetDlgItem(IDC_TEST_NAME);
    CWnd* month = dialog.GetDlgItem(IDC_TEST_VID);
    CComboBox days;
    ASSERT_TRUE(days.SubclassDlgItem(IDC_TEST_MODE, &dialog));

    const struct
    {
        const char* year;
        const char* month;
        int count;
    } cases[] = {{"2024", "2", 29}, {"1900", "2", 28}, {"2023", "4", 30}, {"2023", "12", 31}, {"2023", "13", 0}};
    for (const auto& c : cases) {
        year->SetWindowText(c.year);
        month->SetWindowText(c.month);
        CUtils::FillDayCombo(year, month, &days);
        EXPECT_EQ(days.GetCount(), c.count) << c.year << "-" << c.month;
        if (c.count > 0) {
            EXPECT_EQ(days.GetCurSel(), 0);
            std::string last;
            days.GetLBText(c.count - 1, last);
            EXPECT_EQ(last, std::to_string(c.count));
        }
    }
    dialog.DestroyWindow();
}

} // namespace utils_test
