// A device-independent bitmap in memory, and the BMP file format it is read
// from and written to. Pure C++: the decoded image is a header, a colour table
// and bottom-up pixel rows padded to four bytes, as a BMP file holds them.
#pragma once

#include "platform/system/WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

// The 40-byte info header of a device-independent bitmap.
struct DibInfoHeader
{
    DWORD biSize = 40;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 1;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

// One colour table entry, in the order a BMP file stores it.
struct DibRgbQuad
{
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// A decoded bitmap. The header always describes what is held: 1, 4, 8 or 24
// bits per pixel, a positive height (rows bottom-up), no compression. Palette
// depths carry a full colour table (2, 16 or 256 entries; entries the file did
// not give are black); 24 bits per pixel carry none.
struct DibImage
{
    // Largest width or height accepted from a file.
    static constexpr LONG kMaxDimension = 32768;
    // Largest file the readers take in.
    static constexpr std::size_t kMaxFileSize = 256u * 1024u * 1024u;

    DibInfoHeader header;
    std::vector<DibRgbQuad> colours;
    std::vector<BYTE> pixels;

    bool IsEmpty() const { return pixels.empty(); }
    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight; }
    int BitCount() const { return header.biBitCount; }
    // Bytes in one stored row: the row's bits rounded up to whole 32-bit words.
    std::size_t RowBytes() const;
    // Colour of the pixel at (x, y), y counted from the top row; black outside.
    COLORREF GetPixel(int x, int y) const;

    // Decodes a BMP file held in memory. Accepts uncompressed 1, 4, 8, 16, 24
    // and 32 bits per pixel, and 16 and 32 with colour masks; 16 and 32 are
    // held as 24. Refuses anything whose header, size or colour table does not
    // fit the data, without reading past size bytes. On failure returns false,
    // names the cause in error and leaves out unchanged.
    static bool Decode(const BYTE* data, std::size_t size, DibImage& out, std::string& error);
    // The BMP file of this image: file header, info header, colour table, rows.
    std::vector<BYTE> Encode() const;
};
