// "Storm Control": the global storm control state, the kind of traffic it
// limits and its threshold, entered as N units of 64 Kbps.
//
// Opened by the main window's command ID_STORM_CONTROL (32853); not topmost.
// The logic (m_Logic) reads synchronously and reports the record, which the
// dialog keeps as the old values of its next write; a write is followed by a
// read. Apply is refused while the last read failed: the controls would show
// no switch values then.
#pragma once

#include "common/CReadReport.h"

#include "features/security/CStormControlLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CStormControlDlg : public CDialog
{
public:
    explicit CStormControlDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnEnableClicked();
    void OnChangeN();

    DECLARE_MESSAGE_MAP()

private:
    void EnableValues();

    CButton m_chkEnable;
    CComboBox m_comboType;
    CEdit m_editUnit;
    CEdit m_editN;
    CEdit m_editThreshold;
    STORM_control_info m_OldValues;
    bool m_bRead = false;
    CReadReport m_readReport;
    CStormControlLogic m_Logic;
};
