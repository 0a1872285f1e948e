#include "legacy/CStatisticRmonCnt.h"

#include "legacy/CStatisticRmon1.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <algorithm>

namespace {

constexpr int kCounterColumns[] = {4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19};

} // namespace

BEGIN_MESSAGE_MAP(CStatisticRmonCnt, CLegacyFrame)
    ON_BN_CLICKED(IDC_RMON1_GROUP_REFRESH, RefreshCounters)
    ON_CBN_SELCHANGE(IDC_RMON1_GROUP_COUNTER, RefreshCounters)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_RMON1_NEXT_GROUP, OnNextGroup)
    ON_BN_CLICKED(IDC_RMON1_PREV_GROUP, OnPrevGroup)
    ON_MESSAGE(CStatisticRmonCnt::WM_COUNTER_REPLY, OnCounterReply)
END_MESSAGE_MAP()

CStatisticRmonCnt::CStatisticRmonCnt(CStatisticRmon1* pOwner)
    : CLegacyFrame(IDD_RMON1_GROUP, pOwner), m_pOwner(pOwner)
{
    m_strCaption = "RMON 1 Parameter Information";
    m_bReadOnInit = false;
}

int CStatisticRmonCnt::CounterColumn(int position)
{
    if (position < 0 || position >= static_cast<int>(std::size(kCounterColumns)))
        return 0;
    return kCounterColumns[position];
}

void CStatisticRmonCnt::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_RMON1_GROUP_COUNTER, m_nParameter);
}

BOOL CStatisticRmonCnt::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    m_slots.Start(GetSafeHwnd(), WM_COUNTER_REPLY);
    if (m_nGroupCount <= 1) {
        GetDlgItem(IDC_RMON1_NEXT_GROUP)->EnableWindow(FALSE);
        GetDlgItem(IDC_RMON1_PREV_GROUP)->EnableWindow(FALSE);
    }
    RelabelItems();
    static_cast<CComboBox*>(GetDlgItem(IDC_RMON1_GROUP_COUNTER))->SetCurSel(0);
    RefreshCounters();
    SetTimer(kTimerId, 2000);
    return TRUE;
}

BOOL CStatisticRmonCnt::DestroyWindow()
{
    m_slots.Stop();
    return CLegacyFrame::DestroyWindow();
}

void CStatisticRmonCnt::OnCancel()
{
    KillTimer(kTimerId);
    CLegacyFrame::OnCancel();
}

void CStatisticRmonCnt::OnTimer(UINT_PTR nIDEvent)
{
    RefreshCounters();
    CLegacyFrame::OnTimer(nIDEvent);
}

std::string CStatisticRmonCnt::IndexAt(int position) const
{
    if (!m_pOwner || position < 0 || position >= static_cast<int>(m_pOwner->m_strIndexList.size()))
        return std::string();
    return m_pOwner->m_strIndexList[static_cast<std::size_t>(position)];
}

void CStatisticRmonCnt::RefreshCounters()
{
    auto* counters = static_cast<CComboBox*>(GetDlgItem(IDC_RMON1_GROUP_COUNTER));
    const std::string chosen = counters->GetWindowText();
    const int position = chosen.empty() ? CB_ERR : counters->FindString(-1, chosen);
    if (position == CB_ERR) {
        MessageBox("Please input parameter!");
        return;
    }
    m_nParameter = position;
    const int first = (m_nGroup - 1) * kSlots;
    const int count = m_pOwner ? m_pOwner->m_nIndexCount : 0;
    const int asked = m_nGroup == m_nGroupCount ? std::clamp(count - first, 0, kSlots) : kSlots;
    for (int k = 0; k < kSlots; ++k) {
        const std::string index = IndexAt(first + k);
        // A slot without a row asks nothing, and a reply to what it asked
        // before is not shown any more.
        if (k >= asked || index.empty()) {
            m_slots.Forget(k);
            continue;
        }
        if (m_nSendResult[static_cast<std::size_t>(k)] != 0)
            continue;
        if (m_nSnmpVersion != 1)
            continue;
        const std::string oid =
            "1.3.6.1.2.1.16.1.1.1." + std::to_string(CounterColumn(m_nParameter)) + "." + index;
        m_nSendResult[static_cast<std::size_t>(k)] = m_slots.Ask(k, oid, m_szDeviceIP, m_szReadCommunity);
    }
}

LRESULT CStatisticRmonCnt::OnCounterReply(WPARAM, LPARAM)
{
    m_slots.TakeReplies([this](int slot, CSnmp& reply) {
        if (HasValueText(reply, 0))
            SetDlgItemText(IDC_RMON1_VALUE_FIRST + slot, ValueText(reply, 0));
    });
    return 0;
}

void CStatisticRmonCnt::RelabelItems()
{
    for (int j = 1; j <= kSlots; ++j) {
        const std::string index = IndexAt((m_nGroup - 1) * kSlots + j - 1);
        SetDlgItemText(IDC_RMON1_ITEM_FIRST + j - 1, "Item " + index.substr(0, std::min<std::size_t>(3, index.size())));
    }
}

void CStatisticRmonCnt::HideSurplusItems()
{
    if (m_nGroup < m_nGroupCount)
        return;
    const int shown = (m_pOwner ? m_pOwner->m_nIndexCount : 0) - (m_nGroup - 1) * kSlots;
    for (int j = kSlots; j > shown && j >= 1; --j) {
        SetDlgItemText(IDC_RMON1_VALUE_FIRST + j - 1, "");
        GetDlgItem(IDC_RMON1_VALUE_FIRST + j - 1)->EnableWindow(FALSE);
        GetDlgItem(IDC_RMON1_ITEM_FIRST + j - 1)->EnableWindow(FALSE);
    }
}

void CStatisticRmonCnt::EnableAllItems()
{
    for (int j = 0; j < kSlots; ++j) {
        GetDlgItem(IDC_RMON1_VALUE_FIRST + j)->EnableWindow(TRUE);
        GetDlgItem(IDC_RMON1_ITEM_FIRST + j)->EnableWindow(TRUE);
    }
}

void CStatisticRmonCnt::OnNextGroup()
{
    if (++m_nGroup > m_nGroupCount) {
        EnableAllItems();
        m_nGroup = 1;
    }
    RelabelItems();
    HideSurplusItems();
    RefreshCounters();
}

void CStatisticRmonCnt::OnPrevGroup()
{
    if (--m_nGroup < 1)
        m_nGroup = m_nGroupCount;
    if (m_nGroup == m_nGroupCount - 1)
        EnableAllItems();
    RelabelItems();
    HideSurplusItems();
    RefreshCounters();
}
