#include "legacy/CGroupInfo.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

CGroupInfo::CGroupInfo(CWnd* pParent) : CLegacyFrame(IDD_GROUP_INFO, pParent)
{
    m_nListId = IDC_GROUP_LIST;
    m_strListWhat = "the group list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_headings = {" Security Mode ", " Security Name        ", " Group Name    ", "   Storage Mode     ",
                  "   Group Status  "};
    m_columnOids = {"1.3.6.1.6.3.16.1.2.1.3", "1.3.6.1.6.3.16.1.2.1.4", "1.3.6.1.6.3.16.1.2.1.5"};
}

std::vector<LegacyCell> CGroupInfo::BindingCells(CSnmp& reply, int binding)
{
    switch (binding) {
    case 0: {
        // Index: security model, then the security name (length-prefixed).
        const std::vector<unsigned long> arcs = IndexArcs(reply, 0);
        std::string model;
        std::string name;
        if (!arcs.empty()) {
            model = std::to_string(arcs[0]);
            std::size_t pos = 1;
            legacy::TakeIndexName(arcs, pos, name);
        }
        return {{0, "v" + model}, {1, name}, {2, ValueText(reply, 0)}};
    }
    case 1:
        return {{3, legacy::StorageTypeWord(ValueText(reply, 1))}};
    case 2:
        return {{4, legacy::RowStatusWord(ValueText(reply, 2))}};
    default:
        return {};
    }
}
