// "IP Table : " and the switch's address: the IP address table's addresses and
// net masks. Opened by the main window's command ID_IP_TABLE (32808).
#pragma once

#include "features/agent_tools/CMib2TableViewer.h"

class CIPAddrTable : public CMib2TableViewer
{
public:
    explicit CIPAddrTable(CWnd* pParent = nullptr);

protected:
    std::string WindowTitle() const override;

protected:
    DECLARE_MESSAGE_MAP()
};
