// "SNMPv3 Group Information": the VACM security-to-group table: security
// model and name (from the row's index), group name, storage type and row
// status. A frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"

class CGroupInfo : public CLegacyFrame
{
public:
    explicit CGroupInfo(CWnd* pParent = nullptr);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
};
