#include "app/CDeviceProfile.h"

#include "common/Globals.h"
#include "platform/system/ModuleFolder.h"
#include "platform/system/PrivateProfile.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr char kSection[] = "DeviceInfo";
constexpr char kError[] = "Read User.ini Error !";
// Texts are taken up to 259 characters.
constexpr DWORD kTextSize = 260;

std::string ReadText(const char* key, const std::string& strIniPath)
{
    std::string value;
    GetPrivateProfileString(kSection, key, "", value, kTextSize, strIniPath);
    return value;
}

int ReadNumber(const char* key, int nDefault, const std::string& strIniPath)
{
    // Only digits are read, so the number is never negative; a value too large
    // for an int is read as the largest int.
    return static_cast<int>(GetPrivateProfileInt(kSection, key, nDefault, strIniPath));
}

// The most ports, PoE ports or combo ports a profile may give, and the
// highest first combo port: a larger value is a broken profile, never a size.
constexpr int kMaxProfilePorts = 512;

bool InRange(int value, int nLowest)
{
    return nLowest <= value && value <= kMaxProfilePorts;
}

bool IsYes(const std::string& value)
{
    return value == "Y" || value == "y";
}

void ShowError(CWnd* pOwner)
{
    if (pOwner)
        pOwner->MessageBox(kError);
    else
        AfxMessageBox(kError);
}

} // namespace

std::string CDeviceProfile::ProfilePath()
{
    return GetModuleFolder() + "User.ini";
}

std::string CDeviceProfile::ReadModelName(const std::string& strIniPath)
{
    return ReadText("DeviceName", strIniPath);
}

bool CDeviceProfile::ReadDeviceProfile(CWnd* pOwner)
{
    return ReadDeviceProfile(ProfilePath(), pOwner);
}

bool CDeviceProfile::ReadDeviceProfile(const std::string& strIniPath, CWnd* pOwner)
{
    m_strModelName = ReadModelName(strIniPath);
    g_strModelName = m_strModelName;
    if (m_strModelName.empty()) {
        // The port count keeps what it had (28 unless read before), so the
        // per-port state stays sized sensibly.
        ShowError(pOwner);
        return false;
    }

    m_bPoeModel = IsPoeModel(m_strModelName);
    // Each count is checked before anything takes it: a count out of range
    // ends the reading like an empty name.
    auto bounded = [&](const char* key, int nDefault, int nLowest, int& value) {
        const int read = ReadNumber(key, nDefault, strIniPath);
        if (!InRange(read, nLowest)) {
            ShowError(pOwner);
            return false;
        }
        value = read;
        return true;
    };
    if (m_bPoeModel && !bounded("PoEPortNum ", 0, 0, g_nPoePortCount))
        return false;

    if (!bounded("DevicePortNum", 28, 1, m_nPortCount))
        return false;
    g_nPortCount = m_nPortCount;
    if (!bounded("ComboPortNum", 0, 0, m_nComboPortCount))
        return false;
    g_nComboPortCount = m_nComboPortCount;
    if (!bounded("ComboPortIndex", 0, 0, m_nComboPortIndex))
        return false;
    g_nComboPortIndex = m_nComboPortIndex;
    m_strXmlName = ReadText("XMLName", strIniPath);
    if (m_strXmlName.empty()) {
        ShowError(pOwner);
        return false;
    }

    g_bAllGigabit = IsYes(ReadText("IsAllGiga", strIniPath)) ? 1 : 0;
    g_bHasFan = IsYes(ReadText("IsHasFan", strIniPath)) ? 1 : 0;
    return true;
}

bool CDeviceProfile::StaysInFolder(const std::string& strFileName)
{
    if (strFileName.empty() || strFileName.front() == '/' || strFileName.front() == '\\')
        return false;
    // Both separators count: the profile may come from the other platform.
    std::size_t start = 0;
    while (start <= strFileName.size()) {
        std::size_t end = strFileName.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = strFileName.size();
        if (strFileName.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

bool CDeviceProfile::IsPoeModel(const std::string& strModelName)
{
    return strModelName.find_first_of("Pp") != std::string::npos;
}

bool CDeviceProfile::IsFastEthernetModel(const std::string& strModelName)
{
    return strModelName.find("KVT") != std::string::npos;
}
