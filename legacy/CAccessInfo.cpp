#include "legacy/CAccessInfo.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

CAccessInfo::CAccessInfo(CWnd* pParent) : CLegacyFrame(IDD_ACCESS_INFO, pParent)
{
    m_nListId = IDC_ACCESS_LIST;
    m_strListWhat = "the access list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_headings = {" Group Name ",         " Security Mode ",        " Security Level    ", " Read Community    ",
                  " Write Community    ", " General Access Name  ", "   Storage Mode  "};
    m_columnOids = {"1.3.6.1.6.3.16.1.4.1.5", "1.3.6.1.6.3.16.1.4.1.6", "1.3.6.1.6.3.16.1.4.1.7",
                    "1.3.6.1.6.3.16.1.4.1.8"};
}

std::vector<LegacyCell> CAccessInfo::BindingCells(CSnmp& reply, int binding)
{
    if (binding == 0) {
        // Index: group name and context prefix (both length-prefixed), then
        // the security model and level.
        const std::vector<unsigned long> arcs = IndexArcs(reply, 0);
        std::size_t pos = 0;
        std::string group;
        std::string context;
        unsigned long model = 0;
        unsigned long level = 0;
        if (legacy::TakeIndexName(arcs, pos, group) && legacy::TakeIndexName(arcs, pos, context) &&
            pos + 2 <= arcs.size()) {
            model = arcs[pos];
            level = arcs[pos + 1];
        }
        const std::string mode = model == 1 ? "v1" : model == 2 ? "v2" : "v3";
        const std::string levelWord = level == 1 ? "noAuthNoPriv" : level == 2 ? "authNoPriv" : "authPriv";
        return {{0, group}, {1, mode}, {2, levelWord}, {3, ValueText(reply, 0)}};
    }
    if (binding == 3)
        return {{6, legacy::StorageTypeWord(ValueText(reply, 3))}};
    if (binding == 1 || binding == 2)
        return {{binding + 3, ValueText(reply, binding)}};
    return {};
}
