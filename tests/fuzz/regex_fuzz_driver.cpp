// Runs a fuzz target over files and folders of inputs, for builds without
// libFuzzer: every file given, and every file inside a folder given, is
// passed to the target once.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize);

namespace {

int RunFile(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int nFailed = 0;
    int nRun = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    nFailed += RunFile(entry.path());
                    ++nRun;
                }
            }
        } else {
            nFailed += RunFile(path);
            ++nRun;
        }
    }
    std::printf("%d inputs run\n", nRun);
    return nFailed == 0 && nRun > 0 ? 0 : 1;
}
