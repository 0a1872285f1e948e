// "IGMP Router Ports Settings": the dialog's template with no behaviour of
// its own; it ends with Escape or the window's close box.
#pragma once

#include "platform/ui/CDialog.h"

class CIGMPRouterPortsSettings : public CDialog
{
public:
    explicit CIGMPRouterPortsSettings(CWnd* pParent = nullptr);
    ~CIGMPRouterPortsSettings() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
