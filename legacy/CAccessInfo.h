// "SNMPv3 Access Information": the VACM access table: group name, security
// model and level (from the row's index), the read, write and notify view
// names and the storage type. A frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"

class CAccessInfo : public CLegacyFrame
{
public:
    explicit CAccessInfo(CWnd* pParent = nullptr);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
};
