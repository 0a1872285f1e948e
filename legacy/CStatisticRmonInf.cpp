#include "legacy/CStatisticRmonInf.h"

#include "legacy/CRmon1Entry.h"
#include "legacy/CStatisticRmon1.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

BEGIN_MESSAGE_MAP(CStatisticRmonInf, CLegacyFrame)
    ON_BN_CLICKED(IDC_RMON1_INTERFACE_REFRESH, RefreshCounters)
    ON_CONTROL_RANGE(CBN_SELCHANGE, 1007, 1007, OnIndexChange)
    ON_CONTROL_RANGE(CBN_SELCHANGE, 1085, 1100, OnIndexChange)
    ON_WM_TIMER()
    ON_MESSAGE(CStatisticRmonInf::WM_COUNTER_REPLY, OnCounterReply)
END_MESSAGE_MAP()

CStatisticRmonInf::CStatisticRmonInf(CStatisticRmon1* pOwner)
    : CLegacyFrame(IDD_RMON1_INTERFACE, pOwner), m_pOwner(pOwner)
{
    m_strCaption = "RMON 1 Interface Information";
    m_bReadOnInit = false;
}

void CStatisticRmonInf::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    for (int r = 0; r < kRows; ++r)
        DDX_CBIndex(pDX, kIndexListIds[static_cast<std::size_t>(r)], m_nIndexSel[static_cast<std::size_t>(r)]);
}

BOOL CStatisticRmonInf::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    m_slots.Start(GetSafeHwnd(), WM_COUNTER_REPLY);
    for (int r = 0; r < kRows; ++r) {
        auto* list = static_cast<CComboBox*>(GetDlgItem(kIndexListIds[static_cast<std::size_t>(r)]));
        if (m_pOwner)
            for (const std::string& index : m_pOwner->m_strIndexList)
                list->AddString(index);
        list->SetCurSel(m_nIndexSel[static_cast<std::size_t>(r)]);
    }
    RefreshCounters();
    SetTimer(kTimerId, 5000);
    return TRUE;
}

BOOL CStatisticRmonInf::DestroyWindow()
{
    m_slots.Stop();
    return CLegacyFrame::DestroyWindow();
}

void CStatisticRmonInf::OnCancel()
{
    KillTimer(kTimerId);
    CLegacyFrame::OnCancel();
}

void CStatisticRmonInf::OnTimer(UINT_PTR nIDEvent)
{
    RefreshCounters();
    CLegacyFrame::OnTimer(nIDEvent);
}

void CStatisticRmonInf::OnIndexChange(UINT)
{
    RefreshCounters();
}

std::string CStatisticRmonInf::RowIndexText(int row)
{
    auto* list = static_cast<CComboBox*>(GetDlgItem(kIndexListIds[static_cast<std::size_t>(row)]));
    if (row == 0)
        return list->GetWindowText();
    std::string text;
    if (list->GetCurSel() != CB_ERR)
        list->GetLBText(list->GetCurSel(), text);
    return text;
}

void CStatisticRmonInf::RefreshCounters()
{
    UpdateData(TRUE);
    for (int r = 0; r < kRows; ++r) {
        const std::string index = RowIndexText(r);
        // A row without an index number asks nothing, and shows no reply to
        // what it asked before.
        if (!CRmon1Entry::IsRowNumber(index)) {
            m_slots.Forget(r);
            continue;
        }
        if (m_nSendResult[static_cast<std::size_t>(r)] != 0 || m_nSnmpVersion != 1)
            continue;
        const std::string oid = "1.3.6.1.2.1.16.1.1.1." + std::to_string(r + 3) + "." + index;
        m_nSendResult[static_cast<std::size_t>(r)] = m_slots.Ask(r, oid, m_szDeviceIP, m_szReadCommunity);
    }
}

LRESULT CStatisticRmonInf::OnCounterReply(WPARAM, LPARAM)
{
    m_slots.TakeReplies([this](int row, CSnmp& reply) {
        if (HasValueText(reply, 0))
            SetDlgItemText(IDC_RMON1_VALUE_FIRST + row, ValueText(reply, 0));
    });
    return 0;
}
