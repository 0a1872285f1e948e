// Builds BMP files byte by byte for the tests, independently of the reader.
#pragma once

#include "platform/system/WinTypes.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct BmpSpec
{
    BmpSpec(int w, int h, int bits) : width(w), height(h), bpp(bits) {}
    BmpSpec& Table(std::vector<std::array<BYTE, 3>> t)
    {
        table = std::move(t);
        return *this;
    }
    // Bit fields with the three masks, red, green, blue.
    BmpSpec& Masks(std::vector<DWORD> m)
    {
        compression = 3;
        masks = std::move(m);
        return *this;
    }
    BmpSpec& Header(DWORD size)
    {
        headerSize = size;
        return *this;
    }
    BmpSpec& ColoursUsed(DWORD n)
    {
        clrUsed = n;
        return *this;
    }

    int width = 1;
    int height = 1; // negative: rows top-down
    int bpp = 24;
    std::vector<std::array<BYTE, 3>> table; // red, green, blue per entry
    DWORD compression = 0;
    DWORD headerSize = 40;
    std::vector<DWORD> masks; // for compression 3: red, green, blue
    DWORD clrUsed = 0;
};

// value(x, y), y from the top: a colour index up to 8 bits per pixel, 0xRRGGBB
// for 24, the raw pixel for 16 and 32.
std::vector<BYTE> BuildBmp(const BmpSpec& spec, const std::function<DWORD(int, int)>& value);

void Poke16(std::vector<BYTE>& bytes, std::size_t offset, DWORD v);
void Poke32(std::vector<BYTE>& bytes, std::size_t offset, DWORD v);

// A folder of its own for one test, removed with the object.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return m_path; }
    // Writes bytes to name inside the folder; returns the full path.
    std::string Write(const std::string& name, const std::vector<BYTE>& bytes) const;
    std::string Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path m_path;
};
