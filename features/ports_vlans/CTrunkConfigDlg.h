// "Trunk Configuration": the switch's link aggregation state, its trunk groups
// with their channel modes and member ports, the channel mode of one trunk,
// and the member picker (CKSXTrunkPort), which writes the members.
//
// Opened by the main window's command ID_TRUNK_CONFIGURATION (32818). The
// trunk table walk gathers its rows on the session's worker thread and fills
// the list whole when it reaches the end of the table (its window calls are
// carried to the UI thread); a failed walk leaves the last complete list. A
// state or channel mode outside the switch's set is shown as unknown (box
// unchecked, mode empty), and nothing is applied over it.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CTrunkConfigDlg : public CDialog
{
public:
    explicit CTrunkConfigDlg(CWnd* pParent = nullptr);
    ~CTrunkConfigDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnRefresh();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnApplyChannelMode();
    void OnPortMember();
    void OnApplyTrunkState();
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void ReadTrunkState();
    void StartTrunkTableWalk();
    static int OnTrunkRowReply(CSnmp* pResponse, int nRequestId, void* pUserData, int nStatus);
    // Fills the list with the rows of the walk that has just completed.
    void ShowBuiltRows();
    void SetChannelMode(int nTrunkId);
    // Copies a row of the list into the Trunk ID field, the mode combo and
    // the remembered member list.
    void CopyRowToFields(int nRow);
    // The text of the mode combo's selected item; empty without a selection.
    std::string GetModeText() const;
    // The row labelled with the trunk id, or -1.
    int FindTrunkRow(const std::string& strTrunkId) const;

    // One trunk row as the list shows it: id, mode, members.
    struct TrunkRow
    {
        std::string strTrunkId;
        std::string strMode;
        std::string strMembers;
    };
    // The rows of the walk in progress, under m_csRows.
    std::mutex m_csRows;
    std::vector<TrunkRow> m_rowsBuilding;

    CEdit m_editTrunkId;
    CComboBox m_comboMode;
    CListCtrlEx m_listTrunk;
    // The walk's call-back uses the controls above: the sessions come after
    // them, so they are stopped before the controls go.
    CCommonSNMP m_cStateSNMP;
    CCommonSNMP m_cTableSNMP;
    std::string m_strMemberList;
    CButton m_checkEnable;
    // Set once the state has been read: until then the state Apply would
    // write the box's initial state, not the switch's.
    bool m_bStateRead = false;
};
