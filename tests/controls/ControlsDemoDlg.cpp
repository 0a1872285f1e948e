#include "controls/ControlsDemoDlg.h"

#include "platform/ui/CDataExchange.h"

const LxLayoutItem ControlsDemoDlg::s_layout[] = {
    {IDC_DEMO_TITLE, 3, 100},    {IDC_DEMO_ADDRESS, 3, 50},         {IDC_DEMO_PORT_FRAME, 3, 100},
    {IDC_DEMO_LIST, 5, 100},     {IDC_DEMO_PROGRESS_LABEL, 1, 100}, {IDC_DEMO_PROGRESS, 1, 100},
    {IDC_DEMO_PROGRESS, 3, 100}, {IDC_DEMO_APPLY, 2, 100},          {IDOK, 2, 100},
    {IDCANCEL, 2, 100},
};
const int ControlsDemoDlg::s_layoutCount = static_cast<int>(std::size(s_layout));

BEGIN_MESSAGE_MAP(ControlsDemoDlg, ClxDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_DEMO_MEMBER_FIRST, IDC_DEMO_MEMBER_FIRST + 51, OnMemberClicked)
END_MESSAGE_MAP()

void ControlsDemoDlg::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEMO_TITLE, m_title);
    DDX_Control(pDX, IDC_DEMO_ADDRESS, m_address);
    DDX_Control(pDX, IDC_DEMO_LIST, m_list);
    DDX_Control(pDX, IDC_DEMO_PROGRESS, m_progress);
}

BOOL ControlsDemoDlg::OnInitDialog()
{
    ClxDialog::OnInitDialog();

    m_title.SetTextFont("MS Sans Serif", 20, RGB(255, 255, 255),
                        CFontStatic::FS_BOLD | CFontStatic::FS_ANTIALIAS | CFontStatic::FS_CENTER);
    m_title.SetBackground(RGB(40, 70, 140));

    m_address.SetWindowText("fe80::1%eth0");

    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    const char* headings[] = {" Index    ", " IPv4/IPv6 Address          ", " Member Ports ", " State       "};
    for (int i = 0; i < static_cast<int>(std::size(headings)); ++i)
        m_list.InsertAutoWidthColumn(headings[i], i, -1, 0xF, 0);
    const char* rows[][4] = {{"1", "192.168.1.10", "1-4,9", "Enabled"}, {"2", "2001:db8::1", "5,6", "Disabled"}};
    for (const auto& row : rows)
        for (int sub = 0; sub < 4; ++sub)
            m_list.SetOrInsertItemText(sub == 0 ? m_list.GetItemCount() : m_list.GetItemCount() - 1, sub, row[sub]);

    m_progress.SetStartColor(RGB(60, 60, 200));
    m_progress.SetEndColor(RGB(60, 60, 255));
    m_progress.SetRange(0, 100);
    m_progress.SetPos(63);

    CreatePortRows();
    SetLayout(s_layout, s_layoutCount);
    return TRUE;
}

void ControlsDemoDlg::CreatePortRows()
{
    CRect rcRef;
    GetDlgItem(IDC_DEMO_PORT_LABEL)->GetWindowRect(&rcRef);
    ScreenToClient(&rcRef);
    CRect rcFrame;
    GetDlgItem(IDC_DEMO_PORT_FRAME)->GetWindowRect(&rcFrame);
    ScreenToClient(&rcFrame);
    const int box = rcRef.Height();

    m_pPortLabels = std::make_unique<CBtnEXT>(m_nPorts, box, 10);
    m_pPortLabels->SetParentDlg(this);
    m_pPortLabels->ComputeSpacing(rcRef.left, rcFrame.right - 2);
    m_pPortLabels->Create(CBtnEXT::LABEL_STYLE, IDC_DEMO_PORT_FIRST, rcRef, 1);

    CRect rcFirst;
    GetDlgItem(IDC_DEMO_PORT_FIRST)->GetWindowRect(&rcFirst);
    ScreenToClient(&rcFirst);
    m_pMemberChecks = std::make_unique<CBtnEXT>(m_nPorts, box, 12);
    m_pMemberChecks->SetParentDlg(this);
    m_pMemberChecks->ComputeSpacing(rcRef.left, rcFrame.right - 2);
    m_pMemberChecks->Create(BS_AUTOCHECKBOX, IDC_DEMO_MEMBER_FIRST, rcFirst, 1);
    for (int port : {1, 2, 3, 4, 9})
        m_pMemberChecks->SetCheck(BST_CHECKED, port - 1);
}

void ControlsDemoDlg::OnMemberClicked(UINT nID)
{
    m_clicked.push_back(nID);
}
