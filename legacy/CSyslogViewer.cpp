#include "legacy/CSyslogViewer.h"

#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

CSyslogViewer::CSyslogViewer(UINT nIDTemplate, CWnd* pParent) : CLegacyFrame(nIDTemplate, pParent, LegacyForm::Heap)
{
    m_nListId = IDC_SYSLOG_VIEW_LIST;
    m_nCountId = IDC_SYSLOG_COUNT;
    m_nRefreshId = IDC_SYSLOG_VIEW_REFRESH;
    m_bRefreshEmpties = true;
    m_bReadOnInit = false;
    m_bReadOnShow = true;
}

std::string CSyslogViewer::FormatValue(CSnmp& reply, int binding)
{
    if (!HasValueText(reply, binding))
        return std::string();
    const std::string text = ValueText(reply, binding);
    return binding == m_nSeverityBinding ? legacy::SeverityWord(text) : text;
}

std::vector<LegacyCell> CSyslogViewer::BindingCells(CSnmp& reply, int binding)
{
    if (!m_bIndexColumn)
        return {{binding, FormatValue(reply, binding)}};
    std::vector<LegacyCell> cells;
    if (binding == 0) {
        // The whole instance part of the first value, every arc of it.
        std::string index;
        for (unsigned long arc : IndexArcs(reply, 0))
            index += (index.empty() ? "" : ".") + std::to_string(arc);
        cells.push_back({0, index});
    }
    cells.push_back({binding + 1, FormatValue(reply, binding)});
    return cells;
}
