#include "BmpBuilder.h"

#include <atomic>
#include <fstream>
#include <unistd.h>

namespace {

void Put(std::vector<BYTE>& out, DWORD v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
}

} // namespace

std::vector<BYTE> BuildBmp(const BmpSpec& spec, const std::function<DWORD(int, int)>& value)
{
    const int rows = spec.height < 0 ? -spec.height : spec.height;
    const std::size_t rowBytes = (static_cast<std::size_t>(spec.width) * spec.bpp + 31) / 32 * 4;
    const std::size_t masksBytes = spec.compression == 3 && spec.headerSize == 40 ? 12 : 0;
    const std::size_t offBits = 14 + spec.headerSize + masksBytes + 4 * spec.table.size();

    std::vector<BYTE> out;
    Put(out, 0x4D42, 2);
    Put(out, static_cast<DWORD>(offBits + rowBytes * rows), 4);
    Put(out, 0, 4);
    Put(out, static_cast<DWORD>(offBits), 4);
    Put(out, spec.headerSize, 4);
    Put(out, static_cast<DWORD>(spec.width), 4);
    Put(out, static_cast<DWORD>(spec.height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<DWORD>(spec.bpp), 2);
    Put(out, spec.compression, 4);
    Put(out, static_cast<DWORD>(rowBytes * rows), 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    // A table shorter than the depth allows says how long it is.
    const std::size_t fullTable = spec.bpp <= 8 ? std::size_t{1} << spec.bpp : 0;
    DWORD clrUsed = spec.clrUsed;
    if (clrUsed == 0 && spec.table.size() < fullTable)
        clrUsed = static_cast<DWORD>(spec.table.size());
    Put(out, clrUsed, 4);
    Put(out, 0, 4);
    // The rest of a longer header: the masks first, then zeros.
    std::size_t extra = spec.headerSize - 40;
    if (spec.compression == 3) {
        for (DWORD m : spec.masks)
            Put(out, m, 4);
        extra = extra >= 12 ? extra - 12 : 0;
    }
    out.insert(out.end(), extra, 0);
    for (const auto& c : spec.table)
        out.insert(out.end(), {c[2], c[1], c[0], 0});

    for (int r = 0; r < rows; ++r) {
        // File rows run bottom-up unless the height is negative.
        const int y = spec.height > 0 ? rows - 1 - r : r;
        std::vector<BYTE> row(rowBytes, 0);
        for (int x = 0; x < spec.width; ++x) {
            const DWORD v = value(x, y);
            switch (spec.bpp) {
            case 1:
                row[x / 8] |= static_cast<BYTE>((v & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<BYTE>((v & 0xF) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<BYTE>(v);
                break;
            case 16:
                row[2 * x] = static_cast<BYTE>(v & 0xFF);
                row[2 * x + 1] = static_cast<BYTE>((v >> 8) & 0xFF);
                break;
            case 24:
                row[3 * x] = static_cast<BYTE>(v & 0xFF);
                row[3 * x + 1] = static_cast<BYTE>((v >> 8) & 0xFF);
                row[3 * x + 2] = static_cast<BYTE>((v >> 16) & 0xFF);
                break;
            case 32:
                for (int i = 0; i < 4; ++i)
                    row[4 * x + i] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
                break;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void Poke16(std::vector<BYTE>& bytes, std::size_t offset, DWORD v)
{
    bytes.at(offset) = static_cast<BYTE>(v & 0xFF);
    bytes.at(offset + 1) = static_cast<BYTE>((v >> 8) & 0xFF);
}

void Poke32(std::vector<BYTE>& bytes, std::size_t offset, DWORD v)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    m_path = std::filesystem::temp_directory_path() /
             ("korvel-panel-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::vector<BYTE>& bytes) const
{
    const std::filesystem::path file = m_path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

std::string TempDir::Write(const std::string& name, const std::string& text) const
{
    return Write(name, std::vector<BYTE>(text.begin(), text.end()));
}
