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

#include <algorithm>
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


// The RMON tables of the maker's MIB (.47.2 to .47.5) keep the EntryStatus
// rules of their standard: a row's status column reads 1 valid, 3
// underCreation; a manager writes 2 createRequest on a missing row to create
// it (its columns take their defaults and may then be written one by one), 1
// to make it valid, 4 invalid to remove it in any state. Each valid row has a
// row of the same index in its standard table (etherStats, historyControl,
// event), with the counters and times the switch keeps; it goes when the row
// stops being valid.
struct RmonColumn
{
    int column;
    MibValue initial; // the type a SET must carry, and a new row's value
};

struct RmonTable
{
    enum Kind
    {
        EtherStats,
        History,
        Alarm,
        Event,
        StandardEtherStats
    } kind;
    std::string entry;    // the table entry
    int statusColumn;
    std::vector<RmonColumn> columns; // writable columns besides the status
    std::string standard; // the standard table entry ("" for none)
    int presenceColumn = 0; // the column whose instance makes a row present (0: the status column)
};

MibValue OidValue(const std::string& text)
{
    MibValue value;
    value.type = MibObjectId;
    ParseOid(text, value.oid);
    return value;
}

MibValue Typed(int type, std::int64_t number)
{
    MibValue value;
    value.type = type;
    value.number = number;
    return value;
}

const std::vector<RmonTable>& RmonTables()
{
    static const std::vector<RmonTable> tables = {
        {RmonTable::EtherStats, KorvelOid("10.76.19.1.47.2.1.1"), 4,
         {{2, OidValue("0.0")}, {3, MibValue::Text("")}},
         "1.3.6.1.2.1.16.1.1.1"},
        {RmonTable::History, KorvelOid("10.76.19.1.47.3.1.1"), 6,
         {{2, OidValue("0.0")}, {3, MibValue::Integer(50)}, {4, MibValue::Integer(1800)}, {5, MibValue::Text("")}},
         "1.3.6.1.2.1.16.2.1.1"},
        {RmonTable::Alarm, KorvelOid("10.76.19.1.47.4.1.1"), 10,
         {{2, MibValue::Integer(1800)}, {3, OidValue("0.0")}, {4, MibValue::Integer(2)}, {5, MibValue::Integer(0)},
          {6, MibValue::Integer(0)}, {7, MibValue::Integer(0)}, {8, MibValue::Integer(0)}, {9, MibValue::Text("")}},
         ""},
        {RmonTable::Event, KorvelOid("10.76.19.1.47.5.1.1"), 6,
         {{2, MibValue::Text("")}, {3, MibValue::Integer(1)}, {4, MibValue::Text("")}, {5, MibValue::Text("")}},
         "1.3.6.1.2.1.16.9.1.1"},
        // The standard etherStatsTable itself: a manager creates a row with
        // createRequest and, in the same request, its data source and owner.
        // A row is present while its index column is (rows that the maker's
        // table keeps, or that a data file holds, have no status).
        {RmonTable::StandardEtherStats, "1.3.6.1.2.1.16.1.1.1", 21,
         {{2, OidValue("0.0")}, {20, MibValue::Text("")}}, "", 1},
    };
    return tables;
}

// EntryStatus values.
constexpr int kValid = 1;
constexpr int kCreateRequest = 2;
constexpr int kUnderCreation = 3;
constexpr int kInvalid = 4;

Oid Instance(const Oid& entry, int column, const Oid& index)
{
    Oid oid = entry;
    oid.push_back(static_cast<std::uint32_t>(column));
    oid.insert(oid.end(), index.begin(), index.end());
    return oid;
}

// Decides a SET of one column of an RMON table (see above).
int RmonSetRule(const RmonTable& table, const Oid& entry, const Simulator& s, const Oid& oid,
                const MibValue& value, int version, SimSetPlan& plan)
{
    const bool v1 = version == Simulator::V1;
    if (oid.size() <= entry.size() + 1)
        return v1 ? SimNoSuchName : SimNoCreation;
    const int column = static_cast<int>(oid[entry.size()]);
    const Oid index(oid.begin() + static_cast<std::ptrdiff_t>(entry.size()) + 1, oid.end());
    const auto& objects = s.Store().objects;
    const int presence = table.presenceColumn ? table.presenceColumn : table.statusColumn;
    const bool exists = objects.count(Instance(entry, presence, index)) != 0;

    if (column == table.statusColumn) {
        if (value.type != MibInteger)
            return SimWrongType;
        switch (value.number) {
        case kValid:
            if (!exists)
                return v1 ? SimBadValue : SimInconsistentValue;
            plan.sets.emplace_back(oid, MibValue::Integer(kValid));
            return SimNoError;
        case kCreateRequest:
            if (exists) {
                Oid control;
                ParseOid(kSimEntryRecreate, control);
                const auto it = objects.find(control);
                if (it == objects.end() || it->second.number != 1)
                    return v1 ? SimBadValue : SimInconsistentValue;
            } else {
                for (const RmonColumn& c : table.columns)
                    plan.sets.emplace_back(Instance(entry, c.column, index), c.initial);
                if (index.size() == 1)
                    plan.sets.emplace_back(Instance(entry, 1, index), MibValue::Integer(index[0]));
            }
            plan.sets.emplace_back(oid, MibValue::Integer(kUnderCreation));
            return SimNoError;
        case kInvalid:
            if (exists)
                plan.destroys.emplace_back(entry, index);
            return SimNoError;
        default:
            return v1 ? SimBadValue : SimWrongValue;
        }
    }
    const auto known = std::find_if(table.columns.begin(), table.columns.end(),
                                    [&](const RmonColumn& c) { return c.column == column; });
    if (known == table.columns.end()) {
        if (objects.count(oid))
            return v1 ? SimReadOnly : SimNotWritable;
        return v1 ? SimNoSuchName : SimNoCreation;
    }
    // A row this request creates (its createRequest came first) takes its
    // columns from the same request.
    const Oid planned = Instance(entry, table.statusColumn, index);
    const bool created = std::any_of(plan.sets.begin(), plan.sets.end(), [&](const SimBinding& b) {
        return b.first == planned && b.second.number == kUnderCreation;
    });
    if (!exists && !created)
        return v1 ? SimNoSuchName : SimNoCreation;
    if (value.type != known->initial.type)
        return v1 ? SimBadValue : SimWrongType;
    plan.sets.emplace_back(oid, value);
    return SimNoError;
}

// The standard row of a valid row: what the switch counts for it.
void FollowRmonRow(Simulator& s, const RmonTable& table, const Oid& entry, const Oid& standard, const Oid& index,
                   bool valid)
{
    auto& objects = s.Store().objects;
    if (!valid) {
        for (auto it = objects.lower_bound(standard); it != objects.end() && OidStartsWith(it->first, standard);) {
            const Oid& oid = it->first;
            if (oid.size() == standard.size() + 1 + index.size() &&
                std::equal(index.begin(), index.end(), oid.begin() + static_cast<std::ptrdiff_t>(standard.size()) + 1))
                it = objects.erase(it);
            else
                ++it;
        }
        return;
    }
    if (objects.count(Instance(standard, 1, index)) || index.size() != 1)
        return;
    const std::int64_t n = index[0];
    auto column = [&](int c) -> MibValue {
        const auto it = objects.find(Instance(entry, c, index));
        return it == objects.end() ? MibValue() : it->second;
    };
    auto put = [&](int c, const MibValue& value) { objects[Instance(standard, c, index)] = value; };
    put(1, MibValue::Integer(n));
    if (table.kind == RmonTable::EtherStats) { // octets beyond 2^31 on every row
        put(2, column(2));
        put(3, Typed(MibCounter32, 3 * n));
        put(4, Typed(MibCounter32, 3000000000LL + n));
        put(5, Typed(MibCounter32, 4000 + n));
        put(6, Typed(MibCounter32, 200 + n));
        put(7, Typed(MibCounter32, 100 + n));
    } else if (table.kind == RmonTable::History) {
        put(2, column(2));
        put(3, column(3));
        put(4, MibValue::Integer(std::min<std::int64_t>(column(3).number, 50)));
        put(5, column(4));
    } else if (table.kind == RmonTable::Event) { // not sent yet
        put(2, column(2));
        put(3, column(3));
        put(4, column(4));
        put(5, Typed(MibTimeTicks, 0));
    }
}

void AddRmonTables(Simulator& sim)
{
    for (const RmonTable& table : RmonTables()) {
        const Oid entry = MakeOid(table.entry);
        sim.OnSetRule(table.entry, [&table, entry](const Simulator& s, const Oid& oid, const MibValue& value,
                                                   int version, SimSetPlan& plan) {
            return RmonSetRule(table, entry, s, oid, value, version, plan);
        });
        if (table.standard.empty())
            continue;
        const Oid standard = MakeOid(table.standard);
        const std::string statusColumn = table.entry + "." + std::to_string(table.statusColumn);
        const std::size_t columnSize = entry.size() + 1;
        sim.OnSet(statusColumn, [&table, entry, standard, columnSize](Simulator& s, const Oid& oid, const MibValue&) {
            const Oid index(oid.begin() + static_cast<std::ptrdiff_t>(columnSize), oid.end());
            const auto status = s.Store().objects.find(oid);
            const bool valid = status != s.Store().objects.end() && status->second.number == kValid;
            FollowRmonRow(s, table, entry, standard, index, valid);
        });
    }
}

// IP-MAC-port binding (.14.10). An address text as the switch shows it:
// dotted IPv4, or IPv6 in full form (eight groups of four digits).
std::string AddressText(const std::string& octets)
{
    std::ostringstream text;
    if (octets.size() == 4) {
        for (std::size_t i = 0; i < 4; ++i)
            text << (i ? "." : "") << static_cast<int>(static_cast<unsigned char>(octets[i]));
        return text.str();
    }
    static const char kHex[] = "0123456789abcdef";
    std::string full;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i != 0 && i % 2 == 0)
            full += ':';
        full += kHex[static_cast<unsigned char>(octets[i]) >> 4];
        full += kHex[static_cast<unsigned char>(octets[i]) & 15];
    }
    return full;
}

// A scan of the range From (.5.0) .. To (.6.0) started by writing 1 to .7.0:
// the learned table (.2.1) gains one host of the range every 500 ms, up to
// three, then stays.
void AddBindingScan(Simulator& sim)
{
    const std::string root = KorvelOid("10.76.19.1.14.10");
    sim.OnSet(root + ".7.0", [root](Simulator& s, const Oid&, const MibValue& value) {
        if (value.number != 1)
            return;
        const std::string from = s.Store().objects[MakeOid(root + ".5.0")].bytes;
        if (from.size() != 4 && from.size() != 16)
            return;
        for (int host = 1; host <= 3; ++host) {
            s.After(500 * host, [root, from, host](Simulator& later) {
                std::string address = from;
                address.back() = static_cast<char>(static_cast<unsigned char>(address.back()) + host - 1);
                const std::string mac{'\x00', '\x0a', '\x0b', '\x0c', '\x0d', static_cast<char>(host)};
                std::string index;
                for (char c : mac)
                    index += "." + std::to_string(static_cast<unsigned char>(c));
                index += "." + std::to_string(host) + "." + std::to_string(address.size());
                for (char c : address)
                    index += "." + std::to_string(static_cast<unsigned char>(c));
                auto& objects = later.Store().objects;
                MibValue macValue;
                macValue.type = MibOctetString;
                macValue.bytes = mac;
                objects[MakeOid(root + ".2.1.1" + index)] = macValue;
                objects[MakeOid(root + ".2.1.2" + index)] = MibValue::Integer(host);
                objects[MakeOid(root + ".2.1.3" + index)] = MibValue::Text(AddressText(address));
                objects[MakeOid(root + ".2.1.4" + index)] = MibValue::Integer(1);
                objects[MakeOid(root + ".2.1.5" + index)] = MibValue::Integer(2);
            });
        }
    });
    // Writing 1 to a black-list entry's state (.4.1.5) removes the entry.
    Oid blackState = MakeOid(root + ".4.1.5");
    sim.OnSet(root + ".4.1.5", [blackState](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 1)
            return;
        for (unsigned column = 1; column <= 5; ++column) {
            Oid cell = oid;
            cell[blackState.size() - 1] = column;
            s.Store().objects.erase(cell);
        }
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
    // sysUpTime counts hundredths of a second since the switch started, from
    // the data file's value (a switch that has run for long) until a reboot,
    // from 0 after it; as a TimeTicks value it wraps at 2^32.
    Oid upTime;
    ParseOid("1.3.6.1.2.1.1.3.0", upTime);
    std::int64_t upTimeBase = 0;
    if (auto it = sim.Store().objects.find(upTime); it != sim.Store().objects.end())
        upTimeBase = it->second.number;
    const Simulator::Clock::time_point firstStart = sim.StartTime();
    sim.OnGet("1.3.6.1.2.1.1.3.0", [upTimeBase, firstStart](Simulator& s, const Oid& oid) {
        auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Simulator::Clock::now() - s.StartTime());
        MibValue ticks;
        ticks.type = MibTimeTicks;
        const std::int64_t base = s.StartTime() == firstStart ? upTimeBase : 0;
        ticks.number = (base + elapsed.count() / 10) % (std::int64_t{1} << 32);
        s.Store().objects[oid] = ticks;
    });

    // The CPU utilisation of the older branch (.1.7.0, .1.8.0, .1.9.0: over
    // 1 s, 1 min, 5 min) changes at every read; its neighbours under .1 stay.
    for (const char* cpu : {"10.94.89.89.1.7.0", "10.94.89.89.1.8.0", "10.94.89.89.1.9.0"}) {
        sim.OnGet(KorvelOid(cpu), [](Simulator& s, const Oid& oid) {
            auto it = s.Store().objects.find(oid);
            if (it != s.Store().objects.end() && it->second.type == MibInteger)
                it->second.number = (it->second.number + 7) % 100;
        });
    }

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

    // The RMON tables and their EntryStatus rows (see RmonTables above).
    AddRmonTables(sim);
    // etherStats counters grow by the test control's step at every read.
    sim.OnGet("1.3.6.1.2.1.16.1.1.1", [](Simulator& s, const Oid& oid) {
        static const Oid entry = MakeOid("1.3.6.1.2.1.16.1.1.1");
        if (oid.size() <= entry.size() + 1)
            return;
        const std::uint32_t column = oid[entry.size()];
        const int step = ControlNumber(s, kSimCounterStep);
        auto it = s.Store().objects.find(oid);
        if (step <= 0 || column < 3 || column > 19 || it == s.Store().objects.end() || it->second.type != MibCounter32)
            return;
        it->second.number = (it->second.number + step) % (std::int64_t(1) << 32);
    });
    // IP-MAC-port binding: the scan and the black list's delete.
    AddBindingScan(sim);

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

    // 802.1X port access control (.11.2.9.1): a port's status (.3) follows
    // its control (.2): Force Authorized (3) authorizes it, Force
    // Unauthorized (1) and Auto (2, no supplicant here) leave it unauthorized.
    Oid dot1xControl;
    ParseOid(KorvelOid("10.76.19.1.11.2.9.1.2"), dot1xControl);
    sim.OnSet(KorvelOid("10.76.19.1.11.2.9.1.2"), [dot1xControl](Simulator& s, const Oid& oid, const MibValue& value) {
        Oid status = oid;
        status[dot1xControl.size() - 1] = 3;
        auto it = s.Store().objects.find(status);
        if (it != s.Store().objects.end())
            it->second.number = value.number == 3 ? 1 : 2;
    });

    // 802.1X local user table (.23.3.1.1), indexed by the user name as a
    // length-prefixed string: a row created through its row status (.3)
    // holds its name in the name column (.1). An index that is no such
    // string gets none.
    Oid userStatus;
    ParseOid(KorvelOid("10.76.19.1.23.3.1.1.3"), userStatus);
    sim.OnSet(KorvelOid("10.76.19.1.23.3.1.1.3"), [userStatus](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 4 && value.number != 5)
            return;
        const std::size_t at = userStatus.size();
        if (oid.size() <= at || oid.size() != at + 1 + oid[at])
            return;
        std::string name;
        for (std::size_t i = at + 1; i < oid.size(); ++i) {
            if (oid[i] > 255)
                return;
            name.push_back(static_cast<char>(oid[i]));
        }
        Oid nameOid = oid;
        nameOid[at - 1] = 1;
        MibValue text;
        text.type = MibOctetString;
        text.bytes = name;
        s.Store().objects[nameOid] = text;
    });

    // 802.1X RADIUS server table (.23.4.2.1), indexed by the server: a row
    // created through its row status (.10) holds its index in column .1.
    Oid radiusStatus;
    ParseOid(KorvelOid("10.76.19.1.23.4.2.1.10"), radiusStatus);
    sim.OnSet(KorvelOid("10.76.19.1.23.4.2.1.10"), [radiusStatus](Simulator& s, const Oid& oid, const MibValue& value) {
        if ((value.number != 4 && value.number != 5) || oid.size() != radiusStatus.size() + 1)
            return;
        Oid indexOid = oid;
        indexOid[radiusStatus.size() - 1] = 1;
        MibValue index;
        index.type = MibInteger;
        index.number = static_cast<std::int64_t>(oid.back());
        s.Store().objects[indexOid] = index;
    });
    // PoE time ranges (.23.1.1) and time profiles (.32.1.1): a row created
    // through its row status (.21) holds its own index in its index column
    // (.1), as the switch fills it.
    for (const char* table : {"10.76.19.1.23.1.1", "10.76.19.1.32.1.1"}) {
        Oid statusColumn;
        ParseOid(KorvelOid(std::string(table) + ".21"), statusColumn);
        sim.OnSet(KorvelOid(std::string(table) + ".21"),
                  [statusColumn](Simulator& s, const Oid& oid, const MibValue& value) {
                      if ((value.number != 4 && value.number != 5) || oid.size() != statusColumn.size() + 1)
                          return;
                      Oid index = oid;
                      index[statusColumn.size() - 1] = 1;
                      s.Store().objects[index] = MibValue::Integer(static_cast<long long>(oid.back()));
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

    // Static MAC table (.9.3.1), indexed by VID, the six octets of the
    // address and the port: a row created through its row status (.4) holds
    // its VID (.1), address (.2) and port (.3) as its index gives them.
    Oid macRowStatus;
    ParseOid(KorvelOid("10.76.19.1.9.3.1.4"), macRowStatus);
    sim.OnSet(KorvelOid("10.76.19.1.9.3.1.4"), [macRowStatus](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 4 && value.number != 5)
            return;
        const std::size_t first = macRowStatus.size();
        if (oid.size() != first + 8)
            return;
        std::string octets;
        for (std::size_t i = first + 1; i < first + 7; ++i) {
            if (oid[i] > 255)
                return;
            octets.push_back(static_cast<char>(oid[i]));
        }
        Oid column = oid;
        column[first - 1] = 1;
        s.Store().objects[column] = MibValue::Integer(static_cast<std::int64_t>(oid[first]));
        column[first - 1] = 2;
        MibValue bytes;
        bytes.type = MibOctetString;
        bytes.bytes = octets;
        s.Store().objects[column] = bytes;
        column[first - 1] = 3;
        s.Store().objects[column] = MibValue::Integer(static_cast<std::int64_t>(oid[first + 7]));
    });
    // The switch's own SNMP agent: its engine ID and trap hosts.
    AddSnmpAgent(sim);

    // Syslog server table (.16.2.5.1), indexed by the address type, the
    // address length and the address octets: a row created through its row
    // status (.5) holds its type (.1) and its address (.2), as the switch
    // fills them. An index that is no address gets neither.
    Oid syslogStatus;
    ParseOid(KorvelOid("10.76.19.1.16.2.5.1.5"), syslogStatus);
    sim.OnSet(KorvelOid("10.76.19.1.16.2.5.1.5"), [syslogStatus](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 4 && value.number != 5)
            return;
        const std::size_t at = syslogStatus.size();
        if (oid.size() < at + 2)
            return;
        const auto type = oid[at];
        const auto length = oid[at + 1];
        if (!((type == 1 && length == 4) || (type == 2 && length == 16)) || oid.size() != at + 2 + length)
            return;
        std::string octets;
        for (std::size_t i = at + 2; i < oid.size(); ++i) {
            if (oid[i] > 255)
                return;
            octets.push_back(static_cast<char>(oid[i]));
        }
        Oid typeOid = oid;
        typeOid[at - 1] = 1;
        s.Store().objects[typeOid] = MibValue::Integer(static_cast<std::int64_t>(type));
        Oid addressOid = oid;
        addressOid[at - 1] = 2;
        MibValue bytes;
        bytes.type = MibOctetString;
        bytes.bytes = octets;
        s.Store().objects[addressOid] = bytes;
    });
}
