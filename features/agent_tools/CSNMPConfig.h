// The logic behind the pages that configure the switch's own SNMP agent
// (korvelEnterprise.10.76.19.1.25): its state, engine ID, trap switches and
// trap hosts. Every page holds one by value and sets m_hOwnerWnd to itself
// before its first request; every answer goes to that window:
//
//   WM_LOGIC_NOTIFY wParam 0, lParam SNMP_host_info*   a trap host row
//   WM_LOGIC_NOTIFY wParam 0, lParam SNMP_trap_info*   the trap switches
//   WM_LOGIC_NOTIFY wParam 100, SNMP_community_info*  a community row
//   WM_LOGIC_NOTIFY wParam 111, SNMP_user_info*       a user row
//   WM_LOGIC_NOTIFY wParam 1, lParam 0 / 1             the walk has reached the
//                                                      end of the table / has
//                                                      failed (the community
//                                                      walk's, for the users
//                                                      walked after it)
//   WM_LOGIC_NOTIFY wParam 2, lParam 0                 a one-shot read (agent
//                                                      state, engine ID, trap
//                                                      switches) brought no value
//   WM_COPYDATA     wParam 0, COPYDATASTRUCT*          agent state (dwData 1 or
//                                                      2); engine ID (lpData the
//                                                      lower-case hex text)
//
// Records live only while the message that carries them lasts. Walk and
// one-shot GET replies arrive on the sessions' worker threads and are handed
// over with SendMessage; the synchronous requests run on the caller's thread.
// Table rows are named by their own index; a row whose index names nothing
// is skipped. Writes go through the caller's CWriteReport, which says a
// refused or unanswered SET; the only message box of its own is the
// row-status refusal.
#pragma once

#include "common/CCodeConvert.h"
#include "common/CCommonSNMP.h"
#include "common/CWriteReport.h"
#include "features/agent_tools/SNMP_trap_info.h"
#include "platform/system/WinTypes.h"
#include "platform/ui/UiTypes.h"

#include <atomic>
#include <string>
#include <vector>

class CEditEXIPV6;
class CSnmp;

class CSNMPConfig
{
public:
    CSNMPConfig();
    // Closes the sessions first, so no reply of ours is handled any more.
    virtual ~CSNMPConfig();

    CSNMPConfig(const CSNMPConfig&) = delete;
    CSNMPConfig& operator=(const CSNMPConfig&) = delete;

    // The longest name the switch keeps for a community, group, host, user,
    // view or subtree.
    static constexpr int kNameLength = 32;

    // ".LEN.B1.B2..." of the text's octets ("abc" gives ".3.97.98.99").
    static std::string NameToOidIndex(const std::string& strName);
    // The name index followed by ".1" for "v1"/"V1", ".2" for "v2c"/"V2c",
    // ".3" for "v3"/"V3", and nothing for any other version text.
    static std::string NameModelIndex(const std::string& strName, const std::string& strVersion);
    // 1 when the text holds none of ~`!@#$%^&*{}[]|\:;"'<>,.?/ , else 0.
    static int HasNoSpecialChars(const std::string& strText);
    // The text without blanks (white space) at either end.
    static std::string Trimmed(const std::string& strText);
    // Whether an IPv6 address text is link-local: it begins with "fe8",
    // "fe9", "fea" or "feb".
    static bool IsLinkLocal(const std::string& strAddress);
    // The trap host index: the address length, the address as an index and
    // the address type, joined by full stops ("4.10.1.1.5.1").
    static std::string HostIndex(int nAddrLength, const std::string& strAddressIndex, const std::string& strType);

    // One SET of a row status through the action's report (strWhat names the
    // row); only "1", "5" and "6" are sent, any other value shows "error
    // istatus value!". True when the switch accepted it.
    bool SetRowStatus(CWriteReport& report, const std::string& strOid, const std::string& strValue,
                      const std::string& strWhat);
    // Creates a row: its status 5 (create and wait), the values `write`
    // sends through the report, then 1 (active); stops at the first write
    // the switch does not accept. True when every write was accepted.
    template <class Write>
    bool CreateRow(CWriteReport& report, const std::string& strStatusOid, const std::string& strWhat, Write write)
    {
        return SetRowStatus(report, strStatusOid, "5", strWhat) && write() &&
               SetRowStatus(report, strStatusOid, "1", strWhat);
    }
    // Destroys a row (6).
    bool DeleteRow(CWriteReport& report, const std::string& strStatusOid, const std::string& strWhat)
    {
        return SetRowStatus(report, strStatusOid, "6", "the deletion of " + strWhat);
    }
    // The end of a page's Apply or Delete: says a failed write once; true
    // when the page should read its list again (the switch answered).
    static bool ReadAfterWrite(CWriteReport& report)
    {
        report.Report();
        return !report.TimedOut();
    }
    // Closes the four sessions (the pages call it from DestroyWindow).
    void CloseAll();

    // Asynchronous read of the agent state; the answer comes as WM_COPYDATA.
    void GetAgentState();
    // Writes "1" for "1" and "2" for any other text; true only when the switch
    // accepted it.
    bool SetAgentState(CWriteReport& report, const std::string& strState);

    // Walks the community table (a WM_LOGIC_NOTIFY 100 per row), then the
    // user table (111 per row), then sends 1.
    void StartCommunityWalk();
    // Binds the community to the user name (the view policy).
    bool SetCommunityUser(CWriteReport& report, const std::string& strCommunity, const std::string& strUser);
    // Walks the user table: a WM_LOGIC_NOTIFY 111 per row, then 1.
    void StartUserWalk();
    // Writes a user row's group (its UTF-8 whole) and, for version "V3" only,
    // its protocols ("None", "MD5", "SHA"; "DES" or "None") and passwords, in
    // the row of NameModelIndex (user, version); stops at the first SET the
    // switch does not accept (false).
    bool WriteUser(CWriteReport& report, const std::string& strUser, const std::string& strVersion, const std::string& strGroup,
                   const std::string& strAuthProtocol, const std::string& strAuthPassword,
                   const std::string& strPrivProtocol, const std::string& strPrivPassword);

    // Walks the group table: a WM_LOGIC_NOTIFY 0 per row, then 1.
    void StartGroupWalk();
    // Writes a group row's level and its view names that are not empty
    // (each UTF-8 whole) in one SET, in the row of GroupIndex.
    bool WriteGroup(CWriteReport& report, const std::string& strGroup, const std::string& strModel, const std::string& strLevel,
                    const std::string& strReadView, const std::string& strWriteView,
                    const std::string& strNotifyView);
    // NameModelIndex (group, model) followed by ".1" for "NoAuthNoPriv",
    // ".2" for "AuthNoPriv" and ".3" for any other level text.
    static std::string GroupIndex(const std::string& strGroup, const std::string& strModel,
                                  const std::string& strLevel);

    // Walks the view table: a WM_LOGIC_NOTIFY 0 per row, then 1.
    void StartViewWalk();
    // Writes a view entry's mask (one octet per element: 0 for "0" or "00",
    // 1 for "1" or "01") and type ("Included" 1, else 2) in one SET.
    bool WriteView(CWriteReport& report, const std::string& strName, const std::string& strSubtree, const std::string& strMask,
                   const std::string& strType);
    // The text's pieces between full stops ("1..2" gives "1", "", "2"; an
    // empty text one empty piece).
    static std::vector<std::string> SplitDots(const std::string& strText);
    // The name index, the subtree's number of sub-identifiers and the subtree
    // ("all", "1.3.6.1" gives ".3.97.108.108.4.1.3.6.1").
    static std::string ViewIndex(const std::string& strName, const std::string& strSubtree);

    // Walks the trap host table: a WM_LOGIC_NOTIFY 0 per row, then 1.
    void StartHostWalk();
    // Writes a trap host row's name, version code and (link-local address
    // only) interface name, all in one SET, under the index of the address in
    // m_pAddressEdit (strIndex is not used: the index comes from the edit).
    bool WriteHost(CWriteReport& report, const std::string& strName, const std::string& strIndex, const std::string& strVersion);

    // Asynchronous read of the engine ID; the answer comes as WM_COPYDATA.
    void GetEngineID();
    // Writes the engine ID given as hexadecimal text (an odd length gets a
    // leading "0"), or with nUseDefault 1 the model's default one.
    bool SetEngineID(CWriteReport& report, const std::string& strHex, int nUseDefault);
    // The engine ID that nUseDefault 1 writes on the model: empty for a model
    // that has none.
    static std::string DefaultEngineID(const std::string& strModelName);

    // Reads the trap switches (the PoE ones only with nWithPoe) and hands the
    // record to the owner inside this call; sends nothing on a failure.
    void GetTrapSettings(int nWithPoe);
    // Writes the trap switches of the record (the PoE slots only with
    // nWithPoe) in one SET; true when the switch accepted it.
    bool SetTrapSettings(CWriteReport& report, const SNMP_trap_info& flags, int nWithPoe);

    // The trap host page's address edit; set by that page before WriteHost.
    CEditEXIPV6* m_pAddressEdit = nullptr;
    CCommonSNMP m_cCommonSNMP;      // agent state GET, trap switches GET and SET
    CCommonSNMP m_cCommonSNMPSet;   // the other SETs
    CCommonSNMP m_cCommonSNMPTable; // the trap host walk, the engine ID GET
    CCommonSNMP m_cCommonSNMPGetUse;
    CCodeConvert m_cCodeConvert;
    // The page window that receives every answer.
    std::atomic<HWND> m_hOwnerWnd{nullptr};

private:
    // The user walk runs after the community walk: its end then reports how
    // the community walk ended (1 failed).
    std::atomic<bool> m_bUsersAfterCommunities{false};
    std::atomic<int> m_nCommunityWalkFailed{0};

    static int OnAgentStateReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    void StartUsersAfterCommunities();
    void RunUserWalk();
    static int OnCommunityRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnUserRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnGroupRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnViewRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnHostRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnEngineIDReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
};
