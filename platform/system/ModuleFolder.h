// Where the running executable lies.
#pragma once

#include <string>

// The executable's folder with a trailing '/', e.g. "/opt/korvel/bin/"; the
// current folder ("./") when it cannot be found.
std::string GetModuleFolder();
