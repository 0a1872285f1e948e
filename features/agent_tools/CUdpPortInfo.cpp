#include "features/agent_tools/CUdpPortInfo.h"

#include "resources/mib2.h"

BEGIN_MESSAGE_MAP(CUdpPortInfo, CMib2TableViewer)
    ON_BN_CLICKED(IDC_UDPINFO_REFRESH, OnRefresh)
END_MESSAGE_MAP()

CUdpPortInfo::CUdpPortInfo(CWnd* pParent)
    : CMib2TableViewer(IDD_UDP_SERVICE,
                       Layout{{{"  Local Port ", "1.3.6.1.2.1.7.5.1.2"},
                               {"  Local IP      ", "1.3.6.1.2.1.7.5.1.1"}},
                              IDC_UDPINFO_LIST, IDC_UDPINFO_REFRESH, 0, 0, false, false},
                       pParent)
{
}
