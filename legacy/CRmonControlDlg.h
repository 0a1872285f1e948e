// "RMON Control": six RMON control scalars of the older branch
// (korvelEnterprise.10.94.89.89.49), read with one GET when the dialog opens
// and on Refresh; Apply writes the four quotas and maxima in one SET.
// SNMPv1 only. Apply writes nothing before a read has filled the fields, and
// refuses a field that is not a decimal number.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <string>

class CRmonControlDlg : public CLegacyFrame
{
public:
    explicit CRmonControlDlg(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;
    void OnRefresh() override;
    void ReadSettings();
    void WriteSettings();
    void OnApply();
    void OnClose();

    std::string m_strQuotaBucket;      // edit 1312
    std::string m_strRmonQuotaBucket;  // edit 1310
    std::string m_strMaxGlobalBuckets; // edit 1313
    std::string m_strMaxEntries;       // edit 1314

    DECLARE_MESSAGE_MAP()

private:
    bool m_bRead = false; // a read has filled the fields
};
