#include "features/agent_tools/CIntfList.h"

#include "resources/mib2.h"

#include <cstdint>

BEGIN_MESSAGE_MAP(CIntfList, CMib2TableViewer)
    ON_BN_CLICKED(IDC_INTF_REFRESH, OnRefresh)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CIntfList::CIntfList(CWnd* pParent)
    : CMib2TableViewer(IDD_INTERFACE_TABLE,
                       Layout{{{"  Index          ", "1.3.6.1.2.1.2.2.1.1"},
                               {"  Link Status             ", "1.3.6.1.2.1.2.2.1.8"},
                               {"  Speed(b/s)                      ", "1.3.6.1.2.1.2.2.1.5"}},
                              IDC_INTF_LIST, IDC_INTF_REFRESH, IDC_INTF_ENTRIES, 3, false, true},
                       pParent)
{
}

std::string CIntfList::WindowTitle() const
{
    return "Interface Table";
}

std::string CIntfList::FormatColumn(int nColumn, const std::string& strValue) const
{
    if (strValue.empty())
        return strValue;
    if (nColumn == 1) {
        if (strValue == "1")
            return "Connected";
        if (strValue == "2")
            return "UnConnected";
        if (strValue == "3")
            return "Test";
        return "Unknown";
    }
    if (nColumn == 2) {
        // ifSpeed is a Gauge32: up to 4294967295 bits per second.
        if (strValue.size() > 10 || strValue.find_first_not_of("0123456789") != std::string::npos)
            return std::string();
        const std::uint64_t nSpeed = std::stoull(strValue);
        if (nSpeed > UINT32_MAX)
            return std::string();
        return std::to_string(nSpeed / 1000000) + "M";
    }
    return strValue;
}
