// "TCP Service": the TCP connection table. Opened by the main window's
// command ID_TCP_SERVICE (32811).
#pragma once

#include "features/agent_tools/CMib2TableViewer.h"

class CTcpPortInfo : public CMib2TableViewer
{
public:
    explicit CTcpPortInfo(CWnd* pParent = nullptr);

    // The name of a tcpConnState value ("closed" for any value without one).
    static std::string StateName(const std::string& strState);
    std::string FormatColumn(int nColumn, const std::string& strValue) const override;

protected:
    DECLARE_MESSAGE_MAP()
};
