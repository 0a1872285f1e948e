#include "platform/ui/CFont.h"

#include "platform/ui/GdiObjectData.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, const std::string& faceName)
{
    (void)width, (void)escapement, (void)orientation, (void)charSet, (void)outPrecision, (void)clipPrecision,
        (void)pitchAndFamily;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return FALSE; // fonts need the application's font system
    QFont font = QGuiApplication::font();
    if (!faceName.empty())
        font.setFamilies({QString::fromStdString(faceName)});
    constexpr int kLargest = 2000;
    if (height < 0) {
        font.setPixelSize(std::min(-height, kLargest));
    } else if (height > 0) {
        // A cell height: scale the character height so that the cell fits.
        font.setPixelSize(std::min(height, kLargest));
        const int cell = QFontMetrics(font).height();
        if (cell > height)
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
    }
    const int w = weight == FW_DONTCARE ? FW_NORMAL : std::clamp(weight, 100, 900);
    font.setWeight(static_cast<QFont::Weight>(w));
    font.setItalic(italic != 0);
    font.setUnderline(underline != 0);
    font.setStrikeOut(strikeOut != 0);
    if (quality == ANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::PreferAntialias);
    else if (quality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    auto data = std::make_shared<gdi_detail::GdiObjectData>();
    data->kind = gdi_detail::GdiKind::Font;
    data->font = font;
    SetData(std::move(data));
    return TRUE;
}
