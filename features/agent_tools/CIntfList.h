// "Interface Table": the interface table's index, operational status and
// speed. Opened by the main window's command ID_INTERFACE_TABLE (32809).
#pragma once

#include "features/agent_tools/CMib2TableViewer.h"

class CIntfList : public CMib2TableViewer
{
public:
    explicit CIntfList(CWnd* pParent = nullptr);

    // The text of a value of column 0 (index), 1 (ifOperStatus) or 2
    // (ifSpeed, unsigned 32 bits, shown in whole Mb/s).
    std::string FormatColumn(int nColumn, const std::string& strValue) const override;

protected:
    std::string WindowTitle() const override;

protected:
    DECLARE_MESSAGE_MAP()
};
