#include "legacy/CLegacyPortRange.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "legacy/CLegacyText.h"
#include "platform/snmp/CSnmp.h"
#include "platform/ui/MessageBox.h"
#include "features/ports_vlans/WalkMessages.h"

#include <memory>

void CLegacyPortRange::FillPortBoxes(CComboBox& from, CComboBox& to)
{
    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        from.AddString(std::to_string(nPort));
        to.AddString(std::to_string(nPort));
    }
    from.SetCurSel(0);
    to.SetCurSel(g_nPortCount - 1);
}

void CLegacyPortRange::CheckToPort(CComboBox& from, CComboBox& to)
{
    if (CLegacyText::Number(to.GetWindowText()) < CLegacyText::Number(from.GetWindowText())) {
        if (AfxMessageBox("'To Port' can not be smaller than 'From Port'") == IDOK)
            to.SetCurSel(from.GetCurSel());
    }
}

int CLegacyPortRange::FirstTrunkPort(CLegacyTrunkGroups& trunks, int nFirst, int nLast)
{
    std::vector<int> groups;
    if (!trunks.WaitComplete(groups)) {
        AfxMessageBox("The aggregated links could not be read from the switch. Press Refresh and try again.");
        return -1;
    }
    for (int nPort = nFirst; nPort <= nLast; ++nPort) {
        if (nPort >= 1 && nPort <= static_cast<int>(groups.size()) && groups[nPort - 1] != 0)
            return nPort;
    }
    return 0;
}

CLegacyPortWalk::CLegacyPortWalk(CWnd& owner, CListCtrlEx& list, RowTexts texts)
    : m_owner(owner), m_list(list), m_texts(std::move(texts))
{
}

CLegacyPortWalk::~CLegacyPortWalk()
{
    m_cCommonSNMPTable.Close();
}

void CLegacyPortWalk::Start(const std::vector<std::string>& columns)
{
    m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_RowsBuilding.clear();
    }
    for (const std::string& strColumn : columns)
        m_cCommonSNMPTable.AddValue(strColumn, SnmpValueNull);
    // A walk that cannot start ends as a failed one: the owner's controls
    // come back.
    if (!m_cCommonSNMPTable.StartAsync(&CLegacyPortWalk::OnRow, this))
        ::SendMessage(m_owner.GetSafeHwnd(), WM_WALK_FAILED, 0, 0);
}

int CLegacyPortWalk::OnRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLegacyPortWalk*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        session.SignalDone();
        ::SendMessage(pThis->m_owner.GetSafeHwnd(),
                      nStatus == SnmpStatusEndOfWalk ? WM_WALK_FINISHED : WM_WALK_FAILED, 0, 0);
        return 0;
    }
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        std::vector<std::string> texts = pThis->m_texts(pResponse.get());
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_RowsBuilding[nPort] = std::move(texts);
    }
    session.StartRequest(&CLegacyPortWalk::OnRow, pThis, 0, 0);
    return 0;
}

void CLegacyPortWalk::ShowRows()
{
    {
        std::map<int, std::vector<std::string>> rows;
        {
            std::lock_guard lock(m_csRows);
            rows.swap(m_RowsBuilding);
        }
        m_list.DeleteAllItems();
        int nItem = 0;
        for (const auto& [nPort, texts] : rows) {
            for (std::size_t i = 0; i < texts.size(); ++i)
                m_list.SetOrInsertItemText(nItem, static_cast<int>(i), texts[i].c_str());
            ++nItem;
        }
    }
}
