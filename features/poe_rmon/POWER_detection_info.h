// The switch's two detection switches; only the link status detection has
// an object ("1" enabled, "2" disabled).
#pragma once

#include <string>

struct POWER_detection_info
{
    std::string strCableLength;
    std::string strLinkStatus;
};
