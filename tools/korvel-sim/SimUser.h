// An SNMPv3 user of the simulated switch: NAME[:MD5|SHA:AUTHPASS[:DES:PRIVPASS]].
#pragma once

#include <string>
#include <string_view>

struct SimUser
{
    std::string name;
    std::string authProtocol; // "MD5", "SHA" or empty (no authentication)
    std::string authPassword;
    std::string privProtocol; // "DES" or empty (no privacy)
    std::string privPassword;

    // False (with a reason) when the text is not of the form above or a
    // password is shorter than SNMPv3 allows (8 characters).
    static bool Parse(std::string_view spec, SimUser& out, std::string& error);
};
