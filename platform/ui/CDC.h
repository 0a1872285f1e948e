// A device context: draws on an image with the selected pen, brush, font,
// colours and modes. A memory context (CreateCompatibleDC) draws on the bitmap
// selected into it; a window's contexts draw on the window's kept image
// (CPaintDC, CClientDC). Every drawing call locks the image it draws on, so
// several threads may draw through one context or onto one image at a time;
// the settings of a context (selected objects, colours, position) are its own
// and also safe to change from several threads.
//
// A printer context (CPrintDialog::CreatePrinterDC) prints instead, on the UI
// thread: a job from StartDoc to EndDoc (or AbortDoc), each page between
// StartPage and EndPage; TextOut, MoveTo/LineTo and GetTextExtent work in its
// mapping mode (MM_TEXT: device dots; MM_TWIPS: 1440 a inch, y negative down
// the page) and print in the device's default font, with the selected pen and
// the text colour; TextOut's point is the text's top left corner (the text
// alignment is not used). The other drawing calls print nothing.
#pragma once

#include "platform/ui/CPoint.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CSize.h"
#include "platform/ui/GdiTypes.h"

#include <cstddef>
#include <memory>
#include <string>

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPalette;
class CPen;

namespace gdi_detail {
class DrawSurface;
class PrinterDevice;
} // namespace gdi_detail

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
// GetClipBox results.
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
// Mapping modes.
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_TWIPS = 6;
// StartDoc and the page calls on failure.
inline constexpr int SP_ERROR = -1;

// A print job: its name, the file it goes to (null: the printer's own
// output) and the data type (not used).
struct DOCINFO
{
    int cbSize = sizeof(DOCINFO);
    const char* lpszDocName = nullptr;
    const char* lpszOutput = nullptr;
    const char* lpszDatatype = nullptr;
    DWORD fwType = 0;
};

class CDC
{
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context, without image until a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    // Non-null while the context exists.
    const void* GetSafeHdc() const;
    // TRUE for a printer context.
    BOOL IsPrinting() const;

    // MM_TEXT or MM_TWIPS (the latter on a printer context only); returns the
    // mode before, 0 when the mode is refused.
    int SetMapMode(int mode);
    int GetMapMode() const;
    // Printer contexts: StartDoc returns a positive job number, SP_ERROR when
    // the job cannot start; the others a positive number, or SP_ERROR (0 for
    // EndDoc and AbortDoc) when they fail.
    int StartDoc(const DOCINFO* info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

    // Each returns the object selected before (the context's own default the
    // first time), or null when the object is empty or, for a bitmap, this is
    // no memory context.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    // A stock pen, brush or font; returns what was selected before.
    CGdiObject* SelectStockObject(int index);
    // Palettes change no colour here; realising one changes nothing (0).
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();

    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode); // TRANSPARENT or OPAQUE
    int GetBkMode() const;
    UINT SetTextAlign(UINT align); // TA_LEFT/TA_CENTER/TA_RIGHT with TA_TOP/TA_BOTTOM/TA_BASELINE
    UINT GetTextAlign() const;
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const;
    // Logical point (x, y) lands on the image's (0, 0).
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const;
    // The image's bounds in logical coordinates.
    int GetClipBox(LPRECT rect) const;

    // Copies (SRCCOPY only) from `source`; the part of the source rectangle
    // outside the source image is left out. StretchBlt scales by taking the
    // nearest pixel.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, int srcWidth, int srcHeight,
                    DWORD rop);
    // Device-independent rows (`bitsSize` bytes of them) drawn scaled into the
    // rectangle. Returns the scan lines drawn, 0 on failure.
    int StretchDIBits(int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                      const void* bits, std::size_t bitsSize, const BITMAPINFO* info, UINT usage, DWORD rop);
    // Device-independent rows drawn unscaled: `scanLines` scan lines from
    // `startScan` are given; (srcX, srcY) counts from the bitmap's lower left
    // corner as in a bottom-up bitmap. Returns the scan lines set.
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan, UINT scanLines,
                          const void* bits, std::size_t bitsSize, const BITMAPINFO* info, UINT usage);

    // Fills (right and bottom edges outside).
    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
    // A one-pixel frame inside the rectangle.
    void FrameRect(LPCRECT rect, CBrush* brush);
    // Outline with the pen, inside with the brush.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    // Lines from the current position; the end point itself is not drawn.
    CPoint MoveTo(int x, int y);
    BOOL LineTo(int x, int y);
    COLORREF SetPixel(int x, int y, COLORREF colour);
    COLORREF GetPixel(int x, int y) const; // CLR_INVALID outside the image

    // Text in the selected font and text colour; with OPAQUE the text's box is
    // filled with the background colour first.
    BOOL TextOut(int x, int y, const std::string& text);
    // Text in a rectangle by DT_ flags (alignment, DT_SINGLELINE,
    // DT_WORDBREAK, DT_NOPREFIX, DT_CALCRECT, DT_NOCLIP). Returns the text's
    // height; with DT_CALCRECT the rectangle is fitted to the text instead.
    int DrawText(const std::string& text, LPRECT rect, UINT format);
    CSize GetTextExtent(const std::string& text) const;

    // Inside the window layer: the image this context draws on.
    void AttachSurface(std::shared_ptr<gdi_detail::DrawSurface> surface);
    std::shared_ptr<gdi_detail::DrawSurface> Surface() const;
    // Inside the window layer: makes this a printer context of `printer`.
    void AttachPrinter(std::shared_ptr<gdi_detail::PrinterDevice> printer);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
