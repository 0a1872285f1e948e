#include "platform/hostsnmp/HostSnmp.h"

#include <mutex>

namespace {

std::mutex g_lock;
HostSnmpRecord g_record;

} // namespace

int SnmpInit(CWinApp* app)
{
    std::lock_guard lock(g_lock);
    ++g_record.initCalls;
    g_record.app = app;
    return 1;
}

void SetSnmpTimeout(int milliseconds)
{
    std::lock_guard lock(g_lock);
    ++g_record.timeoutCalls;
    g_record.timeoutMs = milliseconds;
}

HostSnmpRecord GetHostSnmpRecord()
{
    std::lock_guard lock(g_lock);
    return g_record;
}
