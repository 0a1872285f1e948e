// "PortMirroringConfiguration": port mirroring on or off, the target port
// that receives the mirrored traffic, and one sniffer mode per port (TX, RX,
// Both or None) in rows of run-time boxes, exactly one box of a port checked.
//
// Opened by the main window's command ID_PORT_MIRRORING (32854). The SNMP
// work is m_Logic's: every refresh walks the trunk table and reads the
// mirroring state, which arrives as WM_LOGIC_NOTIFY and overwrites the
// controls. Apply checks the target port and the modes, writes, and reads
// again; it writes nothing while the last read has not succeeded. A failed
// read (or one that cannot start) is said once per user action and leaves
// the controls as they were; a refused or unanswered write is said, and a
// silent switch is not read again at once.
#pragma once

#include "common/CBtnEXT.h"
#include "common/CReadReport.h"
#include "common/ClxDialog.h"
#include "features/layer2/CPortMirroringLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"

#include <array>
#include <memory>
#include <string>

class CPortMirroringdlg : public ClxDialog
{
public:
    explicit CPortMirroringdlg(CWnd* pParent = nullptr);
    ~CPortMirroringdlg() override;

    BOOL DestroyWindow() override;

    // The rows of boxes, in the order of their ids.
    enum Row { kTx = 0, kRx = 1, kBoth = 2, kNone = 3 };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrunkWalkEnd(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnPortBox(UINT nID);
    void OnAllTx();
    void OnAllRx();
    void OnAllBoth();
    void OnAllNone();
    void OnTargetPortChange();
    void OnRefresh();
    void OnClose();
    void OnEnabled();
    void OnDisabled();

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortPanels();
    // Checks the port's box of one row and clears its other three.
    void SetMode(int nIndex, Row row);
    void EnablePort(int nIndex, BOOL bEnable);
    void EnableAllPorts(BOOL bEnable);
    void SetAll(Row row, bool bTargetToo);
    // The port the combo box's text names, 0 when it names none of 1..N.
    int TargetPort() const;

    CButton m_btnApply;
    CComboBox m_comboTargetPort;
    std::unique_ptr<CBtnEXT> m_pPortLabels;
    std::array<std::unique_ptr<CBtnEXT>, 4> m_pRows;
    CPortMirroringLogic m_Logic;
    CReadReport m_readReport;
    bool m_bShownRead = false; // the controls show a read of the switch
};
