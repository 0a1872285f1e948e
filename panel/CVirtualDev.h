// A part of the front-panel picture: the base of every part of the tree that
// the panel description builds (root, plates, ports, lamps, LEDs, slots, power
// and console-type parts). A part owns its children, has a design rectangle
// in the main window's client area and, for most kinds, a bitmap drawn into
// that rectangle. Parts are told apart by their run-time class name only.
//
// Threads: the tree is built on the user-interface thread before any other
// thread sees it; afterwards its shape and rectangles do not change. The
// states, the bitmaps and the device context do change from the polling and
// the SNMP worker threads while the user-interface thread draws, so every
// operation that reads or writes them holds the one panel lock.
#pragma once

#include "panel/CDIBitmap.h"
#include "platform/ui/CRect.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CDC;
class CWnd;

// The pointer shapes a part asks for when the mouse moves over it.
enum class PartCursor
{
    Arrow,
    Hand,
};

class CVirtualDev
{
public:
    CVirtualDev();
    virtual ~CVirtualDev();
    CVirtualDev(const CVirtualDev&) = delete;
    CVirtualDev& operator=(const CVirtualDev&) = delete;

    // The run-time class name: "CObject" for the base and for CPower.
    virtual const char* GetRuntimeClassName() const;
    // Arrow cursor when the point is inside the part.
    virtual void OnMouseMove(int& x, int& y);
    // Does nothing in every kind of part.
    virtual void OnMouseReserved(int& x, int& y);
    // Does nothing; a lamp stores its lamp type.
    virtual void SetType(int& type);
    // Loads the bitmap file into the part's bitmap; 1 on success, 0 when the
    // name is absent or empty or the file cannot be loaded.
    virtual int Refresh();
    // Draws the part's bitmap stretched into the design rectangle on the
    // part's device context; nothing without a loaded bitmap or a context.
    virtual void Draw();
    // Does nothing.
    virtual void OnClick(int& x, int& y);

    // Appends part to the children and takes it over; null is ignored.
    // Returns the part.
    CVirtualDev* AddChild(std::unique_ptr<CVirtualDev> part);
    // The child at index, or null when index is not a valid child index.
    CVirtualDev* GetChild(int index) const;
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    // The n-th direct child (counting from 0) whose class name is className;
    // null when there are fewer, or when n is negative.
    CVirtualDev* FindChildByClass(const std::string& className, int n) const;
    // The run-time class name of part; "" for null.
    static std::string GetClassName(const CVirtualDev* part);

    void SetGeometry(int left, int top, int width, int height);
    int GetLeft() const { return m_nLeft; }
    int GetTop() const { return m_nTop; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // The design rectangle: (left, top, left + width, top + height).
    void GetRect(CRect* out) const;

    void SetID(const std::string& id) { m_strID = id; }
    const std::string& GetID() const { return m_strID; }
    void SetName(const std::string& name) { m_strName = name; }
    const std::string& GetName() const { return m_strName; }
    // Stores a copy of name; null makes the name absent.
    void SetBitmapFile(const char* name);
    // The stored name, null when none was set.
    const char* GetBitmapFile() const;

    // Stores state and marks the part dirty, unless it already has that state.
    void SetState(int state);
    int GetState() const;
    BYTE IsDirty() const;

    // Stores dc in the part and in every descendant.
    void SetDC(CDC* dc);
    CDC* GetDC() const;
    // Stores the owner window and its client rectangle, whose size is also
    // the reference size for scaling, in the part and every descendant.
    // User-interface thread only, like the hit test that reads them.
    void SetOwner(CWnd* wnd, const CRect& clientRect);
    CWnd* GetOwner() const { return m_pOwner; }

    // Draws each direct child in order and clears its dirty flag; does not
    // descend further.
    void DrawChildren();

    // Whether the client point (x, y) lies strictly inside the part's scaled
    // rectangle shrunk by 2 pixels on every side. Before the owner's size is
    // known (reference size 0) the design rectangle is used unscaled.
    bool HitTest(int x, int y) const;

    // The lock that guards the states, bitmaps and device contexts of every
    // part. Recursive: a port's status change refreshes its bitmap and updates
    // its lamps under the one lock.
    static std::recursive_mutex& PanelLock();

    // How a pointer shape asked for by a part is shown; the main window
    // installs it on the user-interface thread (none: nothing is shown).
    static void SetCursorAction(std::function<void(PartCursor)> action);

    // The part's current image; hold the panel lock while reading it.
    const CDIBitmap& GetBitmap() const { return m_bitmap; }

protected:
    static void ShowCursor(PartCursor cursor);

    // Stores state and marks the part dirty; the caller holds the panel lock.
    void StoreState(int state);

    std::vector<std::unique_ptr<CVirtualDev>> m_children;
    std::string m_strID;
    std::string m_strName = "VirtualDev";
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nRefWidth = 0;
    int m_nRefHeight = 0;
    CRect m_rcOwnerClient;
    int m_nState = 0;
    BYTE m_bDirty = 1;
    CDC* m_pDC = nullptr;
    CWnd* m_pOwner = nullptr;
    std::optional<std::string> m_strBitmapFile;
    CDIBitmap m_bitmap;
};
