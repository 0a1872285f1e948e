// The SNMP agent of the simulated switch on net-snmp's agent library: it
// listens on one loopback UDP port, answers SNMPv1, v2c and v3 requests from
// the Simulator, and runs the loop that also carries the test controls
// (reply delay, silence) and the simulator's timers.
#pragma once

#include "tools/korvel-sim/SimOptions.h"

#include <csignal>
#include <memory>
#include <string>

class Simulator;

class SnmpAgent
{
public:
    explicit SnmpAgent(Simulator& sim);
    ~SnmpAgent();
    SnmpAgent(const SnmpAgent&) = delete;
    SnmpAgent& operator=(const SnmpAgent&) = delete;

    // Opens the port; `listening` is the address the agent answers on
    // ("127.0.0.1:PORT", or "udp6:[::1]:PORT").
    bool Start(const SimOptions& options, std::string& listening, std::string& error);
    // Serves requests until `stop` becomes non-zero.
    void Run(const volatile std::sig_atomic_t& stop);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
