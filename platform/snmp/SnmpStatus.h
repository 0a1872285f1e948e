// Results of sends, walk steps and asynchronous call-backs.
#pragma once

enum SnmpStatus : int
{
    SnmpStatusOk = 0,          // a reply arrived (it may still carry an SNMP error status)
    SnmpStatusFailed = -1,     // the request could not be sent, failed, or timed out; also a walk step
                               // whose identifiers did not increase
    SnmpStatusEndOfWalk = -2,  // every column of the walk has passed the end of its table
};
