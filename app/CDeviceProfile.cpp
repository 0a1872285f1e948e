#include "app/CDeviceProfile.h"

bool CDeviceProfile::IsPoeModel(const std::string& strModelName)
{
    return strModelName.find_first_of("Pp") != std::string::npos;
}

bool CDeviceProfile::IsFastEthernetModel(const std::string& strModelName)
{
    return strModelName.find("KVT") != std::string::npos;
}
