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
    if (m_bPoeModel)
        g_nPoePortCount = ReadNumber("PoEPortNum ", 0, strIniPath);

    m_nPortCount = ReadNumber("DevicePortNum", 28, strIniPath);
    g_nPortCount = m_nPortCount;
    m_nComboPortCount = ReadNumber("ComboPortNum", 0, strIniPath);
    g_nComboPortCount = m_nComboPortCount;
    m_nComboPortIndex = ReadNumber("ComboPortIndex", 0, strIniPath);
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

bool CDeviceProfile::IsPoeModel(const std::string& strModelName)
{
    return strModelName.find_first_of("Pp") != std::string::npos;
}

bool CDeviceProfile::IsFastEthernetModel(const std::string& strModelName)
{
    return strModelName.find("KVT") != std::string::npos;
}
