// "RMON 1 Interface Information": 17 counters of the etherStatsTable side by
// side, each for the row chosen in its own index list (the first list also
// takes a typed index), read again every 5 seconds. SNMPv1 only. Opened by
// CStatisticRmon1's Interface button or a double click on its list.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "legacy/LegacyCounterSlots.h"

#include <array>

class CStatisticRmon1;

class CStatisticRmonInf : public CLegacyFrame
{
public:
    static constexpr int kRows = 17;
    static constexpr UINT_PTR kTimerId = 1021;
    static constexpr UINT WM_COUNTER_REPLY = WM_APP + 0x0A12;
    // The index list of each row, top to bottom.
    static constexpr std::array<int, kRows> kIndexListIds = {1007, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092,
                                                             1093, 1094, 1095, 1096, 1097, 1098, 1099, 1100};

    explicit CStatisticRmonInf(CStatisticRmon1* pOwner);

    BOOL DestroyWindow() override;

    CStatisticRmon1* m_pOwner;
    std::array<int, kRows> m_nSendResult{};
    std::array<int, kRows> m_nIndexSel{}; // each list's selected position; the opener sets them

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void RefreshCounters();
    void OnIndexChange(UINT nID);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnCounterReply(WPARAM wParam, LPARAM lParam);
    // The index text of row r (0-based): the list's selection, or for the
    // first row also a typed text.
    std::string RowIndexText(int row);

    DECLARE_MESSAGE_MAP()

private:
    LegacyCounterSlots m_slots{kRows};
};
