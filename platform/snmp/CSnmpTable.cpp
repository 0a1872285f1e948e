#include "platform/snmp/CSnmpTable.h"

#include "platform/snmp/SnmpWalkStep.h"

#include <mutex>
#include <vector>

namespace {
constexpr int kErrNoSuchName = 2;

// Where a column's next object stands against its table.
enum class Cell { InTable, Left, NotIncreasing };

Cell Classify(const SnmpBinding& b, const SnmpOid& asked, const SnmpOid& column)
{
    if (b.isException()) // endOfMibView: the column keeps its place
        return Cell::Left;
    if (!(asked < b.name))
        return Cell::NotIncreasing;
    if (b.name.size() <= column.size() || !SnmpOidStartsWith(b.name, column))
        return Cell::Left;
    return Cell::InTable;
}

SnmpOid Suffix(const SnmpOid& name, const SnmpOid& column)
{
    return SnmpOid(name.begin() + static_cast<std::ptrdiff_t>(column.size()), name.end());
}

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
    std::vector<bool> left; // the column has left its table
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
        left.assign(columns.size(), false);
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
    step.columns.clear();
    step.sent.clear();
    if (step.isWalk) {
        step.columns = m->columns;
        step.message.bindings.clear();
        for (size_t i = 0; i < m->columns.size(); ++i) {
            if (m->left[i])
                continue;
            SnmpBinding b;
            b.name = m->positions[i];
            step.message.bindings.push_back(std::move(b));
            step.sent.push_back(i);
        }
    }
    return true;
}

int CSnmpTable::finishStep(SnmpWalkStep& step, int status, CSnmp& response)
{
    if (step.ended)
        return SnmpStatusEndOfWalk;
    if (!step.isWalk || status != SnmpStatusOk)
        return status;
    std::lock_guard guard(m->mutex);
    const bool current = step.epoch == m->epoch; // else the walk was started again meanwhile
    SnmpMessage& reply = response.message();
    const size_t sentCount = step.sent.size();
    if (reply.errorStatus == kErrNoSuchName) { // SNMPv1: past the end of the agent's MIB
        const int at = reply.errorIndex;
        if (sentCount > 1 && at >= 1 && static_cast<size_t>(at) <= sentCount) {
            const auto j = static_cast<std::ptrdiff_t>(at - 1);
            if (current)
                m->left[step.sent[static_cast<size_t>(j)]] = true;
            step.message.bindings.erase(step.message.bindings.begin() + j);
            step.sent.erase(step.sent.begin() + j);
            return kStepAgain;
        }
        if (current)
            m->ended = true;
        return SnmpStatusEndOfWalk;
    }
    if (reply.errorStatus != 0 || reply.bindings.size() != sentCount)
        return SnmpStatusFailed;

    std::vector<Cell> cells(sentCount);
    const SnmpOid* row = nullptr; // the smallest index among the columns in their tables
    SnmpOid rowIndex;
    for (size_t j = 0; j < sentCount; ++j) {
        const SnmpOid& column = step.columns[step.sent[j]];
        cells[j] = Classify(reply.bindings[j], step.message.bindings[j].name, column);
        if (cells[j] == Cell::NotIncreasing)
            return SnmpStatusFailed;
        if (cells[j] != Cell::InTable)
            continue;
        SnmpOid suffix = Suffix(reply.bindings[j].name, column);
        if (!row || suffix < rowIndex) {
            rowIndex = std::move(suffix);
            row = &rowIndex;
        }
    }
    if (!row) {
        if (current)
            m->ended = true;
        return SnmpStatusEndOfWalk;
    }

    // The row: one binding per column, the ones at another index without value.
    std::vector<SnmpBinding> cellsOut(step.columns.size());
    for (size_t i = 0; i < step.columns.size(); ++i) {
        SnmpBinding& b = cellsOut[i];
        b.name = step.columns[i];
        b.name.insert(b.name.end(), rowIndex.begin(), rowIndex.end());
        b.type = SnmpNoValue;
        b.nameText = SnmpOidText(b.name);
    }
    for (size_t j = 0; j < sentCount; ++j) {
        const size_t i = step.sent[j];
        SnmpBinding& b = reply.bindings[j];
        if (cells[j] == Cell::Left) {
            if (current)
                m->left[i] = true;
        } else if (b.name == cellsOut[i].name) {
            if (current)
                m->positions[i] = b.name;
            cellsOut[i] = std::move(b);
        }
    }
    reply.bindings = std::move(cellsOut);
    return SnmpStatusOk;
}

int CSnmpTable::getNext(const char* host, CSnmp*& response, unsigned long timeout)
{
    response = nullptr;
    SnmpWalkStep step;
    if (!prepareStep(step, 0))
        return SnmpStatusFailed;
    auto reply = std::make_unique<CSnmp>();
    int status = kStepAgain;
    while (status == kStepAgain) {
        reply->message() = SnmpMessage();
        status = step.ended ? SnmpStatusEndOfWalk : SnmpExchange(step.message, host, timeout, reply->message());
        status = finishStep(step, status, *reply);
    }
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
