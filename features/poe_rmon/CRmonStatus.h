// "RMON Global Settings ": RMON on the switch on or off.
//
// Opened by the main window's command ID_RMON_GLOBAL (32880). Reads and
// writes the global state synchronously through its CRMON; the buttons are
// disabled while a request runs; Apply waits for the first successful read.
#pragma once

#include "common/CReadReport.h"
#include "features/poe_rmon/CRMON.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

class CRmonStatus : public CDialog
{
public:
    explicit CRmonStatus(CWnd* pParent = nullptr);
    ~CRmonStatus() override;

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Reads the state and shows it; a failed read leaves the radio buttons
    // as they are. TRUE when the read succeeded.
    BOOL Refresh();
    void OnRefresh();
    void OnApply();
    void OnEnable();
    void OnDisable();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);

    CButton m_btnRefresh;
    CButton m_btnClose;
    CButton m_btnApply;
    CButton m_radioEnable;
    CButton m_radioDisable;
    CRMON m_rmon;
    BOOL m_bStateRead = FALSE; // a read has succeeded since the dialog opened
    CReadReport m_readReport;
};
