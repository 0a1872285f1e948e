// The trunk member picker's admission reader: before ports may form a trunk,
// their settings in many other features must agree. When the picker opens,
// Init starts one read per session of everything the admission rules look
// at (trunks, VLANs, spanning tree, 802.1X, port security, loopback
// detection, bandwidth control, mirroring, MAC auto-learning, static MAC
// entries, DHCP server screening, ARP spoofing prevention, ACLs, the voice
// and surveillance VLANs) and keeps it per port. On OK, CheckTrunkMembers
// judges the picked ports with sixteen rules and shows the first refusal;
// WriteTrunk then writes the members and the channel mode in one SET.
//
// The reads' call-backs fill the data on the sessions' worker threads under
// m_lock. The rules judge complete data only: CheckTrunkMembers first waits
// for every read to end (serving carried window calls meanwhile) and refuses
// to judge when one of them failed or Init did not succeed.
#pragma once

class CWriteReport;

#include "common/CCommonSNMP.h"

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CTrunkValid
{
public:
    CTrunkValid();
    ~CTrunkValid();

    CTrunkValid(const CTrunkValid&) = delete;
    CTrunkValid& operator=(const CTrunkValid&) = delete;

    // Sizes the per-port data for g_nPortCount and starts the reads; false
    // (and no read started) when the per-port data cannot be allocated.
    bool Init();
    void StartReads();

    // The selection to judge: entry i non-zero when port i + 1 is picked (the
    // picker's flags, not owned; null to let go of them), and the trunk's
    // current members as a port list.
    void SetSelection(const std::vector<int>* pSelected, const std::string& strTrunkMembers);

    // Runs the admission rules on the selection; shows the first refusal and
    // returns false, or returns true when every rule passed.
    bool CheckTrunkMembers();

    // Writes the members (hex port mask) and the channel mode ("1" LACP, "2"
    // static) of one trunk in one SET. 1 when the switch took it; 0 after
    // "Parameter Error !" or when it was refused or unanswered (the report
    // holds which).
    int WriteTrunk(const std::string& strMode, const std::string& strMask, const std::string& strTrunkId,
                   CWriteReport& report);

    // Stops every session: once it returns, no reply reaches the data.
    void Close();

private:
    // The reads, one per session; each ends exactly once per start.
    enum ReadId
    {
        kReadGlobalStates,
        kReadMirrorSets,
        kReadAcl,
        kReadMirrorTarget,
        kReadVlan,
        kReadTrunk,
        kReadStaticFdb,
        kReadPortSettings,
        kReadArp,
        kReadSurveillance,
        kReadRstp,
        kReadDhcp,
        kReadCount
    };
    enum class ReadState
    {
        Idle,
        Running,
        Done,
        Failed
    };
    struct ReadSpec;
    static const ReadSpec kReads[kReadCount];

    // A GET the switch answered with noSuchName for binding nErrorIndex (from
    // 1): asks again, synchronously, without each object the switch does not
    // have. The answer, with nStatus SnmpStatusOk (an empty one when no
    // object is left), or null with nStatus SnmpStatusFailed.
    std::unique_ptr<CSnmp> ReadWithoutMissing(ReadId id, int nErrorIndex, int& nStatus);
    // The column (from 0) of binding nBinding of the read's answer, -1 for
    // none; and the binding of a column (beyond every answer for an object
    // the switch does not have). Under m_lock.
    int BindingColumn(ReadId id, int nBinding) const;
    int Binding(ReadId id, int nColumn) const;

    // Starting and ending reads.
    void ReadPortSettings();
    void StartTrunkWalk();
    void StartVlanWalk();
    void StartAclWalk();
    void ReadMirrorPorts();
    void StartArpSpoofingWalk();
    void StartSurveillanceWalk();
    void StartRstpWalk();
    void ReadMirrorTarget();
    void StartStaticFdbWalk();
    void Get8021EnableState();
    void ReadDhcpScreeningPorts();
    // Starts a read of the objects; `clear` empties what the read fills, under m_lock.
    void StartRead(ReadId id, int nType, const std::vector<std::string>& oids, const std::function<void()>& clear = {});
    void EndRead(ReadId id, bool bSucceeded);
    template <int R> static int OnReadReply(CSnmp* pResponse, int nRequestId, void* pUserData, int nStatus);
    // Waits until every read has ended; false when one failed, or when the
    // switch has stopped answering one of them.
    bool WaitForReads();

    // Storing one reply; called under m_lock.
    void StoreTrunkRow(CSnmp& response);
    void StoreVlanRow(CSnmp& response);
    void StoreAclRow(CSnmp& response);
    void StoreMirrorSets(CSnmp& response);
    void StoreArpRow(CSnmp& response);
    void StoreSurveillanceRow(CSnmp& response);
    void StoreRstpRow(CSnmp& response);
    void StorePortSettingsRow(CSnmp& response);
    void StoreMirrorTarget(CSnmp& response);
    void StoreStaticFdbRow(CSnmp& response);
    void StoreGlobalStates(CSnmp& response);
    void MarkTrunkPorts(const std::string& strList);
    void ResetData();

    // The admission rules, in the order CheckTrunkMembers applies them; each
    // leaves its message in m_strRefusal when it refuses. Called under m_lock.
    bool CheckOtherTrunk();
    bool CheckSpeedDuplex();
    bool CheckDhcpScreening();
    bool Check8021X();
    bool CheckVlanMembership();
    bool CheckAutoLearning();
    bool CheckPortSettings();
    bool CheckMirrorPorts();
    bool CheckMirrorTarget();
    bool CheckArpSpoofing();
    bool CheckRateControl();
    bool CheckRstp();
    bool CheckVoiceVlan();
    bool CheckStaticFdb();
    bool CheckAcl();
    bool CheckSurveillanceVlan();
    // Passes when the selection lies wholly inside or wholly outside the list.
    bool IsAllOrNone(const std::string& strList);
    bool EveryEntryAllOrNone(const std::string& strEntries);
    bool AgreesFromFirstNonZero(const std::vector<int>& values) const;
    bool IsSelected(int nIndex) const;
    // The first selected port (index from 0) for which test(index) holds, or -1.
    template <class F> int FirstSelectedWhere(F&& test) const;
    // Whether some selected ports are inside(index) and some are not.
    template <class F> bool SplitsSelection(F&& inside) const;
    bool Refuse(const std::string& strMessage);

    // Sessions, one per request.
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPSet;
    CCommonSNMP m_cCommonSNMPMirror;
    CCommonSNMP m_cCommonSNMPTableACL;
    CCommonSNMP m_cCommonSNMPPoint;
    CCommonSNMP m_cCommonSNMPTableVlan;
    CCommonSNMP m_cCommonSNMPTableTrunk;
    CCommonSNMP m_cCommonSNMPTableStaticPor;
    CCommonSNMP m_cCommonSNMPTableGetVlanTrunk;
    CCommonSNMP m_cCommonSNMPTableArp;
    CCommonSNMP m_cCommonSNMPTableCamera;
    CCommonSNMP m_cCommonSNMPTableRstp;
    CCommonSNMP m_cCommonSNMPDhcp;

    // Whether Close has run since the last read started (UI thread only).
    bool m_bClosed = true;

    // The selection (UI thread only).
    const std::vector<int>* m_pSelected = nullptr;
    std::string m_strTrunkMembers;

    // Guards everything below that the reads fill, and the reads' states.
    std::mutex m_lock;
    bool m_bInitialised = false;
    std::array<ReadState, kReadCount> m_readStates{};
    // Each read's objects, and those the switch said it does not have.
    std::array<std::vector<std::string>, kReadCount> m_readOids;
    std::array<std::vector<bool>, kReadCount> m_readMissing;
    std::chrono::steady_clock::time_point m_lastReply;

    int m_nPortCount = 0;
    std::vector<int> m_pInTrunk;
    std::vector<int> m_pListScratch;
    std::vector<int> m_pPvid;
    std::string m_strVlanUntagged;
    std::string m_strVlanEgress;
    std::string m_strMirrorSourceB;
    std::string m_strMirrorSourceA;
    std::vector<int> m_pSpeed;
    std::vector<int> m_pPriority;
    std::vector<int> m_pPortSecurity;
    std::string m_strAutoLearnPorts;
    std::vector<int> m_pMediaType;
    std::vector<int> m_pLbd;
    std::vector<int> m_pBandwidth1;
    std::vector<int> m_pBandwidth2;
    int m_i8021xEnable = 1;
    std::vector<int> m_p8021xControl;
    // One row per port (at least 52): port state, priority, external path
    // cost, edge port, restricted TCN, restricted role, point-to-point.
    std::vector<std::array<int, 7>> m_Rstp;
    int m_iRstpEnable = 1;
    std::vector<int> m_pVoiceMode;
    int m_iCameraVlanEnable = 0;
    std::vector<int> m_pDhcpScreening;
    std::vector<int> m_CameraVlanState;
    std::vector<int> m_pCameraVlanMode;
    int m_nPortSettingsRow = 0;
    int m_nSurveillanceRow = 0;
    int m_nRstpRow = 0;
    int m_iMirrorState = 0;
    int m_iMirrorTarget = 0;
    // The port of every static MAC entry, in table order.
    std::vector<int> m_pStaticFdbPort;
    std::string m_strAclPorts;
    std::string m_strArpPorts;

    // The message of the rule that refused last.
    std::string m_strRefusal;
};
