// "Trunk Information": the link aggregation capabilities of the older branch
// (korvelEnterprise.10.94.89.89.65), read with one GET when the dialog opens
// and on Refresh, SNMPv1 only. Nothing is written: the boxes only show.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <string>

class CTrunkInfoDlg : public CLegacyFrame
{
public:
    explicit CTrunkInfoDlg(CWnd* pParent = nullptr);

    // The text of trunk creation support: "notSupported" for "0".
    static std::string CreationSupportWord(const std::string& value);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;

    bool m_bRead = false; // a read has filled the boxes
    void OnRefreshInfo();
    void OnApply();
    void OnClose();

    DECLARE_MESSAGE_MAP()
};
