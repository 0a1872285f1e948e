#include "features/agent_tools/CIPAddrTable.h"

#include "common/Globals.h"
#include "resources/mib2.h"

BEGIN_MESSAGE_MAP(CIPAddrTable, CMib2TableViewer)
    ON_BN_CLICKED(IDC_IPADDR_REFRESH, OnRefresh)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CIPAddrTable::CIPAddrTable(CWnd* pParent)
    : CMib2TableViewer(IDD_IP_TABLE,
                       Layout{{{" IP                ", "1.3.6.1.2.1.4.20.1.1"},
                               {" Netmask               ", "1.3.6.1.2.1.4.20.1.3"}},
                              IDC_IPADDR_LIST, IDC_IPADDR_REFRESH, IDC_IPADDR_ENTRIES, 2, false, true},
                       pParent)
{
}

std::string CIPAddrTable::WindowTitle() const
{
    return "IP Table : " + g_strDeviceIP;
}
