// The logic behind the power saving and time profile dialogs: the switch's
// power-saving settings (LED shut-off, port shut-off, port standby, system
// hibernation, link status detection) and its time profile table.
//
// The settings are read and written synchronously on the UI thread. The
// profile name walk keeps its names under a lock (WaitProfileNames waits for
// its end); the time profile walk hands its rows to the owner window at its
// end, each with WM_TIME_PROFILE_NOTIFY (wParam 0, lParam the record, valid
// during the call), then wParam 1 once all are given; a walk that fails or
// cannot start sends wParam 2 alone. The writes record a refusal or silence
// on the CWriteReport they are given.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CModuleBase.h"
#include "features/poe_rmon/POWER_detection_info.h"
#include "features/poe_rmon/POWER_saving_info.h"
#include "features/poe_rmon/TIME_profile_info.h"
#include "platform/system/WinTypes.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;
class CWriteReport;

// wParam 0, lParam a POWER_detection_info; then wParam 1, lParam the first
// of the four records (LED shut-off, port shut-off, system hibernation, port
// standby).
inline constexpr UINT WM_POWER_SAVING_NOTIFY = WM_USER + 1215;
inline constexpr UINT WM_TIME_PROFILE_NOTIFY = WM_USER + 1315;

class CPowSavSettings
{
public:
    CPowSavSettings();
    virtual ~CPowSavSettings();

    CPowSavSettings(const CPowSavSettings&) = delete;
    CPowSavSettings& operator=(const CPowSavSettings&) = delete;

    using ReadResult = CCommonSNMP::SendResult;
    // Reads the settings and hands them to the owner; a read that failed
    // hands nothing and leaves the records as they were.
    ReadResult GetPowerSaving();
    BOOL SetPowerSaving(POWER_saving_info record);
    BOOL SetPowerSaving(POWER_saving_info record, CWriteReport& report);
    BOOL SetLinkStatusDetection(POWER_detection_info record);
    BOOL SetLinkStatusDetection(POWER_detection_info record, CWriteReport& report);
    // False when the walk could not start.
    bool StartProfileNameWalk();
    // Waits for the name walk's end (the session's time-out plus 1000 ms at
    // most, serving carried window calls); TRUE when it read the whole
    // table (its names then replace the last ones).
    BOOL WaitProfileNames();
    // The names the last name walk gave.
    std::vector<std::string> GetProfileNames() const;
    void StartTimeProfileWalk();
    // Creates the row (create-and-wait) and writes it whole; a refused write
    // destroys the row again. TRUE when the row was written.
    BOOL AddTimeProfile(TIME_profile_info profile);
    BOOL AddTimeProfile(TIME_profile_info profile, CWriteReport& report);
    BOOL DeleteTimeProfile(const std::string& strIndex);
    BOOL DeleteTimeProfile(const std::string& strIndex, CWriteReport& report);
    void CloseAll();
    static std::string NoneToEmpty(const std::string& strName);
    // Record 0 to 3 as the last read left it.
    const POWER_saving_info& GetRecord(int nRecord) const;

    std::atomic<HWND> m_hOwnerWnd{nullptr};

private:
    static int OnProfileNameReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnTimeProfileReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // One SET of a profile's row status.
    bool SetProfileStatus(const std::string& strIndex, const char* pszStatus, CWriteReport& report,
                          const std::string& strWhat);

    std::array<POWER_saving_info, 4> m_PowerSaving;
    mutable std::mutex m_csWalkData;
    std::vector<std::string> m_strProfileNames;
    std::vector<std::string> m_NamesBuilding;
    bool m_bNamesComplete = false;
    std::vector<TIME_profile_info> m_ProfilesBuilding;
    CModuleBase m_ModuleBase;
    // The call-backs use the members above: the sessions come after them.
    CCommonSNMP m_cSnmpPowerSaving;
    CCommonSNMP m_cSnmpSpare;
    CCommonSNMP m_cSnmpProfileWalk;
    CCommonSNMP m_cSnmpProfileSet;
};
