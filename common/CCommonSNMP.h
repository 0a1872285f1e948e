// One SNMP session to the managed switch.
//
// Every window and logic object that talks to the switch owns sessions by
// value and uses each for one kind of work. A session copies the connection
// parameters when it is built, so callers never see credentials: they open it
// for one request kind, add bindings, and then send synchronously (send), take
// one synchronous walk step (getNext), or start the request on the session's
// own worker thread (StartRequest), whose call-back receives each response.
//
// Walk protocol of a call-back (runs on the session's worker thread):
//   1. FindRequestID(id) == 0: the reply is stale; release it and return.
//   2. status != 0: the walk has ended (-2 end of table, -1 failure); report
//      it, SignalDone() and return.
//   3. status == 0: read the row, StartRequest again for the next row, release
//      the response. A walk's response is one row: one binding per column, all
//      at the same index; a cell the table lacks at that index has type
//      SnmpNoValue (CModuleBase::HasValue tells).
// The call-back owns every response it is given.
//
// Threads. The session's lock serialises opening, adding bindings, sending,
// each walk step and each index-suffix query; it is never held while a
// call-back runs. No worker is ever killed: a worker that has not ended within
// 3000 ms of Open or of the destructor is cancelled and let go. Its late reply
// is discarded without a call-back, a restart from its call-back is refused,
// and everything it may still touch lives in state it co-owns with the
// session, so destroying the session never frees memory under it. Close and
// the destructor also wait for a call-back that is running on another thread
// to return (on the UI thread they keep serving carried window calls
// meanwhile), so once they return no call-back of the session runs any more
// and the call-back's user data may be freed.
#pragma once

#include "platform/snmp/CSnmp.h"
#include "platform/snmp/SnmpCallback.h"
#include "platform/system/CThread.h"
#include "platform/system/WinTypes.h"

#include <atomic>
#include <memory>
#include <string>

// Program-wide counter of request ids; the first id issued is 1.
extern std::atomic<int> g_nRequestID;

class CCommonSNMP
{
public:
    CCommonSNMP();
    virtual ~CCommonSNMP();

    CCommonSNMP(const CCommonSNMP&) = delete;
    CCommonSNMP& operator=(const CCommonSNMP&) = delete;

    // Prepares a request of one kind (SnmpPduType: 0 GET, 1 GETNEXT, 3 SET);
    // stops a running asynchronous request first. False when the session
    // cannot run requests or (SNMPv1) the kind is unknown.
    bool Open(int nType);

    // Adds a binding; type 4 (no value) for every GET and GETNEXT binding.
    // Returns the library's result, -1 when the session cannot run requests.
    int AddValue(const std::string& strOid, int nType);
    int AddValue(const std::string& strOid, int nType, const std::string& strValue);
    int AddValueLen(const std::string& strOid, int nType, const void* pData, int nLength);

    // Synchronous send and one synchronous walk step. A time-out of 0 is the
    // session's default. The response, when one comes, belongs to the caller.
    // Both leave the request prepared: it can be sent again as it is.
    int send(std::unique_ptr<CSnmp>& pResponse, int nTimeout);
    int getNext(std::unique_ptr<CSnmp>& pResponse, int nTimeout);
    // How a synchronous request went: the switch answered without an error,
    // refused it with an error status, or did not answer (also when the
    // session cannot run requests).
    enum class SendResult
    {
        Answered,
        Refused,
        Silent
    };
    // Sends the prepared request (send); the response is kept only when the
    // switch answered without an error.
    SendResult SendFor(std::unique_ptr<CSnmp>& pResponse, int nTimeout = 0);
    // Sends the prepared request (send) and drops the reply: true only when
    // a reply came and the agent reported no error in it.
    bool SendAccepted(int nTimeout = 0);

    // Starts the prepared request on the worker thread; the call-back gets
    // each response with a new program-wide request id. Returns -1 in every
    // case, also when the request was started: never read it as a result.
    int StartRequest(SnmpCallback pfnCallback, void* pUserData, int nReserved, int nTimeout);
    // The same start, telling whether it happened: false when the session
    // cannot run requests (an SNMP version or protocol it does not know), the
    // request was left incomplete, the session was closed or no worker could
    // be made. Then no call-back will come: whoever waits for the request's
    // end handles false as a failed request. The next step of a walk asked
    // from its call-back after the owner stopped the walk (Close, or Open for
    // a new request) is not sent either, but that start returns true: the
    // walk ends there, and its call-back has nothing to tell.
    bool StartAsync(SnmpCallback pfnCallback, void* pUserData, int nTimeout = 0);
    int Start(SnmpCallback pfnCallback, void* pUserData, int nTimeout);

    // The part of a response binding's identifier beyond the requested column,
    // with its leading dot (".5" for row 5).
    int GetIndexSuffix(int nIndex, CSnmp* pResponse, std::string& strSuffix);

    // 1 when the id was issued by this session and not yet claimed (it is
    // claimed now), else 0.
    int FindRequestID(int nRequestID);

    void SignalDone();

    // Stops the session: no asynchronous start is accepted until the next
    // Open, and every outstanding id is forgotten, so late replies are stale.
    void Close();

    // The request object's error status and index; -1 when the session cannot
    // run requests.
    int GetError(int* pnErrorStatus, int* pnErrorIndex);

    // Waits up to the default time-out plus 1000 ms for the current
    // asynchronous request to end; true when it has.
    bool WaitDone();

    // Waits until every worker thread of the process has ended, also the ones
    // that were let go; for the end of the process and for tests. True when
    // none is left.
    static bool WaitForWorkers(DWORD dwTimeoutMs);

private:
    struct Core;
    struct Worker;
    static void RunWorker(std::shared_ptr<Core> pCore, std::shared_ptr<Worker> pWorker);

    // The state a worker co-owns, and the current worker thread. The thread
    // object stays here, on the owner's side, so it is never destroyed on
    // the thread it stands for.
    std::shared_ptr<Core> m_pCore;
    CThread m_thread;
};
