#include "panel/CVirtualDev.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

std::function<void(PartCursor)>& CursorAction()
{
    static std::function<void(PartCursor)> action;
    return action;
}

} // namespace

CVirtualDev::CVirtualDev() = default;

CVirtualDev::~CVirtualDev()
{
    m_bitmap.Release();
    m_children.clear();
}

const char* CVirtualDev::GetRuntimeClassName() const
{
    return "CObject";
}

void CVirtualDev::OnMouseMove(int& x, int& y)
{
    if (HitTest(x, y))
        ShowCursor(PartCursor::Arrow);
}

void CVirtualDev::OnMouseReserved(int&, int&) {}

void CVirtualDev::SetType(int&) {}

int CVirtualDev::Refresh()
{
    std::lock_guard lock(PanelLock());
    const char* name = GetBitmapFile();
    if (name == nullptr || *name == '\0')
        return 0;
    return m_bitmap.LoadFromFile(name);
}

void CVirtualDev::Draw()
{
    std::lock_guard lock(PanelLock());
    if (m_pDC != nullptr)
        m_bitmap.DrawStretched(m_pDC, m_nLeft, m_nTop, m_nWidth, m_nHeight);
}

void CVirtualDev::OnClick(int&, int&) {}

CVirtualDev* CVirtualDev::AddChild(std::unique_ptr<CVirtualDev> part)
{
    if (!part)
        return nullptr;
    m_children.push_back(std::move(part));
    return m_children.back().get();
}

CVirtualDev* CVirtualDev::GetChild(int index) const
{
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return m_children[static_cast<std::size_t>(index)].get();
}

CVirtualDev* CVirtualDev::FindChildByClass(const std::string& className, int n) const
{
    if (n < 0)
        return nullptr;
    for (const auto& child : m_children) {
        if (className == child->GetRuntimeClassName() && n-- == 0)
            return child.get();
    }
    return nullptr;
}

std::string CVirtualDev::GetClassName(const CVirtualDev* part)
{
    return part != nullptr ? part->GetRuntimeClassName() : "";
}

void CVirtualDev::SetGeometry(int left, int top, int width, int height)
{
    m_nLeft = left;
    m_nTop = top;
    m_nWidth = width;
    m_nHeight = height;
}

void CVirtualDev::GetRect(CRect* out) const
{
    // The reader bounds what it reads; geometry set otherwise still never
    // overflows here.
    auto end = [](int from, int extent) {
        return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{from} + extent, INT_MIN, INT_MAX));
    };
    if (out != nullptr)
        out->SetRect(m_nLeft, m_nTop, end(m_nLeft, m_nWidth), end(m_nTop, m_nHeight));
}

void CVirtualDev::SetBitmapFile(const char* name)
{
    if (name == nullptr)
        m_strBitmapFile.reset();
    else
        m_strBitmapFile = name;
}

const char* CVirtualDev::GetBitmapFile() const
{
    return m_strBitmapFile ? m_strBitmapFile->c_str() : nullptr;
}

void CVirtualDev::SetState(int state)
{
    std::lock_guard lock(PanelLock());
    StoreState(state);
}

void CVirtualDev::StoreState(int state)
{
    if (state == m_nState)
        return;
    m_nState = state;
    m_bDirty = 1;
}

int CVirtualDev::GetState() const
{
    std::lock_guard lock(PanelLock());
    return m_nState;
}

BYTE CVirtualDev::IsDirty() const
{
    std::lock_guard lock(PanelLock());
    return m_bDirty;
}

void CVirtualDev::SetDC(CDC* dc)
{
    std::lock_guard lock(PanelLock());
    m_pDC = dc;
    for (const auto& child : m_children)
        child->SetDC(dc);
}

CDC* CVirtualDev::GetDC() const
{
    std::lock_guard lock(PanelLock());
    return m_pDC;
}

void CVirtualDev::SetOwner(CWnd* wnd, const CRect& clientRect)
{
    m_pOwner = wnd;
    m_rcOwnerClient = clientRect;
    m_nRefWidth = clientRect.Width();
    m_nRefHeight = clientRect.Height();
    for (const auto& child : m_children)
        child->SetOwner(wnd, clientRect);
}

void CVirtualDev::DrawChildren()
{
    std::lock_guard lock(PanelLock());
    for (const auto& child : m_children) {
        child->Draw();
        child->m_bDirty = 0;
    }
}

bool CVirtualDev::HitTest(int x, int y) const
{
    // Scale the design rectangle from the reference size to the client size;
    // without a reference size the scale is 1.
    std::int64_t x0 = m_nLeft;
    std::int64_t y0 = m_nTop;
    std::int64_t x1 = x0 + m_nWidth;
    std::int64_t y1 = y0 + m_nHeight;
    const std::int64_t clientWidth = m_rcOwnerClient.Width();
    const std::int64_t clientHeight = m_rcOwnerClient.Height();
    if (m_nRefWidth > 0) {
        x0 = clientWidth * m_nLeft / m_nRefWidth;
        x1 = x0 + clientWidth * m_nWidth / m_nRefWidth;
    }
    if (m_nRefHeight > 0) {
        y0 = clientHeight * m_nTop / m_nRefHeight;
        y1 = y0 + clientHeight * m_nHeight / m_nRefHeight;
    }
    return x0 + 2 < x && x < x1 - 2 && y0 + 2 < y && y < y1 - 2;
}

std::recursive_mutex& CVirtualDev::PanelLock()
{
    static std::recursive_mutex lock;
    return lock;
}

void CVirtualDev::SetCursorAction(std::function<void(PartCursor)> action)
{
    CursorAction() = std::move(action);
}

void CVirtualDev::ShowCursor(PartCursor cursor)
{
    if (CursorAction())
        CursorAction()(cursor);
}
