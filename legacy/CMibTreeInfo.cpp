#include "legacy/CMibTreeInfo.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

CMibTreeInfo::CMibTreeInfo(CWnd* pParent) : CLegacyFrame(IDD_MIB_TREE_INFO, pParent)
{
    m_nListId = IDC_MIB_TREE_LIST;
    m_strListWhat = "the MIB access control list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_headings = {"   View Name    ", "   MIB Tree       ", "   Access Type ", "   Storage Mode     ",
                  "   Group Status  "};
    m_columnOids = {"1.3.6.1.6.3.16.1.5.2.1.4", "1.3.6.1.6.3.16.1.5.2.1.5", "1.3.6.1.6.3.16.1.5.2.1.6"};
}

std::vector<LegacyCell> CMibTreeInfo::BindingCells(CSnmp& reply, int binding)
{
    switch (binding) {
    case 0: {
        // Index: the view name, then the subtree (both length-prefixed).
        const std::vector<unsigned long> arcs = IndexArcs(reply, 0);
        std::size_t pos = 0;
        std::string view;
        std::string subtree;
        if (legacy::TakeIndexName(arcs, pos, view))
            legacy::TakeIndexOid(arcs, pos, subtree);
        return {{0, view}, {1, subtree}, {2, legacy::ViewTypeWord(ValueText(reply, 0))}};
    }
    case 1:
        return {{3, legacy::StorageTypeWord(ValueText(reply, 1))}};
    case 2:
        return {{4, legacy::RowStatusWord(ValueText(reply, 2))}};
    default:
        return {};
    }
}
