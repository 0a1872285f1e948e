// The maker's enterprise arc under the SNMP enterprises node. Every
// identifier of the switch's own MIB is written relative to it; this is the
// one place it is defined (the program and the simulated switch both use it).
#pragma once

#include <string>

inline constexpr const char* korvelEnterprise = "1.3.6.1.4.1.32473";

// korvelEnterprise followed by `relative` ("10.76.19.1.25.1.0").
inline std::string KorvelOid(const std::string& relative)
{
    return std::string(korvelEnterprise) + "." + relative;
}
