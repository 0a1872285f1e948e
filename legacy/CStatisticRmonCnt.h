// "RMON 1 Parameter Information": one counter of the etherStatsTable, chosen
// from a list, for 24 rows of the statistics table at a time (a group), read
// again every 2 seconds; Prev Group and Next Group page through the rows.
// SNMPv1 only. Opened by CStatisticRmon1's Parameter button.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "legacy/LegacyCounterSlots.h"

#include <array>

class CStatisticRmon1;

class CStatisticRmonCnt : public CLegacyFrame
{
public:
    static constexpr int kSlots = 24;
    static constexpr UINT_PTR kTimerId = 1020;
    static constexpr UINT WM_COUNTER_REPLY = WM_APP + 0x0A11;

    explicit CStatisticRmonCnt(CStatisticRmon1* pOwner);

    // The etherStatsTable column of the counter list's position, 0 when none.
    static int CounterColumn(int position);

    BOOL DestroyWindow() override;

    CStatisticRmon1* m_pOwner;
    int m_nGroup = 1;      // counted from 1
    int m_nGroupCount = 0; // set by the opener
    int m_nParameter = 0;  // the counter list's position
    std::array<int, kSlots> m_nSendResult{};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void RefreshCounters();
    void RelabelItems();
    void HideSurplusItems();
    void EnableAllItems();
    void OnNextGroup();
    void OnPrevGroup();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnCounterReply(WPARAM wParam, LPARAM lParam);
    // The owner's index text at the position, empty when there is none.
    std::string IndexAt(int position) const;

    DECLARE_MESSAGE_MAP()

private:
    LegacyCounterSlots m_slots{kSlots};
};
