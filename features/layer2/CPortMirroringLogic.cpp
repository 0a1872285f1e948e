#include "features/layer2/CPortMirroringLogic.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/layer2/Layer2Writes.h"
#include "features/layer2/MIRROR_state_info.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <memory>

const std::string CPortMirroringLogic::kStateOid = KorvelOid("10.76.19.1.18.1.0");
const std::string CPortMirroringLogic::kTargetOid = KorvelOid("10.76.19.1.18.2.0");
const std::string CPortMirroringLogic::kRxPortsOid = KorvelOid("10.76.19.1.18.3.0");
const std::string CPortMirroringLogic::kTxPortsOid = KorvelOid("10.76.19.1.18.4.0");

namespace {

size_t PortCount()
{
    return static_cast<size_t>(std::max(g_nPortCount, 0));
}

// The port bitmap of the ports whose flag is set: 4 octets up to 28 ports,
// 8 for 48 and 52.
std::vector<BYTE> SourceSet(const std::vector<MIRROR_port_info>& ports, BYTE MIRROR_port_info::*flag)
{
    std::vector<int> flags(PortCount(), 0);
    for (size_t i = 0; i < flags.size() && i < ports.size(); ++i)
        flags[i] = ports[i].*flag;
    return CUtils::PortFlagsToBitmap(flags);
}

// Sets the flag of every port of the bitmap (bits beyond the port count are
// no ports).
void ApplySourceSet(const std::string& bitmap, std::vector<MIRROR_port_info>& ports, BYTE MIRROR_port_info::*flag)
{
    int nCount = 0;
    const std::string strList = CUtils::PortBitmapToList(bitmap, nCount);
    if (nCount == 0)
        return;
    std::vector<int> flags(ports.size(), 0);
    CUtils::ApplyPortList(strList, flags, 1);
    for (size_t i = 0; i < ports.size() && i < flags.size(); ++i)
        if (flags[i] != 0)
            ports[i].*flag = 1;
}

} // namespace

CPortMirroringLogic::CPortMirroringLogic() : m_pPortInfo(PortCount()) {}

CPortMirroringLogic::~CPortMirroringLogic()
{
    // The read's call-back writes members of this object: it has ended once
    // its session is closed.
    CloseAll();
}

bool CPortMirroringLogic::GetMirrorState()
{
    // Opening stops a read that still runs, so its reply is stale.
    bool bPrepared = m_cSnmpState.Open(SnmpPduGet);
    {
        std::lock_guard lock(m_csState);
        m_bStateRead = false;
    }
    for (const std::string* pOid : {&kStateOid, &kTargetOid, &kRxPortsOid, &kTxPortsOid})
        bPrepared = bPrepared && m_cSnmpState.AddValue(*pOid, SnmpValueNull) == 0;
    return bPrepared && m_cSnmpState.StartAsync(&CPortMirroringLogic::OnMirrorStateReply, this);
}

int CPortMirroringLogic::OnMirrorStateReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPortMirroringLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpState;
    if (!session.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nStatus != 0 || !pResponse || nErrorStatus != 0) {
        SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, kNotifyReadFailed, 0);
        session.SignalDone();
        return 0;
    }

    MIRROR_state_info info;
    info.ports.resize(PortCount());
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    info.nEnabled = strState == "1" ? 1 : strState == "2" ? 0 : -1;
    info.strTargetPort = CModuleBase::RangeText(pResponse.get(), 1, 0, static_cast<long long>(PortCount()));
    if (info.strTargetPort == "0")
        info.strTargetPort = "1";
    // A source set that is no bitmap names no ports; no write rests on it.
    std::string strRx;
    std::string strTx;
    const bool bSetsRead =
        CModuleBase::OctetValue(pResponse.get(), 2, strRx) && CModuleBase::OctetValue(pResponse.get(), 3, strTx);
    ApplySourceSet(strRx, info.ports, &MIRROR_port_info::bRx);
    ApplySourceSet(strTx, info.ports, &MIRROR_port_info::bTx);
    pResponse.reset();
    {
        std::lock_guard lock(pThis->m_csState);
        pThis->m_strState = strState;
        pThis->m_bStateRead = !strState.empty() && bSetsRead;
    }
    SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, kNotifyState, reinterpret_cast<LPARAM>(&info));
    session.SignalDone();
    return 0;
}

void CPortMirroringLogic::WalkTrunkPorts()
{
    StartTrunkWalk();
}

BOOL CPortMirroringLogic::SetMirror(const std::string& strLastState, const std::string& strNewState,
                                    const std::string& strTargetPort, CWriteReport& report)
{
    layer2::WriteSequence sequence(report);
    const auto sendSets = [&](const std::vector<BYTE>& tx, const std::vector<BYTE>& rx, const std::string& strWhat) {
        m_cSnmpSet.Open(SnmpPduSet);
        m_cSnmpSet.AddValueLen(kTxPortsOid, SnmpValueOctetString, tx.data(), static_cast<int>(tx.size()));
        m_cSnmpSet.AddValueLen(kRxPortsOid, SnmpValueOctetString, rx.data(), static_cast<int>(rx.size()));
        return sequence.Send(m_cSnmpSet, strWhat);
    };

    if (strNewState == "1") {
        if (strLastState == "1") {
            const std::vector<BYTE> empty =
                SourceSet(std::vector<MIRROR_port_info>(PortCount()), &MIRROR_port_info::bTx);
            if (!sendSets(empty, empty, "the clearing of the source ports"))
                return FALSE;
        }
        if (!sequence.Integers(m_cSnmpSet, {{kTargetOid, strTargetPort}}, "the target port"))
            return FALSE;
        if (!sendSets(SourceSet(m_pPortInfo, &MIRROR_port_info::bTx), SourceSet(m_pPortInfo, &MIRROR_port_info::bRx),
                      "the source ports"))
            return FALSE;
    }
    return sequence.Integers(m_cSnmpSet, {{kStateOid, strNewState}}, "the port mirroring state") ? TRUE : FALSE;
}

int CPortMirroringLogic::CheckTrunkGroups()
{
    std::vector<MIRROR_port_info>& ports = m_pPortInfo;
    for (size_t i = 0; i < ports.size(); ++i) {
        if (ports[i].bSkip != 0)
            continue;
        for (size_t j = i + 1; j < ports.size(); ++j) {
            if (ports[j].nTrunkGroup != ports[i].nTrunkGroup)
                continue;
            if (ports[j].bTx != ports[i].bTx || ports[j].bRx != ports[i].bRx)
                return 0;
            ports[j].bSkip = 1;
        }
    }
    return 1;
}

void CPortMirroringLogic::CloseAll()
{
    m_cSnmpState.Close();
    m_cSnmpTrunkWalk.Close();
    m_cSnmpSet.Close();
}

std::string CPortMirroringLogic::GetState() const
{
    std::lock_guard lock(m_csState);
    return m_strState;
}

bool CPortMirroringLogic::IsStateRead() const
{
    std::lock_guard lock(m_csState);
    return m_bStateRead;
}
