#include "tools/korvel-sim/SimOptions.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

bool SimOptions::ModelFiles(const std::string& folder, std::vector<std::string>& files, std::string& error)
{
    namespace fs = std::filesystem;
    auto dataFilesIn = [](const fs::path& dir) {
        std::vector<std::string> found;
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec))
            if (entry.is_regular_file(ec) && entry.path().extension() == ".snmprec")
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        return found;
    };
    const fs::path model = fs::path(folder).lexically_normal();
    const fs::path dir = model.has_filename() ? model : model.parent_path();
    const std::vector<std::string> own = dataFilesIn(dir);
    if (own.empty()) {
        error = "--model " + folder + ": the folder holds no .snmprec file";
        return false;
    }
    const std::vector<std::string> shared = dataFilesIn(dir.has_parent_path() ? dir.parent_path() : fs::path("."));
    files.insert(files.end(), shared.begin(), shared.end());
    files.insert(files.end(), own.begin(), own.end());
    return true;
}

const char* SimOptions::Usage()
{
    return "usage: korvel-sim [--model FOLDER] [--data FILE...] [--address 127.0.0.1|::1] [--port N]\n"
           "                  [--user NAME:MD5|SHA:AUTHPASS[:DES:PRIVPASS]]... [--log FILE]\n"
           "       (a model folder, data files, or both)\n";
}

bool SimOptions::Parse(int argc, char** argv, SimOptions& out, std::string& error)
{
    out = SimOptions();
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            target = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--data") {
            if (!value(text))
                return false;
            out.dataFiles.push_back(text);
        } else if (arg == "--model") {
            if (!value(text) || !ModelFiles(text, out.dataFiles, error))
                return false;
        } else if (arg == "--address") {
            if (!value(out.address))
                return false;
        } else if (arg == "--port") {
            if (!value(text))
                return false;
            char* end = nullptr;
            long port = std::strtol(text.c_str(), &end, 10);
            if (text.empty() || *end || port < 0 || port > 65535) {
                error = "--port needs a number from 0 to 65535";
                return false;
            }
            out.port = static_cast<int>(port);
        } else if (arg == "--user") {
            if (!value(text))
                return false;
            SimUser user;
            if (!SimUser::Parse(text, user, error))
                return false;
            out.users.push_back(user);
        } else if (arg == "--log") {
            if (!value(out.logFile))
                return false;
        } else {
            error = "unknown argument " + arg;
            return false;
        }
    }
    if (out.dataFiles.empty()) {
        error = "at least one --data file or a --model folder is needed";
        return false;
    }
    in_addr v4{};
    in6_addr v6{};
    bool loopback = false;
    if (inet_pton(AF_INET, out.address.c_str(), &v4) == 1)
        loopback = (ntohl(v4.s_addr) >> 24) == 127;
    else if (inet_pton(AF_INET6, out.address.c_str(), &v6) == 1)
        loopback = IN6_IS_ADDR_LOOPBACK(&v6);
    if (!loopback) {
        error = "--address must be a loopback address (127.x.x.x or ::1)";
        return false;
    }
    return true;
}
