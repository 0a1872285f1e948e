#include "legacy/CCommunityInfo.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

CCommunityInfo::CCommunityInfo(CWnd* pParent) : CLegacyFrame(IDD_COMMUNITY_INFO, pParent)
{
    m_nListId = IDC_COMMUNITY_LIST;
    m_strListWhat = "the community list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_headings = {"   Community Name    ", "   Security Name    ", "        Engine ID          ",
                  "   Storage Mode     "};
    m_columnOids = {"1.3.6.1.6.3.18.1.1.1.2", "1.3.6.1.6.3.18.1.1.1.3", "1.3.6.1.6.3.18.1.1.1.4",
                    "1.3.6.1.6.3.18.1.1.1.7"};
}

std::vector<LegacyCell> CCommunityInfo::BindingCells(CSnmp& reply, int binding)
{
    switch (binding) {
    case 0:
        return {{0, ValueBytes(reply, 0)}};
    case 2:
        return {{2, legacy::HexBytes(ValueBytes(reply, 2))}};
    case 3:
        return {{3, legacy::StorageTypeWord(ValueText(reply, 3))}};
    default:
        return CLegacyFrame::BindingCells(reply, binding);
    }
}

void CCommunityInfo::OnReadEnded()
{
    // Never narrower than its heading.
    if (m_list.GetSafeHwnd() && m_list.GetItemCount() > 0)
        m_list.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER);
}
