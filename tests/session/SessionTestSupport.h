// Shared set-up of the session tests: a simulated switch of the test's own,
// the connection parameters pointing at it, and a recorder for walk
// call-backs that follows the walk protocol.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/Globals.h"
#include "platform/snmp/KorvelMib.h"
#include "support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace session_test {

inline const std::string kTrunkMembers = KorvelOid("10.76.19.1.8.1.3.1.2");
inline const std::string kTrunkModes = KorvelOid("10.76.19.1.8.1.3.1.3");
inline const std::string kVlanNames = KorvelOid("10.76.19.1.7.6.1.1");
inline const std::string kVlanRowStatus = KorvelOid("10.76.19.1.7.6.1.5");
inline const std::string kSysName = "1.3.6.1.2.1.1.5.0";
inline const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";

using Clock = std::chrono::steady_clock;

inline long MsSince(Clock::time_point start)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Polls `ready` every 10 ms for up to `timeoutMs`.
template <class F> bool Eventually(F ready, int timeoutMs = 5000)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!ready()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// Waits for the end of a session's walk for up to `timeoutMs` (longer than the
// session's own wait, for walks with long time-outs).
inline bool WaitWalkEnd(CCommonSNMP& session, int timeoutMs)
{
    const auto start = Clock::now();
    while (!session.WaitDone()) {
        if (MsSince(start) > timeoutMs)
            return false;
    }
    return true;
}

// Points the connection parameters at `sim` (SNMPv1, default communities and
// time-out). Sessions copy them when they are built.
inline void UseSimulator(const KorvelSimulator& sim, const std::string& timeout = "3000")
{
    g_strDeviceIP = sim.Host();
    g_strSnmpVersion = "1";
    g_strReadCommunity = KorvelSimulator::ReadCommunity();
    g_strWriteCommunity = KorvelSimulator::WriteCommunity();
    g_strTimeout = timeout;
}

// The request log lines of one kind ("GET", "GETNEXT", "SET").
inline std::vector<std::string> LogLinesOf(const KorvelSimulator& sim, const std::string& kind)
{
    std::vector<std::string> out;
    for (const std::string& line : sim.LogLines()) {
        if (line.rfind(kind + "\t", 0) == 0)
            out.push_back(line);
    }
    return out;
}

// A data file of the test's own (later files replace objects of earlier ones).
class TempDataFile
{
public:
    explicit TempDataFile(const std::string& lines)
    {
        char name[] = "/tmp/korvel-session-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        m_path = name;
        std::ofstream(m_path) << lines;
    }
    ~TempDataFile() { std::remove(m_path.c_str()); }
    TempDataFile(const TempDataFile&) = delete;
    TempDataFile& operator=(const TempDataFile&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// What one call-back saw.
struct Reply
{
    int nRequestID = 0;
    int nStatus = 0;
    bool bStale = false;
    std::string strSuffix;
    std::thread::id thread;
};

// Runs a walk on a session by the walk protocol and records every call-back.
class WalkRecorder
{
public:
    explicit WalkRecorder(CCommonSNMP& session, int nTimeout = 0) : m_session(session), m_nTimeout(nTimeout) {}

    void Start() { m_session.StartRequest(&WalkRecorder::OnReply, this, 0, m_nTimeout); }

    std::vector<Reply> Replies() const
    {
        std::lock_guard lock(m_lock);
        return m_replies;
    }
    size_t Count() const
    {
        std::lock_guard lock(m_lock);
        return m_replies.size();
    }
    bool Ended() const
    {
        std::lock_guard lock(m_lock);
        return m_bEnded;
    }
    // What each next step's start returned, in order.
    std::vector<bool> NextSteps() const
    {
        std::lock_guard lock(m_lock);
        return m_nextSteps;
    }

    // Set before the walk: the call-back of this row (1-based) pauses so long
    // before it goes on.
    int m_nPauseRow = 0;
    int m_nPauseMs = 0;
    // Set before the walk: rows after this many are not asked for.
    int m_nMaxRows = 1 << 30;

    static int OnReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
    {
        std::unique_ptr<CSnmp> pResponse(pResponseIn);
        auto* pThis = static_cast<WalkRecorder*>(pUserData);
        Reply reply;
        reply.nRequestID = nRequestID;
        reply.nStatus = nStatus;
        reply.thread = std::this_thread::get_id();
        if (!pThis->m_session.FindRequestID(nRequestID)) {
            reply.bStale = true;
            pThis->Record(reply, true);
            return 0;
        }
        if (nStatus != 0) {
            pThis->Record(reply, true);
            pThis->m_session.SignalDone();
            return 0;
        }
        pThis->m_session.GetIndexSuffix(0, pResponse.get(), reply.strSuffix);
        const size_t nRow = pThis->Record(reply, false);
        if (static_cast<int>(nRow) == pThis->m_nPauseRow)
            std::this_thread::sleep_for(std::chrono::milliseconds(pThis->m_nPauseMs));
        if (static_cast<int>(nRow) < pThis->m_nMaxRows) {
            const bool bStarted = pThis->m_session.StartAsync(&WalkRecorder::OnReply, pThis, pThis->m_nTimeout);
            std::lock_guard lock(pThis->m_lock);
            pThis->m_nextSteps.push_back(bStarted);
        } else
            pThis->m_session.SignalDone();
        return 0;
    }

private:
    size_t Record(const Reply& reply, bool bEnd)
    {
        std::lock_guard lock(m_lock);
        m_replies.push_back(reply);
        m_bEnded = m_bEnded || bEnd;
        return m_replies.size();
    }

    CCommonSNMP& m_session;
    const int m_nTimeout;
    mutable std::mutex m_lock;
    std::vector<bool> m_nextSteps;
    std::vector<Reply> m_replies;
    bool m_bEnded = false;
};

} // namespace session_test
