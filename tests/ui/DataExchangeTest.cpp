// Dialog data exchange, both ways, and the checks that refuse a value.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>

namespace ui_test {

TEST(DataExchange, MembersGoToTheControlsAndComeBack)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    // OnInitDialog bound the members to their controls.
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_LIST), &d.m_list);
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_MODE), &d.m_comboMode);

    d.m_strName = "uplink";
    d.m_nVid = 42;
    d.m_nEnable = 1;
    d.m_nState = 1;
    d.m_nMode = 2;
    d.m_strSpeed = "100";
    d.m_dwServer = 0x0A000005;
    auto* speed = static_cast<CComboBox*>(d.GetDlgItem(IDC_TEST_SPEED));
    speed->AddString("1000M");
    speed->AddString("100M");
    ASSERT_TRUE(d.UpdateData(FALSE));
    EXPECT_EQ(d.GetWindowText(), "Window Layer Test");
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_NAME)->GetWindowText(), "uplink");
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_VID)->GetWindowText(), "42");
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_TEST_ENABLE), 1U);
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_TEST_ON, IDC_TEST_OFF), IDC_TEST_OFF);
    EXPECT_EQ(d.m_comboMode.GetCurSel(), 2);
    EXPECT_EQ(speed->GetCurSel(), 0); // the first item that begins with "100" ("1000M" sorts first)
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_SERVER)->GetWindowText(), "10.0.0.5");
    // The name's DDV_MaxChars limits the field.
    EXPECT_EQ(static_cast<CEdit*>(d.GetDlgItem(IDC_TEST_NAME))->GetLimitText(), 20U);

    d.SetDlgItemText(IDC_TEST_NAME, "downlink");
    d.SetDlgItemText(IDC_TEST_VID, " 4094 ");
    d.CheckDlgButton(IDC_TEST_ENABLE, BST_UNCHECKED);
    static_cast<QAbstractButton*>(d.GetDlgItem(IDC_TEST_ON)->GetWidget())->click();
    d.m_comboMode.SetCurSel(0);
    speed->SetWindowText("10M");
    static_cast<CIPAddressCtrl*>(d.GetDlgItem(IDC_TEST_SERVER))->SetAddress(192, 168, 1, 10);
    ASSERT_TRUE(d.UpdateData(TRUE));
    EXPECT_EQ(d.m_strName, "downlink");
    EXPECT_EQ(d.m_nVid, 4094);
    EXPECT_EQ(d.m_nEnable, 0);
    EXPECT_EQ(d.m_nState, 0);
    EXPECT_EQ(d.m_nMode, 0);
    EXPECT_EQ(d.m_strSpeed, "10M");
    EXPECT_EQ(d.m_dwServer, 0xC0A8010AU);
}

TEST(DataExchange, AValueThatDoesNotPassIsReportedAndNothingAfterItIsTaken)
{
    struct Case
    {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_TEST_VID, "", "Please enter an integer."},
        {IDC_TEST_VID, "12a", "Please enter an integer."},
        {IDC_TEST_VID, "99999999999", "Please enter an integer."},
        {IDC_TEST_VID, "0", "Please enter an integer between 1 and 4094."},
        {IDC_TEST_VID, "4095", "Please enter an integer between 1 and 4094."},
        {IDC_TEST_NAME, "twenty-one characters", "Please enter no more than 20 characters."},
    };
    for (const Case& c : cases) {
        OpenTestDialog open;
        TestDialog& d = open.dialog;
        d.m_nVid = 7;
        d.m_nEnable = 0;
        ASSERT_TRUE(d.UpdateData(FALSE));
        auto* name = static_cast<CEdit*>(d.GetDlgItem(IDC_TEST_NAME));
        name->SetLimitText(0); // the user pasted past the limit
        d.SetDlgItemText(c.control, c.text);
        d.CheckDlgButton(IDC_TEST_ENABLE, BST_CHECKED);
        BoxRecorder boxes;
        EXPECT_FALSE(d.UpdateData(TRUE)) << c.text;
        ASSERT_EQ(boxes.Calls().size(), 1U) << c.text;
        EXPECT_EQ(boxes.Calls()[0].text, c.message);
        EXPECT_EQ(boxes.Calls()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
        // The check box comes after the refused value: it was not taken.
        EXPECT_EQ(d.m_nEnable, 0) << c.text;
        if (c.control == IDC_TEST_VID && std::string(c.message).find("between") == std::string::npos) {
            EXPECT_EQ(d.m_nVid, 7) << c.text;
        }
    }
}

TEST(DataExchange, ControlsTheTemplateLacksArePassedOver)
{
    EnsureApplication();
    TestDialog d(IDD_UI_TEST_PLAIN);
    ASSERT_TRUE(d.Create(IDD_UI_TEST_PLAIN));
    d.m_nVid = 9;
    EXPECT_TRUE(d.UpdateData(FALSE));
    d.SetDlgItemText(IDC_TEST_NAME, "x");
    EXPECT_TRUE(d.UpdateData(TRUE));
    EXPECT_EQ(d.m_strName, "x");
    EXPECT_EQ(d.m_nVid, 9);
    EXPECT_EQ(d.m_list.GetSafeHwnd(), nullptr);
    d.DestroyWindow();
}

} // namespace ui_test
