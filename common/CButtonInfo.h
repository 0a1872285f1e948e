// The buttons CReportCtrl keeps over one cell. The row and column are the ones
// the buttons were made for: sorting, moving or deleting rows does not change
// them. The record owns its button windows.
#pragma once

#include <memory>
#include <vector>

class CButtonEx;

class CButtonInfo
{
public:
    CButtonInfo();
    CButtonInfo(int row, int column);
    ~CButtonInfo();
    CButtonInfo(CButtonInfo&&) noexcept;
    CButtonInfo& operator=(CButtonInfo&&) noexcept;

    // Two records are equal when they name the same cell.
    bool operator==(const CButtonInfo& other) const { return m_nRow == other.m_nRow && m_nColumn == other.m_nColumn; }

    int m_nRow = -1;
    int m_nColumn = -1;
    std::vector<std::unique_ptr<CButtonEx>> m_arButtons;
};
