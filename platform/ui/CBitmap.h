// A bitmap: from a bitmap resource, from an image file, from device-
// independent bitmap rows, or blank for drawing into through a memory device
// context (CDC::CreateCompatibleDC and SelectObject).
#pragma once

#include "platform/ui/CGdiObject.h"
#include "platform/ui/CSize.h"

#include <cstddef>
#include <functional>
#include <string>

class CDC;

class CBitmap : public CGdiObject
{
public:
    // The bitmap resource `id` (a BITMAP line of the resource scripts).
    BOOL LoadBitmap(UINT id);

    // Decodes an image file (BMP of any usual depth; PNG too). The bitmap
    // keeps the file's bit depth and colour table for GetBitmap and GetDIBits.
    BOOL LoadImageFile(const std::string& fileName);

    // From device-independent rows: `info` gives size, depth and colours,
    // `bits` holds `bitsSize` bytes of rows. FALSE for a bad header or too few
    // bytes.
    BOOL CreateFromDib(const BITMAPINFO* info, const void* bits, std::size_t bitsSize);

    // A black bitmap of that size (`dc` is not needed on this platform).
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);

    // Size, depth and row bytes (bmBits is null). Returns sizeof(BITMAP), or 0
    // for an empty bitmap.
    int GetBitmap(BITMAP* bitmap) const;
    CSize GetSize() const;

    // Copies `scanLines` scan lines from `startScan` into `bits` (`bitsSize`
    // bytes) at the depth info->bmiHeader.biBitCount asks for (1, 4, 8, 24,
    // 32; 0 the bitmap's own); fills the header and the colour table. Without
    // `bits` only the header and table are filled. Returns the scan lines
    // copied (the height without `bits`), 0 on failure.
    int GetDIBits(UINT startScan, UINT scanLines, void* bits, std::size_t bitsSize, BITMAPINFO* info, UINT usage) const;

    // The window layer tells where bitmap resources are: `find` gives the file
    // (or Qt resource path) of a resource id, or "" when there is none.
    static void SetResourceFinder(std::function<std::string(UINT id)> find);
};
