#include "platform/ui/SysColor.h"

#include "platform/ui/CBrush.h"
#include "platform/ui/GdiObjectData.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <memory>
#include <mutex>

namespace {

constexpr int kCount = COLOR_INFOBK + 1;

// The classic colours, for a process without an application object.
constexpr std::array<COLORREF, kCount> kClassic = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
};

bool ThemeRole(int index, QPalette::ColorGroup& group, QPalette::ColorRole& role)
{
    group = QPalette::Active;
    switch (index) {
    case COLOR_WINDOW:
        role = QPalette::Base;
        return true;
    case COLOR_WINDOWTEXT:
        role = QPalette::Text;
        return true;
    case COLOR_BTNFACE:
        role = QPalette::Button;
        return true;
    case COLOR_BTNTEXT:
        role = QPalette::ButtonText;
        return true;
    case COLOR_BTNSHADOW:
        role = QPalette::Dark;
        return true;
    case COLOR_BTNHIGHLIGHT:
        role = QPalette::Light;
        return true;
    case COLOR_3DDKSHADOW:
        role = QPalette::Shadow;
        return true;
    case COLOR_3DLIGHT:
        role = QPalette::Midlight;
        return true;
    case COLOR_HIGHLIGHT:
        role = QPalette::Highlight;
        return true;
    case COLOR_HIGHLIGHTTEXT:
        role = QPalette::HighlightedText;
        return true;
    case COLOR_GRAYTEXT:
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true;
    case COLOR_INFOTEXT:
        role = QPalette::ToolTipText;
        return true;
    case COLOR_INFOBK:
        role = QPalette::ToolTipBase;
        return true;
    default:
        return false;
    }
}

} // namespace

COLORREF GetSysColor(int index)
{
    if (index < 0 || index >= kCount)
        return 0;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr && ThemeRole(index, group, role))
        return gdi_detail::ToColorRef(QGuiApplication::palette().color(group, role).rgb());
    return kClassic[static_cast<std::size_t>(index)];
}

CBrush* GetSysColorBrush(int index)
{
    static std::mutex lock;
    static std::array<std::unique_ptr<CBrush>, kCount> brushes;
    if (index < 0 || index >= kCount)
        return nullptr;
    std::lock_guard guard(lock);
    auto& brush = brushes[static_cast<std::size_t>(index)];
    if (!brush)
        brush = std::make_unique<CBrush>(GetSysColor(index));
    return brush.get();
}
