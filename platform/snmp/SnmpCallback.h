// The call-back of an asynchronous request (CSnmp4w::sendAsync,
// CSnmpTable4w::getNextAsync): the response (owned by the call-back from
// then on, null unless the status is 0), the request id, the caller's data
// and the SnmpStatus. It runs on a thread of the SNMP library; its result
// is ignored.
#pragma once

class CSnmp;

using SnmpCallback = int (*)(CSnmp* response, int requestId, void* userData, int status);
