// "SNMP Engine ID": shows and sets the engine ID of the switch's SNMP agent
// as hexadecimal text.
//
// Opened by the main window's command ID_SNMP_ENGINE_ID (32845). The engine
// ID is read asynchronously when the page opens and after each write (also a
// refused one, so the edit shows what the switch kept); the answer comes as
// WM_COPYDATA with the lower-case text. The Default button, which writes the
// model's default engine ID, is created hidden and stays hidden.
#pragma once

#include "common/CReadReport.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CSNMPEngineID : public CDialog
{
public:
    explicit CSNMPEngineID(CWnd* pParent = nullptr);
    ~CSNMPEngineID() override;

    BOOL DestroyWindow() override;

    // The refusal Apply shows for the text, in the order of its checks;
    // empty when the text may be written.
    static std::string CheckEngineID(const std::string& strText);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnDefault();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editEngineID;
    // Writes the engine ID (the model's default with nUseDefault 1) and reads
    // back what the switch kept, unless it did not answer.
    void WriteEngineID(const std::string& strHex, int nUseDefault);

    CReadReport m_readReport;
    // An engine ID has been read since the page opened.
    bool m_bRead = false;
    CSNMPConfig m_cSNMPConfig;
};
