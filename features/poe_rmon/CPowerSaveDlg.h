// "Power Saving Settings ": the link status detection switch and, for LED
// shut-off, port shut-off and system hibernation, the state, the ports and
// up to two time profiles by name; a summary of the three below.
//
// Opened by the main window's command ID_POWER_SAVING (32856). Every Apply
// is followed by a full read; the time profile names are offered once their
// walk has ended.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/poe_rmon/CPowSavSettings.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CPowerSaveDlg : public CDialog
{
public:
    explicit CPowerSaveDlg(CWnd* pParent = nullptr);
    ~CPowerSaveDlg() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApplyDetection();
    void OnApplyPowerSaving();
    LRESULT OnPowerSavingNotify(WPARAM wParam, LPARAM lParam);
    void OnTypeChange();
    void OnStateChange();
    void RefreshAll();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    static void SelectProfile(CComboBox& combo, const std::string& strName);
    std::string ProfileToWrite(const CComboBox& combo, const std::string& strRead) const;

    CListCtrlEx m_listSummary;
    CComboBox m_comboType;
    CComboBox m_comboProfile2;
    CComboBox m_comboProfile1;
    CButton m_checkLinkStatus;
    CButton m_checkCableLength;
    CEdit m_editPorts;
    CComboBox m_comboState;
    // Set once a read has filled the summary: Apply writes nothing before.
    bool m_bRead = false;
    // Set once a read gave the link status detection as on or off.
    bool m_bDetectionRead = false;
    CReadReport m_readReport;
    // Its sessions stop with it, before the controls above go.
    CPowSavSettings m_PowSavSettings;
};
