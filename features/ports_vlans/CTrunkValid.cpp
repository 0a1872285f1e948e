#include "features/ports_vlans/CTrunkValid.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/system/UiThreadWait.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// Identifiers below korvelEnterprise.10.76.19.1.
std::string SwitchOid(const std::string& relative)
{
    return KorvelOid("10.76.19.1." + relative);
}

const char* const kTrunkMembersRelOid = "8.1.3.1.2";
const char* const kTrunkModeRelOid = "8.1.3.1.3";
const char* const kDhcpScreeningPorts = "14.7.1.0";

// Between "1:" + port list entries of the VLAN and ACL texts.
const char* const kEntryEnd = "%0A0A";

const char* const kCheckImpossible =
    "Cannot check the ports for an aggregated link: the port settings could not be read from the switch.";

// An agent's error status for an object it does not have (SNMPv1).
constexpr int kNoSuchName = 2;
// A binding index beyond every response: the object the switch does not have.
constexpr int kMissingBinding = 1 << 20;

// The value of binding `index` read as a whole number; 0 when there is no
// such binding or its value is not a whole number.
int ValueInt(CSnmp& response, int index)
{
    return std::atoi(CModuleBase::IntegerText(&response, index).c_str());
}

// The port list of the port bitmap in binding `index`; empty when it holds
// no port or is not an octet string.
std::string ValuePortList(CSnmp& response, int index)
{
    std::string bitmap;
    if (!CModuleBase::OctetValue(&response, index, bitmap))
        return std::string();
    int count = 0;
    std::string list = CUtils::PortBitmapToList(bitmap, count);
    return count > 0 ? list : std::string();
}

// Calls fn(port) for every item of a comma-separated port list, read with atoi.
template <class F> void ForEachListedPort(const std::string& list, F&& fn)
{
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        if (comma > start)
            fn(std::atoi(list.substr(start, comma - start).c_str()));
        start = comma + 1;
    }
}

// Per-port flags of a port list: ports outside 1..portCount are skipped.
std::vector<int> ListFlags(const std::string& list, int portCount)
{
    std::vector<int> flags(static_cast<size_t>(std::max(portCount, 0)), 0);
    ForEachListedPort(list, [&](int port) {
        if (port >= 1 && port <= portCount)
            flags[static_cast<size_t>(port - 1)] = 1;
    });
    return flags;
}

// The port lists of a text of "1:" + port list + "%0A0A" entries.
std::vector<std::string> EntryLists(const std::string& entries)
{
    std::vector<std::string> lists;
    size_t start = 0;
    const size_t endLength = std::char_traits<char>::length(kEntryEnd);
    while (start < entries.size()) {
        size_t end = entries.find(kEntryEnd, start);
        if (end == std::string::npos)
            end = entries.size();
        const std::string entry = entries.substr(start, end - start);
        const size_t colon = entry.find(':');
        lists.push_back(colon == std::string::npos ? std::string() : entry.substr(colon + 1));
        start = end + endLength;
    }
    return lists;
}

int At(const std::vector<int>& values, int index)
{
    return index >= 0 && static_cast<size_t>(index) < values.size() ? values[static_cast<size_t>(index)] : 0;
}

} // namespace

// How each read runs: its session, its call-back, whether it walks a table,
// and what stores one reply.
struct CTrunkValid::ReadSpec
{
    CCommonSNMP CTrunkValid::*session;
    SnmpCallback pfnCallback;
    bool bWalk;
    void (CTrunkValid::*store)(CSnmp&);
};

const CTrunkValid::ReadSpec CTrunkValid::kReads[kReadCount] = {
    {&CTrunkValid::m_cCommonSNMP, &OnReadReply<kReadGlobalStates>, false, &CTrunkValid::StoreGlobalStates},
    {&CTrunkValid::m_cCommonSNMPMirror, &OnReadReply<kReadMirrorSets>, false, &CTrunkValid::StoreMirrorSets},
    {&CTrunkValid::m_cCommonSNMPTableACL, &OnReadReply<kReadAcl>, true, &CTrunkValid::StoreAclRow},
    {&CTrunkValid::m_cCommonSNMPPoint, &OnReadReply<kReadMirrorTarget>, false, &CTrunkValid::StoreMirrorTarget},
    {&CTrunkValid::m_cCommonSNMPTableVlan, &OnReadReply<kReadVlan>, true, &CTrunkValid::StoreVlanRow},
    {&CTrunkValid::m_cCommonSNMPTableTrunk, &OnReadReply<kReadTrunk>, true, &CTrunkValid::StoreTrunkRow},
    {&CTrunkValid::m_cCommonSNMPTableStaticPor, &OnReadReply<kReadStaticFdb>, true, &CTrunkValid::StoreStaticFdbRow},
    {&CTrunkValid::m_cCommonSNMPTableGetVlanTrunk, &OnReadReply<kReadPortSettings>, true,
     &CTrunkValid::StorePortSettingsRow},
    {&CTrunkValid::m_cCommonSNMPTableArp, &OnReadReply<kReadArp>, true, &CTrunkValid::StoreArpRow},
    {&CTrunkValid::m_cCommonSNMPTableCamera, &OnReadReply<kReadSurveillance>, true, &CTrunkValid::StoreSurveillanceRow},
    {&CTrunkValid::m_cCommonSNMPTableRstp, &OnReadReply<kReadRstp>, true, &CTrunkValid::StoreRstpRow},
    {&CTrunkValid::m_cCommonSNMPDhcp, nullptr, false, nullptr},
};

CTrunkValid::CTrunkValid() = default;

CTrunkValid::~CTrunkValid()
{
    // The data is destroyed before the sessions: stop every call-back first.
    if (!m_bClosed)
        Close();
}

bool CTrunkValid::Init()
{
    {
        std::lock_guard lock(m_lock);
        m_bInitialised = false;
        if (g_nPortCount < 1)
            return false;
        try {
            m_nPortCount = g_nPortCount;
            const size_t count = static_cast<size_t>(m_nPortCount);
            for (std::vector<int>* array :
                 {&m_pInTrunk, &m_pListScratch, &m_pPvid, &m_pSpeed, &m_pPriority, &m_pPortSecurity, &m_pMediaType,
                  &m_pLbd, &m_pBandwidth1, &m_pBandwidth2, &m_p8021xControl, &m_pVoiceMode, &m_pDhcpScreening,
                  &m_CameraVlanState, &m_pCameraVlanMode})
                array->assign(count, 0);
            m_Rstp.assign(std::max<size_t>(count, 52), std::array<int, 7>{});
            m_pStaticFdbPort.clear();
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const std::length_error&) {
            return false;
        }
        m_bInitialised = true;
    }
    StartReads();
    return true;
}

void CTrunkValid::ResetData()
{
    for (std::vector<int>* array : {&m_pInTrunk, &m_pListScratch, &m_pPvid, &m_pSpeed, &m_pPriority, &m_pPortSecurity,
                                    &m_pMediaType, &m_pLbd, &m_pBandwidth1, &m_pBandwidth2, &m_p8021xControl,
                                    &m_pVoiceMode, &m_pDhcpScreening, &m_CameraVlanState, &m_pCameraVlanMode})
        std::fill(array->begin(), array->end(), 0);
    std::fill(m_Rstp.begin(), m_Rstp.end(), std::array<int, 7>{});
    m_pStaticFdbPort.clear();
}

void CTrunkValid::StartReads()
{
    {
        std::lock_guard lock(m_lock);
        ResetData();
    }
    ReadPortSettings();
    ReadMirrorTarget();
    StartStaticFdbWalk();
    Get8021EnableState();
    ReadDhcpScreeningPorts();
}

void CTrunkValid::StartRead(ReadId id, int nType, const std::vector<std::string>& oids,
                            const std::function<void()>& clear)
{
    const ReadSpec& spec = kReads[id];
    CCommonSNMP& session = this->*spec.session;
    m_bClosed = false;
    {
        std::lock_guard lock(m_lock);
        if (clear)
            clear();
        m_readStates[id] = ReadState::Running;
        m_lastReply = std::chrono::steady_clock::now();
    }
    {
        std::lock_guard lock(m_lock);
        m_readOids[id] = oids;
        m_readMissing[id].assign(oids.size(), false);
    }
    bool bReady = session.Open(nType);
    for (const std::string& oid : oids)
        bReady = bReady && session.AddValue(SwitchOid(oid), SnmpValueNull) == 0;
    // A read that cannot start ends as a failed one.
    if (!bReady || !session.StartAsync(spec.pfnCallback, this))
        EndRead(id, false);
}

void CTrunkValid::EndRead(ReadId id, bool bSucceeded)
{
    std::lock_guard lock(m_lock);
    if (m_readStates[id] == ReadState::Running)
        m_readStates[id] = bSucceeded ? ReadState::Done : ReadState::Failed;
    m_lastReply = std::chrono::steady_clock::now();
}

template <int R> int CTrunkValid::OnReadReply(CSnmp* pResponse, int nRequestId, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> response(pResponse);
    auto* self = static_cast<CTrunkValid*>(pUserData);
    const ReadSpec& spec = kReads[R];
    CCommonSNMP& session = self->*spec.session;
    if (!session.FindRequestID(nRequestId))
        return 0; // a reply to a request that was stopped
    int nError = 0;
    int nErrorIndex = 0;
    if (nStatus == SnmpStatusOk && response)
        response->getError(&nError, &nErrorIndex);
    // An object the switch says it does not have is an answer: the read goes
    // on without it, and the rule that needs it does not apply.
    if (nStatus == SnmpStatusOk && response && nError == kNoSuchName && !spec.bWalk) {
        response = self->ReadWithoutMissing(static_cast<ReadId>(R), nErrorIndex, nStatus);
        if (nStatus == SnmpStatusOk)
            nError = 0;
    }
    if (nStatus != SnmpStatusOk || !response || nError != 0) {
        // The end of a table ends a walk well; anything else fails the read.
        self->EndRead(static_cast<ReadId>(R), spec.bWalk && nStatus == SnmpStatusEndOfWalk);
        session.SignalDone();
        return 0;
    }
    {
        std::lock_guard lock(self->m_lock);
        (self->*spec.store)(*response);
        self->m_lastReply = std::chrono::steady_clock::now();
    }
    if (spec.bWalk) {
        response.reset();
        if (!session.StartAsync(spec.pfnCallback, self)) {
            self->EndRead(static_cast<ReadId>(R), false);
            session.SignalDone();
        }
    } else {
        self->EndRead(static_cast<ReadId>(R), true);
        session.SignalDone();
    }
    return 0;
}

std::unique_ptr<CSnmp> CTrunkValid::ReadWithoutMissing(ReadId id, int nErrorIndex, int& nStatus)
{
    // Each noSuchName names one object; the GET is asked again without it
    // until the switch answers the rest, or none is left.
    std::unique_ptr<CSnmp> response;
    for (;;) {
        std::vector<std::string> oids;
        {
            std::lock_guard lock(m_lock);
            const int nColumn = BindingColumn(id, nErrorIndex - 1);
            if (nColumn < 0) {
                nStatus = SnmpStatusFailed;
                return nullptr;
            }
            m_readMissing[id][static_cast<size_t>(nColumn)] = true;
            for (size_t i = 0; i < m_readOids[id].size(); ++i)
                if (!m_readMissing[id][i])
                    oids.push_back(m_readOids[id][i]);
        }
        // Nothing of it is left: an empty answer.
        if (oids.empty()) {
            nStatus = SnmpStatusOk;
            return std::make_unique<CSnmp>();
        }
        CCommonSNMP session;
        bool bReady = session.Open(SnmpPduGet);
        for (const std::string& oid : oids)
            bReady = bReady && session.AddValue(SwitchOid(oid), SnmpValueNull) == 0;
        response.reset();
        nStatus = bReady ? session.send(response, 0) : SnmpStatusFailed;
        if (nStatus != SnmpStatusOk || !response) {
            nStatus = SnmpStatusFailed;
            return nullptr;
        }
        int nError = 0;
        response->getError(&nError, &nErrorIndex);
        if (nError == 0)
            return response;
        if (nError != kNoSuchName) {
            nStatus = SnmpStatusFailed;
            return nullptr;
        }
    }
}

int CTrunkValid::BindingColumn(ReadId id, int nBinding) const
{
    int nSeen = 0;
    for (size_t i = 0; i < m_readMissing[id].size(); ++i) {
        if (m_readMissing[id][i])
            continue;
        if (nSeen++ == nBinding)
            return static_cast<int>(i);
    }
    return -1;
}

int CTrunkValid::Binding(ReadId id, int nColumn) const
{
    const std::vector<bool>& missing = m_readMissing[id];
    if (nColumn < 0 || static_cast<size_t>(nColumn) >= missing.size())
        return nColumn;
    if (missing[static_cast<size_t>(nColumn)])
        return kMissingBinding;
    return static_cast<int>(std::count(missing.begin(), missing.begin() + nColumn, false));
}

// --- The reads ---

void CTrunkValid::ReadPortSettings()
{
    StartTrunkWalk();
    StartVlanWalk();
    StartAclWalk();
    ReadMirrorPorts();
    StartArpSpoofingWalk();
    StartSurveillanceWalk();
    StartRstpWalk();
    Sleep(500);
    StartRead(kReadPortSettings, SnmpPduGetNext,
              {"1.13.1.2", "12.3.1.1.2", "7.7.1.1", "14.2.1.1.2", "1.13.1.7", "17.5.1.2", "13.1.2.1.2", "13.1.2.1.3"},
              [this] { m_nPortSettingsRow = 0; });
}

void CTrunkValid::StartTrunkWalk()
{
    StartRead(kReadTrunk, SnmpPduGetNext, {kTrunkMembersRelOid, kTrunkModeRelOid});
}

void CTrunkValid::StartVlanWalk()
{
    StartRead(kReadVlan, SnmpPduGetNext, {"7.6.1.2", "7.6.1.4"}, [this] {
        m_strVlanEgress.clear();
        m_strVlanUntagged.clear();
    });
}

void CTrunkValid::StartAclWalk()
{
    StartRead(kReadAcl, SnmpPduGetNext, {"15.2.1.1.10"}, [this] { m_strAclPorts.clear(); });
}

void CTrunkValid::ReadMirrorPorts()
{
    StartRead(kReadMirrorSets, SnmpPduGet, {"18.3.0", "18.4.0", "9.2.0"}, [this] {
        m_strMirrorSourceA.clear();
        m_strMirrorSourceB.clear();
        m_strAutoLearnPorts.clear();
    });
}

void CTrunkValid::StartArpSpoofingWalk()
{
    StartRead(kReadArp, SnmpPduGetNext, {"14.3.1.1.3"}, [this] { m_strArpPorts.clear(); });
}

void CTrunkValid::StartSurveillanceWalk()
{
    StartRead(kReadSurveillance, SnmpPduGetNext, {"26.1.5.1.2", "26.1.5.1.3"}, [this] { m_nSurveillanceRow = 0; });
}

void CTrunkValid::StartRstpWalk()
{
    StartRead(
        kReadRstp, SnmpPduGetNext,
        {"6.2.1.4", "6.2.1.2", "6.2.1.5", "6.2.1.16", "6.2.1.18", "6.2.1.17", "6.2.1.14", "23.2.1.1.9", "21.1.6.1.2"},
        [this] { m_nRstpRow = 0; });
}

void CTrunkValid::ReadMirrorTarget()
{
    StartRead(kReadMirrorTarget, SnmpPduGet, {"18.1.0", "18.2.0"}, [this] {
        m_iMirrorState = 0;
        m_iMirrorTarget = 0;
    });
}

void CTrunkValid::StartStaticFdbWalk()
{
    StartRead(kReadStaticFdb, SnmpPduGetNext, {"9.3.1.3"}, [this] { m_pStaticFdbPort.clear(); });
}

void CTrunkValid::Get8021EnableState()
{
    OutputDebugString("\n******Get8021EnableStateGet8021EnableState*******\n");
    StartRead(kReadGlobalStates, SnmpPduGet, {"11.2.1.0", "6.1.1.0", "26.1.1.0"});
}

void CTrunkValid::ReadDhcpScreeningPorts()
{
    m_bClosed = false;
    {
        std::lock_guard lock(m_lock);
        m_readStates[kReadDhcp] = ReadState::Running;
    }
    std::unique_ptr<CSnmp> response;
    int nStatus = SnmpStatusFailed;
    if (m_cCommonSNMPDhcp.Open(SnmpPduGet) &&
        m_cCommonSNMPDhcp.AddValue(SwitchOid(kDhcpScreeningPorts), SnmpValueNull) == 0)
        nStatus = m_cCommonSNMPDhcp.send(response, 0);
    int nError = 0;
    int nErrorIndex = 0;
    if (nStatus == SnmpStatusOk && response)
        response->getError(&nError, &nErrorIndex);
    // A switch without screening has no port in it.
    const bool bSucceeded = nStatus == SnmpStatusOk && response && (nError == 0 || nError == kNoSuchName);
    if (nError != 0)
        response.reset();
    if (bSucceeded && response) {
        const std::string list = ValuePortList(*response, 0);
        std::lock_guard lock(m_lock);
        ForEachListedPort(list, [&](int port) {
            if (port >= 1 && port <= m_nPortCount)
                m_pDhcpScreening[static_cast<size_t>(port - 1)] = 1;
        });
    }
    EndRead(kReadDhcp, bSucceeded);
}

// --- Storing replies (under m_lock) ---

void CTrunkValid::MarkTrunkPorts(const std::string& strList)
{
    ForEachListedPort(strList, [&](int port) {
        if (port >= 1 && port <= m_nPortCount)
            m_pInTrunk[static_cast<size_t>(port - 1)] = 1;
    });
}

void CTrunkValid::StoreTrunkRow(CSnmp& response)
{
    const std::string list = ValuePortList(response, 0);
    if (!list.empty())
        MarkTrunkPorts(list);
}

void CTrunkValid::StoreVlanRow(CSnmp& response)
{
    const std::string egress = ValuePortList(response, 0);
    if (!egress.empty())
        m_strVlanEgress += "1:" + egress + kEntryEnd;
    const std::string untagged = ValuePortList(response, 1);
    if (!untagged.empty())
        m_strVlanUntagged += "1:" + untagged + kEntryEnd;
}

void CTrunkValid::StoreAclRow(CSnmp& response)
{
    const std::string list = ValuePortList(response, 0);
    if (!list.empty())
        m_strAclPorts += "1:" + list + kEntryEnd;
}

void CTrunkValid::StoreMirrorSets(CSnmp& response)
{
    const std::string sourceA = ValuePortList(response, Binding(kReadMirrorSets, 0));
    if (!sourceA.empty())
        m_strMirrorSourceA = sourceA;
    const std::string sourceB = ValuePortList(response, Binding(kReadMirrorSets, 1));
    if (!sourceB.empty())
        m_strMirrorSourceB = sourceB;
    m_strAutoLearnPorts = ValuePortList(response, Binding(kReadMirrorSets, 2));
}

void CTrunkValid::StoreArpRow(CSnmp& response)
{
    const std::string list = ValuePortList(response, 0);
    if (!list.empty())
        m_strArpPorts = list;
}

void CTrunkValid::StoreSurveillanceRow(CSnmp& response)
{
    const int row = m_nSurveillanceRow++;
    if (row >= m_nPortCount)
        return;
    m_CameraVlanState[static_cast<size_t>(row)] = ValueInt(response, 0);
    m_pCameraVlanMode[static_cast<size_t>(row)] = ValueInt(response, 1);
}

void CTrunkValid::StoreRstpRow(CSnmp& response)
{
    const int row = m_nRstpRow++;
    if (row >= m_nPortCount)
        return;
    for (int column = 0; column < 7; ++column)
        m_Rstp[static_cast<size_t>(row)][static_cast<size_t>(column)] = ValueInt(response, column);
    m_p8021xControl[static_cast<size_t>(row)] = ValueInt(response, 7);
    m_pVoiceMode[static_cast<size_t>(row)] = ValueInt(response, 8);
}

void CTrunkValid::StorePortSettingsRow(CSnmp& response)
{
    const int row = m_nPortSettingsRow++;
    if (row >= m_nPortCount)
        return;
    std::vector<int>* const columns[] = {&m_pSpeed,     &m_pPriority, &m_pPvid,       &m_pPortSecurity,
                                         &m_pMediaType, &m_pLbd,      &m_pBandwidth1, &m_pBandwidth2};
    for (int column = 0; column < 8; ++column)
        (*columns[column])[static_cast<size_t>(row)] = ValueInt(response, column);
}

void CTrunkValid::StoreMirrorTarget(CSnmp& response)
{
    m_iMirrorState = ValueInt(response, Binding(kReadMirrorTarget, 0));
    m_iMirrorTarget = ValueInt(response, Binding(kReadMirrorTarget, 1));
}

void CTrunkValid::StoreStaticFdbRow(CSnmp& response)
{
    // Every entry counts, also those beyond the port count.
    m_pStaticFdbPort.push_back(ValueInt(response, 0));
}

void CTrunkValid::StoreGlobalStates(CSnmp& response)
{
    // A state the switch does not have, or cannot mean, is off.
    m_i8021xEnable = CModuleBase::EnumText(&response, Binding(kReadGlobalStates, 0), {1, 2}) == "1" ? 1 : 2;
    m_iRstpEnable = CModuleBase::EnumText(&response, Binding(kReadGlobalStates, 1), {1, 2}) == "1" ? 1 : 2;
    m_iCameraVlanEnable = CModuleBase::EnumText(&response, Binding(kReadGlobalStates, 2), {1, 2}) == "1" ? 1 : 2;
}

// --- Judging ---

void CTrunkValid::SetSelection(const std::vector<int>* pSelected, const std::string& strTrunkMembers)
{
    m_pSelected = pSelected;
    m_strTrunkMembers = strTrunkMembers;
}

bool CTrunkValid::WaitForReads()
{
    const int nDefaultTimeout = std::max(std::atoi(g_strTimeout.c_str()), 0);
    const auto bound = std::chrono::milliseconds(nDefaultTimeout + 1000);
    ui_wait::WaitServingUi(
        [&] {
            std::lock_guard lock(m_lock);
            const bool bRunning = std::any_of(m_readStates.begin(), m_readStates.end(),
                                              [](ReadState state) { return state == ReadState::Running; });
            return !bRunning || std::chrono::steady_clock::now() - m_lastReply > bound;
        },
        INFINITE);
    std::lock_guard lock(m_lock);
    return std::all_of(m_readStates.begin(), m_readStates.end(),
                       [](ReadState state) { return state == ReadState::Done; });
}

bool CTrunkValid::CheckTrunkMembers()
{
    bool bInitialised;
    {
        std::lock_guard lock(m_lock);
        bInitialised = m_bInitialised;
    }
    if (!bInitialised || !WaitForReads()) {
        AfxMessageBox(kCheckImpossible, MB_OK);
        return false;
    }
    bool bPassed;
    {
        std::lock_guard lock(m_lock);
        bPassed = CheckOtherTrunk() && CheckSpeedDuplex() && CheckDhcpScreening() && Check8021X() &&
                  CheckVlanMembership() && CheckAutoLearning() && CheckPortSettings() && CheckMirrorPorts() &&
                  CheckMirrorTarget() && CheckArpSpoofing() && CheckRateControl();
    }
    if (bPassed) {
        // The spanning-tree rule reads the global states again; the reply
        // serves the next check.
        Get8021EnableState();
        std::lock_guard lock(m_lock);
        bPassed = CheckRstp() && CheckVoiceVlan() && CheckStaticFdb() && CheckAcl() && CheckSurveillanceVlan();
    }
    if (!bPassed)
        AfxMessageBox(m_strRefusal, MB_OK);
    return bPassed;
}

bool CTrunkValid::IsSelected(int nIndex) const
{
    return m_pSelected != nullptr && At(*m_pSelected, nIndex) != 0;
}

template <class F> int CTrunkValid::FirstSelectedWhere(F&& test) const
{
    for (int i = 0; i < m_nPortCount; ++i)
        if (IsSelected(i) && test(i))
            return i;
    return -1;
}

template <class F> bool CTrunkValid::SplitsSelection(F&& inside) const
{
    return FirstSelectedWhere(inside) >= 0 && FirstSelectedWhere([&](int i) { return !inside(i); }) >= 0;
}

bool CTrunkValid::Refuse(const std::string& strMessage)
{
    m_strRefusal = strMessage;
    return false;
}

bool CTrunkValid::IsAllOrNone(const std::string& strList)
{
    if (strList.empty())
        return true;
    std::fill(m_pListScratch.begin(), m_pListScratch.end(), 0);
    ForEachListedPort(strList, [&](int port) {
        if (port >= 1 && port <= m_nPortCount)
            m_pListScratch[static_cast<size_t>(port - 1)] = 1;
    });
    return !SplitsSelection([&](int i) { return At(m_pListScratch, i) != 0; });
}

bool CTrunkValid::EveryEntryAllOrNone(const std::string& strEntries)
{
    for (const std::string& list : EntryLists(strEntries))
        if (!IsAllOrNone(list))
            return false;
    return true;
}

bool CTrunkValid::AgreesFromFirstNonZero(const std::vector<int>& values) const
{
    int nReference = 0;
    for (int i = 0; i < m_nPortCount; ++i) {
        if (!IsSelected(i))
            continue;
        if (nReference == 0) {
            nReference = At(values, i);
            continue;
        }
        if (At(values, i) != nReference)
            return false;
    }
    return true;
}

bool CTrunkValid::CheckOtherTrunk()
{
    const std::vector<int> own = ListFlags(m_strTrunkMembers, m_nPortCount);
    if (FirstSelectedWhere([&](int i) { return At(m_pInTrunk, i) != 0 && At(own, i) == 0; }) >= 0)
        return Refuse("Cannot add the port as it is a member of another aggregated link !");
    return true;
}

bool CTrunkValid::CheckSpeedDuplex()
{
    const int nReference = At(m_pSpeed, FirstSelectedWhere([&](int i) { return At(m_pSpeed, i) != 0; }));
    if (nReference == 3 || nReference == 5)
        return Refuse("Cannot add a port in half-duplex mode to an aggregated link.");
    if (!AgreesFromFirstNonZero(m_pSpeed))
        return Refuse("Cannot add ports of different speed to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckDhcpScreening()
{
    if (SplitsSelection([&](int i) { return At(m_pDhcpScreening, i) == 1; }))
        return Refuse("Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.");
    return true;
}

bool CTrunkValid::Check8021X()
{
    if (m_i8021xEnable != 1)
        return true;
    const int nControl =
        At(m_p8021xControl,
           FirstSelectedWhere([&](int i) { return At(m_p8021xControl, i) == 1 || At(m_p8021xControl, i) == 2; }));
    if (nControl == 2)
        return Refuse("Cannot add the 802.1X-enabled port to an aggregated link.");
    if (nControl == 1)
        return Refuse("Setting the Channel Mode Fail.");
    return true;
}

bool CTrunkValid::CheckVlanMembership()
{
    if (!EveryEntryAllOrNone(m_strVlanEgress) || !EveryEntryAllOrNone(m_strVlanUntagged))
        return Refuse("Cannot add ports with different VLAN configurations to an aggregated link !");
    return true;
}

bool CTrunkValid::CheckAutoLearning()
{
    const std::string message = "Cannot add a Auto-learn disabled port to an aggregated link.";
    if (m_strAutoLearnPorts.empty())
        return Refuse(message);
    const std::vector<int> learning = ListFlags(m_strAutoLearnPorts, m_nPortCount);
    if (FirstSelectedWhere([&](int i) { return At(learning, i) == 0; }) >= 0)
        return Refuse(message);
    return true;
}

bool CTrunkValid::CheckPortSettings()
{
    if (!AgreesFromFirstNonZero(m_pPriority))
        return Refuse("Cannot add ports with different 802.1p default priorities to an aggregated link.");
    if (!AgreesFromFirstNonZero(m_pPvid))
        return Refuse("Cannot add ports with different PVIDs to an aggregated link.");
    if (FirstSelectedWhere([&](int i) { return At(m_pPortSecurity, i) == 1; }) >= 0)
        return Refuse("Cannot add a port-security anabled port to an aggregated link.");
    if (FirstSelectedWhere([&](int i) { return At(m_pLbd, i) == 1; }) >= 0)
        return Refuse("Cannot add a LBD-enabled port to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckMirrorPorts()
{
    if (!IsAllOrNone(m_strMirrorSourceA) || !IsAllOrNone(m_strMirrorSourceB))
        return Refuse("Cannot add ports of Port Mirror enable ports to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckMirrorTarget()
{
    if (m_iMirrorState == 1 && m_iMirrorTarget >= 1 && m_iMirrorTarget <= m_nPortCount &&
        IsSelected(m_iMirrorTarget - 1))
        return Refuse("Cannot add a mirror port to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckArpSpoofing()
{
    if (!m_strArpPorts.empty() && !IsAllOrNone(m_strArpPorts))
        return Refuse("Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckRateControl()
{
    int nFirst = -1;
    for (int i = 0; i < m_nPortCount; ++i) {
        if (!IsSelected(i))
            continue;
        if (nFirst < 0) {
            nFirst = i;
            continue;
        }
        if (At(m_pBandwidth1, i) != At(m_pBandwidth1, nFirst) || At(m_pBandwidth2, i) != At(m_pBandwidth2, nFirst))
            return Refuse("Cannot add ports with different rate control configurations to an aggregated link.");
    }
    return true;
}

bool CTrunkValid::CheckRstp()
{
    OutputDebugString(std::string(23, 'A'));
    DebugTrace("m_iRstpEnable =  %d ", m_iRstpEnable);
    if (m_iRstpEnable != 1)
        return true;
    int nFirst = -1;
    for (int i = 0; i < m_nPortCount; ++i) {
        if (!IsSelected(i))
            continue;
        if (nFirst < 0) {
            nFirst = i;
            continue;
        }
        if (m_Rstp[static_cast<size_t>(i)] != m_Rstp[static_cast<size_t>(nFirst)]) {
            OutputDebugString(std::string(21, '!'));
            return Refuse("Cannot add a port with different RSTP port setting to an aggregated link. ");
        }
    }
    return true;
}

bool CTrunkValid::CheckVoiceVlan()
{
    if (FirstSelectedWhere([&](int i) { return At(m_pVoiceMode, i) == 1; }) >= 0)
        return Refuse("Cannot add a port in Voice Vlan Auto mode to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckStaticFdb()
{
    const auto isEntryPort = [&](int i) {
        return std::find(m_pStaticFdbPort.begin(), m_pStaticFdbPort.end(), i + 1) != m_pStaticFdbPort.end();
    };
    if (FirstSelectedWhere(isEntryPort) >= 0)
        return Refuse("Cannot add ports with different FDB-destination-hit configurations to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckAcl()
{
    if (!EveryEntryAllOrNone(m_strAclPorts))
        return Refuse("Cannot add an ACL enabled port to an aggregated link.");
    return true;
}

bool CTrunkValid::CheckSurveillanceVlan()
{
    if (m_iCameraVlanEnable != 1)
        return true;
    // Per port, auto detection is judged before dynamic membership.
    const int nPort =
        FirstSelectedWhere([&](int i) { return At(m_CameraVlanState, i) == 1 || At(m_pCameraVlanMode, i) == 2; });
    if (nPort < 0)
        return true;
    if (At(m_CameraVlanState, nPort) == 1)
        return Refuse("Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link");
    return Refuse("Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link");
}

// --- Writing and closing ---

int CTrunkValid::WriteTrunk(const std::string& strMode, const std::string& strMask, const std::string& strTrunkId,
                            CWriteReport& report)
{
    const int n = static_cast<int>(strMask.size() / 2);
    if (n < 1) {
        AfxMessageBox("Parameter Error !", MB_OK);
        return 0;
    }
    std::vector<BYTE> octets;
    CUtils::HexToByteValues(strMask, octets, n);
    if (!m_cCommonSNMPSet.Open(SnmpPduSet)) {
        report.Silent("the members of trunk " + strTrunkId);
        return 0;
    }
    m_cCommonSNMPSet.AddValueLen(SwitchOid(kTrunkMembersRelOid) + "." + strTrunkId, SnmpValueOctetString, octets.data(),
                                 n);
    m_cCommonSNMPSet.AddValue(SwitchOid(kTrunkModeRelOid) + "." + strTrunkId, SnmpValueInteger, strMode);
    return report.Send(m_cCommonSNMPSet, "the members of trunk " + strTrunkId) ? 1 : 0;
}

void CTrunkValid::Close()
{
    struct Step
    {
        CCommonSNMP CTrunkValid::*session;
        const char* name;
        bool bTraced;
    };
    static const Step steps[] = {
        {&CTrunkValid::m_cCommonSNMP, "m_cCommonSNMP", true},
        {&CTrunkValid::m_cCommonSNMPSet, "m_cCommonSNMPSet", true},
        {&CTrunkValid::m_cCommonSNMPMirror, "m_cCommonSNMPMirror", true},
        {&CTrunkValid::m_cCommonSNMPTableACL, "m_cCommonSNMPTableACL", true},
        {&CTrunkValid::m_cCommonSNMPPoint, "m_cCommonSNMPPoint", true},
        {&CTrunkValid::m_cCommonSNMPTableVlan, "m_cCommonSNMPTableVlan", true},
        {&CTrunkValid::m_cCommonSNMPTableTrunk, "m_cCommonSNMPTableTrunk", true},
        {&CTrunkValid::m_cCommonSNMPTableStaticPor, "m_cCommonSNMPTableStaticPor", true},
        {&CTrunkValid::m_cCommonSNMPDhcp, "m_cCommonSNMPDhcp", false},
        {&CTrunkValid::m_cCommonSNMPTableGetVlanTrunk, "m_cCommonSNMPTableGetVlanTrunk", true},
        {&CTrunkValid::m_cCommonSNMPTableArp, "m_cCommonSNMPTableArp", false},
        {&CTrunkValid::m_cCommonSNMPTableCamera, "m_cCommonSNMPTableCamera", false},
        {&CTrunkValid::m_cCommonSNMPTableRstp, "m_cCommonSNMPTableRstp", false},
    };
    m_bClosed = true;
    for (const Step& step : steps) {
        (this->*step.session).Close();
        if (step.bTraced)
            OutputDebugString(std::string(18, '=') + step.name + ".Close" + std::string(15, '='));
    }
}
