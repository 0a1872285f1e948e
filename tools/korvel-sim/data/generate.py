#!/usr/bin/env python3
"""Writes the simulated switch of every sample model: one folder per model,
tools/korvel-sim/data/MODEL/, with one file per feature. Every file is drawn
from one switch state per model (SwitchState below), so what one dialog reads
agrees with what the next one reads: link and admin states, speeds, trunk
groups and their members' settings, VLAN memberships, PVIDs, GVRP and
surveillance settings. Objects are written in identifier order.

The model table (port counts, media types, PoE, fan) comes from
resources/models/generate.py.

Standard library only. The output is committed; run this again after changing
it:  python3 tools/korvel-sim/data/generate.py
     python3 tools/korvel-sim/data/generate.py --check   (the committed files
                                                           are what it writes)

A feature with per-port objects gets a function here that returns its file,
and one line in FEATURES. A file of objects that are the same on every model
needs no code: put it beside this script (see README.md).
"""

import importlib.util
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent.parent.parent
ENTERPRISE = "1.3.6.1.4.1.32473"
SETTINGS = ENTERPRISE + ".10.76.19.1"
DOT1D_STP = "1.3.6.1.2.1.17.2"


def load_models():
    spec = importlib.util.spec_from_file_location("models", REPO / "resources" / "models" / "generate.py")
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


MODELS_MODULE = load_models()


# --------------------------------------------------------------------------
# One switch state per model


class SwitchState:
    """Everything two features read, decided once for a model."""

    def __init__(self, m, number):
        self.m = m
        self.mac = number  # the fourth octet of the model's MAC addresses
        self.name = m["name"]
        self.count = len(m["ports"])
        self.ports = range(1, self.count + 1)
        # Port bitmaps are as long as the module writes them: 4 octets up to
        # 32 ports, 8 beyond.
        self.octets = 4 if self.count <= 32 else 8
        self.types = m["port_types"]
        # Trunk groups: pairs of neighbouring ports of one media type, from the
        # last port down; trunk 1 (LACP) carries the surveillance uplinks,
        # trunk 2 is static.
        pairs = []
        p = self.count
        while len(pairs) < 2 and p > 1:
            if self.types[p - 1] == self.types[p]:
                pairs.append((p - 1, p))
                p -= 2
            else:
                p -= 1
        self.trunks = pairs
        self.trunk_modes = [1, 2]
        self.trunk_ports = [q for pair in pairs for q in pair]
        self.uplinks = list(pairs[0])
        # VLANs: 1 for every port but the office ports, which are untagged in
        # 10; the voice ports and every trunk member are tagged in 10 and 20.
        # The surveillance VLAN (30) is the switch's own, not a static VLAN:
        # its tagged uplink ports are trunk 1, whole.
        self.office = list(range(1, 5))
        self.voice = list(range(5, 9))
        self.vlans = {
            1: ("default", [q for q in self.ports if q not in self.office], [q for q in self.ports if q not in self.office]),
            10: ("office", self.office + self.trunk_ports, self.office),
            20: ("voice", self.voice + self.trunk_ports, []),
        }
        self.surveillance_vid = 30
        self.pvid = {q: 10 if q in self.office else 1 for q in self.ports}
        # The port that mirroring would copy to: the last one outside the trunks.
        self.mirror_target = max(q for q in self.ports if q not in self.trunk_ports)
        # Static MAC addresses, an ARP spoofing entry and an ACL on office ports.
        self.static_macs = [(10, "0.17.34.51.102.1", 2), (10, "0.17.34.51.102.2", 3)]
        self.arp_ports = [2, 3]
        self.acl_ports = list(self.office)

    def link(self, p):
        """(administratively up, link up, at the top speed)."""
        return link_state(p)

    def bitmap(self, ports):
        octets = bytearray(self.octets)
        for q in ports:
            octets[(q - 1) // 8] |= 0x80 >> ((q - 1) % 8)
        return octets.hex()


class Rows:
    def __init__(self):
        self.rows = []

    def add(self, oid, kind, value):
        self.rows.append((tuple(int(x) for x in oid.split(".")), kind, value))

    def text(self, head):
        self.rows.sort(key=lambda r: r[0])
        for a, b in zip(self.rows, self.rows[1:]):
            if a[0] == b[0]:
                raise ValueError(f"{'.'.join(map(str, a[0]))} twice")
        return "\n".join(head + [f"{'.'.join(map(str, oid))}|{kind}|{value}" for oid, kind, value in self.rows]) + "\n"


def head(s, lines):
    return [f"# {s.name}: {lines[0]}", *[f"# {line}" if line and not line.startswith("#@") else line
                                         for line in lines[1:]],
            "# Written by tools/korvel-sim/data/generate.py.", "#"]


# --------------------------------------------------------------------------
# Features


def link_state(p):
    """(administratively up, link up, at the top speed) for port p: a fixed
    mix of links at both speeds, ports without a link and one disabled port."""
    if p in (5, 30):
        return False, False, False
    up = (p * 7) % 10 < 6
    return True, up, p % 5 != 3


def poe_status(p):
    """The PoE status text of port p: ports with a link draw power, but every
    third one and the port whose time range is off now (6)."""
    admin, up, _ = link_state(p)
    if p == 6:
        return "Time-based OFF"
    if admin and up and p % 3 != 0:
        return "POWER ON"
    if p % 7 == 0:
        return "Searching"
    return "POWER OFF"


# The power the switch has left (.22.6.0), which the front-panel polling reads.
POE_POWER_LEFT = 185.0


def system(s):
    m = s.m
    count = s.count
    r = Rows()
    add = r.add
    kind = "Gigabit" if m["gigabit"] else "Fast Ethernet"
    poe = " PoE" if m["poe"] else ""
    add("1.3.6.1.2.1.1.1.0", 4, f"Korvel {m['name']} {count}-Port {kind}{poe} Managed Switch")
    add("1.3.6.1.2.1.1.2.0", 6, ENTERPRISE + ".10.76.19")
    add("1.3.6.1.2.1.1.3.0", 67, 0)
    add("1.3.6.1.2.1.1.4.0", 4, "Network Operations")
    add("1.3.6.1.2.1.1.5.0", 4, m["name"].lower().replace(" ", "-"))
    add("1.3.6.1.2.1.1.6.0", 4, "Lab rack 1")
    add("1.3.6.1.2.1.1.7.0", 2, 2)
    vlan_if = 1001
    add("1.3.6.1.2.1.2.1.0", 2, count + 1)
    for i in list(range(1, count + 1)) + [vlan_if]:
        port_type = m["port_types"].get(i)
        admin, up, top = link_state(i) if port_type else (True, True, True)
        top_speed = 100000000 if port_type == 1 else 1000000000
        low_speed = 10000000 if port_type == 1 else 100000000
        speed = top_speed if (top or not up) else low_speed
        e = "1.3.6.1.2.1.2.2.1"
        seed = i * 7919
        add(f"{e}.1.{i}", 2, i)
        add(f"{e}.2.{i}", 4, f"port {i}" if port_type else "vlan1")
        add(f"{e}.3.{i}", 2, 6 if port_type else 136)
        add(f"{e}.4.{i}", 2, 1500)
        add(f"{e}.5.{i}", 66, speed if port_type else 0)
        add(f"{e}.6.{i}", "4x", f"024b56{s.mac:02x}00{i % 256:02x}" if port_type else f"024b56{s.mac:02x}0000")
        add(f"{e}.7.{i}", 2, 1 if admin else 2)
        add(f"{e}.8.{i}", 2, 1 if admin and up else 2)
        add(f"{e}.9.{i}", 67, 1200 + i * 31)
        traffic = up and admin
        add(f"{e}.10.{i}", 65, seed * 131 % 4000000000 if traffic else 0)
        add(f"{e}.11.{i}", 65, seed * 17 % 90000000 if traffic else 0)
        add(f"{e}.12.{i}", 65, seed * 3 % 900000 if traffic else 0)
        add(f"{e}.13.{i}", 65, 0)
        add(f"{e}.14.{i}", 65, i % 3 if traffic else 0)
        add(f"{e}.15.{i}", 65, 0)
        add(f"{e}.16.{i}", 65, seed * 197 % 4000000000 if traffic else 0)
        add(f"{e}.17.{i}", 65, seed * 23 % 90000000 if traffic else 0)
        add(f"{e}.18.{i}", 65, seed * 5 % 900000 if traffic else 0)
        add(f"{e}.19.{i}", 65, 0)
        add(f"{e}.20.{i}", 65, 0)
        add(f"{e}.21.{i}", 66, 0)
        add(f"{e}.22.{i}", 6, "0.0")
        if port_type:
            add(f"{SETTINGS}.1.13.1.7.{i}", 2, port_type)
    add(f"{SETTINGS}.25.1.0", 2, 1)
    if m["fan"]:
        add(f"{SETTINGS}.1.15.1.0", 2, 1)
    if m["poe"]:
        add(f"{SETTINGS}.22.6.0", 4, f"{POE_POWER_LEFT:.1f}")
        add(f"{SETTINGS}.22.8.0", 2, 1)
        for i in range(1, m["poe"] + 1):
            add(f"{SETTINGS}.22.1.1.13.1.{i}", 4, poe_status(i))
    return r.text(head(s, [
        "the MIB-II system and interfaces groups, and the objects the front-panel polling reads.",
        "Interface 1001 is the VLAN interface. Port media types (.1.13.1.7): 1 copper 100M,",
        "2 copper gigabit, 3 combo or fibre. Fan (.1.15.1.0), PoE port states, power limit and",
        "LED mode (.22), reachability (.25.1.0).",
        "Read-only as on the switch: the system group but contact, name and location, and the",
        "interfaces table but ifAdminStatus.",
        *[f"#@readonly 1.3.6.1.2.1.1.{c}" for c in (1, 2, 3, 7)],
        "#@readonly 1.3.6.1.2.1.2.1",
        *[f"#@readonly 1.3.6.1.2.1.2.2.1.{c}" for c in range(1, 23) if c != 7]]))


def ports(s):
    r = Rows()
    for p in s.ports:
        admin, up, top = s.link(p)
        fast = s.types[p] == 1
        if not (admin and up):
            status = 1
        elif fast:
            status = 3 if top else 5
        else:
            status = 2 if top else 3
        r.add(f"{SETTINGS}.1.13.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.1.13.1.2.{p}", 2, 6 if admin else 7)
        r.add(f"{SETTINGS}.1.13.1.3.{p}", 2, status)
        r.add(f"{SETTINGS}.1.13.1.4.{p}", 2, 1)
        r.add(f"{SETTINGS}.1.13.1.5.{p}", 2, 2)
        r.add(f"{SETTINGS}.1.16.1.1.{p}", 2, p)
        trunk = next((n for n, pair in enumerate(s.trunks, start=1) if p in pair), 0)
        r.add(f"{SETTINGS}.1.16.1.2.{p}", 4, f"trunk {trunk} uplink" if trunk else "")
    return r.text(head(s, [
        "port control table (.1.13.1) and port descriptions (.1.16.1).",
        "Control columns: .1 port, .2 speed setting (1 1000M full, 2 100M full, 3 100M half,",
        "4 10M full, 5 10M half, 6 auto, 7 disabled), .3 link status (1 down, 2 1000M full,",
        "3 100M full, 4 100M half, 5 10M full, 6 10M half), .4 MDI/MDIX (1 auto), .5 flow control",
        "(2 disabled). The settings follow ifAdminStatus, the link states ifOperStatus and ifSpeed.",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.1.13.1.1",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.1.13.1.3",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.1.13.1.7",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.1.16.1.1"]))


def vlan(s):
    r = Rows()
    r.add(f"{SETTINGS}.7.2.0", 2, 2)
    r.add(f"{SETTINGS}.7.3.0", 2, 1)
    r.add(f"{SETTINGS}.7.5.0", 2, 2)
    for vid, (name, egress, untagged) in s.vlans.items():
        r.add(f"{SETTINGS}.7.6.1.1.{vid}", 4, name)
        r.add(f"{SETTINGS}.7.6.1.2.{vid}", "4x", s.bitmap(egress))
        r.add(f"{SETTINGS}.7.6.1.3.{vid}", "4x", s.bitmap([]))
        r.add(f"{SETTINGS}.7.6.1.4.{vid}", "4x", s.bitmap(untagged))
        r.add(f"{SETTINGS}.7.6.1.5.{vid}", 2, 1)
    for p in s.ports:
        r.add(f"{SETTINGS}.7.7.1.1.{p}", 66, s.pvid[p])
    r.add(f"{SETTINGS}.21.1.2.0", 2, 2)
    r.add(f"{SETTINGS}.21.1.3.0", 2, 20)
    for p in s.ports:
        r.add(f"{SETTINGS}.21.1.6.1.2.{p}", 2, 2)
    r.add(f"{SETTINGS}.41.1.1.1.2.1", 2, 1)
    zero = s.bitmap([])
    return r.text(head(s, [
        "802.1Q VLANs, PVIDs, management, voice VLAN and IP interface.",
        "Management VLAN (.7.2.0 state, 1 enabled; .7.3.0 id): disabled, on VLAN 1. Asymmetric",
        "VLAN mode (.7.5.0): disabled. Static VLAN table (.7.6.1), index VLAN id: .1 name,",
        ".2 egress, .3 forbidden, .4 untagged ports (port bitmaps), .5 row status.",
        f"VLAN 1 carries every port but {s.office[0]}-{s.office[-1]} untagged; those are untagged in VLAN 10",
        "(PVID 10). Trunk members are tagged in VLANs 10 and 20; the surveillance VLAN (30,",
        "surveillance.snmprec) is not a static VLAN. PVIDs (.7.7.1.1, Gauge32). Voice VLAN",
        "(.21.1.2.0 state, .21.1.3.0 id): disabled, on VLAN 20; port mode (.21.1.6.1.2): 2 manual.",
        "IP interface (.41.1.1.1.2): on VLAN 1.",
        "#@rowstatus 1.3.6.1.4.1.32473.10.76.19.1.7.6.1.5",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.7.6.1.1|4|",
        f"#@template 1.3.6.1.4.1.32473.10.76.19.1.7.6.1.2|4x|{zero}",
        f"#@template 1.3.6.1.4.1.32473.10.76.19.1.7.6.1.3|4x|{zero}",
        f"#@template 1.3.6.1.4.1.32473.10.76.19.1.7.6.1.4|4x|{zero}"]))


def trunk(s):
    r = Rows()
    r.add(f"{SETTINGS}.8.1.2.0", 2, 1)
    for t in range(1, 9):
        members = s.trunks[t - 1] if t <= len(s.trunks) else []
        r.add(f"{SETTINGS}.8.1.3.1.2.{t}", "4x", s.bitmap(members))
        r.add(f"{SETTINGS}.8.1.3.1.3.{t}", 2, s.trunk_modes[t - 1] if t <= len(s.trunks) else 1)
    for p in s.ports:
        r.add(f"{SETTINGS}.12.3.1.1.2.{p}", 2, 0)
        r.add(f"{SETTINGS}.14.2.1.1.2.{p}", 2, 2)
        r.add(f"{SETTINGS}.17.5.1.2.{p}", 2, 2)
        r.add(f"{SETTINGS}.13.1.2.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.13.1.2.1.2.{p}", 2, 0)
        r.add(f"{SETTINGS}.13.1.2.1.3.{p}", 2, 0)
        r.add(f"{SETTINGS}.23.2.1.1.9.{p}", 2, 3)
    r.add(f"{SETTINGS}.11.2.1.0", 2, 1)
    r.add(f"{SETTINGS}.18.1.0", 2, 2)
    r.add(f"{SETTINGS}.18.2.0", 2, s.mirror_target)
    r.add(f"{SETTINGS}.18.3.0", "4x", s.bitmap([]))
    r.add(f"{SETTINGS}.18.4.0", "4x", s.bitmap([]))
    r.add(f"{SETTINGS}.9.2.0", "4x", s.bitmap(s.ports))
    r.add(f"{SETTINGS}.9.1.0", 2, 1)
    for vid, mac, port in s.static_macs:
        index = f"{vid}.{mac}.{port}"
        r.add(f"{SETTINGS}.9.3.1.1.{index}", 2, vid)
        r.add(f"{SETTINGS}.9.3.1.2.{index}", "4x", "".join(f"{int(o):02x}" for o in mac.split(".")))
        r.add(f"{SETTINGS}.9.3.1.3.{index}", 2, port)
        r.add(f"{SETTINGS}.9.3.1.4.{index}", 2, 1)
    r.add(f"{SETTINGS}.14.7.1.0", "4x", s.bitmap([]))
    gateway = "192.168.1.254"
    r.add(f"{SETTINGS}.14.3.1.1.1.{gateway}", 64, gateway)
    r.add(f"{SETTINGS}.14.3.1.1.2.{gateway}", "4x", f"00112233fe{s.mac:02x}")
    r.add(f"{SETTINGS}.14.3.1.1.3.{gateway}", "4x", s.bitmap(s.arp_ports))
    r.add(f"{SETTINGS}.14.3.1.1.4.{gateway}", 2, 1)
    r.add(f"{SETTINGS}.15.2.1.1.10.1", "4x", s.bitmap(s.acl_ports))
    groups = ", ".join(f"trunk {n} ports {a} and {b} ({'LACP' if n == 1 else 'static'})"
                       for n, (a, b) in enumerate(s.trunks, start=1))
    return r.text(head(s, [
        "link aggregation and the port settings the trunk member picker compares.",
        "Link aggregation (.8.1.2.0): enabled; trunk table (.8.1.3.1), index trunk: .2 members",
        f"(port bitmap), .3 mode (1 LACP, 2 static): {groups}; the others empty.",
        "Every port alike: 802.1p priority 0 (.12.3.1.1.2), port security off (.14.2.1.1.2),",
        "loopback detection off (.17.5.1.2), no bandwidth limit (.13.1.2.1: .1 port, .2 Tx and .3 Rx",
        "rate in Kbit/s, 0 no limit), 802.1X",
        "force-authorized (.23.2.1.1.9; .11.2.1.0 enabled); spanning tree in stp.snmprec.",
        f"Mirroring (.18) off, target port {s.mirror_target}. MAC learning enabled (.9.1.0) with every",
        "port an uplink (.9.2.0); static MAC addresses (.9.3.1, index VID, six MAC octets, port: .1",
        "VID, .2 MAC, .3 port, .4 row status), the ARP spoofing entry (.14.3.1.1) and ACL 1",
        "(.15.2.1.1) on office ports, outside the trunks; no DHCP server screening (.14.7.1.0).",
        "The ARP spoofing table (.14.3.1.1) is indexed by the gateway address: .1 address, .2 MAC,",
        ".3 ports (port bitmap), .4 row status; rows are made and removed through .4.",
        f"#@rowstatus {SETTINGS}.9.3.1.4",
        f"#@template {SETTINGS}.9.3.1.1|2|0",
        f"#@template {SETTINGS}.9.3.1.2|4x|000000000000",
        f"#@template {SETTINGS}.9.3.1.3|2|0",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.13.1.2.1.1",
        "#@rowstatus 1.3.6.1.4.1.32473.10.76.19.1.14.3.1.1.4",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.14.3.1.1.2|4x|000000000000",
        f"#@template 1.3.6.1.4.1.32473.10.76.19.1.14.3.1.1.3|4x|{s.bitmap([])}"]))


def loopback(s):
    r = Rows()
    r.add(f"{SETTINGS}.17.2.0", 2, 1)
    r.add(f"{SETTINGS}.17.3.0", 2, 10)
    r.add(f"{SETTINGS}.17.4.0", 2, 60)
    r.add(f"{SETTINGS}.17.7.0", 4, "")
    for p in s.ports:
        r.add(f"{SETTINGS}.17.5.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.17.5.1.3.{p}", 2, 1)
    return r.text(head(s, [
        "loopback detection.",
        "Globals (.17): .2.0 mode (1 port-based), .3.0 interval (s), .4.0 recover time (s), .7.0 VLAN",
        "list (empty); the state (.17.1.0, off) is in stp.snmprec. Port table (.17.5.1), index port:",
        ".1 port, .3 loop status (1 normal); the state column (.2, off) is in trunk.snmprec. No loop",
        "was found: the VLAN loop table (.17.6.1) is empty.",
        f"#@readonly {SETTINGS}.17.5.1.1",
        f"#@readonly {SETTINGS}.17.5.1.3"]))


def gvrp(s):
    r = Rows()
    r.add(f"{SETTINGS}.30.1.0", 2, 1)
    r.add(f"{SETTINGS}.30.2.0", 2, 200)
    r.add(f"{SETTINGS}.30.3.0", 2, 600)
    r.add(f"{SETTINGS}.30.4.0", 2, 10000)
    for p in s.ports:
        r.add(f"{SETTINGS}.30.5.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.30.5.1.2.{p}", 2, s.pvid[p])
        r.add(f"{SETTINGS}.30.5.1.3.{p}", 2, 2)
        r.add(f"{SETTINGS}.30.5.1.4.{p}", 2, 1)
        r.add(f"{SETTINGS}.30.5.1.5.{p}", 2, 1)
    return r.text(head(s, [
        "GVRP.",
        "Global (.30): .1.0 state (enabled); .2.0 Join, .3.0 Leave, .4.0 LeaveAll time (ms).",
        "Port table (.30.5.1), index port: .1 port, .2 PVID (the PVID table's), .3 GVRP state",
        "(2 disabled), .4 ingress checking (1 enabled), .5 acceptable frames (1 all).",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.30.5.1.1"]))


def surveillance(s):
    r = Rows()
    r.add(f"{SETTINGS}.26.1.1.0", 2, 1)
    r.add(f"{SETTINGS}.26.1.2.0", 2, s.surveillance_vid)
    r.add(f"{SETTINGS}.26.1.3.0", 2, 5)
    r.add(f"{SETTINGS}.26.1.4.0", "4x", s.bitmap(s.uplinks))
    for p in s.ports:
        r.add(f"{SETTINGS}.26.1.5.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.26.1.5.1.2.{p}", 2, 2)
        r.add(f"{SETTINGS}.26.1.5.1.3.{p}", 2, 1 if p in s.uplinks else 3)
    for arcs, mac, name in (("26.110.64.0.0.0", "1a6e40000000", "Korvel Camera"),
                            ("26.110.65.0.0.0", "1a6e41000000", "Korvel Camera Gen2")):
        r.add(f"{SETTINGS}.26.2.1.1.1.{arcs}", "4x", mac)
        r.add(f"{SETTINGS}.26.2.1.1.2.{arcs}", 4, name)
        r.add(f"{SETTINGS}.26.2.1.1.3.{arcs}", "4x", "ffffff000000")
        r.add(f"{SETTINGS}.26.2.1.1.4.{arcs}", 2, 5)
        r.add(f"{SETTINGS}.26.2.1.1.5.{arcs}", 2, 1)
    r.add(f"{SETTINGS}.21.2.1.1.1.1", "4x", "5e1234000000")
    r.add(f"{SETTINGS}.21.2.1.1.1.2", "4x", "5e1235000000")
    r.add(f"{SETTINGS}.21.2.1.1.4.1", 2, 1)
    r.add(f"{SETTINGS}.21.2.1.1.4.2", 2, 2)
    return r.text(head(s, [
        "auto surveillance VLAN.",
        "Global (.26.1): .1.0 state (enabled), .2.0 VLAN (30), .3.0 priority (5), .4.0 tagged",
        f"uplink ports: trunk 1 whole, ports {s.uplinks[0]} and {s.uplinks[1]}. VLAN 30 is not a static VLAN (the",
        "dialog would take it over). Port table (.26.1.5.1): .1 port, .2 auto detection",
        "(2 disabled), .3 membership (1 static: the uplink ports, 3 none).",
        "Component table (.26.2.1.1), index the address as six arcs: .1 address, .2 description,",
        ".3 mask, .4 type (5 the maker's own device), .5 row status; the maker's camera OUIs.",
        "Voice VLAN OUI table (.21.2.1.1): .1 address, .4 counts for the voice OUI rule (1) or not (2).",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.26.1.5.1.1",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.26.1.5.1.3",
        "#@rowstatus 1.3.6.1.4.1.32473.10.76.19.1.26.2.1.1.5",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.26.2.1.1.1|4x|000000000000",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.26.2.1.1.2|4|",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.26.2.1.1.3|4x|000000000000",
        "#@template 1.3.6.1.4.1.32473.10.76.19.1.26.2.1.1.4|2|4"]))


def stp(s):
    r = Rows()
    for column, value in ((1, 1), (2, 2), (3, 32768), (4, 6), (9, 0), (10, 0), (11, 2000), (14, 1500),
                          (15, 2000), (16, 200), (17, 1500)):
        r.add(f"{SETTINGS}.6.1.{column}.0", 2, value)
    r.add(f"{SETTINGS}.6.1.8.0", "4x", f"80000011223344{s.mac:02x}")
    r.add(f"{SETTINGS}.17.1.0", 2, 2)
    for p in s.ports:
        admin, linked, _ = s.link(p)
        up = admin and linked
        for column, value in ((1, p), (2, 128), (3, 5 if up else 1), (4, 1), (5, 0), (6, 20000 if up else 0),
                              (12, 2), (14, 2), (16, 2), (17, 2), (18, 2)):
            r.add(f"{SETTINGS}.6.2.1.{column}.{p}", 2, value)
        r.add(f"1.3.6.1.2.1.17.2.15.1.4.{p}", 2, 1)
    # The bridge MIB's view of the same tree (dot1dStp, 1.3.6.1.2.1.17.2).
    root = f"80000011223344{s.mac:02x}"
    for column, value in ((2, 32768), (3, 0), (4, 0), (7, 0), (9, 200), (10, 100), (11, 1500), (12, 2000),
                          (13, 200), (14, 1500)):
        r.add(f"{DOT1D_STP}.{column}.0", 2, value)
    r.add(f"{DOT1D_STP}.5.0", "4x", root)
    for p in s.ports:
        admin, linked, _ = s.link(p)
        up = admin and linked
        for column, value in ((1, p), (2, 128), (3, 5 if up else 1), (5, 20000 if up else 0), (7, 0)):
            r.add(f"{DOT1D_STP}.15.1.{column}.{p}", 2, value)
        r.add(f"{DOT1D_STP}.15.1.6.{p}", "4x", root)
        r.add(f"{DOT1D_STP}.15.1.8.{p}", "4x", root)
        r.add(f"{DOT1D_STP}.15.1.9.{p}", "4x", f"80{p:02x}")
        r.add(f"{DOT1D_STP}.15.1.10.{p}", 65, 1 if up else 0)
    return r.text(head(s, [
        "spanning tree and the loopback detection state it is checked against.",
        "Global settings (.6.1), integers unless said: .1.0 state (1 enabled), .2.0 version (2 RSTP),",
        ".3.0 bridge priority, .4.0 transmit hold count, .8.0 root bridge (8 octets, this switch),",
        ".9.0 root cost, .10.0 root port, .11.0 root maximum age, .14.0 root forward delay, .15.0",
        "maximum age, .16.0 hello time, .17.0 forward delay (hundredths of a second); the root values",
        "are read-only. Port table (.6.2.1), index port: .1 port, .2 priority, .3 status (1 disabled,",
        "5 forwarding: linked ports forward), .4 spanning tree on the port (1 enabled), .5 path cost",
        "(0 automatic), .6 path cost in use, .12 migrate, .14 point-to-point (2 auto), .16 edge (2 auto),",
        ".17 restricted role, .18 restricted TCN (2 false). Column .4 and the bridge MIB's",
        "dot1dStpPortEnable (1.3.6.1.2.1.17.2.15.1.4) are one state. Loopback detection (.17.1.0): off",
        "(its port states are in trunk.snmprec). The bridge MIB's dot1dStp (1.3.6.1.2.1.17.2): .2.0",
        "priority, .3.0 time since the last topology change, .4.0 topology changes, .5.0 designated",
        "root, .7.0 root port, .9.0/.10.0/.11.0 hello time, hold time and forward delay in use,",
        ".12.0/.13.0/.14.0 the bridge's maximum age, hello time and forward delay; port table (.15.1),",
        "index port: .1 port, .2 priority, .3 state, .4 enable, .5 path cost, .6 designated root, .7",
        "designated cost, .8 designated bridge, .9 designated port, .10 forward transitions.",
        *[f"#@readonly {SETTINGS}.6.1.{c}.0" for c in (8, 9, 10, 11, 14)],
        *[f"#@readonly {SETTINGS}.6.2.1.{c}" for c in (1, 3, 6)],
        *[f"#@readonly {DOT1D_STP}.{c}.0" for c in (3, 4, 5, 7, 9, 10, 11)],
        *[f"#@readonly {DOT1D_STP}.15.1.{c}" for c in (1, 3, 5, 6, 7, 8, 9, 10)]]))


def multicast(s):
    r = Rows()
    for p in s.ports:
        r.add(f"{SETTINGS}.7.8.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.7.8.1.2.{p}", 2, 1)
    return r.text(head(s, [
        "multicast filtering mode per port (.7.8.1), index port: .1 port, .2 mode (1 forward",
        "unregistered groups, 2 filter them).",
        f"#@readonly {SETTINGS}.7.8.1.1"]))


def dot1x(s):
    r = Rows()
    for p in s.ports:
        r.add(f"{SETTINGS}.11.2.9.1.2.{p}", 2, 3)
        r.add(f"{SETTINGS}.11.2.9.1.3.{p}", 2, 1)
        for column, value in ((1, p), (2, 60), (3, 30), (4, 30), (5, 2), (6, 30), (7, 3600), (8, 2), (10, 2),
                              (11, 0)):
            r.add(f"{SETTINGS}.23.2.1.1.{column}.{p}", 2, value)
    return r.text(head(s, [
        "802.1X per port (the global values, users and RADIUS servers are in ../dot1x.snmprec).",
        "Port access control (.11.2.9.1), index port: .2 control (3 force authorized), .3 status",
        "(1 authorized; follows the control). Port parameters (.23.2.1.1), index port: .1 port, .2 quiet",
        "period, .3 supplicant time-out, .4 server time-out, .5 maximum requests, .6 transmit period,",
        ".7 re-authentication period, .8 re-authentication (2 disabled), .10 capability (2 none), .11",
        "direction (0 both); .9 port control is in trunk.snmprec (force authorized).",
        f"#@readonly {SETTINGS}.11.2.9.1.3",
        f"#@readonly {SETTINGS}.23.2.1.1.1"]))


def rmon(s):
    r = Rows()
    rmon = f"{SETTINGS}.47"
    ether = "1.3.6.1.2.1.16.1.1.1"
    history = "1.3.6.1.2.1.16.2.1.1"
    event = "1.3.6.1.2.1.16.9.1.1"
    if_index = "1.3.6.1.2.1.2.2.1.1"
    r.add(f"{rmon}.1.0", 2, 1)
    # Ethernet statistics on the office ports; port 1 has counted more than 2 GB.
    for n, p in enumerate(s.office, start=1):
        r.add(f"{rmon}.2.1.1.1.{n}", 2, n)
        r.add(f"{rmon}.2.1.1.2.{n}", 6, f"{if_index}.{p}")
        r.add(f"{rmon}.2.1.1.3.{n}", 4, "monitor")
        r.add(f"{rmon}.2.1.1.4.{n}", 2, 1)
        r.add(f"{ether}.1.{n}", 2, n)
        r.add(f"{ether}.2.{n}", 6, f"{if_index}.{p}")
        r.add(f"{ether}.3.{n}", 65, 3 * n)
        r.add(f"{ether}.4.{n}", 65, 3221225472 + 1000 * n if p == 1 else 52000000 * n)
        r.add(f"{ether}.5.{n}", 65, 81000 * n)
        r.add(f"{ether}.6.{n}", 65, 900 * n)
        r.add(f"{ether}.7.{n}", 65, 450 * n)
    # History on the first two office ports.
    for n, (p, interval) in enumerate(((s.office[0], 1800), (s.office[1], 30)), start=1):
        r.add(f"{rmon}.3.1.1.1.{n}", 2, n)
        r.add(f"{rmon}.3.1.1.2.{n}", 6, f"{if_index}.{p}")
        r.add(f"{rmon}.3.1.1.3.{n}", 2, 50)
        r.add(f"{rmon}.3.1.1.4.{n}", 2, interval)
        r.add(f"{rmon}.3.1.1.5.{n}", 4, "monitor")
        r.add(f"{rmon}.3.1.1.6.{n}", 2, 1)
        r.add(f"{history}.1.{n}", 2, n)
        r.add(f"{history}.2.{n}", 6, f"{if_index}.{p}")
        r.add(f"{history}.3.{n}", 2, 50)
        r.add(f"{history}.4.{n}", 2, 50)
        r.add(f"{history}.5.{n}", 2, interval)
    # An alarm on the octets received on port 1: event 1 when they rise, 2 when they fall.
    alarm = [30, f"1.3.6.1.2.1.2.2.1.10.{s.office[0]}", 2, 1000000, 1000, 1, 2, "monitor", 1]
    r.add(f"{rmon}.4.1.1.1.1", 2, 1)
    for c, value in enumerate(alarm, start=2):
        r.add(f"{rmon}.4.1.1.{c}.1", 6 if c == 3 else 4 if c == 9 else 2, value)
    # Events: 1 logs and sends a trap (sent 2 min 3 s after start), 2 only logs.
    for n, (description, kind, community, sent) in enumerate(
            (("High traffic", 4, "quenbor", 12345), ("Traffic normal", 2, "", 0)), start=1):
        r.add(f"{rmon}.5.1.1.1.{n}", 2, n)
        r.add(f"{rmon}.5.1.1.2.{n}", 4, description)
        r.add(f"{rmon}.5.1.1.3.{n}", 2, kind)
        r.add(f"{rmon}.5.1.1.4.{n}", 4, community)
        r.add(f"{rmon}.5.1.1.5.{n}", 4, "monitor")
        r.add(f"{rmon}.5.1.1.6.{n}", 2, 1)
        r.add(f"{event}.1.{n}", 2, n)
        r.add(f"{event}.2.{n}", 4, description)
        r.add(f"{event}.3.{n}", 2, kind)
        r.add(f"{event}.4.{n}", 4, community)
        r.add(f"{event}.5.{n}", 67, sent)
    # The switch's SNMP communities, indexed by their names.
    for name in ("mirtle", "quenbor"):
        index = ".".join([str(len(name))] + [str(ord(c)) for c in name])
        r.add(f"{SETTINGS}.25.5.1.1.1.{index}", 4, name)
    return r.text(head(s, [
        "RMON and the SNMP community names.",
        "RMON (.47): .1.0 global state (1 enabled, 2 disabled); Ethernet statistics control (.2.1.1),",
        "history control (.3.1.1), alarm (.4.1.1) and event (.5.1.1) tables, whose status columns",
        "(.2.1.1.4, .3.1.1.6, .4.1.1.10, .5.1.1.6) keep the EntryStatus rules (korvel-sim README).",
        "Each valid row has its row in the standard RMON-MIB tables (1.3.6.1.2.1.16): etherStats",
        "counters, historyControlBucketsGranted, eventLastTimeSent. Community table (.25.5.1.1),",
        "index the name: .1 name.",
        "#@readonly 1.3.6.1.2.1.16",
        f"#@readonly {SETTINGS}.25.5"]))


def binding(s):
    r = Rows()
    root = f"{SETTINGS}.14.10"
    for p in s.ports:
        r.add(f"{root}.1.1.1.{p}", 2, p)
        r.add(f"{root}.1.1.2.{p}", 2, 0)
        r.add(f"{root}.1.1.3.{p}", 2, 0)
        r.add(f"{root}.1.1.4.{p}", 2, 0)
    office = s.office[0]
    host = f"192.168.{s.mac}.20"
    mac = [0, 0x11, 0x22, 0x33, 0x77, 1]
    arcs = ".".join(str(o) for o in mac)
    learned = f"{arcs}.{office}.4.{host}"
    r.add(f"{root}.2.1.1.{learned}", "4x", bytes(mac).hex())
    r.add(f"{root}.2.1.2.{learned}", 2, office)
    r.add(f"{root}.2.1.3.{learned}", 4, host)
    r.add(f"{root}.2.1.4.{learned}", 2, 10)
    r.add(f"{root}.2.1.5.{learned}", 2, 1)
    white = f"4.{host}.{arcs}"
    r.add(f"{root}.3.1.1.{white}", 4, host)
    r.add(f"{root}.3.1.2.{white}", "4x", bytes(mac).hex())
    r.add(f"{root}.3.1.3.{white}", 2, office)
    r.add(f"{root}.3.1.4.{white}", 2, 1)
    bad = [0, 0x11, 0x22, 0x33, 0x77, 0x66]
    black = ".".join(str(o) for o in bad) + f".10.{office}"
    r.add(f"{root}.4.1.1.{black}", "4x", bytes(bad).hex())
    r.add(f"{root}.4.1.2.{black}", 2, 10)
    r.add(f"{root}.4.1.3.{black}", 2, office)
    r.add(f"{root}.4.1.4.{black}", 4, f"192.168.{s.mac}.66")
    r.add(f"{root}.4.1.5.{black}", 2, 2)
    r.add(f"{root}.5.0", "4x", "00000000")
    r.add(f"{root}.6.0", "4x", "00000000")
    r.add(f"{root}.7.0", 2, 0)
    return r.text(head(s, [
        "IP-MAC-port binding (.14.10).",
        "Port settings (.1.1), index port: .1 port, .2 admin state, .3 also inspect IP, .4 DHCP snooping",
        f"(all 0: off). Learned entries (.2.1): {host} on office port {office}, VLAN 10, bound, which is",
        "also the white list's entry (.3.1, row status .4); the black list (.4.1) blocks .66 on the same",
        "port. Scan (.5.0 From, .6.0 To, .7.0 start): idle.",
        f"#@rowstatus {root}.3.1.4",
        f"#@template {root}.3.1.1|4|",
        f"#@template {root}.3.1.2|4x|000000000000",
        f"#@template {root}.3.1.3|2|0"]))


def igmp(s):
    r = Rows()
    for index, value in enumerate((1, 260, 260, 2, 1, 125, 10, 2), start=1):
        r.add(f"{SETTINGS}.10.1.{index}.0", 2, value)
    # Snooping on the default and office VLANs; the default VLAN's router
    # ports are trunk 1 whole.
    for vid in s.vlans:
        on = vid in (1, 10)
        r.add(f"{SETTINGS}.10.3.4.1.1.{vid}", 2, vid)
        r.add(f"{SETTINGS}.10.3.4.1.2.{vid}", 2, 1 if on else 2)
        r.add(f"{SETTINGS}.10.3.4.1.4.{vid}", 2, 1 if vid == 1 else 2)
        r.add(f"{SETTINGS}.10.3.4.1.6.{vid}", "4x", s.bitmap(s.uplinks if vid == 1 else []))
        r.add(f"{SETTINGS}.10.3.4.1.8.{vid}", 2, 1 if vid == 10 else 2)
    # Learned groups: two on office ports of VLAN 10, one on the default VLAN
    # whose last member has left.
    groups = ((10, (239, 1, 1, 1), s.office[1:3]), (10, (239, 255, 255, 250), s.office[:1]), (1, (239, 1, 1, 2), []))
    for vid, address, members in groups:
        index = f"{vid}." + ".".join(map(str, address))
        mac = "01005e" + bytes([address[1] & 0x7F, address[2], address[3]]).hex()
        r.add(f"{SETTINGS}.10.3.5.1.1.{index}", 2, vid)
        r.add(f"{SETTINGS}.10.3.5.1.2.{index}", "4x", bytes(address).hex())
        r.add(f"{SETTINGS}.10.3.5.1.3.{index}", "4x", mac)
        r.add(f"{SETTINGS}.10.3.5.1.4.{index}", "4x", s.bitmap(members))
    return r.text(head(s, [
        "IGMP snooping.",
        "Globals (.10.1, integers): .1.0 state (enabled), .2.0 router timeout, .3.0 host timeout,",
        ".4.0 robustness variable, .5.0 last member query interval, .6.0 query interval, .7.0 maximum",
        "response time (seconds), .8.0 report to all ports (2 off).",
        "Per-VLAN table (.10.3.4.1), index VLAN id, one row per static VLAN: .1 VLAN id, .2 snooping,",
        ".4 querier, .8 fast leave (1 enabled, 2 disabled), .6 static router ports (port bitmap):",
        f"snooping on VLANs 1 and 10, VLAN 1's router ports trunk 1 ({s.uplinks[0]} and {s.uplinks[1]}).",
        "Learned groups (.10.3.5.1), index VLAN id and group address: .1 VLAN id, .2 group address,",
        ".3 group MAC, .4 member ports (port bitmap); 239.1.1.2 of VLAN 1 has no member left.",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.10.3.4.1.1",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.10.3.5.1"]))


def mfilter(s):
    r = Rows()
    # The office VLAN filters unregistered groups; the others forward them.
    for vid in s.vlans:
        r.add(f"{SETTINGS}.7.8.1.1.{vid}", 2, vid)
        r.add(f"{SETTINGS}.7.8.1.2.{vid}", 2, 1 if vid == 10 else 0)
    return r.text(head(s, [
        "multicast filtering mode per VLAN.",
        "Table (.7.8.1), index VLAN id, one row per static VLAN: .1 VLAN id, .2 mode (0 forward",
        "unregistered groups, 1 filter them): VLAN 10 filters.",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.7.8.1.1"]))


LLDP = "1.0.8802.1.1.2.1"


def lldp(s):
    r = Rows()
    for index, value in enumerate((1, 4, 30, 2, 2), start=1):
        r.add(f"{SETTINGS}.24.{index}.0", 2, value)
    # The power TLV is sent on the first four ports.
    for p in s.ports:
        r.add(f"{SETTINGS}.24.7.1.2.{p}", 2, 1 if p <= 4 else 2)
    r.add(f"{LLDP}.3.1.0", 2, 4)
    r.add(f"{LLDP}.3.2.0", "4x", f"024b56{s.mac:02x}0000")
    r.add(f"{LLDP}.3.3.0", 4, s.name.lower().replace(" ", "-"))
    r.add(f"{LLDP}.3.4.0", 4, f"Korvel {s.name} {s.count}-Port Managed Switch")
    # Two neighbours behind port 5: a phone and the switch it hangs off.
    neighbours = ((1, "1a6e41000001", 7, "1", "phone port", "desk-phone-12", "Korvel IP Phone"),
                  (2, "024b56aa0000", 5, "port 3", "uplink to office", "office-switch", "Korvel Office Switch"))
    for remote, chassis, port_subtype, port_id, description, name, system in neighbours:
        index = f"300.5.{remote}"
        r.add(f"{LLDP}.4.1.1.4.{index}", 2, 4)
        r.add(f"{LLDP}.4.1.1.5.{index}", "4x", chassis)
        r.add(f"{LLDP}.4.1.1.6.{index}", 2, port_subtype)
        r.add(f"{LLDP}.4.1.1.7.{index}", 4, port_id)
        r.add(f"{LLDP}.4.1.1.8.{index}", 4, description)
        r.add(f"{LLDP}.4.1.1.9.{index}", 4, name)
        r.add(f"{LLDP}.4.1.1.10.{index}", 4, system)
    return r.text(head(s, [
        "LLDP.",
        "Global (.24, integers): .1.0 state (1 enabled, 2 disabled), .2.0 message TX hold multiplier,",
        ".3.0 message TX interval, .4.0 reinit delay, .5.0 TX delay (seconds). Power PSE TLV per port",
        "(.24.7.1.2, 1 enable, 2 disable): on ports 1-4.",
        "LLDP-MIB (1.0.8802.1.1.2.1): local chassis ID subtype (.3.1.0, 4 MAC address), chassis ID",
        "(.3.2.0), system name and description (.3.3.0, .3.4.0); remote systems table (.4.1.1),",
        "index time mark, local port, remote index, columns .4 to .10: two neighbours on port 5.",
        "#@readonly 1.0.8802.1.1.2.1"]))


DOT1X_STATS = "1.0.8802.1.1.1.1.2.2.1"
DOT1X_DIAG = "1.0.8802.1.1.1.1.2.3.1"


def dot1x_counters(s):
    """The 802.1X PAE authenticator counters of every port: ports with a link
    have exchanged EAPOL frames, the others have counted nothing."""
    r = Rows()
    for p in s.ports:
        up = s.link(p)[1]
        n = (p * 17) % 40 + 3 if up else 0
        stats = [n * 3, n * 3 + 2, n, n // 4, n, n * 2, n + 1, n * 2 + 1, p % 3, 0] if up else [0] * 10
        for c, v in enumerate(stats, start=1):
            r.add(f"{DOT1X_STATS}.{c}.{p}", 65, v)
        r.add(f"{DOT1X_STATS}.11.{p}", 66, 2 if up else 0)
        r.add(f"{DOT1X_STATS}.12.{p}", "4x", "000000000000")
        diag = [n + 1, 0, n, n - 1, 0, 1, n // 5, 0, 0, n // 3, 0, 0, n * 2, n, 0, n * 2, n - 1, 1] if up else [0] * 18
        for c, v in enumerate(diag, start=1):
            r.add(f"{DOT1X_DIAG}.{c}.{p}", 65, v)
    return r.text(head(s, [
        "802.1X PAE authenticator counters, index port.",
        f"Statistics ({DOT1X_STATS}): .1 to .10 EAPOL frame counters, .11 last EAPOL frame version,",
        ".12 last EAPOL frame source (none seen). Diagnostics (" + DOT1X_DIAG + "): .1 to .18 state-machine",
        "counters. Ports without a link have counted nothing.",
        f"#@readonly {DOT1X_STATS}",
        f"#@readonly {DOT1X_DIAG}"]))


def segmentation(s):
    r = Rows()
    r.add(f"{SETTINGS}.14.9.1.0", 2, 1)
    for p in s.ports:
        r.add(f"{SETTINGS}.14.9.2.1.1.{p}", 2, p)
        r.add(f"{SETTINGS}.14.9.2.1.2.{p}", "4x", s.bitmap(s.ports))
    return r.text(head(s, [
        "traffic segmentation.",
        "State (.14.9.1.0): enabled. Forwarding table (.14.9.2.1), index port: .1 port, .2 the ports",
        "it may forward to (port bitmap): every port to every port.",
        "#@readonly 1.3.6.1.4.1.32473.10.76.19.1.14.9.2.1.1"]))


def poe(s):
    r = Rows()
    ports = range(1, s.m["poe"] + 1)
    used = 0.0
    for p in ports:
        on = poe_status(p) == "POWER ON"
        watts = 3.0 + (p % 4) * 1.5 if on else 0.0
        used += watts
        user_defined = p == 4
        for column, kind, value in (
                (3, 2, 2 if p == 5 else 1),
                # Time profiles (time_profiles.snmprec): 1 office hours, 2 night.
                (4, 2, {6: 1, 7: 2}.get(p, 0)),
                (5, 2, 3 if p <= 2 else 2),
                (6, 2, 3 if p == 3 else 1),
                (7, 2, 1 if user_defined else 2),
                (8, 4, "15.4" if user_defined else "30.0"),
                (9, 4, f"{watts:.1f}"),
                (10, 4, "53.5" if on else "0.0"),
                (11, 4, f"{watts / 53.5 * 1000:.0f}" if on else "0"),
                (12, 4, f"Class {p % 4}" if on else "N/A")):
            r.add(f"{SETTINGS}.22.1.1.{column}.1.{p}", kind, value)
    if s.m["poe"]:
        budget = POE_POWER_LEFT + used
        r.add(f"{SETTINGS}.22.2.0", 4, "150.0")
        r.add(f"{SETTINGS}.22.3.0", 2, 2)
        r.add(f"{SETTINGS}.22.4.0", 4, f"{budget:.1f}")
        r.add(f"{SETTINGS}.22.5.0", 4, f"{used:.1f}")
        r.add(f"{SETTINGS}.22.7.0", 4, f"{round(used / budget * 100)}")
    return r.text(head(s, [
        "PoE ports and global settings (models with PoE ports; the others have none).",
        "Port table (.22.1.1), index 1.port: .3 state (1 enabled, 2 disabled), .4 time profile index (0 none),",
        ".5 priority (1 low, 2 normal, 3 high), .6 power limit class (1 auto, 2-5 class 1-4), .7 user-defined",
        "limit (1 yes, 2 by class), .8 the user-defined limit in watts, .9 power (W), .10 voltage (V), .11",
        "current (mA), .12 classification; the status (.13) is in system.snmprec. Global: .2.0 power threshold",
        "(W), .3.0 shut-off sequence (1 deny next port, 2 deny low priority port), .4.0 budget, .5.0 used,",
        ".7.0 percentage of system power supplied; power left (.6.0) is in system.snmprec.",
        *[f"#@readonly {SETTINGS}.22.1.1.{c}" for c in range(9, 13)],
        *[f"#@readonly {SETTINGS}.22.{c}.0" for c in (4, 5, 7)]]))


def fdb(s):
    """The forwarding database: two learned addresses behind every port with a
    link, in the database of the port's PVID; trunk members' neighbours in the
    voice VLAN too; the static addresses; the switch's own address."""
    r = Rows()
    add = r.add
    e = "1.3.6.1.2.1.17.7.1.2.2.1"
    add("1.3.6.1.2.1.17.4.2.0", 2, 300)

    def entry(fid, mac, port, status):
        add(f"{e}.2.{fid}.{mac}", 2, port)
        add(f"{e}.3.{fid}.{mac}", 2, status)

    for p in s.ports:
        admin, up, _ = s.link(p)
        if not (admin and up):
            continue
        for k in (1, 2):
            entry(s.pvid[p], f"2.75.88.{s.mac}.{p}.{k}", p, 3)
        if p in s.trunk_ports:
            entry(20, f"2.75.88.{s.mac}.{p}.3", p, 3)
    for fid, mac, port in s.static_macs:
        entry(fid, mac, port, 5)
    entry(1, f"2.75.86.{s.mac}.0.0", 0, 4)
    return r.text(head(s, [
        "the forwarding database (dot1qTpFdbTable: port .2, status .3, indexed by the",
        "filtering database and the MAC address) and the address ageing time.",
        "#@readonly 1.3.6.1.2.1.17.4.2",
        "#@readonly 1.3.6.1.2.1.17.7.1.2.2"]))

OLD_BRANCH = "1.3.6.1.4.1.32473.10.94.89.89"


def device(s):
    """The older branch's device objects: power supplies (one of every source
    code, and one the switch cannot mean), the port numbers and the CPU
    utilisation (which changes at every read, SwitchBehaviours.cpp)."""
    r = Rows()
    supplies = [("Main PSU", 1, 2), ("Backup PSU", 2, 5), ("DC input", 1, 3), ("RPS link", 3, 4),
                ("Legacy PSU", 2, 1), ("Probe PSU", 3, 9)]
    for i, (name, state, source) in enumerate(supplies, start=1):
        r.add(f"{OLD_BRANCH}.83.1.2.1.1.{i}", 2, i)
        r.add(f"{OLD_BRANCH}.83.1.2.1.2.{i}", 4, name)
        r.add(f"{OLD_BRANCH}.83.1.2.1.3.{i}", 2, state)
        r.add(f"{OLD_BRANCH}.83.1.2.1.4.{i}", 2, source)
    r.add(f"{OLD_BRANCH}.66.10.0", 2, 80)
    r.add(f"{OLD_BRANCH}.54.2.0", 2, s.count)
    r.add(f"{OLD_BRANCH}.54.5.0", 2, s.count - 2)
    r.add(f"{OLD_BRANCH}.54.7.0", 2, s.count)
    r.add(f"{OLD_BRANCH}.1.7.0", 2, 12)
    r.add(f"{OLD_BRANCH}.1.8.0", 2, 9)
    r.add(f"{OLD_BRANCH}.1.9.0", 2, 7)
    return r.text(head(s, [
        "Device objects of the older branch korvelEnterprise.10.94.89.89.",
        "Power supplies (.83.1.2.1), index supply: .1 index, .2 description, .3 state, .4 source (1 unknown,",
        "2 AC, 3 DC, 4 external, 5 internal redundant; 9 none of them). Web HTTP port (.66.10.0), number of",
        "ports (.54.2.0), user-defined port (.54.5.0), loopback port (.54.7.0). CPU utilisation (%) over",
        "1 s, 1 min, 5 min (.1.7.0 to .1.9.0), changing at every read.",
        f"#@readonly {OLD_BRANCH}.83.1.2",
        f"#@readonly {OLD_BRANCH}.1"]))


def local_relay(s):
    r = Rows()
    missing = 4000
    for vid in sorted(list(s.vlans) + [missing]):
        r.add(f"{SETTINGS}.29.2.1.1.{vid}", 2, vid)
        r.add(f"{SETTINGS}.29.2.1.2.{vid}", 2, 2)
    return r.text(head(s, [
        "DHCP local relay per VLAN; the global state is in dhcp_relay.snmprec.",
        "Local relay VLAN table (.29.2.1), index VLAN id: .1 VLAN id, .2 state (1 enabled,",
        f"2 disabled): every static VLAN disabled, and VLAN {missing}, which the VLAN table lacks."]))


def power_saving(s):
    r = Rows()
    ps = f"{SETTINGS}.31"
    last = s.count
    # Time profiles (time_profiles.snmprec): "Office hours" and "Night"; "None" for none.
    for kind, ports, state, first, second in (
            (1, range(1, 9), 1, "Office hours", "None"),
            (2, [last - 1, last], 1, "Night", "Office hours"),
            (3, [], 2, "None", "None")):
        r.add(f"{ps}.{kind}.1.0", "4x", s.bitmap(ports))
        r.add(f"{ps}.{kind}.2.0", 2, state)
        r.add(f"{ps}.{kind}.3.0", 4, first)
        r.add(f"{ps}.{kind}.4.0", 4, second)
    r.add(f"{ps}.4.1.0", 2, 2)
    r.add(f"{ps}.4.2.0", 4, "Night")
    r.add(f"{ps}.4.3.0", 4, "None")
    r.add(f"{ps}.6.0", 2, 1)
    return r.text(head(s, [
        "power saving. Kinds: .1 LED shut-off, .2 port shut-off, .3 port standby (.x.1.0 ports as a",
        "bitmap of the model's width, .x.2.0 state 1 enabled / 2 disabled, .x.3.0 and .x.4.0 time",
        "profile names, \"None\" for none), .4 system hibernation (.4.1.0 state, .4.2.0 and .4.3.0",
        "profiles); .6.0 link status detection (1 enabled, 2 disabled)."]))



# ARP table (ipNetToMediaTable) of the sample models.
def arp(s):
    """The switch's ARP table on its management interface (ifIndex 1001, as
    in mib2.snmprec): two hosts the forwarding database learned, one of the
    static MAC addresses, and a static entry whose physical address is 4
    bytes long."""
    r = Rows()
    e = "1.3.6.1.2.1.4.22.1"
    learned = [p for p in s.ports if all(s.link(p)[:2])][:2]
    entries = [("192.168.0.10", f"024b58{s.mac:02x}{learned[0]:02x}01", 3),
               ("192.168.0.20", f"024b58{s.mac:02x}{learned[1]:02x}01", 3),
               ("192.168.0.99", "0a000063", 4),
               ("192.168.0.254", "".join(f"{int(x):02x}" for x in s.static_macs[0][1].split(".")), 4)]
    for ip, mac, kind in entries:
        index = f"1001.{ip}"
        r.add(f"{e}.1.{index}", 2, 1001)
        r.add(f"{e}.2.{index}", "4x", mac)
        r.add(f"{e}.3.{index}", 64, ip)
        r.add(f"{e}.4.{index}", 2, kind)
    return r.text(head(s, [
        "the ARP table (ipNetToMediaTable, index interface and IP address): .1 interface, .2 physical",
        "address, .3 IP address, .4 type (3 dynamic, 4 static); one physical address of 4 bytes.",
        "#@readonly 1.3.6.1.2.1.4.22"]))

def web(s):
    """The older branch's web service table: a service of every state and
    protocol code (1 default, 2 disable / http, 3 enable / https); its UDP
    port, idle time-out and state are writable."""
    r = Rows()
    table = f"{OLD_BRANCH}.66.30.1"
    # The HTTP service's port is the web HTTP port of device.snmprec.
    services = [("HTTP", 3, 80, 8, 2, "", 300), ("HTTPS", 2, 443, 4, 3, "cert-01", 600),
                ("Web API", 1, 8080, 2, 1, "", 120)]
    for i, (name, state, port, users, protocol, certificate, idle) in enumerate(services, start=1):
        r.add(f"{table}.1.{i}", 2, i)
        r.add(f"{table}.2.{i}", 4, name)
        r.add(f"{table}.3.{i}", 2, state)
        r.add(f"{table}.4.{i}", 2, port)
        r.add(f"{table}.5.{i}", 2, users)
        r.add(f"{table}.6.{i}", 2, protocol)
        r.add(f"{table}.7.{i}", 4, certificate)
        r.add(f"{table}.8.{i}", 2, idle)
    return r.text(head(s, [
        "Web services of the older branch korvelEnterprise.10.94.89.89.",
        "Service table (.66.30.1), index service: .1 index, .2 name, .3 state (1 default, 2 disabled,",
        "3 enabled), .4 UDP port, .5 maximum users, .6 protocol (1 default, 2 HTTP, 3 HTTPS),",
        ".7 certificate id, .8 maximum idle time-out. Writable: .3, .4 and .8.",
        *[f"#@readonly {table}.{column}" for column in (1, 2, 5, 6, 7)]]))


# One line per feature: the file name in each model's folder and its writer.
FEATURES = [
    ("system.snmprec", system),
    ("ports.snmprec", ports),
    ("vlan.snmprec", vlan),
    ("trunk.snmprec", trunk),
    ("gvrp.snmprec", gvrp),
    ("surveillance.snmprec", surveillance),
    ("stp.snmprec", stp),
    ("dot1x.snmprec", dot1x),
    ("dot1x_counters.snmprec", dot1x_counters),
    ("multicast.snmprec", multicast),
    ("rmon.snmprec", rmon),
    ("loopback.snmprec", loopback),
    ("binding.snmprec", binding),
    ("igmp.snmprec", igmp),
    ("mfilter.snmprec", mfilter),
    ("lldp.snmprec", lldp),
    ("segmentation.snmprec", segmentation),
    ("poe.snmprec", poe),
    ("fdb.snmprec", fdb),
    ("device.snmprec", device),
    ("local_relay.snmprec", local_relay),
    ("power_saving.snmprec", power_saving),
    ("arp.snmprec", arp),
    ("web.snmprec", web),
]


def outputs():
    """{path: text} of every file this script writes."""
    files = {}
    for n, m in enumerate(MODELS_MODULE.MODELS, start=1):
        s = SwitchState(m, n)
        for name, write in FEATURES:
            files[HERE / s.name / name] = write(s)
    return files


def main(argv):
    files = outputs()
    if argv[1:] == ["--check"]:
        for path, text in sorted(files.items()):
            if not path.exists() or path.read_text() != text:
                print(f"{path.relative_to(REPO)} is not what {pathlib.Path(__file__).name} writes: "
                      "run python3 tools/korvel-sim/data/generate.py", file=sys.stderr)
                return 1
        for folder in sorted({path.parent for path in files}):
            for path in sorted(folder.glob("*.snmprec")):
                if path not in files:
                    print(f"{path.relative_to(REPO)} is not written by {pathlib.Path(__file__).name}", file=sys.stderr)
                    return 1
        return 0
    if argv[1:]:
        print("usage: generate.py [--check]", file=sys.stderr)
        return 2
    for path, text in files.items():
        path.parent.mkdir(exist_ok=True)
        path.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
