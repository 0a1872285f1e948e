#include "features/agent_tools/CAgentTableRows.h"

#include <utility>

void CAgentTableRows::Begin()
{
    m_rows.clear();
    m_readReport.Begin();
}

void CAgentTableRows::Add(std::vector<std::string> row)
{
    m_rows.push_back(std::move(row));
}

void CAgentTableRows::End(CListCtrl& list, LPARAM lParam, const std::string& strWhat)
{
    if (lParam != 0) {
        m_readReport.Fail(strWhat, m_bHaveList);
    } else {
        m_bHaveList = true;
        list.DeleteAllItems();
        for (const auto& row : m_rows) {
            if (row.empty())
                continue;
            const int nItem = list.InsertItem(list.GetItemCount(), row[0]);
            for (std::size_t nColumn = 1; nColumn < row.size(); ++nColumn)
                list.SetItemText(nItem, static_cast<int>(nColumn), row[nColumn]);
        }
    }
    m_rows.clear();
}
