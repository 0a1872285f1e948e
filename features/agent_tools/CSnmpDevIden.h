// "System Information": the switch's system group (description, object
// identifier, uptime, name, location; the contact is kept hidden), with the
// name and location writable.
//
// Opened by the main window's command ID_SYSTEM_INFORMATION (32805). The read
// runs on m_cCommonSNMP's worker, whose reply is handed to the UI thread,
// which sets the controls; the write is one synchronous SET. Apply is refused
// until a read has succeeded with a name and location of their type, so empty
// fields never go over the switch's name and location; a name or location
// the user left as shown is written back as it was read, byte for byte.
#pragma once

#include "common/CCodeConvert.h"
#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "platform/ui/CDialog.h"

#include <atomic>
#include <string>

class CSnmp;

class CSnmpDevIden : public CDialog
{
public:
    explicit CSnmpDevIden(CWnd* pParent = nullptr);
    ~CSnmpDevIden() override;

    // "H Hour M Min" of a tick count (hundredths of a second, unsigned 32
    // bits); empty for a text that is no tick count.
    static std::string UptimeText(const std::string& strTicks);
    // TRUE when the text holds none of the characters a system name or
    // location may not hold.
    static BOOL IsPlainName(const std::string& strText);

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void ReadSystemGroup();
    static int OnSystemGroupReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // The read's end on the UI thread: wParam 1 with the values (lParam a
    // SystemGroup), 0 when it failed.
    LRESULT OnSystemGroupRead(WPARAM wParam, LPARAM lParam);
    void WriteNameAndLocation();

    void OnRefresh();
    void OnChangeText();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);
    // Puts a read value into an edit that takes nLimit characters as typed.
    void ShowEditText(int nId, const std::string& strText, int nLimit);

    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CCodeConvert m_cCodeConvert;
    std::string m_strContact;
    std::string m_strName;
    std::string m_strLocation;
    // A read has succeeded since the dialog opened.
    std::atomic<bool> m_bRead{false};
    CReadReport m_readReport;
    // The window is being destroyed: a read cut short is no failure.
    bool m_bClosing = false;
    // The name and location as the switch gave them, and as the edits show
    // them (a text the edit cannot hold whole, cut at a NUL, differs).
    std::string m_strNameRead;
    std::string m_strLocationRead;
    std::string m_strNameShown;
    std::string m_strLocationShown;
};
