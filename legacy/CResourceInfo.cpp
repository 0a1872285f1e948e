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
    // The frame's walk fills the MIB tree list.
    m_pWalkList = &m_listMibTree;
    m_strListWhat = "the MIB tree";
    for (int column = 3; column <= 5; ++column)
        m_columnOids.push_back(KorvelOid("10.94.89.89.35.2.10.1.1." + std::to_string(column)));
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
    m_bUserRead = true;
    ReadCpuUtilization();
    SetTimer(kCpuTimer, kCpuPeriodMs);
    return TRUE;
}

void CResourceInfo::OnRefresh()
{
    m_readReport.Begin();
    m_bUserRead = true;
    ReadCpuUtilization();
}

void CResourceInfo::RefreshMibTree()
{
    m_readReport.Begin();
    RefreshTable();
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
    if (ReadScalars(0, {KorvelOid("10.94.89.89.1.7.0"), KorvelOid("10.94.89.89.1.8.0"),
                        KorvelOid("10.94.89.89.1.9.0")}))
        return;
    // Nothing was sent: another version reads nothing; under SNMPv1 or
    // SNMPv3 (a level the protocols cannot give) the read has failed.
    if (m_nSnmpVersion == 1 || m_nSnmpVersion == 3)
        OnScalarsFailed(0);
    m_bUserRead = false;
}

void CResourceInfo::OnScalarsRead(int, CSnmp& reply, bool)
{
    for (int i = 0; i < 3; ++i)
        if (!HasValueText(reply, i)) {
            OnScalarsFailed(0);
            return;
        }
    m_bUserRead = false;
    // One whole row replaces the last.
    m_list.DeleteAllItems();
    for (int i = 0; i < 3; ++i)
        m_list.SetOrInsertItemText(0, i, ValueText(reply, i).c_str());
}

void CResourceInfo::OnScalarsFailed(int)
{
    // The timer's reads stay quiet; the row shown stays.
    if (m_bUserRead)
        m_readReport.Fail("the CPU utilization", m_list.GetItemCount() > 0);
    m_bUserRead = false;
}
