// Platform-internal: icons, cursors and bitmaps of the resource scripts and
// the standard ones, behind the HICON and HCURSOR handles. Handles stay valid
// for the life of the process; loading the same id again gives the same handle.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QCursor>
#include <QIcon>
#include <QImage>

class ResourceImages
{
public:
    static HICON LoadIcon(UINT id);
    static HICON StandardIcon(UINT idi);
    static HCURSOR LoadCursor(UINT id);
    static HCURSOR StandardCursor(UINT idc);
    static QImage Bitmap(UINT id);

    // UI thread only (the icon of a standard icon comes from the style).
    static QIcon Icon(HICON icon);
    static QCursor Cursor(HCURSOR cursor);
    // Any thread.
    static QSize IconSize(HICON icon);
    static QPoint HotSpot(HCURSOR cursor);
    static bool IsIcon(HICON icon);
    static bool IsCursor(HCURSOR cursor);
};
