// "DHCP Information": the DHCP MIB version and whether the switch has a DHCP
// relay and a DHCP server (korvelEnterprise.10.94.89.89.38.14.0, .26.0 and
// .31.0), read over SNMPv1 with the frame's one-shot read; under another
// version the fields stay empty. A failed read changes nothing. OK (Enter,
// or the hidden Apply) writes nothing and keeps the dialog open.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <string>

class CDHCPInfoDlg : public CLegacyFrame
{
public:
    explicit CDHCPInfoDlg(CWnd* pParent = nullptr);

    void RefreshTable() override;

protected:
    void OnOK() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;
    void OnClose();
    void OnApply();

    DECLARE_MESSAGE_MAP()

private:
    std::string m_strRelayExists;
    std::string m_strMibVersion;
    std::string m_strServerExists;
    std::string m_strHidden;
};
