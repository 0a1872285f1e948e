// Per-port rows: one control per port with consecutive ids, in one row up to
// 28 ports and in two rows of half the ports beyond, spread between two
// bounds; check-box clicks reach the dialog by id range; indexes outside the
// ports do nothing.
#include "controls/DemoSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>

#include <string>

namespace controls_test {

namespace {

TEST(PortRows, OneOrTwoRowsOfConsecutiveIdsSpreadBetweenTheBounds)
{
    struct Case
    {
        int ports;
        int perRow;
    };
    for (const Case c : {Case{8, 8}, Case{28, 28}, Case{52, 26}}) {
        SCOPED_TRACE(testing::Message() << c.ports << " ports");
        OpenDemo open(c.ports);
        ControlsDemoDlg& d = open.dialog;
        const CRect ref = ChildRect(d, IDC_DEMO_PORT_LABEL);
        const CRect frame = ChildRect(d, IDC_DEMO_PORT_FRAME);
        const int box = ref.Height();
        const int right = frame.right - 2;

        for (const UINT first : {UINT(IDC_DEMO_PORT_FIRST), UINT(IDC_DEMO_MEMBER_FIRST)}) {
            const bool labels = first == IDC_DEMO_PORT_FIRST;
            const CRect port1 = ChildRect(d, first);
            // Labels start under the reference label, check boxes under the first label.
            EXPECT_EQ(port1.TopLeft(), labels ? CPoint(ref.left, ref.bottom)
                                              : CPoint(ref.left, ChildRect(d, IDC_DEMO_PORT_FIRST).bottom));
            const int rowGap = labels ? 10 : 12;
            const CRect lastOfRow = ChildRect(d, first + c.perRow - 1);
            EXPECT_LE(lastOfRow.right, right);
            EXPECT_GT(lastOfRow.right, right - (c.perRow - 1)) << "only the truncated remainder stays free";
            for (int i = 0; i < c.ports; ++i) {
                CWnd* control = d.GetDlgItem(first + i);
                ASSERT_NE(control, nullptr) << "port " << i + 1;
                EXPECT_EQ(control->GetWindowText(), labels ? std::to_string(i + 1) : "");
                const CRect rc = ChildRect(d, control);
                EXPECT_EQ(rc.Size(), CSize(box, box));
                const CRect above = ChildRect(d, first + i % c.perRow);
                if (i < c.perRow) {
                    EXPECT_EQ(rc.top, port1.top);
                } else {
                    // Directly under the control of the first row's same place.
                    EXPECT_EQ(rc.left, above.left);
                    EXPECT_EQ(rc.top, port1.top + box + rowGap + 2);
                }
            }
            EXPECT_EQ(d.GetDlgItem(first + c.ports), nullptr);
        }

        CRect bounds;
        d.m_pMemberChecks->GetBoundingRect(bounds);
        const CRect last = ChildRect(d, IDC_DEMO_MEMBER_FIRST + c.ports - 1);
        const CRect port1 = ChildRect(d, IDC_DEMO_MEMBER_FIRST);
        EXPECT_EQ(bounds, CRect(port1.left, port1.top, last.right, last.bottom));
    }
}

TEST(PortRows, ClicksReachTheDialogByIdRange)
{
    OpenDemo open(52);
    ControlsDemoDlg& d = open.dialog;
    for (int port : {1, 27, 52}) {
        QWidget* box = d.GetDlgItem(IDC_DEMO_MEMBER_FIRST + port - 1)->GetWidget();
        static_cast<QAbstractButton*>(box)->click();
    }
    EXPECT_EQ(d.m_clicked,
              (std::vector<UINT>{IDC_DEMO_MEMBER_FIRST, IDC_DEMO_MEMBER_FIRST + 26, IDC_DEMO_MEMBER_FIRST + 51}));
    // Port 1 was checked by the dialog, so the click cleared it; the others are now checked.
    EXPECT_EQ(d.m_pMemberChecks->GetCheck(0), BST_UNCHECKED);
    EXPECT_EQ(d.m_pMemberChecks->GetCheck(26), BST_CHECKED);
    EXPECT_EQ(d.m_pMemberChecks->GetCheck(51), BST_CHECKED);

    d.m_pMemberChecks->EnableButton(FALSE, 51);
    EXPECT_FALSE(d.GetDlgItem(IDC_DEMO_MEMBER_FIRST + 51)->IsWindowEnabled());
    d.m_pMemberChecks->SetCheck(BST_UNCHECKED, 51);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_DEMO_MEMBER_FIRST + 51), 0U);
}

TEST(PortRows, IndexesOutsideThePortsDoNothing)
{
    OpenDemo open(8);
    ControlsDemoDlg& d = open.dialog;
    CBtnEXT& checks = *d.m_pMemberChecks;
    for (int index : {-1, 8, 1000}) {
        checks.SetCheck(BST_CHECKED, index);
        checks.EnableButton(FALSE, index);
        EXPECT_EQ(checks.GetCheck(index), BST_UNCHECKED) << index;
    }
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(d.GetDlgItem(IDC_DEMO_MEMBER_FIRST + i)->IsWindowEnabled());
    // A row of labels has no buttons to act on.
    d.m_pPortLabels->SetCheck(BST_CHECKED, 0);
    EXPECT_EQ(d.m_pPortLabels->GetCheck(0), BST_UNCHECKED);
}

TEST(PortRows, SpacingAndPlacementByTheGivenBounds)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;

    // 28 boxes of 13 between 100 and 660: spacing (560 - 364) / 27 = 7; the last ends at 653.
    CBtnEXT wide(28, 13, 10);
    wide.SetParentDlg(&d);
    wide.ComputeSpacing(100, 660);
    wide.Create(BS_AUTOCHECKBOX, 8001, 40, 20, 100, 30, 0);
    EXPECT_EQ(ChildRect(d, 8001), CRect(100, 20, 113, 33)) << "right of the reference, aligned with its top";
    EXPECT_EQ(ChildRect(d, 8002).left, 120);
    EXPECT_EQ(ChildRect(d, 8028).right, 653);

    // A single port, or a single control per row, divides by nothing and stands at the start.
    CBtnEXT single(1, 13, 10);
    single.SetParentDlg(&d);
    single.ComputeSpacing(100, 660);
    single.Create(CBtnEXT::LABEL_STYLE, 8101, CRect(40, 20, 100, 30), 1);
    EXPECT_EQ(ChildRect(d, 8101), CRect(40, 30, 53, 43)) << "under the reference, from its left edge";
    EXPECT_EQ(d.GetDlgItem(8101)->GetWindowText(), "1");
    CRect bounds;
    single.GetBoundingRect(&bounds);
    EXPECT_EQ(bounds, CRect(40, 30, 53, 43));

    // No ports: nothing to create or measure.
    CBtnEXT none(0, 13, 10);
    none.SetParentDlg(&d);
    none.ComputeSpacing(100, 660);
    none.Create(BS_AUTOCHECKBOX, 8201, CRect(40, 20, 100, 30), 1);
    EXPECT_EQ(d.GetDlgItem(8201), nullptr);
    none.GetBoundingRect(&bounds);
    EXPECT_TRUE(bounds.IsRectEmpty());
    EXPECT_EQ(none.GetCheck(0), BST_UNCHECKED);
}

TEST(PortRows, TheControlsGoWithTheirObject)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    {
        CBtnEXT row(4, 13, 10);
        row.SetParentDlg(&d);
        row.Create(BS_AUTOCHECKBOX, 8301, CRect(0, 0, 10, 10), 1);
        EXPECT_NE(d.GetDlgItem(8304), nullptr);
    }
    EXPECT_EQ(d.GetDlgItem(8301), nullptr);
    EXPECT_EQ(d.GetDlgItem(8304), nullptr);
}

} // namespace

} // namespace controls_test
