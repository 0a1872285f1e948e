#include "legacy/CResourceInfo.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

BEGIN_MESSAGE_MAP(CResourceInfo, CLegacyFrame)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CResourceInfo::CResourceInfo(CWnd* pParent) : CLegacyFrame(IDD_RESOURCE_INFO, pParent)
{
    m_nListId = IDC_RESOURCE_CPU_LIST;
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_bReadOnInit = false;
    m_headings = {" 1 Sec Utilization(%) ", " 1 Min Utilization(%) ", " 5 Min Utilization(%) "};
}

void CResourceInfo::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESOURCE_MIB_TREE_LIST, m_listMibTree);
}

BOOL CResourceInfo::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    const char* const headings[] = {" Son               ", "     SonObjectId         ", "   GrandFather           "};
    for (int i = 0; i < 3; ++i)
        m_listMibTree.InsertAutoWidthColumn(headings[i], i, -1, 0xF, LVCFMT_LEFT);
    m_listMibTree.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    ReadCpuUtilization();
    SetTimer(kCpuTimer, kCpuPeriodMs);
    return TRUE;
}

void CResourceInfo::OnRefresh()
{
    ReadCpuUtilization();
}

void CResourceInfo::OnTimer(UINT_PTR nIDEvent)
{
    ReadCpuUtilization();
    CLegacyFrame::OnTimer(nIDEvent);
}

void CResourceInfo::OnCancel()
{
    KillTimer(kCpuTimer);
    CLegacyFrame::OnCancel();
}

void CResourceInfo::ReadCpuUtilization()
{
    if (ScalarReadPending())
        return;
    m_list.DeleteAllItems();
    ReadScalars(0, {KorvelOid("10.94.89.89.1.7.0"), KorvelOid("10.94.89.89.1.8.0"), KorvelOid("10.94.89.89.1.9.0")});
}

void CResourceInfo::OnScalarsRead(int, CSnmp& reply, bool stopAtHole)
{
    const int row = m_list.GetItemCount();
    for (int i = 0; i < 3 && i < reply.getVarBindCount(); ++i) {
        if (stopAtHole && !HasValueText(reply, i))
            return;
        m_list.SetOrInsertItemText(row, i, ValueText(reply, i).c_str());
    }
}
