// korvel-sim: a simulated Korvel switch, a real SNMP agent on a loopback
// address that serves the objects of its data files.
#include "tools/korvel-sim/MibStore.h"
#include "tools/korvel-sim/SimOptions.h"
#include "tools/korvel-sim/Simulator.h"
#include "tools/korvel-sim/SnmpAgent.h"
#include "tools/korvel-sim/SwitchBehaviours.h"

#include <csignal>
#include <cstdio>

namespace {
volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int)
{
    g_stop = 1;
}
} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!SimOptions::Parse(argc, argv, options, error)) {
        std::fprintf(stderr, "korvel-sim: %s\n%s", error.c_str(), SimOptions::Usage());
        return 2;
    }
    MibStore store;
    for (const std::string& file : options.dataFiles)
        if (!store.Load(file, error)) {
            std::fprintf(stderr, "korvel-sim: %s\n", error.c_str());
            return 2;
        }

    Simulator sim(std::move(store));
    AddSwitchBehaviours(sim);
    if (!options.logFile.empty() && !sim.OpenLog(options.logFile)) {
        std::fprintf(stderr, "korvel-sim: cannot write %s\n", options.logFile.c_str());
        return 2;
    }

    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SnmpAgent agent(sim);
    std::string listening;
    if (!agent.Start(options, listening, error)) {
        std::fprintf(stderr, "korvel-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("korvel-sim listening on %s\n", listening.c_str());
    std::fflush(stdout);
    agent.Run(g_stop);
    return 0;
}
