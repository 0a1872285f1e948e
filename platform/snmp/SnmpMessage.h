// What a CSnmp holds: its kind, bindings, security parameters and, for a
// response, the agent's error status. Shared by the classes of the SNMP
// library; no SNMP library type appears here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using SnmpOid = std::vector<std::uint32_t>;

// The open connection of a request (SnmpSession.cpp): kept from one exchange
// to the next while the peer and the security settings stay the same.
struct SnmpChannel;

bool SnmpParseOid(const char* text, SnmpOid& out);
std::string SnmpOidText(const SnmpOid& oid);
bool SnmpOidStartsWith(const SnmpOid& oid, const SnmpOid& prefix);

struct SnmpBinding
{
    SnmpOid name;
    int type = 5;            // BER tag of the value (5: NULL)
    std::string bytes;       // octet string, IP address, opaque
    std::int64_t number = 0; // INTEGER and the unsigned 32-bit types
    std::uint64_t big = 0;   // Counter64
    SnmpOid oidValue;        // OBJECT IDENTIFIER
    // Texts handed out by the response (filled when the response is made).
    std::string nameText;
    std::string valueText;
    std::string suffixText; // index suffix given out by CSnmpTable::getInstance
    bool isException() const { return type == 0x80 || type == 0x81 || type == 0x82; }
    bool isNoValue() const { return type == 0x100; } // SnmpNoValue
};

struct SnmpMessage
{
    int pduType = 0;
    std::vector<SnmpBinding> bindings;
    bool invalidBinding = false; // an addValue failed: the request is not sent until cleared
    unsigned generation = 0;     // changes with the kind and the bindings
    int requestId = 0;
    int errorStatus = 0;
    int errorIndex = 0;

    // Security: version 0 (none, a response), 1 (community) or 3 (USM).
    int version = 0;
    std::string community;
    int msgMaxSize = 0;
    int securityModel = 3;
    std::string userName;
    int msgFlags = 0;
    int authAlgorithm = -1;
    std::string authPassword;
    int privAlgorithm = -1;
    std::string privPassword;

    // The request's connection. Copies of the message made for one exchange
    // (a walk step, an asynchronous send) share it; a copied CSnmp gets a new
    // one. None for a response.
    std::shared_ptr<SnmpChannel> channel;
};

// A new, unopened connection for a request.
std::shared_ptr<SnmpChannel> SnmpNewChannel();

// Sends `request` to `host` (a net-snmp peer name) and waits for the reply,
// all tries within `timeoutMs`. 0 with the response, or -1. Safe to call from
// several threads at once: an exchange uses the request's connection when no
// other exchange is using it, else a connection of its own for this once.
int SnmpExchange(const SnmpMessage& request, const char* host, unsigned long timeoutMs, SnmpMessage& response);

// The library's default time-out, used for a time-out of 0.
inline constexpr unsigned long kSnmpDefaultTimeoutMs = 3000;

// Request ids of asynchronous sends, unique in the process, from 1 up.
int SnmpNextRequestId();
