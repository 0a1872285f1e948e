// The wait cursor while an object of this class lives (and between
// BeginWaitCursor and EndWaitCursor). Nested uses count.
#pragma once

class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again (after a message box, for example).
    void Restore();

    static void Begin();
    static void End();
    static void RestoreCurrent();
    static int Depth();
};
