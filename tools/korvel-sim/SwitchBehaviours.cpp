// The one place where the simulated switch gets behaviour beyond storing
// values. Each behaviour binds code to an object prefix:
//
//   sim.OnGet(prefix, [](Simulator& sim, const Oid& oid) { ... });
//       runs before a GET or GETNEXT hands out an existing object below
//       `prefix`; it may update that object in sim.Store().objects.
//   sim.OnSet(prefix, [](Simulator& sim, const Oid& oid, const MibValue& value) { ... });
//       runs after a SET of an object below `prefix` was applied.
//   sim.OnCheck(prefix, [](Simulator& sim, const Oid& oid, const MibValue& value) { return 0; });
//       looks at a SET's binding below `prefix` before anything is written;
//       an error status it returns refuses the whole request.
//
// OnGet and OnSet hooks may change the store, schedule later steps with sim.After(ms, ...)
// (a transfer moving through its states) and make the switch go quiet with
// sim.SilenceFor(ms) (a reboot). Identifiers of the maker's MIB are written
// with KorvelOid("10.76.19.1....").
#include "tools/korvel-sim/SwitchBehaviours.h"

#include "platform/snmp/KorvelMib.h"
#include "tools/korvel-sim/SimControlMib.h"
#include "tools/korvel-sim/Simulator.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
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

// The agent's tables (.25): their row status columns and how many rows each
// holds at most. The trap host table (.6.2.1) is indexed by the address
// length, the address octets and the address type.
const std::string kTrapHostEntry = KorvelOid("10.76.19.1.25.6.2.1");
struct AgentTable
{
    const char* statusColumn;
    std::size_t maxRows;
};
const AgentTable kAgentTables[] = {
    {"10.76.19.1.25.2.1.1.8", 50}, // users
    {"10.76.19.1.25.3.1.1.7", 50}, // groups
    {"10.76.19.1.25.4.1.1.5", 50}, // views
    {"10.76.19.1.25.5.1.1.3", 10}, // communities
    {"10.76.19.1.25.6.2.1.6", 10}, // trap hosts
};

// The rows of a table: one object each in its row status column.
std::size_t TableRows(Simulator& s, const Oid& statusColumn)
{
    std::size_t rows = 0;
    for (auto it = s.Store().objects.lower_bound(statusColumn);
         it != s.Store().objects.end() && OidStartsWith(it->first, statusColumn); ++it)
        ++rows;
    return rows;
}

void AddSnmpAgent(Simulator& sim)
{
    // The engine ID holds 5 to 32 octets; the switch refuses any other length.
    sim.OnCheck(KorvelOid("10.76.19.1.25.7.0"), [](Simulator&, const Oid&, const MibValue& value) {
        return value.bytes.size() < 5 || value.bytes.size() > 32 ? SimWrongLength : SimNoError;
    });

    // A new row beyond a table's limit is refused.
    for (const AgentTable& table : kAgentTables) {
        const Oid statusColumn = MakeOid(KorvelOid(table.statusColumn));
        const std::size_t maxRows = table.maxRows;
        sim.OnCheck(KorvelOid(table.statusColumn),
                    [statusColumn, maxRows](Simulator& s, const Oid& oid, const MibValue& value) {
                        if ((value.number != 4 && value.number != 5) || s.Store().objects.count(oid) != 0)
                            return static_cast<int>(SimNoError);
                        return TableRows(s, statusColumn) >= maxRows ? static_cast<int>(SimResourceUnavailable)
                                                                       : static_cast<int>(SimNoError);
                    });
    }

    // A row of a table indexed by a name (its length and octets) and some
    // codes, created through its row status, holds its name in .1 and the
    // codes in .2 onwards: a community (.5.1.1) its name; a user (.2.1.1) its
    // name and version; a group (.3.1.1) its name, model and level.
    // A view (.4.1.1, index: name, then the subtree's length and arcs) its name.
    for (const auto& [status, codes] : {std::pair{"10.76.19.1.25.5.1.1.3", 0}, std::pair{"10.76.19.1.25.2.1.1.8", 1},
                                        std::pair{"10.76.19.1.25.3.1.1.7", 2}, std::pair{"10.76.19.1.25.4.1.1.5", -1}}) {
        const Oid column = MakeOid(KorvelOid(status));
        const bool anyRest = codes < 0;
        const std::size_t codeCount = anyRest ? 0 : static_cast<std::size_t>(codes);
        sim.OnSet(KorvelOid(status), [column, codeCount, anyRest](Simulator& s, const Oid& oid, const MibValue& value) {
            if (value.number != 4 && value.number != 5)
                return;
            const std::size_t first = column.size();
            if (oid.size() < first + 1 || oid.size() < first + 1 + oid[first] + codeCount ||
                (!anyRest && oid.size() != first + 1 + oid[first] + codeCount))
                return;
            std::string name;
            for (std::size_t i = first + 1; i < first + 1 + oid[first]; ++i) {
                if (oid[i] > 255)
                    return;
                name.push_back(static_cast<char>(oid[i]));
            }
            Oid cell = oid;
            cell[first - 1] = 1;
            s.Store().objects[cell] = MibValue::Text(name);
            for (std::size_t c = 0; c < codeCount; ++c) {
                cell[first - 1] = static_cast<unsigned>(2 + c);
                s.Store().objects[cell] = MibValue::Integer(static_cast<std::int64_t>(oid[oid.size() - codeCount + c]));
            }
        });
    }

    // A trap host row created through its row status (.6) holds the address
    // (.1) and the type (.2) of its index, as the switch fills them.
    const Oid statusColumn = MakeOid(kTrapHostEntry + ".6");
    sim.OnSet(kTrapHostEntry + ".6", [statusColumn](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 4 && value.number != 5)
            return;
        const std::size_t first = statusColumn.size();
        if (oid.size() < first + 2 || oid.size() != first + 2 + oid[first])
            return;
        std::string octets;
        for (std::size_t i = first + 1; i + 1 < oid.size(); ++i) {
            if (oid[i] > 255)
                return;
            octets.push_back(static_cast<char>(oid[i]));
        }
        Oid address = oid;
        address[first - 1] = 1;
        MibValue bytes;
        bytes.type = MibOctetString;
        bytes.bytes = octets;
        s.Store().objects[address] = bytes;
        Oid type = oid;
        type[first - 1] = 2;
        s.Store().objects[type] = MibValue::Integer(static_cast<std::int64_t>(oid.back()));
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

    // The switch's own SNMP agent: its engine ID and trap hosts.
    AddSnmpAgent(sim);
}
