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
#include "tools/korvel-sim/Simulator.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <utility>

namespace {

// How long a configuration save and a reboot take.
constexpr int kSaveMs = 1500;
constexpr int kRebootMs = 8000;

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
        s.After(kSaveMs, [oid](Simulator& later) { later.Store().objects[oid] = MibValue::Integer(2); });
    });
    sim.OnSet(KorvelOid("10.76.19.1.1.9.0"), [](Simulator& s, const Oid& oid, const MibValue& value) {
        if (value.number != 1)
            return;
        s.SilenceFor(kRebootMs);
        s.Store().objects[oid] = MibValue::Integer(2);
    });

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
