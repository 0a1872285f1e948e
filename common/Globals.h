// Process-wide values. The connection parameters are filled once from the
// command line before any window or thread exists, the device profile once
// from User.ini before the polling thread starts; both are only read
// afterwards. Every SNMP session copies what it needs when it is built.
#pragma once

#include <mutex>
#include <string>

// Connection parameters (command-line fields 1 to 16).
extern std::string g_strCmdLineField1;  // field 1, kept, read by nothing
extern std::string g_strDeviceIP;       // field 2, the switch's address
extern std::string g_strReadCommunity;  // field 3, "mirtle"
extern std::string g_strWriteCommunity; // field 4, "quenbor"
extern int g_bVlanEditable;             // field 5, 1: the VLAN dialog may edit
extern std::string g_strSnmpVersion;    // field 6, "1" or "3"
extern std::string g_strSnmpPort;       // field 7, "161", read by nothing
extern std::string g_strCmdLineField10; // field 10, kept, read by nothing
extern std::string g_strSecurityLevel;  // field 11, "1" none, "2" auth, "3" auth and privacy
extern std::string g_strUserName;       // field 12
extern std::string g_strAuthPassword;   // field 13
extern std::string g_strPrivPassword;   // field 14
extern std::string g_strAuthProtocol;   // field 15, "2" or "3" select the algorithm
extern std::string g_strPrivProtocol;   // field 16, "2" selects the cipher

// Default request time-out in milliseconds; never from the command line.
extern std::string g_strTimeout;

// Guards g_strDeviceIP and g_strTimeout, the two connection values that the
// device parameter dialog may change while other threads build sessions.
std::mutex& ConnectionValuesLock();

// Device profile (User.ini, section DeviceInfo).
extern std::string g_strModelName;
extern int g_nPortCount;
extern int g_nPoePortCount;
extern int g_nComboPortCount;
extern int g_nComboPortIndex;
extern int g_bAllGigabit;
extern int g_bHasFan;

// 1 from the moment a port configuration dialog or the SNMP community page
// closes until one of them is constructed again; the community page ignores
// its logic's messages while it is set. Written and read on the UI thread.
extern int g_bDialogClosing;
