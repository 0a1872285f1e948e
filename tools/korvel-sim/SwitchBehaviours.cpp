// The one place where the simulated switch gets behaviour beyond storing
// values. Each behaviour binds code to an object prefix:
//
//   sim.OnGet(prefix, [](Simulator& sim, const Oid& oid) { ... });
//       runs before a GET or GETNEXT hands out an existing object below
//       `prefix`; it may update that object in sim.Store().objects.
//   sim.OnSet(prefix, [](Simulator& sim, const Oid& oid, const MibValue& value) { ... });
//       runs after a SET of an object below `prefix` was applied.
//
// Both may change the store, schedule later steps with sim.After(ms, ...)
// (a transfer moving through its states) and make the switch go quiet with
// sim.SilenceFor(ms) (a reboot). Identifiers of the maker's MIB are written
// with KorvelOid("10.76.19.1....").
#include "tools/korvel-sim/SwitchBehaviours.h"

#include "platform/snmp/KorvelMib.h"
#include "tools/korvel-sim/SimControlMib.h"
#include "tools/korvel-sim/Simulator.h"

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

Oid MakeOid(const std::string& text)
{
    Oid oid;
    ParseOid(text, oid);
    return oid;
}

// The number a control object holds.
int ControlNumber(Simulator& s, const char* control)
{
    return static_cast<int>(s.Store().objects[MakeOid(control)].number);
}

// The transfer branches: firmware (.3.9) and configuration (.3.10).
const std::string kFirmwareBranch = KorvelOid("10.76.19.1.3.9");
const std::string kConfigBranch = KorvelOid("10.76.19.1.3.10");

// One step of a transfer: the status it shows (or a silence, or a reboot)
// and for how long; a step without a time is the last.
struct TransferStep
{
    enum Kind
    {
        Status,
        Quiet,
        Reboot
    } kind = Status;
    int value = 0;
    int ms = -1;
};

std::vector<TransferStep> ParseSteps(const std::string& text)
{
    std::vector<TransferStep> steps;
    std::istringstream in(text);
    for (std::string token; std::getline(in, token, ',');) {
        if (token.empty())
            continue;
        TransferStep step;
        const std::size_t colon = token.find(':');
        const std::string head = token.substr(0, colon);
        if (colon != std::string::npos)
            step.ms = std::atoi(token.c_str() + colon + 1);
        if (head == "q")
            step.kind = TransferStep::Quiet;
        else if (head == "r")
            step.kind = TransferStep::Reboot;
        else
            step.value = std::atoi(head.c_str());
        steps.push_back(step);
    }
    return steps;
}

// The switch reboots: it answers nothing for the control's time, then comes
// back with sysUpTime counting from 0 and both transfers idle ("0").
void RebootSwitch(Simulator& s)
{
    const int ms = ControlNumber(s, kSimRebootMs);
    s.SilenceFor(ms);
    s.After(ms, [](Simulator& later) {
        later.Restart();
        later.Store().objects[MakeOid(kFirmwareBranch + ".6.0")] = MibValue::Integer(0);
        later.Store().objects[MakeOid(kConfigBranch + ".6.0")] = MibValue::Integer(0);
    });
}

// A transfer of one branch moving through its steps. Each new transfer (or a
// status set through the test control) makes the steps of the one before
// stale: they carry the generation they belong to.
struct TransferRun
{
    Oid status;
    int generation = 0;
};

void RunStep(Simulator& s, const std::shared_ptr<TransferRun>& run, int generation,
             const std::shared_ptr<const std::vector<TransferStep>>& steps, std::size_t index)
{
    if (run->generation != generation || index >= steps->size())
        return;
    const TransferStep& step = (*steps)[index];
    switch (step.kind) {
    case TransferStep::Status:
        s.Store().objects[run->status] = MibValue::Integer(step.value);
        break;
    case TransferStep::Quiet:
        s.SilenceFor(step.ms);
        break;
    case TransferStep::Reboot:
        RebootSwitch(s);
        return;
    }
    if (step.ms < 0)
        return;
    s.After(step.ms, [run, generation, steps, index](Simulator& later) {
        RunStep(later, run, generation, steps, index + 1);
    });
}

void AddTransfer(Simulator& sim, const std::string& branch, const char* statusControl)
{
    auto run = std::make_shared<TransferRun>();
    run->status = MakeOid(branch + ".6.0");
    // Writing 1 (upgrade) or 2 (backup) to the operation starts a transfer.
    sim.OnSet(branch + ".5.0", [run](Simulator& s, const Oid&, const MibValue& value) {
        if (value.number != 1 && value.number != 2)
            return;
        const int generation = ++run->generation;
        auto steps = std::make_shared<const std::vector<TransferStep>>(
            ParseSteps(s.Store().objects[MakeOid(kSimTransferSteps)].bytes));
        RunStep(s, run, generation, steps, 0);
    });
    sim.OnSet(statusControl, [run](Simulator& s, const Oid&, const MibValue& value) {
        ++run->generation;
        s.Store().objects[run->status] = MibValue::Integer(value.number);
    });
}

} // namespace

void AddSwitchBehaviours(Simulator& sim)
{
    // sysUpTime counts hundredths of a second since the switch started.
    sim.OnGet("1.3.6.1.2.1.1.3.0", [](Simulator& s, const Oid& oid) {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Simulator::Clock::now() - s.StartTime());
        MibValue ticks;
        ticks.type = MibTimeTicks;
        ticks.number = elapsed.count() / 10;
        s.Store().objects[oid] = ticks;
    });

    // The CPU utilisation of the older branch (over 1 s, 1 min, 5 min)
    // changes at every read.
    sim.OnGet(KorvelOid("10.94.89.89.1"), [](Simulator& s, const Oid& oid) {
        auto it = s.Store().objects.find(oid);
        if (it != s.Store().objects.end() && it->second.type == MibInteger)
            it->second.number = (it->second.number + 7) % 100;
    });

    // Saving the configuration and rebooting (the Tools menu). Writing 1 to
    // the save object starts a save: the object reads 1 while it runs, then
    // 2 again. Writing 1 to the reboot object reboots the switch: it answers
    // that request, then nothing while it restarts.
    sim.OnSet(KorvelOid("10.76.19.1.1.10.0"), [](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 1)
            return;
        s.After(ControlNumber(s, kSimSaveMs), [oid](Simulator& later) { later.Store().objects[oid] = MibValue::Integer(2); });
    });
    sim.OnSet(KorvelOid("10.76.19.1.1.9.0"), [](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 1)
            return;
        RebootSwitch(s);
        s.Store().objects[oid] = MibValue::Integer(2);
    });

    // Firmware and configuration transfers over TFTP: the server address,
    // its type and the file name (.1.0, .2.0, .4.0) are stored as written;
    // the operation (.5.0) starts a transfer whose status (.6.0) follows the
    // steps of the test control kSimTransferSteps.
    AddTransfer(sim, kFirmwareBranch, kSimFirmwareStatus);
    AddTransfer(sim, kConfigBranch, kSimConfigStatus);

    // Spanning tree on a port is one state that two objects show: the port
    // table's column (.6.2.1.4) and the bridge MIB's dot1dStpPortEnable.
    // Writing either changes the other, where the other exists.
    const std::string stpPortColumn = KorvelOid("10.76.19.1.6.2.1.4");
    const std::string stpPortEnable = "1.3.6.1.2.1.17.2.15.1.4";
    for (const auto& [from, to] : {std::pair{stpPortColumn, stpPortEnable}, std::pair{stpPortEnable, stpPortColumn}}) {
        Oid fromColumn;
        Oid toColumn;
        ParseOid(from, fromColumn);
        ParseOid(to, toColumn);
        sim.OnSet(from, [fromColumn, toColumn](Simulator& s, const Oid& oid, const MibValue& value) {
            Oid twin = toColumn;
            twin.insert(twin.end(), oid.begin() + static_cast<std::ptrdiff_t>(fromColumn.size()), oid.end());
            auto it = s.Store().objects.find(twin);
            if (it != s.Store().objects.end())
                it->second = value;
        });
    }

    // Surveillance component table (.26.2.1.1), indexed by the six octets of
    // its address: a row created through its row status (.5) holds its own
    // index in the address column (.1), as the switch fills it. An index that
    // is no address (an arc above 255) gets none.
    Oid rowStatus;
    ParseOid(KorvelOid("10.76.19.1.26.2.1.1.5"), rowStatus);
    sim.OnSet(KorvelOid("10.76.19.1.26.2.1.1.5"), [rowStatus](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 4 && value.number != 5)
            return;
        if (oid.size() != rowStatus.size() + 6)
            return;
        std::string octets;
        for (std::size_t i = rowStatus.size(); i < oid.size(); ++i) {
            if (oid[i] > 255)
                return;
            octets.push_back(static_cast<char>(oid[i]));
        }
        Oid address = oid;
        address[rowStatus.size() - 1] = 1;
        MibValue bytes;
        bytes.type = MibOctetString;
        bytes.bytes = octets;
        s.Store().objects[address] = bytes;
    });
}
