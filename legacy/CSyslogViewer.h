// The family of the syslog and software-package viewers: tables of the older
// branch korvelEnterprise.10.94.89.89 in the heap form of the frame, read over
// SNMPv1 each time the window is shown and on Refresh, with the row count
// beside "Entries:". A member gives its template, title, headings and column
// objects, and which value is a severity (shown as its word) or whether the
// first column is the row's index.
#pragma once

#include "legacy/CLegacyFrame.h"

class CSyslogViewer : public CLegacyFrame
{
protected:
    CSyslogViewer(UINT nIDTemplate, CWnd* pParent);

    // The text shown for value `binding` of a row: empty without a value, the
    // severity word for m_nSeverityBinding, otherwise the value's text.
    std::string FormatValue(CSnmp& reply, int binding);
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;

    int m_nSeverityBinding = -1; // the value shown as a severity word (-1: none)
    bool m_bIndexColumn = false; // column 0 shows the row's index, value i column i + 1
};
