// The "Trunk member" picker: one check box per port for the members of one
// trunk. OK takes two to eight ports, lets the admission rules (CTrunkValid)
// refuse ports whose other settings forbid aggregation, and writes the
// members and the channel mode of the trunk in one SET.
#pragma once

#include "common/ClxDialog.h"
#include "features/ports_vlans/CTrunkValid.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <string>
#include <vector>

class CKSXTrunkPort : public ClxDialog
{
public:
    explicit CKSXTrunkPort(CWnd* pParent = nullptr);
    ~CKSXTrunkPort() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnPortCheck(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortControls();
    void CreatePortControl(int nCheckId, int nLabelId, int nPort);
    void ShowTrunk();
    void ParseMemberList();

    CEdit m_editMode;
    CEdit m_editTrunkId;
    std::vector<std::unique_ptr<CButton>> m_pPortCheck;
    std::vector<std::unique_ptr<CStatic>> m_pPortLabel;
    // Entry i is 1 while port i + 1 is ticked.
    std::vector<int> m_pPortSelected;
    // Extra gap between port columns, and the offset of the row being laid out (pixels).
    int m_nPortGap = 0;
    int m_nRowOffset = 0;
    CTrunkValid m_TrunkValid;

public:
    // Inputs, set before DoModal: the trunk's current members as a port list,
    // its id, and the channel mode text ("LACP", "Static").
    std::string m_strPortMember;
    std::string m_strTrunkID;
    std::string m_strChannelMode;
    // Output: the padded hex port mask that was written; empty when nothing was.
    std::string m_strMemberMask;
};
