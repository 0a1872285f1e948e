#include "legacy/CLegacyFrame.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageMap.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// Which request a reply answers.
enum ReplyKind
{
    kWalkReply = 1,
    kReadReply = 2,
    kScalarReply = 3,
};

constexpr UINT kModuleIcon = 447;

// Decimal text as strtol reads it with base 10, clamped to 32 bits.
int DecimalNumber(const std::string& text)
{
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::vector<unsigned long> OidArcs(const std::string& text)
{
    std::vector<unsigned long> arcs;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t dot = text.find('.', start);
        if (dot == std::string::npos)
            dot = text.size();
        if (dot > start)
            arcs.push_back(std::strtoul(text.substr(start, dot - start).c_str(), nullptr, 10));
        start = dot + 1;
    }
    return arcs;
}

} // namespace

BEGIN_MESSAGE_MAP(CLegacyFrame, CDialog)
    ON_MESSAGE(CLegacyFrame::WM_LEGACY_REPLY, OnLegacyReply)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CLegacyFrame::CLegacyFrame(UINT nIDTemplate, CWnd* pParent, LegacyForm form)
    : CDialog(nIDTemplate, pParent), m_form(form), m_walkRequest(std::make_unique<CSnmpV1>(SnmpPduGet)),
      m_scalarRequest(std::make_unique<CSnmpV1>(SnmpPduGet))
{
    if (m_form == LegacyForm::Member)
        m_tableWalker = std::make_unique<CSnmpTable4w>();
}

CLegacyFrame::~CLegacyFrame()
{
    if (m_token)
        m_token->Revoke();
    // The walkers go before the requests they read.
    m_tableWalker.reset();
    m_scalarWalker.reset();
    m_oneShot.reset();
}

BOOL CLegacyFrame::DestroyWindow()
{
    if (m_token)
        m_token->Revoke();
    m_tableWalker.reset();
    m_scalarWalker.reset();
    m_oneShot.reset();
    m_nRequestID = 0;
    m_nReadRequestID = 0;
    m_nScalarRequestID = 0;
    return CDialog::DestroyWindow();
}

void CLegacyFrame::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (m_nListId != 0)
        DDX_Control(pDX, m_nListId, m_list);
}

BOOL CLegacyFrame::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(kModuleIcon), TRUE);
    m_token = LegacyReplyToken::Create(GetSafeHwnd(), WM_LEGACY_REPLY);
    if (m_form == LegacyForm::Heap && !m_tableWalker)
        m_tableWalker = std::make_unique<CSnmpTable4w>();
    m_oneShot = std::make_unique<CSnmp4w>();
    m_scalarWalker = std::make_unique<CSnmpTable4w>();
    if (m_nListId != 0) {
        for (std::size_t i = 0; i < m_headings.size(); ++i)
            m_list.InsertAutoWidthColumn(m_headings[i].c_str(), static_cast<int>(i), -1, 0xF, LVCFMT_LEFT);
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    }
    if (!m_strCaption.empty())
        SetWindowText(m_strCaption);
    CopyConnection();
    if (m_form == LegacyForm::Heap)
        EmptyList();
    m_readReport.Begin();
    if (m_bReadOnInit)
        RefreshTable();
    return TRUE;
}

BOOL CLegacyFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (m_nRefreshId != 0 && id == static_cast<UINT>(m_nRefreshId) && code == BN_CLICKED) {
        OnRefresh();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CLegacyFrame::OnRefresh()
{
    m_readReport.Begin();
    if (m_bRefreshEmpties)
        EmptyList();
    RefreshTable();
}

void CLegacyFrame::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!m_bReadOnShow || m_nRefreshId == 0)
        return;
    CWnd* refresh = GetDlgItem(m_nRefreshId);
    PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_nRefreshId), BN_CLICKED),
                reinterpret_cast<LPARAM>(refresh ? refresh->GetSafeHwnd() : nullptr));
}

void CLegacyFrame::CopyConnection()
{
    m_szDeviceIP = g_strDeviceIP;
    m_szReadCommunity = g_strReadCommunity;
    m_szWriteCommunity = g_strWriteCommunity;
    m_nSnmpVersion = DecimalNumber(g_strSnmpVersion);
    m_nTimeout = DecimalNumber(g_strTimeout);
    m_strSecurityLevel = g_strSecurityLevel;
    m_szUserName = g_strUserName;
    m_strAuthProtocol = g_strAuthProtocol;
    m_szAuthPassword = g_strAuthPassword;
    m_strPrivProtocol = g_strPrivProtocol;
    m_szPrivPassword = g_strPrivPassword;
}

void CLegacyFrame::RefreshTable()
{
    if (!GetSafeHwnd())
        return;
    if (m_form == LegacyForm::Heap) {
        // The heap form reads the connection parameters at every walk, and
        // reads over SNMPv1 only.
        CopyConnection();
        EmptyList();
        if (m_nSnmpVersion == 1)
            StartV1Walk();
        return;
    }
    if (m_nSnmpVersion == 1)
        StartV1Walk();
    else if (m_nSnmpVersion == 3)
        RunV3Walk();
}

void CLegacyFrame::EmptyList()
{
    if (m_pWalkList || m_nListId != 0)
        WalkList().DeleteAllItems();
    if (m_nCountId != 0)
        SetDlgItemText(m_nCountId, "0");
}

unsigned long CLegacyFrame::WalkTimeout() const
{
    if (m_form == LegacyForm::Heap && m_nTimeout > 0)
        return static_cast<unsigned long>(m_nTimeout);
    return 0;
}

void CLegacyFrame::StartV1Walk()
{
    if (m_columnOids.empty())
        return;
    // A walk that runs is replaced: its walker goes, and with it every reply
    // it has not delivered yet; a reply already queued carries an id that is
    // no longer awaited.
    const bool running = m_nRequestID != 0;
    // Replies handled while the old walker stops are stale.
    m_nRequestID = 0;
    if (running || !m_tableWalker)
        m_tableWalker = std::make_unique<CSnmpTable4w>();
    EmptyList();
    m_walkRequest->setType(m_nWalkPduType);
    m_walkRequest->setCommunity(m_szReadCommunity.c_str());
    m_walkRequest->clearVarBindList();
    for (const std::string& oid : m_columnOids)
        m_walkRequest->addValue(oid.c_str(), SnmpValueNull);
    m_tableWalker->setRequest(m_walkRequest.get());
    NextStep();
}

void CLegacyFrame::NextStep()
{
    // The reply is handled on this thread, so the id is in place before it
    // is looked at.
    if (m_tableWalker->getNextAsync(m_szDeviceIP.c_str(), &CLegacyFrame::OnTableReply, m_token->Key(), nullptr,
                                    WalkTimeout()) == SnmpStatusOk)
        m_nRequestID = m_walkRequest->getRequestID();
    else
        EndWalk(false);
}

void CLegacyFrame::EndWalk(bool complete)
{
    m_nRequestID = 0;
    m_bLastWalkComplete = complete;
    if (complete) {
        KeepLastRead();
    } else {
        // A walk cut short is never shown as the table: the last complete
        // read comes back, and the failure is said once per user action.
        PutBackLastRead();
        m_readReport.Fail(m_strListWhat, !m_lastRows.empty());
    }
    OnReadEnded();
}

void CLegacyFrame::KeepLastRead()
{
    CListCtrlEx& list = WalkList();
    m_lastRows.clear();
    if (!list.GetSafeHwnd())
        return;
    const int columns = list.GetHeaderCtrl() ? list.GetHeaderCtrl()->GetItemCount() : 1;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(list.GetItemText(row, column));
        m_lastRows.push_back(std::move(cells));
    }
}

void CLegacyFrame::PutBackLastRead()
{
    CListCtrlEx& list = WalkList();
    if (list.GetSafeHwnd()) {
        list.DeleteAllItems();
        for (std::size_t row = 0; row < m_lastRows.size(); ++row)
            for (std::size_t column = 0; column < m_lastRows[row].size(); ++column)
                list.SetOrInsertItemText(static_cast<int>(row), static_cast<int>(column),
                                         m_lastRows[row][column].c_str());
    }
    if (m_nCountId != 0)
        SetDlgItemText(m_nCountId, std::to_string(m_lastRows.size()));
}

int CLegacyFrame::OnTableReply(CSnmp* response, int requestId, void* userData, int status)
{
    LegacyReplyToken::Deliver(userData, kWalkReply, response, requestId, status);
    return 0;
}

int CLegacyFrame::OnOneShotReply(CSnmp* response, int requestId, void* userData, int status)
{
    LegacyReplyToken::Deliver(userData, kReadReply, response, requestId, status);
    return 0;
}

LRESULT CLegacyFrame::OnLegacyReply(WPARAM, LPARAM)
{
    if (!m_token)
        return 0;
    for (LegacyReplyToken::Reply& reply : m_token->Take()) {
        if (m_token->Revoked())
            break;
        if (reply.kind == kWalkReply)
            HandleWalkReply(reply.requestId, reply.status, reply.response.get());
        else if (reply.kind == kReadReply)
            HandleReadReply(reply.requestId, reply.status, reply.response.get());
        else if (reply.kind == kScalarReply)
            HandleScalarReply(reply.requestId, reply.status, reply.response.get());
    }
    return 0;
}

void CLegacyFrame::HandleWalkReply(int requestId, int status, CSnmp* response)
{
    if (requestId == 0 || requestId != m_nRequestID)
        return; // stale: the walk in progress goes on
    if (status != SnmpStatusOk || !response ||
        response->getVarBindCount() < static_cast<int>(m_columnOids.size())) {
        EndWalk(status == SnmpStatusEndOfWalk);
        return;
    }
    m_nRequestID = 0;
    if (m_nWalkPduType == SnmpPduGet) {
        int errorStatus = 0;
        int errorIndex = 0;
        response->getError(&errorStatus, &errorIndex);
        if (errorStatus != 0) {
            EndWalk(false);
            return;
        }
    }
    ShowReply(*response, false);
    if (m_nWalkPduType == SnmpPduGet || !m_tableWalker) {
        EndWalk(m_nWalkPduType == SnmpPduGet);
        return;
    }
    NextStep();
}

bool CLegacyFrame::ShowReply(CSnmp& reply, bool stopAtHole)
{
    CListCtrlEx& list = WalkList();
    int row = list.GetItemCount();
    if (m_bRowPerPort) {
        const std::vector<unsigned long> arcs = IndexArcs(reply, 0);
        const int port = arcs.size() == 1 ? CUtils::RowPort(std::to_string(arcs[0])) : 0;
        if (port == 0 || port - 1 < row)
            return true; // no port of the switch, or one already shown
        row = port - 1;
        while (list.GetItemCount() < row)
            list.SetOrInsertItemText(list.GetItemCount(), 0, "");
    }
    bool inserted = false;
    for (int i = 0; i < reply.getVarBindCount(); ++i) {
        if (stopAtHole && !HasValueText(reply, i))
            return false;
        for (const LegacyCell& cell : BindingCells(reply, i)) {
            if (cell.column == 0)
                inserted = true;
            else if (!inserted)
                continue; // a row is inserted by its first cell
            list.SetOrInsertItemText(row, cell.column, cell.text.c_str());
        }
    }
    if (inserted && m_nCountId != 0)
        SetDlgItemText(m_nCountId, std::to_string(row + 1));
    return true;
}

std::vector<LegacyCell> CLegacyFrame::BindingCells(CSnmp& reply, int binding)
{
    return {LegacyCell{binding, ValueText(reply, binding)}};
}

void CLegacyFrame::RunV3Walk()
{
    if (m_columnOids.empty()) {
        OnReadEnded();
        return;
    }
    std::unique_ptr<CSnmpV3> request = MakeV3Request(m_nWalkPduType);
    if (!request) {
        // The level asks for more security than the protocols give: no
        // request is made, and the read has failed.
        EndWalk(false);
        return;
    }
    CWaitCursor wait;
    EmptyList();
    CSnmpTable table(request.get());
    for (const std::string& oid : m_columnOids)
        request->addValue(oid.c_str(), SnmpValueNull);
    const unsigned long timeout = m_nTimeout > 0 ? static_cast<unsigned long>(m_nTimeout) : 0;
    CSnmp* response = nullptr;
    int status = table.getNext(m_szDeviceIP.c_str(), response, timeout);
    bool complete = false;
    while (status == SnmpStatusOk && response) {
        std::unique_ptr<CSnmp> owned(response);
        response = nullptr;
        if (m_nWalkPduType == SnmpPduGet) {
            // One GET: a binding without a value stops the filling.
            int errorStatus = 0;
            int errorIndex = 0;
            owned->getError(&errorStatus, &errorIndex);
            complete = errorStatus == 0 && owned->getVarBindCount() >= static_cast<int>(m_columnOids.size());
            if (complete)
                ShowReply(*owned, true);
            break;
        }
        // A walk step is one row; a cell the row lacks is an empty cell.
        ShowReply(*owned, false);
        status = table.getNext(m_szDeviceIP.c_str(), response, timeout);
    }
    delete response;
    EndWalk(complete || status == SnmpStatusEndOfWalk);
}

std::unique_ptr<CSnmpV3> CLegacyFrame::MakeV3Request(int pduType) const
{
    const bool auth = m_strAuthProtocol == "2" || m_strAuthProtocol == "3";
    const bool priv = m_strPrivProtocol == "2";
    // A level the protocols cannot give is refused: nothing is sent with
    // less security than asked for.
    if ((m_strSecurityLevel == "2" && !auth) || (m_strSecurityLevel == "3" && !(auth && priv)))
        return nullptr;
    auto request = std::make_unique<CSnmpV3>(pduType);
    request->setMsgMaxSize(1024);
    request->setMsgSecurityModel(3);
    request->setUserName(m_szUserName.c_str());
    if (m_strSecurityLevel == "2" || m_strSecurityLevel == "3") {
        request->setMsgFlags(m_strSecurityLevel == "3" ? 3 : 1);
        request->setAuthArith(m_strAuthProtocol == "2" ? 0 : 1);
        request->setAuthPwd(m_szAuthPassword.c_str(), static_cast<int>(m_szAuthPassword.size()));
        if (m_strSecurityLevel == "3") {
            request->setPriArith(0);
            request->setPriPwd(m_szPrivPassword.c_str(), static_cast<int>(m_szPrivPassword.size()));
        }
    } else {
        request->setMsgFlags(0);
    }
    return request;
}

int CLegacyFrame::OnScalarReply(CSnmp* response, int requestId, void* userData, int status)
{
    LegacyReplyToken::Deliver(userData, kScalarReply, response, requestId, status);
    return 0;
}

BOOL CLegacyFrame::ReadScalars(int tag, const std::vector<std::string>& oids)
{
    if (oids.empty() || !m_token)
        return FALSE;
    if (m_nSnmpVersion == 1) {
        if (!m_scalarWalker)
            return FALSE;
        // A read that is still awaited is replaced: its reply is stale.
        if (m_nScalarRequestID != 0)
            m_scalarWalker = std::make_unique<CSnmpTable4w>();
        m_nScalarRequestID = 0;
        m_nScalarTag = tag;
        m_scalarRequest->setType(SnmpPduGet);
        m_scalarRequest->setCommunity(m_szReadCommunity.c_str());
        m_scalarRequest->clearVarBindList();
        for (const std::string& oid : oids)
            m_scalarRequest->addValue(oid.c_str(), SnmpValueNull);
        m_scalarWalker->setRequest(m_scalarRequest.get());
        if (m_scalarWalker->getNextAsync(m_szDeviceIP.c_str(), &CLegacyFrame::OnScalarReply, m_token->Key(), nullptr,
                                         0) != SnmpStatusOk)
            return FALSE;
        m_nScalarRequestID = m_scalarRequest->getRequestID();
        return TRUE;
    }
    if (m_nSnmpVersion != 3)
        return FALSE;
    std::unique_ptr<CSnmpV3> request = MakeV3Request(SnmpPduGet);
    if (!request)
        return FALSE;
    CWaitCursor wait;
    CSnmpTable table(request.get());
    for (const std::string& oid : oids)
        request->addValue(oid.c_str(), SnmpValueNull);
    CSnmp* response = nullptr;
    const unsigned long timeout = m_nTimeout > 0 ? static_cast<unsigned long>(m_nTimeout) : 0;
    if (table.getNext(m_szDeviceIP.c_str(), response, timeout) != SnmpStatusOk || !response) {
        delete response;
        OnScalarsFailed(tag);
        return TRUE;
    }
    std::unique_ptr<CSnmp> owned(response);
    int errorStatus = 0;
    int errorIndex = 0;
    owned->getError(&errorStatus, &errorIndex);
    if (errorStatus != 0 || owned->getVarBindCount() < static_cast<int>(oids.size()))
        OnScalarsFailed(tag);
    else
        OnScalarsRead(tag, *owned, true);
    return TRUE;
}

void CLegacyFrame::HandleScalarReply(int requestId, int status, CSnmp* response)
{
    if (requestId == 0 || requestId != m_nScalarRequestID)
        return; // stale
    m_nScalarRequestID = 0;
    int errorStatus = 0;
    int errorIndex = 0;
    if (status == SnmpStatusOk && response)
        response->getError(&errorStatus, &errorIndex);
    if (status != SnmpStatusOk || !response || errorStatus != 0 ||
        response->getVarBindCount() < m_scalarRequest->getVarBindCount()) {
        OnScalarsFailed(m_nScalarTag);
        return;
    }
    OnScalarsRead(m_nScalarTag, *response, false);
}

void CLegacyFrame::OnScalarsRead(int, CSnmp&, bool) {}

BOOL CLegacyFrame::ReadOnce(const std::vector<std::string>& oids)
{
    if (m_nSnmpVersion != 1 || oids.empty() || !m_oneShot || !m_token)
        return FALSE;
    CSnmpV1 request(SnmpPduGet);
    request.setCommunity(m_szReadCommunity.c_str());
    for (const std::string& oid : oids)
        request.addValue(oid.c_str(), SnmpValueNull);
    m_oneShot->setRequest(&request);
    if (m_oneShot->sendAsync(m_szDeviceIP.c_str(), &CLegacyFrame::OnOneShotReply, m_token->Key(), nullptr, 0) !=
        SnmpStatusOk) {
        // No reply will come: the read has failed.
        m_nReadRequestID = 0;
        OnReadFailed();
        return FALSE;
    }
    m_nReadRequestID = m_oneShot->getRequestID();
    m_nReadCount = oids.size();
    return TRUE;
}

void CLegacyFrame::HandleReadReply(int requestId, int status, CSnmp* response)
{
    if (requestId == 0 || requestId != m_nReadRequestID)
        return;
    m_nReadRequestID = 0;
    int errorStatus = 0;
    int errorIndex = 0;
    if (status == SnmpStatusOk && response)
        response->getError(&errorStatus, &errorIndex);
    if (status != SnmpStatusOk || !response || errorStatus != 0 ||
        response->getVarBindCount() < static_cast<int>(m_nReadCount)) {
        OnReadFailed();
        return;
    }
    OnReadReply(*response);
}

void CLegacyFrame::OnReadReply(CSnmp&) {}

BOOL CLegacyFrame::WriteValues(const std::vector<LegacyValue>& values)
{
    CWriteReport unsaid;
    return WriteValues(values, unsaid, std::string()) ? TRUE : FALSE;
}

bool CLegacyFrame::WriteValues(const std::vector<LegacyValue>& values, CWriteReport& report, const std::string& what)
{
    if (report.Failed() || m_nSnmpVersion != 1 || values.empty())
        return false;
    return legacy_write::SendV1(report, m_szDeviceIP, m_szWriteCommunity, values, what);
}

std::string CLegacyFrame::ValueText(CSnmp& reply, int binding)
{
    int type = 0;
    char* text = nullptr;
    if (reply.getValue(binding, &type, &text) != 0 || !text)
        return std::string();
    return text;
}

bool CLegacyFrame::HasValueText(CSnmp& reply, int binding)
{
    return CModuleBase::HasValue(&reply, binding);
}

std::string CLegacyFrame::ValueBytes(CSnmp& reply, int binding)
{
    return CModuleBase::ValueText(&reply, binding);
}

std::vector<unsigned long> CLegacyFrame::IndexArcs(CSnmp& reply, int binding) const
{
    char* oid = nullptr;
    if (binding < 0 || binding >= static_cast<int>(m_columnOids.size()) || reply.getOid(binding, &oid) != 0 || !oid)
        return {};
    const std::string full = oid;
    const std::string& column = m_columnOids[static_cast<std::size_t>(binding)];
    if (full.size() <= column.size() + 1 || full.compare(0, column.size(), column) != 0 || full[column.size()] != '.')
        return {};
    return OidArcs(full.substr(column.size() + 1));
}
