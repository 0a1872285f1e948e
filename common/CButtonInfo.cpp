#include "common/CButtonInfo.h"

#include "common/CButtonEx.h"

CButtonInfo::CButtonInfo() = default;

CButtonInfo::CButtonInfo(int row, int column) : m_nRow(row), m_nColumn(column) {}

CButtonInfo::~CButtonInfo() = default;

CButtonInfo::CButtonInfo(CButtonInfo&&) noexcept = default;

CButtonInfo& CButtonInfo::operator=(CButtonInfo&&) noexcept = default;
