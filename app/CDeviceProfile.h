// The device profile: what kind of switch this module manages, read from
// User.ini beside the executable (section DeviceInfo), and the model tests
// that the rest of the program applies to the model name.
#pragma once

#include <string>

class CWnd;

class CDeviceProfile
{
public:
    // What the main window keeps of the profile; the process-wide copies are
    // in common/Globals.h.
    std::string m_strModelName;
    bool m_bPoeModel = false;
    int m_nPortCount = 28;
    int m_nComboPortCount = 0;
    int m_nComboPortIndex = 0;
    std::string m_strXmlName;

    // Reads User.ini beside the executable into the members and the
    // device-profile globals. An empty DeviceName, or an empty XMLName, shows
    // "Read User.ini Error !" in a box owned by pOwner and ends the reading
    // there: what was not read yet keeps its value. So does a port count
    // outside 1..512 ("DevicePortNum") or 0..512 ("PoEPortNum ",
    // "ComboPortNum", "ComboPortIndex"), which itself is not taken. False
    // after an error.
    bool ReadDeviceProfile(CWnd* pOwner);
    // The same from the given file.
    bool ReadDeviceProfile(const std::string& strIniPath, CWnd* pOwner);

    // User.ini in the executable's folder.
    static std::string ProfilePath();
    // DeviceName alone ("" when absent).
    static std::string ReadModelName(const std::string& strIniPath);

    // Whether a file name taken from the profile names a file in the current
    // folder or below it: not empty, not absolute, no ".." part.
    static bool StaysInFolder(const std::string& strFileName);

    // A PoE model has "P" or "p" in its name.
    static bool IsPoeModel(const std::string& strModelName);
    // The fast-ethernet line has "KVT" in its name (it has no jumbo frames).
    static bool IsFastEthernetModel(const std::string& strModelName);
};
