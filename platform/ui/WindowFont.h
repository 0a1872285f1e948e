// Platform-internal: the font of a window as a CFont (CWnd::GetFont).
#pragma once

#include "platform/ui/CFont.h"

#include <QFont>

class WindowFont : public CFont
{
public:
    void Assign(const QFont& font);
};
