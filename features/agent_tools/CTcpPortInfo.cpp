#include "features/agent_tools/CTcpPortInfo.h"

#include "resources/mib2.h"

BEGIN_MESSAGE_MAP(CTcpPortInfo, CMib2TableViewer)
    ON_BN_CLICKED(IDC_TCPINFO_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CTcpPortInfo::CTcpPortInfo(CWnd* pParent)
    : CMib2TableViewer(IDD_TCP_SERVICE,
                       Layout{{{"Local Port ", "1.3.6.1.2.1.6.13.1.3"},
                               {" Local IP        ", "1.3.6.1.2.1.6.13.1.2"},
                               {" Remote IP       ", "1.3.6.1.2.1.6.13.1.4"},
                               {"Remote Port", "1.3.6.1.2.1.6.13.1.5"},
                               {" Status ", "1.3.6.1.2.1.6.13.1.1", "synReceived"}},
                              IDC_TCPINFO_LIST, IDC_TCPINFO_REFRESH, 0, 0, true, false},
                       pParent)
{
}

std::string CTcpPortInfo::StateName(const std::string& strState)
{
    static const char* const kNames[] = {"listen",   "synSent",  "synReceived", "established",
                                         "finWait1", "finWait2", "closeWait",   "lastAck",
                                         "closing",  "timeWait", "deleteTCB"};
    for (int n = 2; n <= 12; ++n)
        if (strState == std::to_string(n))
            return kNames[n - 2];
    return "closed";
}

std::string CTcpPortInfo::FormatColumn(int nColumn, const std::string& strValue) const
{
    return nColumn == 4 ? StateName(strValue) : strValue;
}
