// The simulator's own test controls, set over SNMP with the write community.
// They live under the experimental arc, outside the switch maker's MIB, so
// no walk of the switch's objects ever meets them.
#pragma once

// Root of the control subtree.
inline constexpr const char* kSimControlRoot = "1.3.6.1.3.4471";
// INTEGER, milliseconds: every later reply is sent that much later (0: none).
inline constexpr const char* kSimReplyDelay = "1.3.6.1.3.4471.1.0";
// INTEGER, milliseconds: after answering this SET the switch answers nothing
// for that long (requests that arrive meanwhile are dropped).
inline constexpr const char* kSimSilence = "1.3.6.1.3.4471.2.0";
// OBJECT IDENTIFIER: the next SET that carries this object is refused whole
// with the error status of kSimRefuseSetStatus (0.0: nothing is refused).
inline constexpr const char* kSimRefuseSetOid = "1.3.6.1.3.4471.3.0";
// INTEGER: the error status of that refusal (initially 5, genErr).
inline constexpr const char* kSimRefuseSetStatus = "1.3.6.1.3.4471.4.0";
// OCTET STRING: the steps of the next firmware or configuration transfer, as
// "STEP,STEP,...". A step "S:MS" makes the transfer status read S for MS
// milliseconds; "S" alone, as the last step, keeps S; "q:MS" answers nothing
// for MS milliseconds (the status stays); "r" reboots the switch (see
// kSimRebootMs). Initially "4:2000,3:6000,1".
inline constexpr const char* kSimTransferSteps = "1.3.6.1.3.4471.5.0";
// INTEGER, milliseconds: how long a reboot keeps the switch silent (8000).
inline constexpr const char* kSimRebootMs = "1.3.6.1.3.4471.6.0";
// INTEGER, milliseconds: how long a configuration save reads 1 (1500).
inline constexpr const char* kSimSaveMs = "1.3.6.1.3.4471.7.0";
// INTEGER: sets the firmware (.8.0) or the configuration (.9.0) transfer
// status, which the switch's managers can only read; a transfer in progress
// on that branch stops moving.
inline constexpr const char* kSimFirmwareStatus = "1.3.6.1.3.4471.8.0";
inline constexpr const char* kSimConfigStatus = "1.3.6.1.3.4471.9.0";
// INTEGER: what createRequest (2) on an existing row of an RMON table does:
// 0 refuses it (initially), 1 takes the row back to underCreation (3).
inline constexpr const char* kSimEntryRecreate = "1.3.6.1.3.4471.10.0";
// INTEGER: how much every read of an etherStats counter (1.3.6.1.2.1.16.1.1.1,
// columns 3 to 19) adds to it first, as a Counter32 wraps (0, initially: the
// counters stand still).
inline constexpr const char* kSimCounterStep = "1.3.6.1.3.4471.11.0";
// OBJECT IDENTIFIER: every SNMPv1 or v2c GET that carries this object is
// answered with success and no bindings at all (0.0, initially: none is).
inline constexpr const char* kSimEmptyReplyOid = "1.3.6.1.3.4471.12.0";
