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
    // The data files of a sample model's folder (data/MODEL), in the order
    // they load: the files beside the model folders, which every model shares,
    // then the model's own, each set in name order; later files replace the
    // objects of earlier ones. Appended to `files`; false with a message when
    // the folder holds no data file.
    static bool ModelFiles(const std::string& folder, std::vector<std::string>& files, std::string& error);
    static const char* Usage();
};
