#include "common/CBtnEXT.h"

#include "common/ClxDialog.h"

#include <algorithm>
#include <string>

namespace {
constexpr int kMaxOneRow = 28;
}

CBtnEXT::CBtnEXT(int nCount, int nBoxSize, int nRowGap)
    : m_nBoxSize(nBoxSize), m_nRowGap(nRowGap), m_nCount(std::max(nCount, 0))
{
}

CBtnEXT::~CBtnEXT()
{
    DestroyControls();
}

void CBtnEXT::DestroyControls()
{
    for (auto& button : m_buttons)
        if (::IsWindow(button->GetSafeHwnd()))
            button->DestroyWindow();
    for (auto& label : m_labels)
        if (::IsWindow(label->GetSafeHwnd()))
            label->DestroyWindow();
    m_buttons.clear();
    m_labels.clear();
}

void CBtnEXT::SetParentDlg(ClxDialog* pDlg)
{
    m_pParent = pDlg;
}

int CBtnEXT::PerRow() const
{
    return m_nCount <= kMaxOneRow ? m_nCount : m_nCount / 2;
}

void CBtnEXT::ComputeSpacing(int nLeft, int nRight)
{
    const int n = PerRow();
    m_nSpacing = n > 1 ? (nRight - nLeft - n * m_nBoxSize) / (n - 1) : 0;
}

void CBtnEXT::SetSpacing(int nSpacing)
{
    m_nSpacing = nSpacing;
}

void CBtnEXT::Create(UINT nStyle, UINT nFirstID, int x1, int y1, int x2, int y2, int nPlacement)
{
    Create(nStyle, nFirstID, CRect(x1, y1, x2, y2), nPlacement);
}

void CBtnEXT::Create(UINT nStyle, UINT nFirstID, CRect rcRef, int nPlacement)
{
    DestroyControls();
    m_nFirstID = nFirstID;
    m_nState = 2;
    const bool labels = nStyle == LABEL_STYLE;

    const int x0 = nPlacement == 0 ? rcRef.right : rcRef.left;
    const int y0 = nPlacement == 0 ? rcRef.top : rcRef.bottom;
    const int n = PerRow();
    const int pitch = m_nSpacing + m_nBoxSize;

    for (int i = 0; i < m_nCount; ++i) {
        const bool firstRow = i < n;
        const int x = x0 + (firstRow ? i : i - n) * pitch;
        const int y = firstRow ? y0 : y0 + m_nBoxSize + m_nRowGap + m_nExtraRowGap;
        const CRect rc(x, y, x + m_nBoxSize, y + m_nBoxSize);
        const UINT id = nFirstID + static_cast<UINT>(i);
        if (labels) {
            auto label = std::make_unique<CStatic>();
            label->Create(std::to_string(i + 1).c_str(), WS_CHILD | nStyle, rc, m_pParent, id);
            label->ShowWindow(SW_SHOW);
            m_labels.push_back(std::move(label));
        } else {
            auto button = std::make_unique<CButton>();
            button->Create("", WS_CHILD | nStyle, rc, m_pParent, id);
            button->ShowWindow(SW_SHOW);
            m_buttons.push_back(std::move(button));
        }
    }
}

void CBtnEXT::GetBoundingRect(CRect* pRect) const
{
    if (pRect == nullptr)
        return;
    CWnd* first = nullptr;
    CWnd* last = nullptr;
    if (!m_buttons.empty()) {
        first = m_buttons.front().get();
        last = m_buttons.back().get();
    } else if (!m_labels.empty()) {
        first = m_labels.front().get();
        last = m_labels.back().get();
    }
    if (first == nullptr || m_pParent == nullptr) {
        pRect->SetRectEmpty();
        return;
    }
    CRect rcFirst;
    CRect rcLast;
    first->GetWindowRect(&rcFirst);
    last->GetWindowRect(&rcLast);
    m_pParent->ScreenToClient(&rcFirst);
    m_pParent->ScreenToClient(&rcLast);
    pRect->SetRect(rcFirst.left, rcFirst.top, rcLast.right, rcLast.bottom);
}

CButton* CBtnEXT::Button(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_buttons.size()))
        return nullptr;
    return m_buttons[static_cast<size_t>(nIndex)].get();
}

void CBtnEXT::EnableButton(BOOL bEnable, int nIndex)
{
    if (CButton* button = Button(nIndex))
        button->EnableWindow(bEnable);
}

void CBtnEXT::SetCheck(int nCheck, int nIndex)
{
    if (CButton* button = Button(nIndex))
        button->SetCheck(nCheck);
}

int CBtnEXT::GetCheck(int nIndex) const
{
    const CButton* button = Button(nIndex);
    return button != nullptr ? button->GetCheck() : BST_UNCHECKED;
}

void CBtnEXT::ShowAll(int nCmdShow)
{
    for (auto& button : m_buttons)
        if (::IsWindow(button->GetSafeHwnd()))
            button->ShowWindow(nCmdShow);
    for (auto& label : m_labels)
        label->ShowWindow(nCmdShow);
}
