#include "platform/snmp/CSnmpTable.h"

#include "platform/snmp/SnmpWalkStep.h"

#include <mutex>
#include <vector>

namespace {
constexpr int kErrNoSuchName = 2;
constexpr int kEndOfMibView = 0x82;
} // namespace

struct CSnmpTable::State
{
    std::mutex mutex;
    CSnmp* request = nullptr;
    const CSnmp* walkedRequest = nullptr;
    unsigned walkedGeneration = 0;
    unsigned epoch = 0;
    std::vector<SnmpOid> columns;
    std::vector<SnmpOid> positions;
    bool ended = false;

    // Starts the walk again when the request changed since the last step.
    void Follow()
    {
        const SnmpMessage& r = request->message();
        if (request == walkedRequest && r.generation == walkedGeneration)
            return;
        walkedRequest = request;
        walkedGeneration = r.generation;
        ++epoch;
        columns.clear();
        for (const SnmpBinding& b : r.bindings)
            columns.push_back(b.name);
        positions = columns;
        ended = false;
    }
};

CSnmpTable::CSnmpTable(CSnmp* request) : m(std::make_unique<State>())
{
    m->request = request;
}

CSnmpTable::~CSnmpTable() = default;

void CSnmpTable::setRequest(CSnmp* request)
{
    std::lock_guard guard(m->mutex);
    m->request = request;
}

bool CSnmpTable::prepareStep(SnmpWalkStep& step, int requestId)
{
    std::lock_guard guard(m->mutex);
    if (!m->request || m->request->message().bindings.empty())
        return false;
    m->Follow();
    SnmpMessage& r = m->request->message();
    if (requestId)
        r.requestId = requestId;
    step.message = r;
    step.epoch = m->epoch;
    step.isWalk = r.pduType == SnmpPduGetNext;
    step.ended = step.isWalk && m->ended;
    if (step.isWalk)
        for (size_t i = 0; i < step.message.bindings.size(); ++i) {
            SnmpBinding& b = step.message.bindings[i];
            b = SnmpBinding();
            b.name = m->positions[i];
        }
    return true;
}

int CSnmpTable::finishStep(const SnmpWalkStep& step, int status, CSnmp& response)
{
    if (step.ended)
        return SnmpStatusEndOfWalk;
    if (!step.isWalk || status != SnmpStatusOk)
        return status;
    std::lock_guard guard(m->mutex);
    const SnmpMessage& reply = response.message();
    if (reply.errorStatus == kErrNoSuchName) { // SNMPv1: past the end of the agent's MIB
        if (step.epoch == m->epoch)
            m->ended = true;
        return SnmpStatusEndOfWalk;
    }
    if (reply.errorStatus != 0 || reply.bindings.size() != step.message.bindings.size())
        return SnmpStatusFailed;

    bool end = reply.bindings[0].type == kEndOfMibView || m->columns.empty() ||
               !SnmpOidStartsWith(reply.bindings[0].name, step.epoch == m->epoch ? m->columns[0]
                                                                                  : step.message.bindings[0].name);
    for (size_t i = 0; i < reply.bindings.size() && !end; ++i) {
        const SnmpBinding& b = reply.bindings[i];
        // A column at the end of the MIB keeps its place; any other
        // identifier must increase, or a broken agent would walk forever.
        if (b.type != kEndOfMibView && !(step.message.bindings[i].name < b.name))
            end = true;
    }
    if (step.epoch != m->epoch) // the walk was started again meanwhile
        return end ? SnmpStatusEndOfWalk : SnmpStatusOk;
    if (end) {
        m->ended = true;
        return SnmpStatusEndOfWalk;
    }
    for (size_t i = 0; i < reply.bindings.size(); ++i)
        if (reply.bindings[i].type != kEndOfMibView)
            m->positions[i] = reply.bindings[i].name;
    return SnmpStatusOk;
}

int CSnmpTable::getNext(const char* host, CSnmp*& response, unsigned long timeout)
{
    response = nullptr;
    SnmpWalkStep step;
    if (!prepareStep(step, 0))
        return SnmpStatusFailed;
    auto reply = std::make_unique<CSnmp>();
    int status = step.ended ? SnmpStatusEndOfWalk : SnmpExchange(step.message, host, timeout, reply->message());
    status = finishStep(step, status, *reply);
    if (status == SnmpStatusOk)
        response = reply.release();
    return status;
}

int CSnmpTable::getInstance(int index, CSnmp* response, char** suffix)
{
    static char empty[] = "";
    if (suffix)
        *suffix = empty;
    if (!response || index < 0 || index >= response->getVarBindCount())
        return -1;
    SnmpOid column;
    {
        std::lock_guard guard(m->mutex);
        if (m->walkedRequest && static_cast<size_t>(index) < m->columns.size())
            column = m->columns[static_cast<size_t>(index)];
        else if (m->request && static_cast<size_t>(index) < m->request->message().bindings.size())
            column = m->request->message().bindings[static_cast<size_t>(index)].name;
        else
            return -1;
    }
    SnmpBinding& b = response->message().bindings[static_cast<size_t>(index)];
    if (!SnmpOidStartsWith(b.name, column))
        return -1;
    b.suffixText.clear();
    for (size_t i = column.size(); i < b.name.size(); ++i)
        b.suffixText += "." + std::to_string(b.name[i]);
    if (suffix)
        *suffix = b.suffixText.data();
    return 0;
}
