// "802.1X User": the switch's local 802.1X users; adds a user with a
// password, deletes one.
//
// Opened by the main window's "802.1X User" (command 32885). The list is the
// user walk of m_Logic: only active rows are listed, Total Entries counts
// every row. Add checks the name and password, refuses a name any row holds
// (listed or not), creates the row (create-and-go), writes the password and
// activates it; when the password or the activation is refused, the row it
// created is destroyed again. Every control is disabled while a walk runs.
// Delete destroys the row by its own index. A refused or unanswered write is
// said; a failed read the user started is said once, the list keeping its
// last complete read.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/C8021XSettingLogic.h"
#include "platform/ui/CDialog.h"

#include <string>
#include <vector>

class C8021XUserDLG : public CDialog
{
public:
    explicit C8021XUserDLG(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The row index of a user name: "." + its length in bytes, then "." +
    // each byte's value (abcd gives .4.97.98.99.100).
    static std::string MakeNameIndex(const std::string& strName);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void InitControls();
    void StartRead();
    void EnableControls(BOOL bEnable);
    void FillUserList();
    void OnAdd();
    void OnDelete();
    void ResetAndReload();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    BOOL CheckUserInput(const std::string& strName, const std::string& strPassword, const std::string& strConfirm);
    BOOL IsNewUserName(const std::string& strName);

    C8021XSettingLogic m_Logic;
    CListCtrlEx m_listUsers;
    CCommonSNMP m_cCommonSNMP;
    CReadReport m_readReport;
    bool m_bListRead = false;              // a user walk has read the whole table
    std::vector<std::string> m_rowIndexes; // each listed row's own index
};
