// A static text control that paints its window text in a chosen font face,
// height and style, a chosen text colour, an optional background colour and
// one of three alignments.
#pragma once

#include "platform/ui/CStatic.h"

#include <string>

class CFontStatic : public CStatic
{
public:
    // Style bits of SetFontStyle and SetTextFont.
    static constexpr int FS_BOLD = 0x01;
    static constexpr int FS_ITALIC = 0x02;
    static constexpr int FS_UNDERLINED = 0x04;
    static constexpr int FS_STRIKETHROUGH = 0x08;
    static constexpr int FS_ANTIALIAS = 0x10;
    static constexpr int FS_CENTER = 0x20;
    static constexpr int FS_LEFT = 0x40;
    static constexpr int FS_RIGHT = 0x80;

    CFontStatic();

    // Bits 0x01 to 0x10 turn their flag on (a clear bit leaves it); the
    // alignment becomes centred (0x20), else right (0x80), else left.
    void SetFontStyle(int nStyle);
    // Paints the background in this colour from now on.
    void SetBackground(COLORREF crBackground);
    void SetTextFont(const std::string& strFace, int nHeight, COLORREF crText, int nStyle);

protected:
    void PreSubclassWindow() override;
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    BYTE m_bBold = 0;
    BYTE m_bItalic = 0;
    BYTE m_bUnderlined = 0;
    BYTE m_bStrikethrough = 0;
    BYTE m_bAntialias = 0;
    BYTE m_bBackground = 0;
    BYTE m_bCenter = 0;
    BYTE m_bLeft = 1;
    BYTE m_bRight = 0;
    std::string m_strFace = "MS Sans Serif";
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBackground = RGB(255, 255, 255);
    int m_nHeight = 8;
    // Set once a font could not be made, so the user hears of it only once.
    bool m_bFontErrorShown = false;
};
