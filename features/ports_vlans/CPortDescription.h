// "Port Description": the description of every port of the switch; one text
// is written to a range of ports at a time.
//
// Opened by the main window's command ID_PORT_DESCRIPTION (32871). Reading and
// writing are the work of m_PortConfigLogic, whose description walk reports
// its end to this window (WalkMessages.h).
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/ports_vlans/CPortConfigLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CPortDescription : public CDialog
{
public:
    explicit CPortDescription(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void Refresh();
    void OnApply();
    void OnFromPortChange();
    void OnToPortChange();
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()

private:
    void SetColumnWidths();
    void FillDescriptionList();
    void EnableButtons(BOOL bEnable);

    CButton m_btnClose;
    CButton m_btnApply;
    CButton m_btnRefresh;
    CListCtrlEx m_list;
    CEdit m_editDescription;
    std::string m_strDescription;
    CComboBox m_comboFromPort;
    CComboBox m_comboToPort;
    CReadReport m_readReport;
    bool m_bListRead = false; // a description walk has completed
    CPortConfigLogic m_PortConfigLogic;
};
