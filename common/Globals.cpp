#include "common/Globals.h"

std::string g_strCmdLineField1;
std::string g_strDeviceIP;
std::string g_strReadCommunity = "mirtle";
std::string g_strWriteCommunity = "quenbor";
int g_bVlanEditable = 1;
std::string g_strSnmpVersion = "1";
std::string g_strSnmpPort = "161";
std::string g_strCmdLineField10 = "1";
std::string g_strSecurityLevel = "1";
std::string g_strUserName;
std::string g_strAuthPassword;
std::string g_strPrivPassword;
std::string g_strAuthProtocol = "1";
std::string g_strPrivProtocol = "1";

std::string g_strTimeout = "3000";

std::mutex& ConnectionValuesLock()
{
    static std::mutex lock;
    return lock;
}

std::string g_strModelName;
int g_nPortCount = 28;
int g_nPoePortCount = 0;
int g_nComboPortCount = 0;
int g_nComboPortIndex = 0;
int g_bAllGigabit = 0;
int g_bHasFan = 0;
int g_bDialogClosing = 0;
