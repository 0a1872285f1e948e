// "Bridge Config": the bridge's spanning tree from the standard bridge MIB
// with the switch's RSTP state and version; RSTP on or off, the version, the
// bridge priority and the three bridge times (hundredths of a second) are
// written by Apply, which the Enter key runs too (the dialog stays open).
//
// No command opens it. One asynchronous GET reads everything; its reply is
// carried to the window and shown there. Apply is off while a read runs and
// refused until one has arrived; the times are checked before anything is sent.
#pragma once

#include "common/CCommonSNMP.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <string>

class CSnmp;

class CSpanTreeBridgeParam : public CDialog
{
public:
    explicit CSpanTreeBridgeParam(CWnd* pParent = nullptr);
    ~CSpanTreeBridgeParam() override;

    BOOL DestroyWindow() override;

    // The switch's own objects: RSTP state (1 enabled, 2 disabled) and STP
    // version (2 RSTP, 0 STP compatible).
    static const std::string kRstpState;
    static const std::string kStpVersion;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPortSetting();
    void OnRefresh();
    void OnRstpClicked();
    LRESULT OnBridgeRead(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    static int OnBridgeReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    struct BridgeValues;

    void RefreshBridge();
    void EnableSettings(BOOL bEnable);

    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMPSet0;
    std::string m_strRstpState;
    bool m_bRead = false; // a read has arrived: Apply may write

    CEdit m_editHelloTime;
    CEdit m_editForwardDelay;
    CEdit m_editMaxAge;
    CEdit m_editPriority;
    CStatic m_staticForwardDelay;
    CStatic m_staticRoot;
    CStatic m_staticRootPort;
    CStatic m_staticHoldTime;
    CStatic m_staticHelloTime;
    CStatic m_staticTopoChanges;
    CStatic m_staticTopoTime;
    CButton m_checkRstp;
    int m_nMaxAge = 600;
    int m_nForwardDelay = 400;
    int m_nHelloTime = 100;
    int m_nPriority = 0;
    CComboBox m_comboPriority;
    CComboBox m_comboVersion;
};
