// Windows that draw: WM_ERASEBKGND and WM_PAINT draw on the window's kept
// image, which the window shows; drawing through a kept device context shows
// without another paint; fonts, and bitmaps from the resources.
#include "platform/ui/CBitmap.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CClientDC.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/GdiObjectData.h"
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QLabel>

namespace ui_test {

namespace {

// A window that fills its client area in one colour and counts its messages.
class SwatchWnd : public CWnd
{
public:
    COLORREF colour = RGB(0, 128, 255);
    bool handleErase = false;
    int erases = 0;
    int paints = 0;

protected:
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        ++erases;
        return handleErase ? TRUE : CWnd::OnEraseBkgnd(pDC);
    }
    void OnPaint()
    {
        ++paints;
        CPaintDC dc(this);
        CRect inner(4, 4, 20, 20);
        dc.FillSolidRect(&inner, colour);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SwatchWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

QRgb PixelAt(CWnd& wnd, int x, int y)
{
    return wnd.GetWidget()->grab().toImage().pixel(x, y);
}

QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct Swatch
{
    Swatch()
    {
        EnsureApplication();
        dialog.Create(IDD_UI_TEST);
        dialog.ShowWindow(SW_SHOW);
        swatch.Create("KorvelSwatch", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &dialog, 4000);
    }
    ~Swatch() { dialog.DestroyWindow(); }
    TestDialog dialog;
    SwatchWnd swatch;
};

} // namespace

TEST(Paint, EraseAndPaintDrawOnTheImageTheWindowShows)
{
    Swatch s;
    const QRgb inside = PixelAt(s.swatch, 10, 10);
    EXPECT_EQ(inside, Rgb(s.swatch.colour));
    EXPECT_EQ(s.swatch.erases, 1);
    EXPECT_EQ(s.swatch.paints, 1);
    // The default erase fills the window with its background.
    const QColor background = s.swatch.GetWidget()->palette().color(s.swatch.GetWidget()->backgroundRole());
    EXPECT_EQ(PixelAt(s.swatch, 30, 25), background.rgb());

    // Shown again without being invalid: no new erase or paint.
    PixelAt(s.swatch, 0, 0);
    EXPECT_EQ(s.swatch.paints, 1);

    // Invalidated: erased and painted again; an erase the window handles leaves the image as it was.
    s.swatch.colour = RGB(200, 0, 0);
    s.swatch.handleErase = true;
    {
        CClientDC dc(&s.swatch);
        CRect corner(40, 20, 50, 30);
        dc.FillSolidRect(&corner, RGB(0, 160, 0));
    }
    s.swatch.Invalidate();
    EXPECT_EQ(PixelAt(s.swatch, 10, 10), Rgb(RGB(200, 0, 0)));
    EXPECT_EQ(PixelAt(s.swatch, 45, 25), Rgb(RGB(0, 160, 0)));
    EXPECT_EQ(s.swatch.erases, 2);
    EXPECT_EQ(s.swatch.paints, 2);
}

TEST(Paint, DrawingThroughAKeptContextShowsWithoutAnotherPaint)
{
    Swatch s;
    PixelAt(s.swatch, 0, 0);
    CDC* kept = s.swatch.GetDC();
    ASSERT_NE(kept, nullptr);
    CRect led(30, 5, 36, 9);
    kept->FillSolidRect(&led, RGB(0, 200, 0));
    // The change is shown by the event loop.
    auto shown = [&] {
        QCoreApplication::processEvents();
        return s.swatch.GetWidget()->grab().toImage().pixel(32, 6) == Rgb(RGB(0, 200, 0));
    };
    EXPECT_TRUE(PumpUntil(shown, 2000));
    EXPECT_EQ(s.swatch.paints, 1);
    EXPECT_EQ(s.swatch.ReleaseDC(kept), 1);
    EXPECT_EQ(s.swatch.ReleaseDC(kept), 0);
    // A context of a window that is gone draws nowhere, harmlessly.
    CDC* late = s.swatch.GetDC();
    s.swatch.DestroyWindow();
    late->FillSolidRect(&led, RGB(1, 2, 3));
    EXPECT_EQ(s.swatch.GetDC(), nullptr);
}

TEST(Paint, FontsOfWindows)
{
    Swatch s;
    CWnd* label = s.dialog.GetDlgItem(IDC_TEST_NOTE);
    CFont* dialogFont = s.dialog.GetFont();
    ASSERT_NE(dialogFont, nullptr);
    EXPECT_EQ(label->GetWidget()->font(), dialogFont->Data()->font);
    CFont bold;
    ASSERT_TRUE(bold.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 1, 2, 1, 0, 0, "MS Sans Serif"));
    label->SetFont(&bold);
    EXPECT_EQ(label->GetWidget()->font().pixelSize(), 20);
    EXPECT_EQ(label->GetFont()->Data()->font.pixelSize(), 20);
    EXPECT_TRUE(label->GetFont()->Data()->font.bold());
}

TEST(Paint, BitmapsFromTheResources)
{
    Swatch s;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_UI_TEST));
    EXPECT_EQ(bitmap.GetSize(), CSize(40, 12));
    EXPECT_FALSE(CBitmap().LoadBitmap(4711));
    auto* picture = static_cast<CStatic*>(s.dialog.GetDlgItem(IDC_TEST_BITMAP));
    EXPECT_TRUE(picture->SetBitmap(&bitmap));
    EXPECT_EQ(static_cast<QLabel*>(picture->GetWidget())->pixmap().size(), QSize(40, 12));
}

} // namespace ui_test
