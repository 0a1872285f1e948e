// The shared-controls demo dialog: each shared control on one resizable
// dialog, as a feature dialog sets them up. The port rows follow the layout of
// a typical caller: port-number labels under the "Member ports:" label, member
// check boxes under the first port label, both spread to the frame's right edge.
#pragma once

#include "common/CBtnEXT.h"

#include "common/CEditEXIPV6.h"
#include "common/CFontStatic.h"
#include "common/CGradientProgressCtrl.h"
#include "common/CListCtrlEx.h"
#include "common/ClxDialog.h"
#include "resources/controls_demo.h"

#include <memory>
#include <vector>

class ControlsDemoDlg : public ClxDialog
{
public:
    explicit ControlsDemoDlg(int nPorts = 28) : ClxDialog(IDD_CONTROLS_DEMO), m_nPorts(nPorts) {}

    // The dialog's own layout table.
    static const LxLayoutItem s_layout[];
    static const int s_layoutCount;

    int m_nPorts;
    CFontStatic m_title;
    CEditEXIPV6 m_address;
    CListCtrlEx m_list;
    CGradientProgressCtrl m_progress;
    std::unique_ptr<CBtnEXT> m_pPortLabels;
    std::unique_ptr<CBtnEXT> m_pMemberChecks;
    // Ids of the member check boxes clicked, in order.
    std::vector<UINT> m_clicked;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnMemberClicked(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortRows();
};
