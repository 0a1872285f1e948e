// Fuzz target: any User.ini. Reading the profile never fails in a way other
// than its error box, and leaves counts (1 to 512 ports) and texts within
// their limits.
#include "app/CDeviceProfile.h"
#include "common/Globals.h"
#include "platform/ui/MessageBox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "device profile invariant broken: %s\n", what);
        std::abort();
    }
}

// One file per fuzzing process, rewritten for every input.
const std::string& ProfileFile()
{
    static const std::string path = [] {
        std::string name = (std::filesystem::temp_directory_path() / "korvel-profile-fuzz-XXXXXX").string();
        const int fd = mkstemp(name.data());
        Require(fd >= 0, "temporary file");
        close(fd);
        std::atexit([] { std::remove(ProfileFile().c_str()); });
        return name;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool quiet = [] {
        SetMessageBoxHook([](const MessageBoxCall& call) {
            Require(call.text == "Read User.ini Error !", "error text");
            return IDOK;
        });
        return true;
    }();
    (void)quiet;

    {
        std::ofstream file(ProfileFile(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // As a fresh process has them.
    g_strModelName.clear();
    g_nPortCount = 28;
    g_nPoePortCount = g_nComboPortCount = g_nComboPortIndex = g_bAllGigabit = g_bHasFan = 0;

    CDeviceProfile profile;
    const bool ok = profile.ReadDeviceProfile(ProfileFile(), nullptr);

    Require(profile.m_strModelName.size() <= 259 && profile.m_strXmlName.size() <= 259, "text length");
    Require(g_strModelName == profile.m_strModelName, "model name copy");
    Require(!ok || (!profile.m_strModelName.empty() && !profile.m_strXmlName.empty()), "success without names");
    // Counts stay within what sizes an array or a loop sensibly.
    auto bounded = [](int value, int lowest) { return lowest <= value && value <= 512; };
    Require(bounded(profile.m_nPortCount, 1) && g_nPortCount == profile.m_nPortCount, "port count");
    Require(bounded(profile.m_nComboPortCount, 0) && bounded(profile.m_nComboPortIndex, 0), "combo ports");
    Require(bounded(g_nPoePortCount, 0), "PoE port count");
    Require(profile.m_bPoeModel == CDeviceProfile::IsPoeModel(profile.m_strModelName), "PoE test");
    Require((g_bAllGigabit == 0 || g_bAllGigabit == 1) && (g_bHasFan == 0 || g_bHasFan == 1), "flags");
    return 0;
}
