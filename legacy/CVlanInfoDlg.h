// "VLAN Configuration": the VLAN capabilities of the older branch
// (korvelEnterprise.10.94.89.89.48), read with one GET when the dialog opens
// and on Refresh, SNMPv1 only. OK writes SendUnknownToAllPorts back as its
// box shows it, once a read has filled the box.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <string>

class CVlanInfoDlg : public CLegacyFrame
{
public:
    explicit CVlanInfoDlg(CWnd* pParent = nullptr);

    // "Yes" for "1", "No" for anything else.
    static std::string YesNoWord(const std::string& value);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;
    void OnRefreshInfo();
    void OnApply();
    void OnClose();
    void WriteVlanInfo();

    DECLARE_MESSAGE_MAP()

private:
    bool m_bRead = false; // a read has filled the controls
};
