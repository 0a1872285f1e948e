// The frame of the legacy viewers and configuration dialogs: a modal dialog
// that reads a group of MIB columns (a walk into a report list) or scalars
// (into controls) straight through the SNMP library, over SNMPv1 or SNMPv3,
// and writes values back.
//
// A dialog built on it sets, in its constructor, what it reads and how it
// shows it, then lets OnInitDialog do the rest:
//
//     CCommunityInfo::CCommunityInfo(CWnd* pParent) : CLegacyFrame(IDD_COMMUNITY_INFO, pParent)
//     {
//         m_nListId = IDC_COMMUNITY_LIST;          // the report list (m_list) ...
//         m_headings = {"   Community Name    ", ...};
//         m_columnOids = {"1.3.6.1.6.3.18.1.1.1.2", ...};   // ... or scalars with m_nWalkPduType = SnmpPduGet
//         m_nRefreshId = IDC_LEGACY_REFRESH;
//     }
//     std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;  // how a value is shown
//
// Forms. The member form (the default) copies the connection parameters when
// the dialog starts and reads over SNMPv1 (an asynchronous walk, one list row
// per reply) or SNMPv3 (a synchronous walk on the user-interface thread under
// the wait cursor); any other version reads nothing. The heap form
// (LegacyForm::Heap) reads the connection parameters at every walk, reads
// over SNMPv1 only, passes the default time-out of g_strTimeout, and shows
// the row count in the static m_nCountId ("0" from initialisation on). A
// viewer that reads when it is shown sets m_bReadOnInit false and
// m_bReadOnShow true.
//
// Reading, the frame's rules:
// - RefreshTable runs the walk of the version. Starting an SNMPv1 walk while
//   one runs restarts it: the list is emptied, the running walk's later
//   replies are stale and dropped, and the new walk fills the whole table.
// - Replies are handled on the user-interface thread (LegacyReplyToken): a
//   reply whose id is not the one awaited is stale and dropped; the end of
//   the walk (every column past its table) ends it complete; any other status
//   other than 0, or a reply with fewer bindings than columns, ends it failed.
// - Row filling: ShowReply, by default the cells of BindingCells for binding
//   0 to count - 1 (binding i in column i, its value text); cell 0 inserts the
//   row. With m_bRowPerPort a row indexed by port p goes to list row p - 1
//   (ports the walk did not give keep an empty row), and a row whose index is
//   no port of the switch is skipped. Each step of a walk is one row at one index (a cell the row lacks is
//   a binding without a value), over SNMPv1 and SNMPv3 alike.
// - A walk that ends complete is the list's last complete read. A walk that
//   fails (no answer, an error, a walk that cannot start or a refused SNMPv3
//   level) puts the last complete read back (or an empty list when there was
//   none) and says it once per user action through m_readReport, naming
//   m_strListWhat. Begin is called when the dialog opens and on Refresh; a
//   dialog whose own action reads again calls m_readReport.Begin() itself.
// - With m_nWalkPduType SnmpPduGet the "walk" is one GET of m_columnOids, its
//   reply given to ShowReply; nothing more is asked.
// - The SNMPv3 request carries the security that m_strSecurityLevel asks for
//   or is not made at all (MakeV3Request): level "2" needs authentication
//   protocol "2" or "3", level "3" that and privacy protocol "2".
//
// One-shot read (ReadOnce) and write (WriteValues), SNMPv1 only: see below.
// A dialog that overrides DestroyWindow calls the frame's: it revokes the
// reply token and stops the walker and the one-shot sender, so that nothing
// the library still runs reaches the closed dialog.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyReplyToken.h"
#include "platform/snmp/CSnmp4w.h"
#include "platform/snmp/CSnmpTable4w.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/snmp/CSnmpV3.h"
#include "platform/ui/CDialog.h"

#include <memory>
#include <string>
#include <vector>

enum class LegacyForm
{
    Member,
    Heap,
};

// One cell of a list row: its column and its text.
struct LegacyCell
{
    int column = 0;
    std::string text;
};

// One value of a write: its OID, SnmpValueType and text (an octet string's
// bytes are the text's bytes, NUL bytes included).
struct LegacyValue
{
    std::string oid;
    int type = 0;
    std::string value;
};

class CLegacyFrame : public CDialog
{
public:
    // The message that announces queued replies to the dialog.
    static constexpr UINT WM_LEGACY_REPLY = WM_APP + 0x0A10;

    CLegacyFrame(UINT nIDTemplate, CWnd* pParent, LegacyForm form = LegacyForm::Member);
    ~CLegacyFrame() override;

    BOOL DestroyWindow() override;

    // Reads again by the path of the SNMP version (see above).
    virtual void RefreshTable();

    // Whether an SNMPv1 walk awaits a reply.
    bool WalkRunning() const { return m_nRequestID != 0; }
    // Whether the last walk ended complete.
    bool LastWalkComplete() const { return m_bLastWalkComplete; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Topmost, the base's initialisation, icon 447, the list's columns and
    // styles, the caption (when m_strCaption is set), the connection
    // parameters, the empty list (heap form), then the first read unless
    // m_bReadOnInit is false.
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The Refresh button (m_nRefreshId): RefreshTable, after emptying the
    // list when m_bRefreshEmpties.
    virtual void OnRefresh();
    // With m_bReadOnShow: posts the dialog the Refresh command (notification
    // 0, the button's handle), so the first read starts when it is shown.
    void OnShowWindow(BOOL bShow, UINT nStatus);

    // --- What a dialog on the frame gives (constructor) ---
    std::vector<std::string> m_columnOids; // the columns (or scalars) read, in request order
    int m_nWalkPduType = SnmpPduGetNext;   // SnmpPduGet: one GET of m_columnOids
    int m_nListId = 0;                     // the report list bound to m_list (0: none)
    std::vector<std::string> m_headings;   // its column headings, blanks included
    std::string m_strCaption;              // set as the caption when not empty
    int m_nRefreshId = 0;                  // the Refresh button
    bool m_bRefreshEmpties = false;        // Refresh empties the list before RefreshTable
    int m_nCountId = 0;                    // heap form: the row-count static
    bool m_bReadOnInit = true;             // OnInitDialog runs the first read
    bool m_bReadOnShow = false;            // every show (or hide) posts the Refresh command
    std::string m_strListWhat = "the list"; // what the walk reads, for the failure message
    bool m_bRowPerPort = false;            // list row p - 1 shows port p, the row's own index
    CListCtrlEx* m_pWalkList = nullptr;    // the list the walk fills (null: m_list)

    // --- How replies are shown ---
    // The cells that binding `binding` of a reply row fills (default: its
    // value text in column `binding`).
    virtual std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding);
    // Shows one reply (a walk row, or the reply of a GET). With stopAtHole
    // (SNMPv3) it stops at the first binding without a value and returns
    // false; what was filled before stays.
    virtual bool ShowReply(CSnmp& reply, bool stopAtHole);
    // Called when a read ends (walk or GET, however it ended); after a
    // failed walk the list already shows the last complete read again.
    virtual void OnReadEnded() {}
    // The list the walk fills.
    CListCtrlEx& WalkList() { return m_pWalkList ? *m_pWalkList : m_list; }

    // --- Helpers for the dialogs ---
    // The value text of a binding: decimal numbers, dotted identifiers and
    // addresses, an octet string's bytes; empty when there is no value.
    static std::string ValueText(CSnmp& reply, int binding);
    // Whether the binding holds a value.
    static bool HasValueText(CSnmp& reply, int binding);
    // The bytes of a binding (empty when there is no value).
    static std::string ValueBytes(CSnmp& reply, int binding);
    // The arcs of a binding's OID beyond the column asked for (empty when the
    // OID does not lie below it).
    std::vector<unsigned long> IndexArcs(CSnmp& reply, int binding) const;
    // Empties the list (and shows "0" in the row-count static).
    virtual void EmptyList();

    // The SNMPv3 request of m_strSecurityLevel and the protocols, or null
    // when they give less security than the level asks for.
    std::unique_ptr<CSnmpV3> MakeV3Request(int pduType) const;

    // Scalar read, over the version: SNMPv1 one GET of the OIDs through the
    // dialog's scalar walker (asynchronous; only the latest read's reply
    // counts, and a failed one, or one with an error status, reaches
    // OnScalarsFailed instead), SNMPv3 one synchronous GET under the wait
    // cursor (the request set-up of MakeV3Request). `tag` tells a dialog's
    // reads apart. FALSE when nothing was sent (another version, a refused
    // SNMPv3 level, nothing to ask); an SNMPv3 read has ended on return.
    BOOL ReadScalars(int tag, const std::vector<std::string>& oids);
    // Whether an SNMPv1 scalar read awaits its reply.
    bool ScalarReadPending() const { return m_nScalarRequestID != 0; }
    // The reply of a scalar read; with stopAtHole (SNMPv3) the dialog stops
    // at the first binding without a value.
    virtual void OnScalarsRead(int tag, CSnmp& reply, bool stopAtHole);
    virtual void OnScalarsFailed(int /*tag*/) {}

    // One-shot read, SNMPv1 only: one GET of the OIDs through the dialog's
    // CSnmp4w. FALSE when nothing was sent (another version, nothing to ask).
    // The reply reaches OnReadReply only when it answered every OID without
    // an error status and is the latest read's; a failed read changes nothing
    // but reaches OnReadFailed.
    BOOL ReadOnce(const std::vector<std::string>& oids);
    virtual void OnReadReply(CSnmp& reply);
    virtual void OnReadFailed() {}

    // Write, SNMPv1 only: one SET of the values with the write community,
    // sent synchronously with the library's default time-out. TRUE only when
    // the switch answered without an error status; FALSE (nothing sent) under
    // another version or without values.
    BOOL WriteValues(const std::vector<LegacyValue>& values);
    // The same write, its outcome recorded in `report` under `what` (refused
    // with the agent's status, or silent; a value the request cannot carry
    // sends nothing and counts as refused): legacy_write::SendV1 with the
    // frame's address and write community. Nothing is sent after an earlier
    // failure of the report. True when the switch accepted it.
    bool WriteValues(const std::vector<LegacyValue>& values, CWriteReport& report, const std::string& what);

    // --- The frame's fields ---
    int m_nRequestID = 0; // the SNMPv1 walk step awaited; 0 when none
    std::string m_szDeviceIP;
    std::string m_szReadCommunity;
    std::string m_szWriteCommunity;
    int m_nSnmpVersion = 0;
    int m_nTimeout = 2000;
    std::string m_strSecurityLevel = "1";
    std::string m_szUserName;
    std::string m_strAuthProtocol = "1";
    std::string m_szAuthPassword;
    std::string m_strPrivProtocol = "1";
    std::string m_szPrivPassword;
    CListCtrlEx m_list;
    const LegacyForm m_form;
    // The reads of the current user action (opening, Refresh).
    CReadReport m_readReport;

    DECLARE_MESSAGE_MAP()

private:
    void CopyConnection();
    void StartV1Walk();
    void RunV3Walk();
    void NextStep();
    void EndWalk(bool complete);
    void KeepLastRead();
    void PutBackLastRead();
    void HandleWalkReply(int requestId, int status, CSnmp* response);
    void HandleReadReply(int requestId, int status, CSnmp* response);
    void HandleScalarReply(int requestId, int status, CSnmp* response);
    static int OnScalarReply(CSnmp* response, int requestId, void* userData, int status);
    LRESULT OnLegacyReply(WPARAM wParam, LPARAM lParam);
    unsigned long WalkTimeout() const;
    static int OnTableReply(CSnmp* response, int requestId, void* userData, int status);
    static int OnOneShotReply(CSnmp* response, int requestId, void* userData, int status);

    std::shared_ptr<LegacyReplyToken> m_token;
    // The request outlives the walker that reads it.
    std::unique_ptr<CSnmpV1> m_walkRequest;
    std::unique_ptr<CSnmpTable4w> m_tableWalker;
    std::unique_ptr<CSnmp4w> m_oneShot;
    std::unique_ptr<CSnmpV1> m_scalarRequest;
    std::unique_ptr<CSnmpTable4w> m_scalarWalker;
    int m_nScalarRequestID = 0;
    int m_nScalarTag = 0;
    int m_nReadRequestID = 0;
    std::size_t m_nReadCount = 0;
    // The rows of the last complete walk, cell by cell.
    std::vector<std::vector<std::string>> m_lastRows;
    bool m_bLastWalkComplete = false;
};
