#include "common/CCommonSNMP.h"

#include "common/Globals.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/snmp/CSnmpV3.h"
#include "platform/system/CEvent.h"
#include "platform/system/UiThreadWait.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <vector>

std::atomic<int> g_nRequestID{0};

namespace {

// How long Open and the destructor wait for a worker before letting it go.
constexpr DWORD kWorkerWaitMs = 3000;

// Worker threads alive in the process, the ones let go included.
std::mutex g_workersLock;
int g_nWorkers = 0;

// Waits on any thread; on the UI thread it keeps serving carried window calls.
bool WaitFor(const std::function<bool()>& ready, DWORD timeoutMs)
{
    return ui_wait::WaitServingUi(ready, timeoutMs);
}

} // namespace

// One worker thread's standing, under Core::stateLock.
struct CCommonSNMP::Worker
{
    bool bCancelled = false; // stopped by Open or the destructor: no call-back, no restart
    bool bInCallback = false;
};

// Everything a worker may touch. The session and its workers share it, so it
// outlives a session destroyed while a worker that was let go still runs.
struct CCommonSNMP::Core
{
    // Fixed after construction.
    int nVersion = 0;
    std::string strHost;
    int nDefaultTimeout = 0;
    std::string strReadCommunity;
    std::string strWriteCommunity;
    std::string strSecurityLevel;
    std::string strAuthProtocol;
    std::string strPrivProtocol;
    std::string strUserName;
    std::string strAuthPassword;
    std::string strPrivPassword;

    // The library's request object and table walker, used only under `lock`;
    // none when the session cannot run requests.
    std::unique_ptr<CSnmp> pRequest;
    std::unique_ptr<CSnmpTable> pTable;

    // The session's lock: opening, adding bindings, sending, walk steps and
    // index-suffix queries.
    std::mutex lock;

    // The asynchronous request, under stateLock.
    std::mutex stateLock;
    CEvent done{TRUE, TRUE}; // manual reset, initially set
    bool bRunning = false;
    bool bClosed = false;
    SnmpCallback pfnCallback = nullptr;
    void* pUserData = nullptr;
    int nRequestTimeout = 0;
    int nRequestID = 0;
    std::vector<int> outstandingIds;
    std::shared_ptr<Worker> pWorker; // the current worker, if any

    // The worker whose thread is the calling one.
    static thread_local Core* t_pCore;
    static thread_local Worker* t_pWorker;

    bool CanRun() const { return pRequest && pTable; }

    bool OnOwnWorker(const std::shared_ptr<Worker>& pOf) const
    {
        return pOf && t_pCore == this && t_pWorker == pOf.get();
    }

    // Takes the lock; on the UI thread it keeps serving carried window calls.
    std::unique_lock<std::mutex> Lock()
    {
        if (ui_wait::IsUiThread()) {
            WaitFor([this] { return lock.try_lock(); }, INFINITE);
            return std::unique_lock(lock, std::adopt_lock);
        }
        return std::unique_lock(lock);
    }

    // Runs fn on the request object under the lock; -1 when the session
    // cannot run requests.
    template <class F> int UnderLock(F&& fn)
    {
        if (!CanRun())
            return -1;
        auto guard = Lock();
        return fn(*pRequest);
    }

    // One synchronous send or walk step of the prepared request; never sent
    // without a binding. A time-out of 0 is the default.
    int Exchange(bool bWalkStep, std::unique_ptr<CSnmp>& pResponse, int nTimeout)
    {
        return UnderLock([&](CSnmp& request) {
            if (request.getVarBindCount() <= 0)
                return -1;
            const auto timeout = static_cast<unsigned long>(nTimeout == 0 ? nDefaultTimeout : nTimeout);
            CSnmp* pReply = nullptr;
            const int nStatus = bWalkStep ? pTable->getNext(strHost.c_str(), pReply, timeout)
                                          : request.send(strHost.c_str(), pReply, timeout);
            pResponse.reset(pReply);
            return nStatus;
        });
    }

    // Waits until the worker's call-back, if one runs, has returned.
    void WaitCallbackEnd(const std::shared_ptr<Worker>& pOf)
    {
        WaitFor(
            [&] {
                std::lock_guard state(stateLock);
                return !pOf->bInCallback;
            },
            INFINITE);
    }
};

thread_local CCommonSNMP::Core* CCommonSNMP::Core::t_pCore = nullptr;
thread_local CCommonSNMP::Worker* CCommonSNMP::Core::t_pWorker = nullptr;

CCommonSNMP::CCommonSNMP() : m_pCore(std::make_shared<Core>())
{
    Core& core = *m_pCore;
    {
        std::lock_guard lock(ConnectionValuesLock());
        core.strHost = g_strDeviceIP;
        core.nDefaultTimeout = std::atoi(g_strTimeout.c_str());
    }
    core.nVersion = std::atoi(g_strSnmpVersion.c_str());
    core.strReadCommunity = g_strReadCommunity;
    core.strWriteCommunity = g_strWriteCommunity;
    core.strSecurityLevel = g_strSecurityLevel;
    core.strAuthProtocol = g_strAuthProtocol;
    core.strPrivProtocol = g_strPrivProtocol;
    core.strUserName = g_strUserName;
    core.strAuthPassword = g_strAuthPassword;
    core.strPrivPassword = g_strPrivPassword;
    core.nRequestTimeout = core.nDefaultTimeout;

    if (core.nVersion == 1) {
        core.pRequest = std::make_unique<CSnmpV1>(0);
    } else if (core.nVersion == 3) {
        // Never send with less security than the level asks for: a level that
        // names an authentication or privacy protocol we do not know leaves
        // the session without a request object, so every request fails.
        const std::string& level = core.strSecurityLevel;
        const bool bAuthKnown = core.strAuthProtocol == "2" || core.strAuthProtocol == "3";
        const bool bPrivKnown = core.strPrivProtocol == "2";
        if ((level != "2" && level != "3") || (bAuthKnown && (level == "2" || bPrivKnown)))
            core.pRequest = std::make_unique<CSnmpV3>(0);
    }
    if (core.pRequest)
        core.pTable = std::make_unique<CSnmpTable>(core.pRequest.get());
}

CCommonSNMP::~CCommonSNMP()
{
    Core& core = *m_pCore;
    std::shared_ptr<Worker> pWorker;
    {
        std::lock_guard state(core.stateLock);
        core.bRunning = false;
        core.bClosed = true;
        pWorker = std::move(core.pWorker);
        if (pWorker)
            pWorker->bCancelled = true;
    }
    if (!pWorker || core.OnOwnWorker(pWorker))
        return; // m_thread lets a running thread go
    // A running call-back may use its user data, which our owner frees next.
    core.WaitCallbackEnd(pWorker);
    // A step in flight ends within its time-out and its reply is dropped; a
    // worker that has not ended by then is let go with its share of the core.
    if (!m_thread.Join(kWorkerWaitMs))
        m_thread.Detach();
}

bool CCommonSNMP::Open(int nType)
{
    Core& core = *m_pCore;
    if (!core.CanRun())
        return false;

    // Stop a running request. A worker that does not end in time is let go:
    // its step's reply is dropped and its call-back may not restart.
    std::shared_ptr<Worker> pWorker;
    {
        std::lock_guard state(core.stateLock);
        core.bRunning = false;
        if (core.pWorker && !core.OnOwnWorker(core.pWorker)) {
            pWorker = std::move(core.pWorker);
            pWorker->bCancelled = true;
        }
    }
    if (pWorker) {
        if (!m_thread.Join(kWorkerWaitMs))
            m_thread.Detach();
        std::lock_guard state(core.stateLock);
        core.done.SetEvent();
    }

    auto lock = core.Lock();
    core.pRequest->setType(nType);
    core.pRequest->clearVarBindList();
    if (core.nVersion == 1) {
        auto* pV1 = static_cast<CSnmpV1*>(core.pRequest.get());
        if (nType == 0 || nType == 1)
            pV1->setCommunity(core.strReadCommunity.c_str());
        else if (nType == 3)
            pV1->setCommunity(core.strWriteCommunity.c_str());
        else
            return false;
    } else {
        auto* pV3 = static_cast<CSnmpV3*>(core.pRequest.get());
        pV3->setMsgMaxSize(1024);
        pV3->setMsgSecurityModel(3);
        pV3->setUserName(core.strUserName.c_str());
        const std::string& level = core.strSecurityLevel;
        if (level == "2" || level == "3") {
            // The protocols were checked at construction.
            pV3->setMsgFlags(level == "2" ? 1 : 3);
            pV3->setAuthArith(core.strAuthProtocol == "2" ? 0 : 1);
            pV3->setAuthPwd(core.strAuthPassword.c_str(), static_cast<int>(core.strAuthPassword.size()));
            if (level == "3") {
                pV3->setPriArith(0);
                pV3->setPriPwd(core.strPrivPassword.c_str(), static_cast<int>(core.strPrivPassword.size()));
            }
        } else {
            pV3->setMsgFlags(0);
        }
    }
    std::lock_guard state(core.stateLock);
    core.bClosed = false;
    return true;
}

int CCommonSNMP::AddValue(const std::string& strOid, int nType)
{
    return m_pCore->UnderLock([&](CSnmp& request) { return request.addValue(strOid.c_str(), nType); });
}

int CCommonSNMP::AddValue(const std::string& strOid, int nType, const std::string& strValue)
{
    return m_pCore->UnderLock(
        [&](CSnmp& request) { return request.addValue(strOid.c_str(), nType, strValue.c_str()); });
}

int CCommonSNMP::AddValueLen(const std::string& strOid, int nType, const void* pData, int nLength)
{
    return m_pCore->UnderLock([&](CSnmp& request) { return request.addValue(strOid.c_str(), nType, pData, nLength); });
}

int CCommonSNMP::send(std::unique_ptr<CSnmp>& pResponse, int nTimeout)
{
    return m_pCore->Exchange(false, pResponse, nTimeout);
}

int CCommonSNMP::getNext(std::unique_ptr<CSnmp>& pResponse, int nTimeout)
{
    return m_pCore->Exchange(true, pResponse, nTimeout);
}

CCommonSNMP::SendResult CCommonSNMP::SendFor(std::unique_ptr<CSnmp>& pResponse, int nTimeout)
{
    if (send(pResponse, nTimeout) != SnmpStatusOk || !pResponse) {
        pResponse.reset();
        return SendResult::Silent;
    }
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus == 0)
        return SendResult::Answered;
    pResponse.reset();
    return SendResult::Refused;
}

bool CCommonSNMP::SendAccepted(int nTimeout)
{
    std::unique_ptr<CSnmp> pResponse;
    return SendFor(pResponse, nTimeout) == SendResult::Answered;
}

int CCommonSNMP::StartRequest(SnmpCallback pfnCallback, void* pUserData, int /*nReserved*/, int nTimeout)
{
    StartAsync(pfnCallback, pUserData, nTimeout);
    return -1;
}

bool CCommonSNMP::StartAsync(SnmpCallback pfnCallback, void* pUserData, int nTimeout)
{
    Core& core = *m_pCore;
    {
        // The next step asked from the call-back of a walk that its owner
        // stopped (closed, or replaced with a new request) is not sent, and
        // the walk ends here unsaid: nobody waits for its end any more, and a
        // failure told now would reach a window on its way out, or be taken
        // for the new request's.
        std::lock_guard state(core.stateLock);
        if (Core::t_pCore == &core && Core::t_pWorker != nullptr && (Core::t_pWorker->bCancelled || core.bClosed)) {
            if (!Core::t_pWorker->bCancelled)
                core.done.SetEvent();
            return true;
        }
    }
    if (!core.CanRun()) {
        core.done.SetEvent();
        return false;
    }

    auto lock = core.Lock();
    const bool bComplete = core.pRequest->getVarBindCount() > 0;
    std::shared_ptr<Worker> pNewWorker;
    {
        std::lock_guard state(core.stateLock);
        if (core.bClosed || !bComplete) {
            core.done.SetEvent();
            return false;
        }
        core.pfnCallback = pfnCallback;
        core.pUserData = pUserData;
        core.nRequestTimeout = nTimeout == 0 ? core.nDefaultTimeout : nTimeout;
        core.nRequestID = ++g_nRequestID;
        core.outstandingIds.push_back(core.nRequestID);
        core.bRunning = true;
        core.done.ResetEvent();
        if (core.pWorker)
            return true; // the running worker takes the next step
        core.pWorker = pNewWorker = std::make_shared<Worker>();
    }

    // No worker of ours is current, so this is the owner's thread: a previous
    // worker's thread that is still on its way out is let go.
    if (m_thread.IsRunning())
        m_thread.Detach();
    {
        std::lock_guard workers(g_workersLock);
        ++g_nWorkers;
    }
    if (!m_thread.Start(
            [pCore = m_pCore, pNewWorker]() mutable { RunWorker(std::move(pCore), std::move(pNewWorker)); })) {
        {
            std::lock_guard workers(g_workersLock);
            --g_nWorkers;
        }
        std::lock_guard state(core.stateLock);
        core.bRunning = false;
        core.pWorker.reset();
        core.done.SetEvent();
        return false;
    }
    return true;
}

int CCommonSNMP::Start(SnmpCallback pfnCallback, void* pUserData, int nTimeout)
{
    return StartRequest(pfnCallback, pUserData, 0, nTimeout);
}

void CCommonSNMP::RunWorker(std::shared_ptr<Core> pCore, std::shared_ptr<Worker> pWorker)
{
    Core& core = *pCore;
    Worker& worker = *pWorker;
    Core::t_pCore = &core;
    Core::t_pWorker = &worker;

    for (;;) {
        {
            std::lock_guard state(core.stateLock);
            if (worker.bCancelled || !core.bRunning) {
                // A start after this point finds no worker and makes a new one.
                if (core.pWorker == pWorker) {
                    core.pWorker.reset();
                    core.done.SetEvent();
                }
                break;
            }
        }

        std::unique_ptr<CSnmp> pResponse;
        int nStatus = -1;
        {
            auto lock = core.Lock();
            if (core.pRequest->getVarBindCount() <= 0) {
                std::lock_guard state(core.stateLock);
                if (!worker.bCancelled)
                    core.bRunning = false;
                continue;
            }
            int nTimeout;
            {
                std::lock_guard state(core.stateLock);
                nTimeout = core.nRequestTimeout;
            }
            CSnmp* pReply = nullptr;
            nStatus = core.pTable->getNext(core.strHost.c_str(), pReply, static_cast<unsigned long>(nTimeout));
            pResponse.reset(pReply);
        }

        SnmpCallback pfnCallback = nullptr;
        void* pUserData = nullptr;
        int nRequestID = 0;
        {
            std::lock_guard state(core.stateLock);
            if (!worker.bCancelled && core.bRunning) {
                core.bRunning = false;
                pfnCallback = core.pfnCallback;
                pUserData = core.pUserData;
                nRequestID = core.nRequestID;
                worker.bInCallback = pfnCallback != nullptr;
            }
        }
        // Stopped while the step was in flight (or started without a
        // call-back): the reply is dropped.
        if (pfnCallback == nullptr)
            continue;

        // The call-back may start the request again, which makes this worker
        // take the next step.
        pfnCallback(pResponse.release(), nRequestID, pUserData, nStatus);
        {
            std::lock_guard state(core.stateLock);
            worker.bInCallback = false;
        }
        ui_wait::Wake();
    }

    Core::t_pCore = nullptr;
    Core::t_pWorker = nullptr;
    pWorker.reset();
    pCore.reset();
    {
        std::lock_guard workers(g_workersLock);
        --g_nWorkers;
    }
    ui_wait::Wake();
}

int CCommonSNMP::GetIndexSuffix(int nIndex, CSnmp* pResponse, std::string& strSuffix)
{
    return m_pCore->UnderLock([&](CSnmp& request) {
        if (request.getVarBindCount() <= 0)
            return -1;
        char* pszSuffix = nullptr;
        const int nResult = m_pCore->pTable->getInstance(nIndex, pResponse, &pszSuffix);
        strSuffix = pszSuffix != nullptr ? pszSuffix : "";
        return nResult;
    });
}

int CCommonSNMP::FindRequestID(int nRequestID)
{
    Core& core = *m_pCore;
    std::lock_guard state(core.stateLock);
    auto it = std::find(core.outstandingIds.begin(), core.outstandingIds.end(), nRequestID);
    if (it == core.outstandingIds.end())
        return 0;
    core.outstandingIds.erase(it);
    return 1;
}

void CCommonSNMP::SignalDone()
{
    m_pCore->done.SetEvent();
}

void CCommonSNMP::Close()
{
    Core& core = *m_pCore;
    std::shared_ptr<Worker> pWorker;
    {
        std::lock_guard state(core.stateLock);
        core.bClosed = true;
        core.bRunning = false;
        pWorker = core.pWorker;
    }
    // Called from the session's own call-back there is nothing to wait for.
    if (!core.OnOwnWorker(pWorker)) {
        if (pWorker)
            core.WaitCallbackEnd(pWorker);
        WaitDone();
    }
    std::lock_guard state(core.stateLock);
    core.outstandingIds.clear();
}

int CCommonSNMP::GetError(int* pnErrorStatus, int* pnErrorIndex)
{
    return m_pCore->UnderLock([&](CSnmp& request) { return request.getError(pnErrorStatus, pnErrorIndex); });
}

bool CCommonSNMP::WaitDone()
{
    return m_pCore->done.Lock(static_cast<DWORD>(m_pCore->nDefaultTimeout + 1000)) != FALSE;
}

bool CCommonSNMP::WaitForWorkers(DWORD dwTimeoutMs)
{
    return WaitFor(
        [] {
            std::lock_guard workers(g_workersLock);
            return g_nWorkers == 0;
        },
        dwTimeoutMs);
}
