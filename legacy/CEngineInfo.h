// "SNMPv3 Engine Information": the switch's SNMP engine (snmpEngineID shown
// as hexadecimal, boots, time, largest message size) in four disabled edits,
// read with one GET. A frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "platform/ui/CEdit.h"

class CEngineInfo : public CLegacyFrame
{
public:
    explicit CEngineInfo(CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool ShowReply(CSnmp& reply, bool stopAtHole) override;

    CEdit m_editEngineId;
    CEdit m_editBoots;
    CEdit m_editTime;
    CEdit m_editMaxMsgSize;
};
