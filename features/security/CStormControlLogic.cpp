#include "features/security/CStormControlLogic.h"

#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <memory>

const std::string CStormControlLogic::kStateOid = KorvelOid("10.76.19.1.13.3.1.0");
const std::string CStormControlLogic::kTypeOid = KorvelOid("10.76.19.1.13.3.2.0");
const std::string CStormControlLogic::kThresholdOid = KorvelOid("10.76.19.1.13.3.3.0");

namespace {
const char* const kWriteFinished = "WriteFinished";
}

CStormControlLogic::CStormControlLogic() = default;

CStormControlLogic::~CStormControlLogic() = default;

BOOL CStormControlLogic::GetGlobals()
{
    m_cSnmpStormGet.Open(SnmpPduGet);
    for (const std::string* pOid : {&kStateOid, &kTypeOid, &kThresholdOid})
        m_cSnmpStormGet.AddValue(*pOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpStormGet.send(pResponse, 0) != 0 || !pResponse)
        return FALSE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return FALSE;
    // A value outside its set (or of another type) is unknown: empty.
    STORM_control_info info;
    info.strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    info.strType = CModuleBase::EnumText(pResponse.get(), 1, {1, 2, 3});
    info.strThreshold = CModuleBase::IntegerText(pResponse.get(), 2);
    SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, kNotifyRead, reinterpret_cast<LPARAM>(&info));
    return info.strState.empty() ? FALSE : TRUE;
}

BOOL CStormControlLogic::SetGlobals(const STORM_control_info& oldValues, const STORM_control_info& newValues,
                                    CWriteReport& report)
{
    const bool bStateChanged = newValues.strState != oldValues.strState;
    if (!bStateChanged && newValues.strState != "1")
        return FALSE;

    m_cSnmpStormSet.Open(SnmpPduSet);
    int nBindings = 0;
    const auto add = [&](const std::string& strOid, const std::string& strValue) {
        m_cSnmpStormSet.AddValue(strOid, SnmpValueInteger, strValue);
        ++nBindings;
    };
    if (bStateChanged)
        add(kStateOid, newValues.strState);
    if (newValues.strState == "1") {
        if (newValues.strType != oldValues.strType)
            add(kTypeOid, newValues.strType);
        if (newValues.strThreshold != oldValues.strThreshold)
            add(kThresholdOid, newValues.strThreshold);
    }
    if (nBindings > 0)
        report.Send(m_cSnmpStormSet, "the storm control settings");
    // A switch that did not answer is not asked again at once.
    if (report.TimedOut())
        return FALSE;
    SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, kNotifyWriteFinished, reinterpret_cast<LPARAM>(kWriteFinished));
    return TRUE;
}

void CStormControlLogic::Stop()
{
    m_cSnmpStormGet.Close();
    m_cSnmpStormSet.Close();
}
