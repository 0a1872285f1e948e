#include "panel/CDIBitmap.h"

#include "panel/CBmpPalette.h"
#include "platform/ui/CDC.h"

#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>

namespace {

// Reads what is left of a stream, refusing anything larger than a bitmap can be.
bool ReadAll(std::istream& in, std::vector<BYTE>& out)
{
    out.clear();
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        if (out.size() + static_cast<std::size_t>(got) > DibImage::kMaxFileSize)
            return false;
        out.insert(out.end(), buffer, buffer + got);
    }
    return !in.bad();
}

// Only regular files of a size a bitmap can have are read: a device or a pipe
// named by mistake is never opened.
bool IsBitmapFile(const char* name)
{
    std::error_code error;
    const std::filesystem::path path(name);
    return std::filesystem::is_regular_file(path, error) &&
           std::filesystem::file_size(path, error) <= DibImage::kMaxFileSize && !error;
}

// The header and colour table of image in the drawing layer's form.
BITMAPINFO MakeInfo(const DibImage& image)
{
    BITMAPINFO info{};
    const DibInfoHeader& h = image.header;
    info.bmiHeader = BITMAPINFOHEADER{static_cast<DWORD>(sizeof(BITMAPINFOHEADER)),
                                      h.biWidth,
                                      h.biHeight,
                                      1,
                                      h.biBitCount,
                                      BI_RGB,
                                      h.biSizeImage,
                                      0,
                                      0,
                                      static_cast<DWORD>(image.colours.size()),
                                      0};
    for (std::size_t i = 0; i < image.colours.size() && i < 256; ++i) {
        const DibRgbQuad& c = image.colours[i];
        info.bmiColors[i] = RGBQUAD{c.rgbBlue, c.rgbGreen, c.rgbRed, 0};
    }
    return info;
}

} // namespace

CDIBitmap::CDIBitmap() = default;

CDIBitmap::~CDIBitmap() = default;

int CDIBitmap::Load(const char* fileName)
{
    if (fileName == nullptr || !IsBitmapFile(fileName))
        return 0;
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return 0;
    return Read(file);
}

int CDIBitmap::Read(std::istream& file)
{
    Release();
    std::vector<BYTE> data;
    if (!ReadAll(file, data))
        return 0;
    std::string error;
    if (!DibImage::Decode(data.data(), data.size(), m_image, error))
        return 0;
    CreatePalette();
    m_bReadFromStream = 1;
    return 1;
}

int CDIBitmap::Save(const char* fileName)
{
    if (fileName == nullptr)
        return 0;
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        return 0;
    return Write(file);
}

int CDIBitmap::Write(std::ostream& file)
{
    const std::vector<BYTE> data = m_image.Encode();
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    return 1;
}

int CDIBitmap::LoadFromFile(const char* name)
{
    if (name == nullptr || *name == '\0' || !IsBitmapFile(name))
        return 0;
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return 0;
    std::vector<BYTE> data;
    if (!ReadAll(file, data))
        return 0;
    DibImage image;
    std::string error;
    if (!DibImage::Decode(data.data(), data.size(), image, error))
        return 0;
    m_image = std::move(image);
    CreatePalette();
    m_bReadFromStream = 0;
    return 1;
}

void CDIBitmap::Release()
{
    m_image = DibImage{};
    m_pPalette.reset();
    m_bReadFromStream = 0;
}

BOOL CDIBitmap::CreatePalette()
{
    m_pPalette.reset();
    if (!m_image.IsEmpty() && m_image.BitCount() <= 8)
        m_pPalette = std::make_unique<CBmpPalette>(*this);
    return m_pPalette ? TRUE : FALSE;
}

const DibInfoHeader* CDIBitmap::GetInfoHeader() const
{
    return m_image.IsEmpty() ? nullptr : &m_image.header;
}

const DibRgbQuad* CDIBitmap::GetColorTable() const
{
    return m_image.IsEmpty() || m_image.colours.empty() ? nullptr : m_image.colours.data();
}

const BYTE* CDIBitmap::GetPixels() const
{
    return m_image.IsEmpty() ? nullptr : m_image.pixels.data();
}

int CDIBitmap::GetPaletteEntries() const
{
    if (m_image.IsEmpty())
        return 0;
    if (m_image.header.biClrUsed != 0)
        return static_cast<int>(m_image.header.biClrUsed);
    return m_image.BitCount() <= 8 ? 1 << m_image.BitCount() : 0;
}

bool CDIBitmap::SelectPalette(CDC* dc, CPalette*& previous)
{
    if (!m_pPalette)
        return false;
    previous = dc->SelectPalette(m_pPalette.get(), FALSE);
    dc->RealizePalette();
    dc->SetStretchBltMode(COLORONCOLOR);
    return true;
}

int CDIBitmap::Draw(CDC* dc, const CRect& destination, const CRect& source)
{
    if (dc == nullptr || m_image.IsEmpty())
        return 0;
    CPalette* previous = nullptr;
    const bool selected = SelectPalette(dc, previous);
    const BITMAPINFO info = MakeInfo(m_image);
    const int rows = dc->SetDIBitsToDevice(destination.left, destination.top, destination.Width(), destination.Height(),
                                           source.left, GetHeight() - source.top - source.Height(), 0, GetHeight(),
                                           m_image.pixels.data(), m_image.pixels.size(), &info, DIB_RGB_COLORS);
    if (selected)
        dc->SelectPalette(previous, FALSE);
    return rows;
}

void CDIBitmap::DrawStretched(CDC* dc, int x, int y, int width, int height)
{
    if (dc == nullptr)
        return;
    CPalette* previous = nullptr;
    const bool selected = SelectPalette(dc, previous);
    if (!m_image.IsEmpty()) {
        const BITMAPINFO info = MakeInfo(m_image);
        dc->StretchDIBits(x, y, width, height, 0, 0, GetWidth(), GetHeight(), m_image.pixels.data(),
                          m_image.pixels.size(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    if (selected)
        dc->SelectPalette(previous, FALSE);
}

void CDIBitmap::DrawAt(CDC* dc, int x, int y)
{
    DrawStretched(dc, x, y, GetWidth(), GetHeight());
}
