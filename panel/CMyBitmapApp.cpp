#include "panel/CMyBitmapApp.h"

#include "platform/ui/CWinApp.h"

CMyBitmapApp* g_pBitmapCache = nullptr;

BEGIN_MESSAGE_MAP(CMyBitmapApp, CDialog)
    ON_MESSAGE(WM_DRAW_LED, OnDrawLed)
END_MESSAGE_MAP()

CMyBitmapApp::CMyBitmapApp() = default;

CMyBitmapApp::~CMyBitmapApp()
{
    ReleaseCache();
}

bool CMyBitmapApp::LoadBitmap(CDC* dc, UINT id)
{
    std::lock_guard lock(m_lock);
    auto node = std::make_unique<Node>();
    node->sequence = static_cast<int>(m_nodes.size()) + 1;
    Node& added = *node;
    m_nodes.push_back(std::move(node));
    if (!added.bitmap.LoadBitmap(id) || added.bitmap.GetBitmap(&added.info) == 0 || !added.dc.CreateCompatibleDC(dc))
        return false;
    added.id = id;
    return true;
}

CMyBitmapApp::Node* CMyBitmapApp::Find(UINT id)
{
    if (m_nodes.empty())
        return nullptr;
    for (const auto& node : m_nodes) {
        if (node->id == id)
            return node.get();
    }
    return m_nodes.front().get();
}

void CMyBitmapApp::DrawBitmap(CDC* dc, UINT id, int x, int y, int srcX, int srcY)
{
    if (dc == nullptr)
        return;
    std::lock_guard lock(m_lock);
    Node* node = Find(id);
    if (node == nullptr || node->id == 0)
        return;
    CBitmap* saved = node->dc.SelectObject(&node->bitmap);
    dc->BitBlt(x, y, node->info.bmWidth, node->info.bmHeight, &node->dc, srcX, srcY, SRCCOPY);
    if (saved != nullptr)
        node->dc.SelectObject(saved);
}

void CMyBitmapApp::ReleaseCache()
{
    std::lock_guard lock(m_lock);
    m_nodes.clear();
}

int CMyBitmapApp::GetCount() const
{
    std::lock_guard lock(m_lock);
    return static_cast<int>(m_nodes.size());
}

LRESULT CMyBitmapApp::OnDrawLed(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return 0;
    const std::size_t entry = wParam & 0x7F;
    if (entry >= m_ledPositions.size() || entry >= static_cast<std::size_t>(kLedPositionCount))
        return 0;
    const LedPosition& position = m_ledPositions[entry];
    const bool first = (wParam & 0x80) != 0;
    CWnd* mainWnd = AfxGetMainWnd();
    if (mainWnd == nullptr)
        return 0;
    CDC* dc = mainWnd->GetDC();
    DrawBitmap(dc, static_cast<UINT>(lParam), first ? position.x1 : position.x2, first ? position.y1 : position.y2, 0,
               0);
    mainWnd->ReleaseDC(dc);
    return 0;
}
