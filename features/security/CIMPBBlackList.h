// "Black List": the entries the switch blocks (VID, IP address, MAC address,
// port), their number, Find over the rows of the last walk, and deleting the
// selected entry.
//
// Opened by the main window's command ID_BLACK_LIST (32866). The rows of a
// walk are kept in m_vecEntries (UI thread only); Find only changes which of
// them are shown (strState "2" shown, "0" hidden).
#pragma once

#include "common/CEditEXIPV6.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/CIMPFunclogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CIMPBBlackList : public CDialog
{
public:
    explicit CIMPBBlackList(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    LRESULT OnEntryNotify(WPARAM wParam, LPARAM lParam);
    void OnFind();
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    // Hides every entry that a non-empty criterion does not match.
    static void ApplyFindFilter(const IMPB_entry_key& criteria, std::vector<IMPB_entry_info>& entries);
    void ShowVisibleEntries(const std::vector<IMPB_entry_info>& entries);
    void EnableButtons(BOOL bEnable);

    CEdit m_editTotal;
    CEdit m_editVid;
    CEditEXIPV6 m_editIP;
    CEdit m_editMac;
    CEdit m_editPort;
    CListCtrlEx m_list;
    CButton m_btnFind;
    CIMPFunclogic m_logic;
    std::vector<IMPB_entry_info> m_vecEntries; // the last complete walk's rows
    std::vector<IMPB_entry_info> m_rows;       // the rows of the walk that runs
    CReadReport m_readReport;
    bool m_bListRead = false; // a walk has read the whole table
};
