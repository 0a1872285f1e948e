#include "bench/BenchWalks.h"

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/snmp/CSnmpV3.h"
#include "platform/system/UiThreadWait.h"

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr unsigned long kTimeoutMs = 3000;

double CpuNow()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double WallNow()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<CSnmp> MakeRequest(const BenchTarget& t)
{
    if (t.version == 1) {
        auto request = std::make_unique<CSnmpV1>(SnmpPduGetNext);
        request->setCommunity(t.community.c_str());
        return request;
    }
    auto request = std::make_unique<CSnmpV3>(SnmpPduGetNext);
    request->setMsgMaxSize(1024);
    request->setMsgSecurityModel(3);
    request->setUserName(t.user.c_str());
    request->setMsgFlags(3);
    request->setAuthArith(1);
    request->setAuthPwd(t.authPassword.c_str(), static_cast<int>(t.authPassword.size()));
    request->setPriArith(0);
    request->setPriPwd(t.privPassword.c_str(), static_cast<int>(t.privPassword.size()));
    return request;
}

// The walk of one asynchronous session; the call-back's user data.
struct AsyncWalk
{
    CCommonSNMP session;
    CListCtrlEx* list = nullptr;
    std::mutex lock;
    std::vector<std::string> rows; // the rows so far, taken whole at the end
    std::vector<std::string> result;
    std::atomic<bool> done{false};
    std::atomic<bool> failed{false};
    double fillSeconds = 0; // UI thread, inside carried calls only

    static int OnReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
    {
        std::unique_ptr<CSnmp> response(pResponse);
        auto* walk = static_cast<AsyncWalk*>(pUserData);
        if (walk->session.FindRequestID(nRequestID) == 0)
            return 0;
        if (nStatus != 0) {
            {
                std::lock_guard guard(walk->lock);
                walk->result.swap(walk->rows);
            }
            walk->failed = nStatus != SnmpStatusEndOfWalk;
            walk->done = true;
            walk->session.SignalDone();
            ui_wait::Wake();
            return 0;
        }
        int type = 0;
        char* value = nullptr;
        response->getValue(0, &type, &value);
        std::string text = value ? value : "";
        int row = 0;
        {
            std::lock_guard guard(walk->lock);
            row = static_cast<int>(walk->rows.size());
            walk->rows.push_back(text);
        }
        if (walk->list) {
            // Carried to the UI thread and waited for, as a dialog's would be.
            const double start = WallNow();
            walk->list->SetOrInsertItemText(row, 0, text.c_str());
            walk->fillSeconds += WallNow() - start;
        }
        walk->session.StartRequest(&AsyncWalk::OnReply, walk, 0, 0);
        return 0;
    }
};

} // namespace

bool WalkSync(const BenchTarget& target, BenchFigure& figure)
{
    const double cpu = CpuNow();
    const double wall = WallNow();
    std::unique_ptr<CSnmp> request = MakeRequest(target);
    request->addValue(target.root.c_str(), SnmpValueNull);
    CSnmpTable table(request.get());
    long rows = 0;
    int status = SnmpStatusOk;
    while (status == SnmpStatusOk) {
        CSnmp* raw = nullptr;
        status = table.getNext(target.host.c_str(), raw, kTimeoutMs);
        std::unique_ptr<CSnmp> response(raw);
        if (status == SnmpStatusOk) {
            int type = 0;
            char* value = nullptr;
            response->getValue(0, &type, &value);
            ++rows;
        }
    }
    figure.cpu = CpuNow() - cpu;
    figure.wall = WallNow() - wall;
    figure.rows = rows;
    return status == SnmpStatusEndOfWalk;
}

bool WalkAsync(const BenchTarget& target, BenchFigure& figure, CListCtrlEx* list, double* fillSeconds)
{
    g_strDeviceIP = target.host;
    g_strSnmpVersion = std::to_string(target.version);
    g_strTimeout = std::to_string(kTimeoutMs);
    g_strReadCommunity = target.community;
    g_strSecurityLevel = "3";
    g_strUserName = target.user;
    g_strAuthPassword = target.authPassword;
    g_strPrivPassword = target.privPassword;
    g_strAuthProtocol = "3"; // SHA
    g_strPrivProtocol = "2"; // DES

    const double cpu = CpuNow();
    const double wall = WallNow();
    auto walk = std::make_unique<AsyncWalk>();
    walk->list = list;
    if (!walk->session.Open(SnmpPduGetNext) || walk->session.AddValue(target.root, SnmpValueNull) != 0)
        return false;
    walk->session.StartRequest(&AsyncWalk::OnReply, walk.get(), 0, 0);
    ui_wait::WaitServingUi([&] { return walk->done.load(); }, INFINITE);
    walk->session.Close();
    figure.cpu = CpuNow() - cpu;
    figure.wall = WallNow() - wall;
    figure.rows = static_cast<long>(walk->result.size());
    if (fillSeconds)
        *fillSeconds = walk->fillSeconds;
    return !walk->failed;
}
