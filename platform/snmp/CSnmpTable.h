// A synchronous walker over a request (CSnmpV1 or CSnmpV3) that the caller
// owns and keeps alive while the walker uses it.
//
// For a GETNEXT request each getNext is one step of the walk over the
// request's columns: the walker remembers where each column stands, so
// successive steps return successive rows. The walk ends (SnmpStatusEndOfWalk,
// also on every later step) once the first column has left its subtree, the
// agent reports the end of its MIB, or a step's identifiers do not increase.
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
    // Applies the walk's rules to the answer of a step and returns the
    // step's final status.
    int finishStep(const SnmpWalkStep& step, int status, CSnmp& response);

private:
    struct State;
    std::unique_ptr<State> m;
};
