// The SNMP side of storm control, owned by value by its dialog
// (CStormControlDlg): one synchronous read and one synchronous write of the
// three global scalars. Reports to the owner window (CModuleBase::SetHwnd) as
// WM_LOGIC_NOTIFY, from the calling (UI) thread:
//   wParam 0, lParam STORM_control_info*  a read succeeded (valid for the call)
//   wParam 3, lParam "WriteFinished"      SetGlobals has written
//
// Objects, korvelEnterprise.10.76.19.1.13.3 (integers as decimal text):
// .1.0 state (1 enabled, 2 disabled), .2.0 type (1 broadcast, 2 multicast and
// broadcast, 3 also unknown unicast), .3.0 threshold in kbit/s (N x 64).
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/security/STORM_control_info.h"

#include <string>

class CStormControlLogic : public CModuleBase
{
public:
    CStormControlLogic();
    ~CStormControlLogic() override;

    CStormControlLogic(const CStormControlLogic&) = delete;
    CStormControlLogic& operator=(const CStormControlLogic&) = delete;

    static constexpr WPARAM kNotifyRead = 0;
    static constexpr WPARAM kNotifyWriteFinished = 3;

    static const std::string kStateOid;
    static const std::string kTypeOid;
    static const std::string kThresholdOid;

    // Reads the three scalars (a state or type outside its set, or of
    // another type, reported empty); TRUE when the switch answered without
    // an error with a state of the set.
    BOOL GetGlobals();
    // Writes what changed from the old values: a new state with, when it is
    // "1", the changed type and threshold; an unchanged state "1" the changed
    // type and threshold. An unchanged state other than "1" writes nothing
    // and reports nothing (FALSE). A refused SET is recorded in the report;
    // an unanswered one too, and then nothing is reported (FALSE). Otherwise
    // reports "WriteFinished", also when nothing changed; TRUE.
    BOOL SetGlobals(const STORM_control_info& oldValues, const STORM_control_info& newValues,
                    CWriteReport& report);
    // Closes both sessions.
    void Stop();

private:
    CCommonSNMP m_cSnmpStormGet;
    CCommonSNMP m_cSnmpStormSet;
};
