// The cache of the small resource bitmaps the main window paints over the
// front panel (LEDs and lamps): each loaded bitmap with a memory device
// context, from which it is copied in its own size to a point of another
// context. It also holds the LED position table that the panel description
// reader fills.
//
// Threads: the painting (UI thread) and the status polling draw from the
// cache at the same time; loading and drawing hold the cache's own lock, so a
// copy never meets another one half-way through selecting its bitmap.
#pragma once

#include "panel/LedPosition.h"
#include "platform/ui/CBitmap.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CDialog.h"

#include <memory>
#include <mutex>
#include <vector>

// Draws a cached bitmap at an entry of the LED position table: wParam & 0x7F
// is the entry, bit 0x80 chooses its first point; lParam is the bitmap id.
inline constexpr UINT WM_DRAW_LED = 0x802;

class CMyBitmapApp : public CDialog
{
public:
    // Entries of the LED position table.
    static constexpr int kLedPositionCount = 100;

    CMyBitmapApp();
    ~CMyBitmapApp() override;

    // Appends a cache entry, loads bitmap resource id into it and makes its
    // memory context compatible with dc. False when a step fails; the entry
    // then stays with id 0 and draws nothing.
    bool LoadBitmap(CDC* dc, UINT id);
    // Copies bitmap id in its own size to (x, y) of dc, from (srcX, srcY) of
    // the bitmap. An id that is not cached draws the first bitmap loaded.
    void DrawBitmap(CDC* dc, UINT id, int x, int y, int srcX, int srcY);
    // Frees every entry.
    void ReleaseCache();
    // Entries loaded (failed ones included).
    int GetCount() const;

    // The LED position table: the panel description reader appends to it.
    // Only its first kLedPositionCount entries are used.
    std::vector<LedPosition>& LedPositions() { return m_ledPositions; }
    // Empties the table (the main window does so when it is constructed).
    void ResetLedPositions() { m_ledPositions.clear(); }

protected:
    LRESULT OnDrawLed(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    struct Node
    {
        CDC dc;
        CBitmap bitmap;
        BITMAP info{};
        int sequence = 0; // the entry's position in load order, from 1
        UINT id = 0;
    };
    Node* Find(UINT id);

    std::vector<LedPosition> m_ledPositions;
    // In load order; drawing searches from the first.
    std::vector<std::unique_ptr<Node>> m_nodes;
    mutable std::mutex m_lock;
};

// The cache of the running main window; null while there is none.
extern CMyBitmapApp* g_pBitmapCache;
