// The About box: the model's module name and the firmware, module and
// hardware versions.
#pragma once

#include "platform/ui/CDialog.h"

class CAboutDlg : public CDialog
{
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Caption "<model> Module", text "<model> Management Module".
    BOOL OnInitDialog() override;
};
