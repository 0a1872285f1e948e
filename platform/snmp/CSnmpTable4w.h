// The asynchronous walker: each getNextAsync takes one step of the walk (as
// CSnmpTable::getNext) on a thread of the library and runs the call-back
// there with the response and the status. The request's getRequestID gives
// the step's id as soon as getNextAsync has returned, before the reply can
// arrive. Deleting the walker drops replies that have not reached their
// call-back and waits for call-backs that are running (unless it is deleted
// from its own call-back).
#pragma once

#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/SnmpCallback.h"

#include <memory>

class SnmpAsyncRunner;

class CSnmpTable4w : public CSnmpTable
{
public:
    explicit CSnmpTable4w(CSnmp* request = nullptr);
    ~CSnmpTable4w() override;

    // 0 when the step was started (its call-back will run), -1 when there is
    // no request, no binding or no call-back. `window` is not used.
    int getNextAsync(const char* host, SnmpCallback callback, void* userData, void* window, unsigned long timeout);

private:
    std::unique_ptr<SnmpAsyncRunner> m_runner;
};
