// Port lists typed by the user and port masks: parsing never reads or
// writes outside its per-port flags, and whatever it accepts survives the
// way to the switch and back (flags -> hex port mask -> port bitmap -> list).
// Input: one byte choosing the port count, then the text.
#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/ui/MessageBox.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "port list invariant broken: %s\n", what);
        std::abort();
    }
}

// The comma list of the set flags, as the decoders write it.
std::string ListOfFlags(const std::vector<int>& flags, int& count)
{
    std::string list;
    count = 0;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (!flags[i])
            continue;
        list += (count++ ? "," : "") + std::to_string(i + 1);
    }
    return list;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        SetMessageBoxHook([](const MessageBoxCall&) { return IDOK; });
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;

    // The port counts of the sample models, and any other count from 1 to 64.
    static constexpr int kModelCounts[] = {8, 10, 16, 20, 24, 28, 48, 52};
    g_nPortCount = data[0] < 0x80 ? kModelCounts[data[0] % 8] : data[0] % 64 + 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t ports = static_cast<std::size_t>(g_nPortCount);

    std::vector<int> flags;
    CUtils::ParsePortList(text, flags);
    Require(flags.size() == ports, "flags sized to the port count");
    for (const int flag : flags)
        Require(flag == 0 || flag == 1, "flags are 0 or 1");
    int expectedCount = 0;
    const std::string expected = ListOfFlags(flags, expectedCount);

    std::string mask;
    CUtils::PortFlagsToHex(flags, mask);
    Require(mask.size() == (ports + 3) / 4, "one digit per four ports");
    CUtils::PadHexPortMask(mask);
    int count = -1;
    Require(CUtils::HexMaskToPortList(mask, count) == expected && count == expectedCount, "mask gives the flags");

    std::vector<BYTE> octets;
    CUtils::HexToByteValues(mask, octets, static_cast<int>((mask.size() + 1) / 2));
    const std::string bitmap(octets.begin(), octets.end());
    Require(CUtils::PortBitmapToList(bitmap, count) == expected && count == expectedCount, "bitmap gives the flags");
    std::string ranges;
    Require(CUtils::PortBitmapToRangeText(bitmap, static_cast<int>(bitmap.size()), 1, g_nPortCount, ranges) ==
                expectedCount,
            "range text counts the flags");

    // The same text through the other readers of user and switch input.
    std::vector<int> applied;
    CUtils::ApplyPortList(text, applied, 7);
    Require(applied.size() >= ports, "applied table sized to the port count");
    CUtils::HexMaskToPortList(text, count);
    CUtils::PortBitmapToList(text, count);
    CUtils::PortBitmapToRangeText(text, 8, 1, 64, ranges);
    CUtils::CheckVlanList(text, 4094);
    return 0;
}
