// "Authentication RADIUS Server": the RADIUS servers 802.1X authenticates
// with; writes one server entry, deletes one.
//
// Opened by the main window's "802.1X Authentication RADIUS" (command 32886).
// The list is the RADIUS walk of m_Logic (active rows only). Apply checks the
// index (a positive decimal number, chosen or typed) and the fields, destroys
// a row of the same index (listed or not), creates the row waiting, writes
// its columns one by one and activates it. A step the switch refuses or
// leaves unanswered ends Apply with a message: a row this Apply created and
// did not activate is destroyed again, a row it destroyed is written back as
// it was read (the message says whether that worked), and the table is read
// again. Rows are listed and deleted by their own index.
#pragma once

#include "common/CEditEXIPV6.h"
#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "features/security/C8021XSettingLogic.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <string>

class C8021XAuRadiusServerDLG : public CDialog
{
public:
    explicit C8021XAuRadiusServerDLG(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void ResetFields();
    void StartRead();
    void EnableButtons(BOOL bEnable);
    void FillServerList();
    void OnApply();
    void OnDelete();
    void OnRefresh();
    void ResetAndReload();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    BOOL CheckInput();
    // Writes the row; false at the first step the switch refuses, with
    // bDestroyed telling whether the old row was destroyed and bCreated
    // whether the new one was created by then.
    bool ApplyServer(CWriteReport& report, const std::string& strSuffix, bool bExisting, bool& bDestroyed,
                     bool& bCreated);
    // Refuses with its message and selects the field.
    BOOL Refuse(const char* pszMessage, int nId);

    C8021XSettingLogic m_Logic;
    CListCtrlEx m_listServers;
    CComboBox m_comboIndex;
    CEditEXIPV6 m_editAddress;
    int m_nAuthPort = 0;
    int m_nAcctPort = 0;
    int m_nRetransmit = 0;
    std::string m_strKey;
    std::string m_strConfirmKey;
    int m_nTimeout = 0;
    CReadReport m_readReport;
    bool m_bListRead = false; // a server walk has read the whole table
};
