#include "legacy/CRouterMap.h"

#include "resources/legacy.h"

CRouterMap::CRouterMap(CWnd* pParent) : CLegacyFrame(IDD_ROUTER_MAP, pParent, LegacyForm::Heap)
{
    m_nListId = IDC_ROUTER_LIST;
    m_strListWhat = "the routing table";
    m_nCountId = IDC_ROUTER_COUNT;
    m_nRefreshId = IDC_ROUTER_REFRESH;
    m_bRefreshEmpties = true;
    m_bReadOnInit = false;
    m_bReadOnShow = true;
    m_strCaption = "Router Table";
    m_headings = {"   Destination    ", "   Gateway IP     ", "   Netmask        ", "Interface ",
                  "Type   ",            " Protocol ",         " Age   ",            " Metric 1 ",
                  " Metric 2 ",         " Metric 3 ",         " Metric 4 "};
    const char* const kColumns[] = {"1", "7", "11", "2", "8", "9", "10", "3", "4", "5", "6"};
    for (const char* column : kColumns)
        m_columnOids.push_back(std::string("1.3.6.1.2.1.4.21.1.") + column);
}

std::string CRouterMap::RouteTypeWord(const std::string& value)
{
    static const char* const kWords[] = {"UnKnown", "Illegal", "Direct", "Indirect"};
    for (int i = 0; i < 4; ++i)
        if (value == std::to_string(i + 1))
            return kWords[i];
    return "0";
}

std::string CRouterMap::RouteProtocolWord(const std::string& value)
{
    static const char* const kWords[] = {"local", "netmgmt",   "icmp",      "egp",  "ggp", "hello", "rip",
                                         "is-is", "es-is",     "ciscoIgrp", "bbnSpfIgp", "ospf", "bgp"};
    for (int i = 0; i < 13; ++i)
        if (value == std::to_string(i + 2))
            return kWords[i];
    return "other";
}

std::vector<LegacyCell> CRouterMap::BindingCells(CSnmp& reply, int binding)
{
    if (binding == 4)
        return {{4, RouteTypeWord(ValueText(reply, 4))}};
    if (binding == 5)
        return {{5, RouteProtocolWord(ValueText(reply, 5))}};
    return CLegacyFrame::BindingCells(reply, binding);
}
