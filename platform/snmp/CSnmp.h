// One SNMP message: a request (through CSnmpV1 or CSnmpV3, which add the
// security) or a response that a send or a walk step hands out.
//
// Responses belong to their receiver, who deletes them. Texts handed out by
// getOid and getValue are owned by the message and stay valid until it is
// changed or deleted; the block of getValueBytes belongs to the caller, who
// releases it with free().
//
// A CSnmp is used by one thread at a time; different objects may be used on
// different threads at once. A request keeps its net-snmp session (socket,
// SNMPv3 engine) open from one send or walk step to the next while its peer,
// version and security settings stay the same; it opens it again when they
// change or after a failed exchange, and closes it when it is destroyed. A
// copy of a request has a session of its own.
#pragma once

#include "platform/snmp/SnmpPduType.h"
#include "platform/snmp/SnmpStatus.h"
#include "platform/snmp/SnmpValueType.h"

#include <memory>

struct SnmpMessage;

class CSnmp
{
public:
    explicit CSnmp(int pduType = SnmpPduGet);
    CSnmp(const CSnmp& other);
    CSnmp& operator=(const CSnmp& other);
    virtual ~CSnmp();

    // The kind of the next request (SnmpPduType).
    void setType(int pduType);
    int getType() const;
    // Drops every binding. Bindings otherwise stay after a send, so sending
    // again sends the same bindings.
    void clearVarBindList();

    // Adds a binding (SnmpValueType). Integer, unsigned, object identifier and
    // address values are NUL-terminated texts read whole; an octet string
    // given without a length is its NUL-terminated text. 0 on success, -1 for
    // an identifier or value that does not fit the type; after a -1 the
    // request is not sent until clearVarBindList, so that it never goes out
    // with a binding missing.
    int addValue(const char* oid, int type, const char* value = nullptr);
    int addValue(const char* oid, int type, const void* data, int length);

    int getVarBindCount() const;
    // The full dotted identifier of binding `index` ("1.3.6.1.2.1.1.5.0").
    int getOid(int index, char** oid);
    // The value of binding `index` as text: integers, counters, gauges, time
    // ticks, unsigned and Counter64 values in decimal, IP addresses and object
    // identifiers dotted, octet strings as their bytes. noSuchObject,
    // noSuchInstance, endOfMibView and NULL give an empty text. `type` is the
    // value's BER tag (2 INTEGER, 4 OCTET STRING, 6 OBJECT IDENTIFIER, 64
    // IpAddress, 65 Counter32, 66 Gauge32, 67 TimeTicks, 70 Counter64, 5 NULL,
    // 0x80-0x82 the exceptions), or SnmpNoValue for a walk row's cell that the
    // table does not have (an empty text). 0, or -1 for an index out of range.
    // The text ends at the value's first NUL byte: an octet string that may
    // hold NUL bytes (a MAC address, a port bitmap, a DateAndTime) is read
    // whole with getValueBytes (CModuleBase::ValueText), never with getValue.
    int getValue(int index, int* type, char** value);
    // The raw value of binding `index`: the octets of an octet string or
    // opaque value, the four bytes of an IP address, the text of getValue for
    // other types; no bytes (null, length 0) for NULL and the exceptions.
    // The block is the caller's (free()). 0, or -1 for an index out of range.
    int getValueBytes(int index, int* type, void** data, int* length);
    // The agent's error status and index (0 when it accepted the request).
    int getError(int* errorStatus, int* errorIndex);
    // The id of the last asynchronous send or walk step made with this
    // request, known as soon as that call returns.
    int getRequestID() const;

    // Sends the request and waits for the reply. `host` is a net-snmp peer
    // name ("127.0.0.1", "127.0.0.1:16161", "udp6:[::1]:16161"); all tries end
    // within `timeout` ms (0: 3000 ms). SnmpStatusOk with a new response, or
    // SnmpStatusFailed (time-out, authentication failure, unusable request or
    // security settings) with none.
    int send(const char* host, CSnmp*& response, unsigned long timeout);

    // The message behind this object, for the classes of the SNMP library.
    SnmpMessage& message() { return *m; }
    const SnmpMessage& message() const { return *m; }

private:
    std::unique_ptr<SnmpMessage> m;
};
