// "802.1X Port Settings": the 802.1X authenticator parameters of every port,
// and one set of parameters written to a range of ports.
//
// Opened by the main window's "802.1X  Settings " (command 32889). The list
// is the port walk of m_Logic, refilled whenever a walk of it ends; Apply and
// Refresh come back with it only while 802.1X is enabled on the switch. Apply
// refuses a range that splits an aggregated link, a range of every port in
// AUTO or Force UnAuthorized, and a typed option that is none of its combo's
// items, and a parameter outside the range its label states; it writes
// capability, port control and the other eight values with three SETs per
// port (ports of an aggregated link inside the range are left as they are,
// and named), stops at the first SET the switch refuses or leaves
// unanswered and says so, and reloads. A read the user started that fails
// is said once; the list keeps its last complete read.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "features/security/C8021XSettingLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class C8021XPortSettings : public CDialog
{
public:
    explicit C8021XPortSettings(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void InitControls();
    void StartRead();
    void FillPortList();
    void OnRefresh();
    void Reload();
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    void OnCapabilityChange();

    DECLARE_MESSAGE_MAP()

private:
    void GetPortRange(int& nFrom, int& nTo);
    BOOL CheckPortRange();
    // FALSE, after a message, when a parameter is no number of the range its
    // label states.
    BOOL CheckParameterRanges();
    // FALSE, after a message, when an option combo holds typed text that is
    // none of its items.
    BOOL CheckOptionTexts();
    // Writes the range; false when the switch did not answer (said).
    bool SetPortRange();
    void EnableButtons(BOOL bEnable);

    C8021XSettingLogic m_Logic;
    CModuleBase m_Module;
    CCommonSNMP m_cSnmpSet;
    CReadReport m_readReport;
    bool m_bListRead = false; // a port walk has read the whole table
    std::vector<int> m_pPortFlags;

    CComboBox m_comboFromPort;
    CComboBox m_comboToPort;
    CEdit m_editQuietPeriod;
    CEdit m_editSuppTimeout;
    CEdit m_editServerTimeout;
    CEdit m_editMaxReq;
    CEdit m_editTxPeriod;
    CEdit m_editReAuthPeriod;
    CComboBox m_comboReAuth;
    CComboBox m_comboCapability;
    CComboBox m_comboPortControl;
    CComboBox m_comboDirection;
    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_listPorts;
};
