// "802.1X Config Information": the switch's 802.1X state, the RADIUS server
// address and key, and the authenticator timers and counters. "&PortSet"
// hands the timer texts to the 802.1X port configuration dialog.
//
// No command opens it. One asynchronous GET reads everything; its reply is
// carried to the window and shown there. A value outside its set or range, or
// of another type, is shown unknown. Apply is refused with a message until a
// read has brought every value whole (a failed read refuses it again), and
// when enabling checks the address, the key, its confirmation and the six
// timers before it sends anything. The writes of one Apply stop at the first
// the switch refuses or leaves unanswered, which is said; the settings are
// read again once the writes are over, never between them.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"

#include <array>
#include <string>

class CSnmp;
class CWriteReport;

class C8021Config : public CDialog
{
public:
    explicit C8021Config(CWnd* pParent = nullptr);
    ~C8021Config() override;

    BOOL DestroyWindow() override;

    // Whether the last read brought every value whole: Apply may write.
    bool SettingsRead() const { return m_bRead; }

    // The objects, under korvelEnterprise.10.76.19.1.11, in the read's order.
    static const std::array<std::string, 10> kObjects;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnEnableClicked();
    void OnPortSet();
    void OnKeyChange();
    void OnConfirmKeyChange();
    LRESULT OnRead(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    static int On8021XReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    struct ReadValues;

    void Refresh8021X();
    void ShowRead(const ReadValues& values);
    void ReadAfterApply(const CWriteReport& report);
    void EnableSettings(BOOL bEnable);
    std::string AddressText() const;
    static void CutKey(CEdit& edit);
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMParg;
    bool m_bRead = false; // the last read brought every value whole: Apply may write
    bool m_bShown = false; // the controls show an earlier complete read
    CReadReport m_readReport;

    CButton m_checkEnable;
    CButton m_btnRefresh;
    CButton m_btnApply;
    CListCtrlEx m_list;
    CIPAddressCtrl m_ipServer;
    CEdit m_editKey;
    CEdit m_editConfirmKey;
    CEdit m_editTxPeriod;
    CEdit m_editQuietPeriod;
    CEdit m_editSuppTimeout;
    CEdit m_editServerTimeout;
    CEdit m_editMaxReq;
    CEdit m_editReAuthPeriod;
    CComboBox m_comboReAuth;
    int m_nTxPeriod = 1;
    int m_nQuietPeriod = 0;
    int m_nSuppTimeout = 1;
    int m_nServerTimeout = 1;
    int m_nMaxReq = 1;
    int m_nReAuthPeriod = 1;
};
