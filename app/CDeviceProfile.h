// The device profile: what kind of switch this module manages, read from
// User.ini beside the executable (section DeviceInfo), and the model tests
// that the rest of the program applies to the model name.
#pragma once

#include <string>

class CDeviceProfile
{
public:
    // A PoE model has "P" or "p" in its name.
    static bool IsPoeModel(const std::string& strModelName);
    // The fast-ethernet line has "KVT" in its name (it has no jumbo frames).
    static bool IsFastEthernetModel(const std::string& strModelName);
};
