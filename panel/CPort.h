// A port of the front panel (PORT). Its state is its status (PortStatus),
// which chooses one of five bitmaps and is handed on to the lamps attached to
// it. A click on a port announces itself to other programs and runs the
// port-click action that the main window installs.
#pragma once

#include "panel/BitmapNameTable.h"
#include "panel/CSubject.h"
#include "panel/CVirtualDev.h"
#include "panel/PartStates.h"

#include <functional>

// The registered message a click on a port announces to other programs.
inline constexpr char kPortClickMessage[] = "{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}";

class CPort : public CVirtualDev, public CSubject
{
public:
    using CVirtualDev::GetState;
    using CVirtualDev::SetState;

    CPort();

    const char* GetRuntimeClassName() const override { return "CPort"; }
    // Hand cursor when the point is inside the port.
    void OnMouseMove(int& x, int& y) override;
    // Loads the bitmap of the port's status; 1 on success or for a status
    // outside 0 to 4, 0 when the bitmap cannot be loaded.
    int Refresh() override;
    // When hit: broadcasts the port-click message (wParam 0, lParam the click
    // value), then runs the click action.
    void OnClick(int& x, int& y) override;

    // Bitmap of status index 0 to 4; another index is ignored, null makes it absent.
    void SetBitmap(int index, const char* name);
    // The bitmap name of status index, null when none.
    const char* GetStatusBitmap(int index) const;

    // Sets the status: unless it is the current one, stores it, gives every
    // attached lamp its value and reloads the port's bitmap.
    void SetStatus(int status);

    // The value sent as lParam with the port-click message.
    int GetClickValue() const { return m_nClickValue; }

    // The action a click on a port runs after the broadcast (the main window
    // opens the port configuration there). Set on the user-interface thread.
    static void SetClickAction(std::function<void(CPort&)> action);

private:
    BitmapNameTable m_statusBitmaps{kPortStatusCount};
    int m_nClickValue = 0;
};
