// The bitmap dialog base and the bitmap cache: the window placed and sized
// after the panel description, the background drawn stretched, centred or
// tiled, the port reset after a walk time-out, and the cache's look-up.
#include "support/ModelFolder.h"
#include "panel/CBitmapDialog.h"
#include "panel/CMyBitmapApp.h"
#include "panel/CPort.h"
#include "panel/DibImage.h"
#include "resources/main.h"

#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWindow>

#include <fstream>
#include <sstream>

namespace mainwin_test {

namespace {

constexpr COLORREF kCorner = RGB(200, 30, 30);
constexpr COLORREF kBody = RGB(30, 30, 200);

// A 24-bit bitmap of kBody with its top-left pixel kCorner.
void WriteBackground(const std::string& path, int width, int height)
{
    DibImage image;
    image.header.biWidth = width;
    image.header.biHeight = height;
    image.header.biBitCount = 24;
    image.pixels.assign(image.RowBytes() * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = x == 0 && y == 0 ? kCorner : kBody;
            BYTE* p = &image.pixels[static_cast<std::size_t>(height - 1 - y) * image.RowBytes() + 3 * x];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    const std::vector<BYTE> bytes = image.Encode();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A panel description: the DEVICEPANEL's rectangle and background, and
// `ports` ports at the root.
void WritePanel(const std::string& path, int left, int top, int width, int height, int ports = 0)
{
    std::ostringstream xml;
    xml << "<DEVICEPANEL parts=\"PARTS\"><ID>p</ID><LEFT>" << left << "</LEFT><TOP>" << top << "</TOP><WIDTH>" << width
        << "</WIDTH><HEIGHT>" << height << "</HEIGHT><BMP>bg.bmp</BMP><PARTS>";
    for (int i = 0; i < ports; ++i)
        xml << "<PORT><ID>" << i + 1 << "</ID><LEFT>" << 4 * i << "</LEFT><TOP>2</TOP><WIDTH>4</WIDTH>"
            << "<HEIGHT>4</HEIGHT><STATUS>PORTLINK100</STATUS></PORT>";
    xml << "</PARTS></DEVICEPANEL>";
    std::ofstream(path) << xml.str();
}

class TestBitmapDialog : public CBitmapDialog
{
public:
    TestBitmapDialog() : CBitmapDialog(IDD_ABOUTBOX) {}
    void SetDrawMode(int mode) { m_nDrawMode = mode; }
};

// A bitmap dialog on the screen with the panel of folder's panel.xml.
class BitmapDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        ASSERT_TRUE(m_dir.isValid());
        m_folder = std::make_unique<InFolder>(m_dir.path().toStdString());
    }
    void TearDown() override
    {
        if (IsWindow(m_dialog.GetSafeHwnd()))
            m_dialog.DestroyWindow();
    }

    void Open(int ports = 0)
    {
        WritePanel("panel.xml", 100, 50, 250, 90, ports);
        WriteBackground("bg.bmp", 100, 40);
        ASSERT_TRUE(m_dialog.Create(IDD_ABOUTBOX, nullptr));
        EXPECT_EQ(m_dialog.LoadPanelFromXml("panel.xml"), 1);
        m_dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(PumpUntil([this] {
            const QWindow* w = m_dialog.GetWidget()->windowHandle();
            return w != nullptr && w->isExposed();
        }));
        m_dc = m_dialog.GetDC();
    }

    COLORREF Pixel(int x, int y)
    {
        m_dialog.Invalidate();
        m_dialog.UpdateWindow();
        return m_dc->GetPixel(x, y);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<InFolder> m_folder;
    TestBitmapDialog m_dialog;
    CDC* m_dc = nullptr;
};

} // namespace

TEST_F(BitmapDialogTest, PanelPlacesAndSizesTheWindow)
{
    Open();
    CRect window;
    CRect client;
    m_dialog.GetWindowRect(&window);
    m_dialog.GetClientRect(&client);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 50);
    EXPECT_EQ(client.Width(), 250);
    EXPECT_EQ(client.Height(), 90);
}

TEST_F(BitmapDialogTest, BackgroundStretchedCentredOrTiled)
{
    Open();
    // Stretched over the whole client area (after a panel was loaded).
    EXPECT_EQ(Pixel(0, 0), kCorner);
    EXPECT_EQ(Pixel(1, 1), kCorner); // the corner pixel grows to 2.5 x 2.25
    EXPECT_EQ(Pixel(249, 89), kBody);

    // Centred in its own size: at ((250 - 100) / 2, (90 - 40) / 2), the default erase around it.
    m_dialog.SetDrawMode(2);
    EXPECT_EQ(Pixel(75, 25), kCorner);
    EXPECT_EQ(Pixel(76, 25), kBody);
    EXPECT_NE(Pixel(74, 25), kBody);
    EXPECT_NE(Pixel(74, 25), kCorner);

    // Tiled from the top left.
    m_dialog.SetDrawMode(3);
    for (int y : {0, 40, 80}) {
        for (int x : {0, 100, 200})
            EXPECT_EQ(Pixel(x, y), kCorner) << x << ", " << y;
    }
    EXPECT_EQ(Pixel(1, 0), kBody);
}

TEST_F(BitmapDialogTest, TimeOutResetsTheFirst52Ports)
{
    Open(53);
    m_dialog.ResetPortLeds();
    const CDevModule& root = m_dialog.GetPanelRoot();
    for (int i = 0; i < 53; ++i) {
        const int expected = i < 48 ? PORTENABLE : (i < 52 ? PORTEMPTY : PORTLINK100);
        EXPECT_EQ(root.FindChildByClass("CPort", i)->GetState(), expected) << "port " << i + 1;
    }
}

TEST(BitmapCache, UnknownIdDrawsTheFirstBitmapAndAFailedLoadNothing)
{
    EnsureApplication();
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(nullptr, 20, 20));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SelectObject(&canvas);

    // With its hidden window, as the main window makes it.
    CMyBitmapApp cache;
    ASSERT_TRUE(cache.Create(IDD_ABOUTBOX, nullptr));
    EXPECT_FALSE(cache.IsWindowVisible());
    EXPECT_TRUE(cache.LoadBitmap(&dc, IDB_LAMP_FAULT)); // red
    EXPECT_TRUE(cache.LoadBitmap(&dc, IDB_LED_AMBER_ODD));
    EXPECT_FALSE(cache.LoadBitmap(&dc, 4711));
    EXPECT_EQ(cache.GetCount(), 3);

    dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    cache.DrawBitmap(&dc, IDB_LED_AMBER_ODD, 0, 0, 0, 0);
    EXPECT_EQ(dc.GetPixel(2, 2), RGB(244, 158, 24));
    cache.DrawBitmap(&dc, IDB_LED_GREEN_EVEN, 10, 10, 0, 0); // never loaded: the first one
    EXPECT_EQ(dc.GetPixel(12, 13), RGB(224, 40, 32));
    // The amber LED is 5 x 5, the fault lamp 4 x 5: each copied in its own size.
    EXPECT_EQ(dc.GetPixel(14, 12), RGB(255, 255, 255));
    cache.DestroyWindow();
}

} // namespace mainwin_test
