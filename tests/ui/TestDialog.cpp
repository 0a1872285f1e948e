#include "ui/TestDialog.h"

#include "ui/UiTestSupport.h"

UINT g_uTestRegisteredMsg = RegisterWindowMessage("Korvel window layer test");

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_BN_CLICKED(IDC_TEST_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_TEST_APPLY, OnApply)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TEST_PORT_BASE, IDC_TEST_PORT_BASE + 51, OnPortCheck)
    ON_EN_CHANGE(IDC_TEST_NAME, OnNameChange)
    ON_CBN_SELCHANGE(IDC_TEST_MODE, OnModeChange)
    ON_NOTIFY(NM_CLICK, IDC_TEST_LIST, OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_TEST_LIST, OnListDblClk)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TEST_LIST, OnListItemChanged)
    ON_NOTIFY(LVN_KEYDOWN, IDC_TEST_LIST, OnListKeyDown)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_TEST_RUNTIME_LIST, OnColumnClick)
    ON_MESSAGE(WM_TEST_NOTIFY, OnTestNotify)
    ON_REGISTERED_MESSAGE(g_uTestRegisteredMsg, OnRegistered)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TestDialog::TestDialog(UINT templateId, CWnd* pParent) : CDialog(templateId, pParent) {}

void TestDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEST_LIST, m_list);
    DDX_Control(pDX, IDC_TEST_MODE, m_comboMode);
    DDX_Text(pDX, IDC_TEST_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 20);
    DDX_Text(pDX, IDC_TEST_VID, m_nVid);
    DDV_MinMaxInt(pDX, m_nVid, 1, 4094);
    DDX_Check(pDX, IDC_TEST_ENABLE, m_nEnable);
    DDX_Radio(pDX, IDC_TEST_ON, m_nState);
    DDX_CBIndex(pDX, IDC_TEST_MODE, m_nMode);
    DDX_CBString(pDX, IDC_TEST_SPEED, m_strSpeed);
    DDX_IPAddress(pDX, IDC_TEST_SERVER, m_dwServer);
}

BOOL TestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (onInit)
        onInit(*this);
    return TRUE;
}

BOOL TestDialog::DestroyWindow()
{
    ++destroys;
    return CDialog::DestroyWindow();
}

LRESULT TestDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    windowProcMessages.push_back(message);
    return CDialog::WindowProc(message, wParam, lParam);
}

void TestDialog::OnRefresh()
{
    ++refreshes;
    if (onRefresh)
        onRefresh();
}

void TestDialog::OnApply()
{
    ++applies;
}

void TestDialog::OnPortCheck(UINT nID)
{
    portClicks.push_back(nID);
}

void TestDialog::OnNameChange()
{
    ++nameChanges;
}

void TestDialog::OnModeChange()
{
    ++modeChanges;
}

void TestDialog::OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    listClicks.push_back(*reinterpret_cast<NMITEMACTIVATE*>(pNMHDR));
    *pResult = 0;
}

void TestDialog::OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult)
{
    listDoubleClicks.push_back(*reinterpret_cast<NMITEMACTIVATE*>(pNMHDR));
    *pResult = 0;
}

void TestDialog::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    itemChanges.push_back(*reinterpret_cast<NMLISTVIEW*>(pNMHDR));
    *pResult = 0;
}

void TestDialog::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    keyDowns.emplace_back(reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey, m_list.GetNextItem(-1, LVNI_SELECTED));
    *pResult = 0;
}

void TestDialog::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    columnClicks.push_back(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
    *pResult = 0;
}

LRESULT TestDialog::OnTestNotify(WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(wParam) * 2 + lParam;
}

LRESULT TestDialog::OnRegistered(WPARAM wParam, LPARAM)
{
    return static_cast<LRESULT>(wParam) + 1000;
}

void TestDialog::OnTimer(UINT_PTR nIDEvent)
{
    timerTicks.push_back(nIDEvent);
    if (timerTicks.size() == 3)
        KillTimer(nIDEvent);
}

OpenTestDialog::OpenTestDialog(UINT templateId) : dialog((EnsureApplication(), templateId))
{
    dialog.Create(templateId);
    dialog.ShowWindow(SW_SHOW);
}

OpenTestDialog::~OpenTestDialog()
{
    dialog.DestroyWindow();
}
