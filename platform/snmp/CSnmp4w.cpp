#include "platform/snmp/CSnmp4w.h"

#include "platform/snmp/SnmpAsyncRunner.h"
#include "platform/snmp/SnmpMessage.h"

#include <string>

CSnmp4w::CSnmp4w(CSnmp* request) : m_runner(std::make_unique<SnmpAsyncRunner>())
{
    setRequest(request);
}

CSnmp4w::~CSnmp4w()
{
    m_runner->Stop();
}

void CSnmp4w::setRequest(CSnmp* request)
{
    m_request = request ? std::make_unique<CSnmp>(*request) : nullptr;
}

int CSnmp4w::sendAsync(const char* host, SnmpCallback callback, void* userData, void*, unsigned long timeout)
{
    if (!callback || !host || !m_request || m_request->message().bindings.empty())
        return SnmpStatusFailed;
    const int id = SnmpNextRequestId();
    m_request->message().requestId = id;
    auto request = std::make_shared<SnmpMessage>(m_request->message());
    bool started = m_runner->Start([request, peer = std::string(host), callback, userData, timeout,
                                    id](SnmpAsyncRunner::Gate& gate) {
        auto reply = std::make_unique<CSnmp>();
        int status = SnmpExchange(*request, peer.c_str(), timeout, reply->message());
        if (!gate.Enter())
            return;
        reply->message().requestId = id;
        callback(status == SnmpStatusOk ? reply.release() : nullptr, id, userData, status);
        gate.Leave();
    });
    return started ? SnmpStatusOk : SnmpStatusFailed;
}

int CSnmp4w::sendAsync(const char* host, int, SnmpCallback callback, void* userData, void* window,
                       unsigned long timeout)
{
    return sendAsync(host, callback, userData, window, timeout);
}

int CSnmp4w::getRequestID() const
{
    return m_request ? m_request->getRequestID() : 0;
}
