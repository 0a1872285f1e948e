#include "platform/snmp/CSnmpTable4w.h"

#include "platform/snmp/SnmpAsyncRunner.h"
#include "platform/snmp/SnmpWalkStep.h"

#include <string>

CSnmpTable4w::CSnmpTable4w(CSnmp* request) : CSnmpTable(request), m_runner(std::make_unique<SnmpAsyncRunner>()) {}

CSnmpTable4w::~CSnmpTable4w()
{
    m_runner->Stop();
}

int CSnmpTable4w::getNextAsync(const char* host, SnmpCallback callback, void* userData, void*, unsigned long timeout)
{
    if (!callback || !host)
        return SnmpStatusFailed;
    const int id = SnmpNextRequestId();
    auto step = std::make_shared<SnmpWalkStep>();
    if (!prepareStep(*step, id))
        return SnmpStatusFailed;
    bool started = m_runner->Start([this, step, peer = std::string(host), callback, userData, timeout,
                                    id](SnmpAsyncRunner::Gate& gate) {
        auto reply = std::make_unique<CSnmp>();
        int status = kStepAgain;
        for (;;) {
            reply->message() = SnmpMessage();
            status = step->ended ? SnmpStatusEndOfWalk : SnmpExchange(step->message, peer.c_str(), timeout, reply->message());
            if (!gate.Enter())
                return;
            status = finishStep(*step, status, *reply);
            if (status != kStepAgain)
                break;
            gate.Leave();
        }
        reply->message().requestId = id;
        callback(status == SnmpStatusOk ? reply.release() : nullptr, id, userData, status);
        gate.Leave();
    });
    return started ? SnmpStatusOk : SnmpStatusFailed;
}
