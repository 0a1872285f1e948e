// "UDP Service": the UDP listener table. Opened by the main window's
// command ID_UDP_SERVICE (32812).
#pragma once

#include "features/agent_tools/CMib2TableViewer.h"

class CUdpPortInfo : public CMib2TableViewer
{
public:
    explicit CUdpPortInfo(CWnd* pParent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
};
