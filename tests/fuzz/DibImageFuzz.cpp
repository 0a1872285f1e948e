// Bitmap files: the reader never reads past the data, and whatever it accepts
// is a consistent image that writes and reads back unchanged.
#include "panel/DibImage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "bitmap invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the input's size, so a read past its end is caught.
    const std::vector<BYTE> bytes(data, data + size);
    DibImage image;
    std::string error;
    if (!DibImage::Decode(bytes.data(), bytes.size(), image, error)) {
        Require(!error.empty(), "a refusal names its cause");
        Require(image.IsEmpty(), "a refusal leaves the image alone");
        return 0;
    }
    const int bits = image.BitCount();
    Require(bits == 1 || bits == 4 || bits == 8 || bits == 24, "held depth");
    Require(image.Width() > 0 && image.Height() > 0, "held size");
    Require(image.pixels.size() == image.RowBytes() * static_cast<std::size_t>(image.Height()), "rows");
    Require(image.colours.size() == (bits <= 8 ? std::size_t{1} << bits : 0), "colour table");
    (void)image.GetPixel(0, 0);
    (void)image.GetPixel(image.Width() - 1, image.Height() - 1);

    const std::vector<BYTE> again = image.Encode();
    DibImage back;
    Require(DibImage::Decode(again.data(), again.size(), back, error), "what is written reads back");
    Require(back.pixels == image.pixels && back.Width() == image.Width() && back.Height() == image.Height(),
            "the same image");
    return 0;
}
