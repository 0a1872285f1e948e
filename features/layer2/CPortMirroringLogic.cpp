#include "features/layer2/CPortMirroringLogic.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/layer2/MIRROR_state_info.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <functional>
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
    std::string strHex;
    CUtils::PortFlagsToHex(flags, strHex);
    CUtils::PadHexPortMask(strHex);
    std::vector<BYTE> octets;
    CUtils::HexToByteValues(strHex, octets, static_cast<int>(strHex.size() + 1) / 2);
    return octets;
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

void CPortMirroringLogic::GetMirrorState()
{
    // Opening stops a read that still runs, so its reply is stale.
    m_cSnmpState.Open(SnmpPduGet);
    {
        std::lock_guard lock(m_csState);
        m_bStateRead = false;
    }
    for (const std::string* pOid : {&kStateOid, &kTargetOid, &kRxPortsOid, &kTxPortsOid})
        m_cSnmpState.AddValue(*pOid, SnmpValueNull);
    m_cSnmpState.StartRequest(&CPortMirroringLogic::OnMirrorStateReply, this, 0, 0);
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
        session.SignalDone();
        return 0;
    }

    MIRROR_state_info info;
    info.ports.resize(PortCount());
    const std::string strState = CModuleBase::IntegerText(pResponse.get(), 0);
    info.nEnabled = strState == "1" ? 1 : 0;
    info.strTargetPort = CModuleBase::IntegerText(pResponse.get(), 1);
    if (info.strTargetPort == "0")
        info.strTargetPort = "1";
    ApplySourceSet(CModuleBase::ValueText(pResponse.get(), 2), info.ports, &MIRROR_port_info::bRx);
    ApplySourceSet(CModuleBase::ValueText(pResponse.get(), 3), info.ports, &MIRROR_port_info::bTx);
    pResponse.reset();
    {
        std::lock_guard lock(pThis->m_csState);
        pThis->m_strState = strState;
        pThis->m_bStateRead = strState == "1" || strState == "2";
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
                                    const std::string& strTargetPort)
{
    const auto sendSet = [this](const std::function<void()>& addBindings) {
        m_cSnmpSet.Open(SnmpPduSet);
        addBindings();
        return m_cSnmpSet.SendAccepted();
    };
    const auto addSet = [this](const std::string& strOid, const std::vector<BYTE>& octets) {
        m_cSnmpSet.AddValueLen(strOid, SnmpValueOctetString, octets.data(), static_cast<int>(octets.size()));
    };

    if (strNewState == "1") {
        if (strLastState == "1") {
            const std::vector<MIRROR_port_info> none(PortCount());
            const std::vector<BYTE> empty = SourceSet(none, &MIRROR_port_info::bTx);
            if (!sendSet([&] {
                    addSet(kTxPortsOid, empty);
                    addSet(kRxPortsOid, empty);
                }))
                return FALSE;
        }
        if (!sendSet([&] { m_cSnmpSet.AddValue(kTargetOid, SnmpValueInteger, strTargetPort); }))
            return FALSE;
        if (!sendSet([&] {
                addSet(kTxPortsOid, SourceSet(m_pPortInfo, &MIRROR_port_info::bTx));
                addSet(kRxPortsOid, SourceSet(m_pPortInfo, &MIRROR_port_info::bRx));
            }))
            return FALSE;
    }
    return sendSet([&] { m_cSnmpSet.AddValue(kStateOid, SnmpValueInteger, strNewState); }) ? TRUE : FALSE;
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
