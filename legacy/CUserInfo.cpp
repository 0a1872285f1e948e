#include "legacy/CUserInfo.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

namespace {

// Whether a binding of an SNMPv3 reply ends the walk: noSuchObject,
// noSuchInstance or endOfMibView. A cell that the row lacks (the other table
// of the in-step walk has no entry at this index) does not.
bool IsException(CSnmp& reply, int binding)
{
    int type = 0;
    char* text = nullptr;
    if (reply.getValue(binding, &type, &text) != 0)
        return true;
    return type == 0x80 || type == 0x81 || type == 0x82;
}

} // namespace

CUserInfo::CUserInfo(CWnd* pParent) : CLegacyFrame(IDD_USER_INFO, pParent)
{
    m_nListId = IDC_USER_LIST;
    m_strListWhat = "the user list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_headings = {" Security Name   ", " Group Name   ", " Authentication Protocol       ", " Cript Protocol       "};
    m_columnOids = {"1.3.6.1.6.3.15.1.2.2.1.3", "1.3.6.1.6.3.16.1.2.1.3.3", "1.3.6.1.6.3.15.1.2.2.1.5",
                    "1.3.6.1.6.3.15.1.2.2.1.8"};
}

void CUserInfo::EmptyList()
{
    CLegacyFrame::EmptyList();
    m_groups.clear();
    m_rowUsers.clear();
}

bool CUserInfo::ShowReply(CSnmp& reply, bool stopAtHole)
{
    if (reply.getVarBindCount() < 4)
        return false;
    if (stopAtHole)
        for (int i = 0; i < 4; ++i)
            if (IsException(reply, i))
                return false;

    // A group entry: its index is the security name (length-prefixed).
    if (HasValueText(reply, 1)) {
        const std::vector<unsigned long> arcs = IndexArcs(reply, 1);
        std::size_t pos = 0;
        std::string user;
        if (legacy::TakeIndexName(arcs, pos, user) && pos == arcs.size()) {
            const std::string group = ValueText(reply, 1);
            m_groups[user] = group;
            for (std::size_t row = 0; row < m_rowUsers.size(); ++row)
                if (m_rowUsers[row] == user)
                    m_list.SetItemText(static_cast<int>(row), 1, group);
        }
    }

    // A user entry.
    if (HasValueText(reply, 0)) {
        const std::string user = ValueText(reply, 0);
        const int row = m_list.GetItemCount();
        auto group = m_groups.find(user);
        m_list.SetOrInsertItemText(row, 0, user.c_str());
        m_list.SetOrInsertItemText(row, 1, group == m_groups.end() ? "" : group->second.c_str());
        m_list.SetOrInsertItemText(row, 2, legacy::AuthProtocolWord(ValueText(reply, 2)).c_str());
        m_list.SetOrInsertItemText(row, 3, legacy::PrivProtocolWord(ValueText(reply, 3)).c_str());
        m_rowUsers.push_back(user);
    }
    return true;
}
