// "Device Configure": the objects that the description file KSXWren_CFG.XML
// names, read with SNMPv1 GETs whatever SNMP version the module runs with.
// Under "Configuration Options" the objects of its "DEVCFG" section, set one
// at a time by picking a label of the object's value table and Apply; under
// "Device Info" the read-only objects of its "DEVINFO" section. The file is
// looked for in the current directory.
#pragma once

#include "legacy/CMibXMLParse.h"
#include "legacy/LegacyReplyToken.h"
#include "platform/snmp/CSnmp4w.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CListCtrl.h"

#include <memory>
#include <string>

class CDeviceCfgDlg : public CDialog
{
public:
    static constexpr const char* kFileName = "KSXWren_CFG.XML";
    static constexpr UINT WM_DEVCFG_REPLY = WM_APP + 0x0A20;

    explicit CDeviceCfgDlg(CWnd* pParent = nullptr);
    ~CDeviceCfgDlg() override;

    BOOL DestroyWindow() override;

    // The text shown for a device information value counted in hundredths of
    // a second: "H Hour M Min".
    static std::string TimeText(const std::string& value);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnConfigClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnReply(WPARAM wParam, LPARAM lParam);

    void ReadInfoList();
    void ReadConfigList();
    // Empties the list, then one GET of the section's objects (instance 0).
    void ReadList(CMibXMLParse& reader, CListCtrl& list, CSnmp4w& requester, int kind, int& awaited);
    void ShowReply(CMibXMLParse& reader, CListCtrl& list, CSnmp& response, bool timeValues);

    CSnmp4w m_snmpInfo;
    CSnmp4w m_snmpConfig;
    CSnmp4w m_snmpSet;
    std::string m_strDeviceIP;
    std::string m_strReadCommunity;
    std::string m_strWriteCommunity;
    std::string m_strSelectedName;
    ValueList m_arrValues;
    CMibXMLParse m_xmlConfig;
    CMibXMLParse m_xmlInfo;
    CButton m_btnApply;
    CListCtrl m_listInfo;
    CListCtrl m_listConfig;
    CComboBox m_cbValue;

    std::shared_ptr<LegacyReplyToken> m_token;
    // The request each list awaits (0: none); older replies are dropped.
    int m_nInfoRequest = 0;
    int m_nConfigRequest = 0;
    int m_nSetRequest = 0;
    std::string m_strWrittenLabel; // what the awaited write sets, for its message

    DECLARE_MESSAGE_MAP()
};
