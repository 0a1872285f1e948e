// "White List": the entries the switch lets through (IP address, MAC
// address, port), their number, and deleting the selected one. Entries are
// added on the smart binding page.
//
// Opened by the main window's command ID_WHITE_LIST (32865).
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/CIMPFunclogic.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CIMPBWhiteList : public CDialog
{
public:
    explicit CIMPBWhiteList(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    LRESULT OnEntryNotify(WPARAM wParam, LPARAM lParam);
    void OnDelete();

    DECLARE_MESSAGE_MAP()

private:
    CListCtrlEx m_list;
    CEdit m_editTotal;
    CIMPFunclogic m_logic;
    CReadReport m_readReport;
    std::vector<IMPB_entry_info> m_rows; // the rows of the walk that runs
    bool m_bListRead = false;            // a walk has read the whole table
};
