// "Bandwidth Control": the receive and transmit rate limits of every port,
// and one rate written as Rx, Tx or both limits to a range of ports.
//
// Opened by the main window's command ID_BANDWIDTH_CONTROL (32850). The SNMP
// work is m_Logic's: the rate walk (the list takes its rows whole at its end)
// and, once when the dialog opens, the trunk walk. Apply and Refresh come
// back when every walk of a refresh has ended. A range holding a member of a
// link aggregation group is refused whole.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "features/layer2/CBandWidthControlFunLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CBandWidthControlDlg : public CDialog
{
public:
    explicit CBandWidthControlDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrunkWalkEnd(WPARAM wParam, LPARAM lParam);
    void OnNoLimitChange();
    void OnFromPortChange();
    void OnToPortChange();
    void OnApply();
    void OnRefresh();

    DECLARE_MESSAGE_MAP()

private:
    // One walk has ended; the last of those running gives the buttons back.
    void OnWalkEnded();
    // Reads the rate table again (Refresh, and after Apply).
    void StartRefresh();
    std::string SelectedText(const CComboBox& combo) const;

    CComboBox m_comboFromPort;
    CComboBox m_comboToPort;
    CComboBox m_comboType;
    CComboBox m_comboNoLimit;
    CEdit m_editRate;
    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_listRates;
    int m_nRunningWalks = 0;
    CBandWidthControlFunLogic m_Logic;
    CReadReport m_readReport;
    bool m_bRatesRead = false;     // the list shows a complete table
    bool m_bRowsThisWalk = false;  // the running walk has read its table
    CWriteReport* m_pApplyReport = nullptr; // while Apply writes
};
