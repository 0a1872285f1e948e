// "SNMP MIB Access Control Information": the VACM view tree family table:
// view name and subtree (from the row's index), whether the subtree is
// included, storage type and row status. A frame dialog in the member form.
#pragma once

#include "legacy/CLegacyFrame.h"

class CMibTreeInfo : public CLegacyFrame
{
public:
    explicit CMibTreeInfo(CWnd* pParent = nullptr);

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
};
