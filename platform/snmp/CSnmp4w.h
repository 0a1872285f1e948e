// The asynchronous sender: sendAsync sends a copy of the request given to
// setRequest on a thread of the library and runs the call-back there with
// the response and the status. Deleting the sender drops replies that have
// not reached their call-back and waits for call-backs that are running
// (unless it is deleted from its own call-back).
#pragma once

#include "platform/snmp/CSnmp.h"
#include "platform/snmp/SnmpCallback.h"

#include <memory>

class SnmpAsyncRunner;

class CSnmp4w
{
public:
    static constexpr int EC_NO_ERROR = SnmpStatusOk;

    explicit CSnmp4w(CSnmp* request = nullptr);
    virtual ~CSnmp4w();
    CSnmp4w(const CSnmp4w&) = delete;
    CSnmp4w& operator=(const CSnmp4w&) = delete;

    // Keeps a copy of `request` (the caller may destroy it at once).
    void setRequest(CSnmp* request);
    // 0 when the request was started (its call-back will run), -1 when there
    // is no request, no binding or no call-back. `window` and `reserved` are
    // not used.
    int sendAsync(const char* host, SnmpCallback callback, void* userData, void* window, unsigned long timeout);
    int sendAsync(const char* host, int reserved, SnmpCallback callback, void* userData, void* window,
                  unsigned long timeout);
    // The id of the last request started, known before its reply arrives.
    int getRequestID() const;

private:
    std::unique_ptr<CSnmp> m_request;
    std::unique_ptr<SnmpAsyncRunner> m_runner;
};
