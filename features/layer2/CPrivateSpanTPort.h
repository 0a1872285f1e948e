// " Port STP Configuration": the spanning-tree settings of one port of the
// port table (CPrivateSpanTree), which opens it for its selected row (the
// first row when none is selected); "<= Prev Port" and "Next Port =>" step
// through the table's rows.
//
// Most values come from the table's row; migrate and whether spanning tree
// runs on the port are read from the switch (synchronous GET). "OK" writes
// every setting of the port in one SET and closes the dialog with IDOK (also
// after a refused value), after which the table reads itself again. It writes
// nothing for a port whose own values could not be read, and nothing when the
// table has no row. Switching spanning tree on where loopback detection runs
// is refused, with m_cStpLogic as the source of the loopback detection states.
//
// Objects: column c of port p is korvelEnterprise.10.76.19.1.6.2.1.c.p
// (integers): .2 priority | .4 spanning tree (1 on, 2 off) | .5 path cost (0
// automatic to 200000000) | .12 migrate (1 on, 2 off) | .14 point-to-point
// (0 force true, 1 force false, 2 auto) | .16 edge (1 true, 0 false, 2 auto)
// | .17 restricted role and .18 restricted TCN (1 true, 2 false).
#pragma once

#include "common/CCommonSNMP.h"
#include "features/layer2/CSTPLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <string>

class CPrivateSpanTree;

class CPrivateSpanTPort : public CDialog
{
public:
    explicit CPrivateSpanTPort(CWnd* pParent = nullptr);
    ~CPrivateSpanTPort() override;

    BOOL DestroyWindow() override;

    int m_nRow = 0;                        // the table row shown
    CPrivateSpanTree* m_pTable = nullptr; // set by the table before DoModal

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Writes the port and closes with IDOK.
    void OnOK() override;

    void OnPrevPort();
    void OnNextPort();
    void OnRefresh();

    DECLARE_MESSAGE_MAP()

private:
    void ReadPortSettings();
    // FALSE when the dialog should stay open (a cost that is no number).
    BOOL ApplyPortSettings();
    // The exclusion check for the port shown: FALSE, after its message, when
    // loopback detection runs on it (and is not disabled globally).
    BOOL CheckLbdPort();
    // Selects the first item that begins with the text; none for no match
    // or an empty text.
    static void SelectByPrefix(CComboBox& combo, const std::string& strText);

    CCommonSNMP m_cCommonSNMP;    // the read of one port
    CCommonSNMP m_cCommonSNMPSet; // the SET
    CButton m_btnPrev;
    CButton m_btnNext;
    CEdit m_editCost;
    CButton m_checkEnable;
    CStatic m_staticPort;
    std::string m_strPort; // the port shown, empty without a row
    int m_nPathCost = 0;
    CComboBox m_comboPriority;
    CComboBox m_comboEdge;
    CComboBox m_comboP2P;
    CComboBox m_comboRestrictedTCN;
    CComboBox m_comboMigrate;
    CComboBox m_comboRestrictedRole;
    CSTPLogic m_cStpLogic;
    // Migrate and the state of m_strPort were read from the switch.
    bool m_bPortRead = false;
};
