#include "tools/korvel-sim/SimUser.h"

#include <vector>

bool SimUser::Parse(std::string_view spec, SimUser& out, std::string& error)
{
    std::vector<std::string> parts;
    size_t pos = 0;
    while (true) {
        size_t colon = spec.find(':', pos);
        parts.emplace_back(spec.substr(pos, colon == std::string_view::npos ? std::string_view::npos : colon - pos));
        if (colon == std::string_view::npos)
            break;
        pos = colon + 1;
    }
    out = SimUser();
    if (parts.empty() || parts[0].empty() || (parts.size() != 1 && parts.size() != 3 && parts.size() != 5)) {
        error = "user '" + std::string(spec) + "' is not NAME[:MD5|SHA:AUTHPASS[:DES:PRIVPASS]]";
        return false;
    }
    out.name = parts[0];
    if (parts.size() >= 3) {
        if (parts[1] != "MD5" && parts[1] != "SHA") {
            error = "user '" + out.name + "': authentication must be MD5 or SHA";
            return false;
        }
        out.authProtocol = parts[1];
        out.authPassword = parts[2];
        if (out.authPassword.size() < 8) {
            error = "user '" + out.name + "': the authentication password needs at least 8 characters";
            return false;
        }
    }
    if (parts.size() == 5) {
        if (parts[3] != "DES") {
            error = "user '" + out.name + "': privacy must be DES";
            return false;
        }
        out.privProtocol = parts[3];
        out.privPassword = parts[4];
        if (out.privPassword.size() < 8) {
            error = "user '" + out.name + "': the privacy password needs at least 8 characters";
            return false;
        }
    }
    return true;
}
