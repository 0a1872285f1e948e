// A synchronous walker over a request (CSnmpV1 or CSnmpV3) that the caller
// owns and keeps alive while the walker uses it.
//
// For a GETNEXT request each getNext is one step of the walk over the
// request's columns: the walker remembers where each column stands, so
// successive steps return successive rows. A step delivers one row, the
// smallest index among the columns' next objects, with one binding per column
// in the request's order: a column whose next object lies at a larger index,
// or past its column, gives a binding of type SnmpNoValue for the row (its
// identifier the column's at the row's index, its value empty) and is asked
// again from where it stood. So a table with a missing cell never shifts the
// rows after it. A column that has left its table (or reached the end of the
// agent's MIB) is not asked again; the walk ends (SnmpStatusEndOfWalk, also on
// every later step) once every column has. An agent whose next object for a
// column is not past the identifier asked fails the step (SnmpStatusFailed):
// it would walk for ever.
// Changing the request's kind or bindings (setType, clearVarBindList,
// addValue) or giving another request starts the walk again from the
// request's identifiers. A GET or SET request is sent as it is, exactly as
// CSnmp::send would send it.
#pragma once

#include "platform/snmp/CSnmp.h"

#include <memory>

struct SnmpWalkStep;

class CSnmpTable
{
public:
    explicit CSnmpTable(CSnmp* request = nullptr);
    virtual ~CSnmpTable();
    CSnmpTable(const CSnmpTable&) = delete;
    CSnmpTable& operator=(const CSnmpTable&) = delete;

    void setRequest(CSnmp* request);
    // One step; host and time-out as CSnmp::send. SnmpStatusOk with a new
    // response, SnmpStatusFailed, or SnmpStatusEndOfWalk; no response unless
    // the status is SnmpStatusOk.
    int getNext(const char* host, CSnmp*& response, unsigned long timeout);
    // The part of binding `index`'s identifier beyond the column that binding
    // was asked for, with a leading dot (".5", ".1.5"); the text is owned by
    // the response. -1 (and an empty text) when the binding is not below its
    // column.
    int getInstance(int index, CSnmp* response, char** suffix);

protected:
    // The request of the next step (false: no request, or nothing to send).
    bool prepareStep(SnmpWalkStep& step, int requestId);
    // Applies the walk's rules to the answer of one exchange of a step: the
    // step's final status, with the row in `response` when it is
    // SnmpStatusOk; or kStepAgain when an SNMPv1 agent's noSuchName named one
    // of several columns: that column is out of the walk (and of the step),
    // and the step is sent again as it now stands.
    static constexpr int kStepAgain = -100;
    int finishStep(SnmpWalkStep& step, int status, CSnmp& response);

private:

    struct State;
    std::unique_ptr<State> m;
};
