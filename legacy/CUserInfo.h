// "SNMPv3 User Information": the USM users (security name, authentication
// and privacy protocol) with the group of each, walked in step with the
// VACM security-to-group table's group names for the user-based model. A
// group is shown for a user only when the group entry's index names that
// user: rows of the two tables are paired by name, not by their order. A
// frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <map>
#include <string>
#include <vector>

class CUserInfo : public CLegacyFrame
{
public:
    explicit CUserInfo(CWnd* pParent = nullptr);

protected:
    bool ShowReply(CSnmp& reply, bool stopAtHole) override;
    void EmptyList() override;

private:
    std::map<std::string, std::string> m_groups; // group name by security name, as read so far
    std::vector<std::string> m_rowUsers;          // the security name of each list row
};
