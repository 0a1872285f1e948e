// The command line of korvel-sim.
#pragma once

#include "tools/korvel-sim/SimUser.h"

#include <string>
#include <vector>

struct SimOptions
{
    std::vector<std::string> dataFiles;
    std::string address = "127.0.0.1";
    int port = 16161; // 0: a free port
    std::vector<SimUser> users;
    std::string logFile;

    // False with a message for anything the usage below does not allow,
    // including an address that is not a loopback address.
    static bool Parse(int argc, char** argv, SimOptions& out, std::string& error);
    static const char* Usage();
};
