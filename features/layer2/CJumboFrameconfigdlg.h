// "Jumbo Frame Configuration": jumbo frame support of the switch on or off.
//
// Opened by the main window's command ID_JUMBO_FRAME (32817), which models of
// the fast-ethernet line do not offer. The state is read with one synchronous
// GET when the dialog opens; a read that fails is said. "&Apply" (and Enter)
// writes the box's state and closes the dialog. Nothing is written until a
// read has given "1" or "2" (the unticked box would otherwise write "2" over
// the switch's state); the result is shown only once the switch has answered
// the write, and a refused or unanswered write is said. The close box and
// Escape end the dialog without writing.
//
// Object: korvelEnterprise.10.76.19.1.1.12.0, 1 enabled, 2 disabled.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

class CJumboFrameconfigdlg : public CDialog
{
public:
    explicit CJumboFrameconfigdlg(CWnd* pParent = nullptr);
    ~CJumboFrameconfigdlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApply();

    DECLARE_MESSAGE_MAP()

private:
    // Reads the state into the box; a failed read leaves the box as it is
    // and is said once per user action.
    void GetJumboState();
    // Writes the box's state and says how the switch took it.
    void SetJumboState();

    CButton m_checkJumbo;
    CCommonSNMP m_cCommonSNMP;
    CReadReport m_readReport;
    bool m_bStateRead = false; // a read has given "1" or "2"
};
