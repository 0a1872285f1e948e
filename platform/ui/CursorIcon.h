// Icons and cursors: from the resource scripts (ICON and CURSOR statements) or
// the standard ones (IDI_*, IDC_*). Null when the id names none.
#pragma once

#include "platform/ui/UiTypes.h"

HICON LoadIconResource(UINT id);
HICON LoadStandardIconResource(UINT idi);
HCURSOR LoadCursorResource(UINT id);
HCURSOR LoadStandardCursorResource(UINT idc);

// The cursor over the window whose mouse message is being handled (else over
// the active window); returns the cursor set before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// Size of an icon's large image and a cursor's hot spot, in pixels.
SIZE GetIconSize(HICON icon);
POINT GetCursorHotSpot(HCURSOR cursor);
