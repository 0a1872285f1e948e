#include "panel/CDIBitmap.h"

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

} // namespace

int CDIBitmap::Load(const char* fileName)
{
    if (fileName == nullptr)
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
    if (name == nullptr || *name == '\0')
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
    m_bReadFromStream = 0;
    return 1;
}

void CDIBitmap::Release()
{
    m_image = DibImage{};
    m_bReadFromStream = 0;
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

// Drawing waits for the drawing layer's device context.
void CDIBitmap::DrawStretched(CDC*, int, int, int, int) {}

void CDIBitmap::DrawAt(CDC* dc, int x, int y)
{
    DrawStretched(dc, x, y, GetWidth(), GetHeight());
}
