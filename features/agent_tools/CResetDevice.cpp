#include "features/agent_tools/CResetDevice.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"

#include <memory>

namespace {

// 1 while the configuration is being saved.
const std::string kSaveInProgress = KorvelOid("10.76.19.1.1.10.0");
// Firmware and configuration transfer states: 4 while one prepares, 3 while
// it runs.
const std::string kFirmwareTransferState = KorvelOid("10.76.19.1.3.9.6.0");
const std::string kConfigTransferState = KorvelOid("10.76.19.1.3.10.6.0");
// Written 1, the switch reboots.
const std::string kReboot = KorvelOid("10.76.19.1.1.9.0");

} // namespace

CResetDevice::CResetDevice() = default;

CResetDevice::~CResetDevice() = default;

BOOL CResetDevice::CanReboot()
{
    m_cCommonSNMP.Open(SnmpPduGet);
    m_cCommonSNMP.AddValue(kSaveInProgress, SnmpValueNull);
    m_cCommonSNMP.AddValue(kFirmwareTransferState, SnmpValueNull);
    m_cCommonSNMP.AddValue(kConfigTransferState, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMP.send(pResponse, 0) != 0 || !pResponse)
        return TRUE;
    const std::string strSave = CModuleBase::ValueText(pResponse.get(), 0);
    const std::string strFirmware = CModuleBase::ValueText(pResponse.get(), 1);
    const std::string strConfig = CModuleBase::ValueText(pResponse.get(), 2);
    if (strSave == "1" || strFirmware == "4" || strFirmware == "3" || strConfig == "4" ||
        strConfig == "3")
        return FALSE;
    return TRUE;
}

void CResetDevice::Reboot()
{
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(kReboot, SnmpValueInteger, "1");
    std::unique_ptr<CSnmp> pResponse;
    m_cCommonSNMP.getNext(pResponse, 0);
    // A refusal is said; no answer is what a switch that restarts at once
    // gives, and stays quiet.
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0) {
        CWriteReport report;
        report.Refused("the reboot of the switch", nErrorStatus);
        report.Report();
    }
}
