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
