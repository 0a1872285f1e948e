#include "platform/system/ModuleFolder.h"

#include <climits>
#include <unistd.h>
#include <vector>

std::string GetModuleFolder()
{
    std::vector<char> path(PATH_MAX);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0)
            return "./";
        if (static_cast<std::size_t>(n) < path.size()) {
            std::string full(path.data(), static_cast<std::size_t>(n));
            const auto slash = full.rfind('/');
            return slash == std::string::npos ? std::string("./") : full.substr(0, slash + 1);
        }
        path.resize(path.size() * 2);
    }
}
