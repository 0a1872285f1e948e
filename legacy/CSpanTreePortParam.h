// "Port Config": one row of the spanning tree table with the port's
// priority, path cost and enable state, written by Apply (and by OK, which
// then ends the dialog). "<= Prev Port" and "Next Port =>" move within the
// table's rows.
//
// Apply refuses a port whose settings could not be read, and judges trunk
// membership only by a trunk walk that read the whole table: it waits for a
// running walk, bounded by its time-out. A member of an aggregated link is
// never written from here.
#pragma once

#include "common/CCommonSNMP.h"
#include "legacy/CLegacyTrunkGroups.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <string>

class CSpanTree;

class CSpanTreePortParam : public CDialog
{
public:
    explicit CSpanTreePortParam(CWnd* pParent = nullptr);
    ~CSpanTreePortParam() override;

    BOOL DestroyWindow() override;

    int m_nItem = 0;                    // the row of the table shown
    CSpanTree* m_pSpanTree = nullptr;   // the table dialog that opened this one

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnPrevPort();
    void OnNextPort();
    void OnApply();
    void OnRefresh();

    DECLARE_MESSAGE_MAP()

private:
    void ShowPort();
    // True when the values were written or (a trunk member with unchanged
    // values) needed no write; false when refused, with its message shown.
    bool ApplyPort();

    CLegacyTrunkGroups m_trunkGroups; // the trunk walk and its groups
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CButton m_btnNext;
    CButton m_btnPrev;
    CStatic m_staticDesigRoot;
    CStatic m_staticStatus;
    CEdit m_editPriority;
    CEdit m_editPathCost;
    CButton m_checkEnable;
    CStatic m_staticForwardings;
    CStatic m_staticDesigPort;
    CStatic m_staticDesigCost;
    CStatic m_staticDesigBridge;
    CStatic m_staticPort;
    std::string m_strPort;
    int m_nPriority = 0;
    int m_nPathCost = 0;
    bool m_bPortRead = false; // the shown port's settings came from the switch
    CComboBox m_comboPriority;
};
