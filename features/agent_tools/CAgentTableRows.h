// The rows of one walk of an agent table, kept until the walk ends: the
// table read to its end replaces the page's list whole, and a failed walk
// leaves the last complete list and is said once. Used on the UI thread only.
#pragma once

#include "common/CReadReport.h"
#include "platform/ui/CListCtrl.h"

#include <string>
#include <vector>

class CAgentTableRows
{
public:
    // A new walk starts, for a read the user started (the page opening,
    // Refresh, the read after a write): the rows of an earlier one are
    // dropped.
    void Begin();
    // One row, its columns in the list's order.
    void Add(std::vector<std::string> row);
    // The walk has ended: lParam 0 (its end notification's) when it read the
    // whole table, which then fills the list; anything else keeps the list
    // and says, through the page's read report, that strWhat was not read.
    void End(CListCtrl& list, LPARAM lParam, const std::string& strWhat);

private:
    std::vector<std::vector<std::string>> m_rows;
    // A walk has read the whole table since the page opened.
    bool m_bHaveList = false;
    CReadReport m_readReport;
};
