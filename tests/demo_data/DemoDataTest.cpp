// What scripts/demo loads for each sample model (korvel-sim --model) is one
// switch: every object that two features read agrees with itself. Each rule
// names the first object that breaks it.
#include "tools/korvel-sim/MibStore.h"
#include "tools/korvel-sim/SimOptions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kModels[] = {"KSX-Bellis", "KSX-Puffin", "KVT-CorvidR2", "KSX-Alcor R2", "KVT-Pipit R1"};
const std::string kSettings = "1.3.6.1.4.1.32473.10.76.19.1.";
const std::string kIfEntry = "1.3.6.1.2.1.2.2.1.";

// Columns indexed by port: every port has a row, no other index does.
const char* const kPortColumns[] = {
    "1.13.1.1", "1.13.1.2", "1.13.1.3", "1.13.1.4", "1.13.1.5", "1.13.1.7", "1.16.1.1", "1.16.1.2",
    "7.7.1.1", "6.2.1.2", "6.2.1.4", "6.2.1.5", "6.2.1.14", "6.2.1.16", "6.2.1.17", "6.2.1.18",
    "12.3.1.1.2", "13.1.2.1.2", "13.1.2.1.3", "14.2.1.1.2", "17.5.1.2", "21.1.6.1.2", "23.2.1.1.9",
    "26.1.5.1.1", "26.1.5.1.2", "26.1.5.1.3", "30.5.1.1", "30.5.1.2", "30.5.1.3", "30.5.1.4", "30.5.1.5"};

// The per-port settings that members of one trunk group must share (the
// trunk member picker compares them), besides PVIDs and VLAN memberships.
const char* const kTrunkAlike[] = {"1.13.1.2",   "1.13.1.7",   "12.3.1.1.2", "13.1.2.1.2", "13.1.2.1.3",
                                   "14.2.1.1.2", "17.5.1.2",   "21.1.6.1.2", "23.2.1.1.9", "26.1.5.1.2",
                                   "26.1.5.1.3", "6.2.1.2",    "6.2.1.4",    "6.2.1.5",    "6.2.1.14",
                                   "6.2.1.16",   "6.2.1.17",   "6.2.1.18",   "30.5.1.3",   "30.5.1.4",
                                   "30.5.1.5"};

// Objects and table columns that hold port bitmaps.
const char* const kBitmaps[] = {"7.6.1.2", "7.6.1.3",   "7.6.1.4",  "8.1.3.1.2", "26.1.4.0",     "18.3.0",
                                "18.4.0",  "9.2.0",     "14.7.1.0", "14.3.1.1.3", "15.2.1.1.10"};

Oid ToOid(const std::string& text)
{
    Oid oid;
    EXPECT_TRUE(ParseOid(text, oid)) << text;
    return oid;
}

// The sample model's switch, loaded as korvel-sim --model loads it.
struct Switch
{
    std::string model;
    int ports = 0;
    MibStore store;

    const MibValue* Find(const std::string& oid) const
    {
        auto it = store.objects.find(ToOid(oid));
        return it == store.objects.end() ? nullptr : &it->second;
    }
    // The number an object holds; -1 when there is none.
    long long Number(const std::string& oid) const
    {
        const MibValue* v = Find(oid);
        return v == nullptr ? -1 : v->number;
    }
    long long Setting(const std::string& column, int index) const
    {
        return Number(kSettings + column + "." + std::to_string(index));
    }
    static bool Has(const std::string& bitmap, int port)
    {
        const size_t octet = static_cast<size_t>(port - 1) / 8;
        return octet < bitmap.size() && (static_cast<unsigned char>(bitmap[octet]) & (0x80 >> ((port - 1) % 8))) != 0;
    }
    // The rows of a table column: index (last arc) -> value.
    std::map<int, const MibValue*> Column(const std::string& column) const
    {
        std::map<int, const MibValue*> rows;
        const Oid prefix = ToOid(kSettings + column);
        for (auto it = store.objects.lower_bound(prefix); it != store.objects.end() && OidStartsWith(it->first, prefix);
             ++it)
            if (it->first.size() == prefix.size() + 1)
                rows[static_cast<int>(it->first.back())] = &it->second;
        return rows;
    }
};

int PortCount(const std::string& model)
{
    std::ifstream in(fs::path(KORVEL_SOURCE_DIR) / "resources" / "models" / model / "User.ini");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("DevicePortNum=", 0) == 0)
            return std::stoi(line.substr(14));
    return 0;
}

std::string DataFolder(const std::string& model)
{
    return (fs::path(KORVEL_SOURCE_DIR) / "tools" / "korvel-sim" / "data" / model).string();
}

bool Load(const std::string& model, Switch& sw)
{
    sw.model = model;
    sw.ports = PortCount(model);
    std::vector<std::string> files;
    std::string error;
    if (!SimOptions::ModelFiles(DataFolder(model), files, error)) {
        ADD_FAILURE() << error;
        return false;
    }
    for (const std::string& file : files)
        if (!sw.store.Load(file, error)) {
            ADD_FAILURE() << error;
            return false;
        }
    return sw.ports > 0;
}

using Rule = std::function<std::string(const Switch&)>;

std::string Named(const std::string& oid, const std::string& what)
{
    return oid + ": " + what;
}

// The panel's polled link states (ifOperStatus, ifAdminStatus, ifSpeed)
// against the port table's link status and speed setting.
std::string LinkStates(const Switch& sw)
{
    for (int p = 1; p <= sw.ports; ++p) {
        const std::string n = std::to_string(p);
        const long long oper = sw.Number(kIfEntry + "8." + n);
        const long long admin = sw.Number(kIfEntry + "7." + n);
        const long long speed = sw.Number(kIfEntry + "5." + n);
        const long long status = sw.Setting("1.13.1.3", p);
        const long long setting = sw.Setting("1.13.1.2", p);
        if ((oper == 1) != (status >= 2 && status <= 6))
            return Named(kSettings + "1.13.1.3." + n, "link status " + std::to_string(status) + ", ifOperStatus " +
                                                          std::to_string(oper));
        if ((admin == 2) != (setting == 7))
            return Named(kSettings + "1.13.1.2." + n, "speed setting " + std::to_string(setting) +
                                                          ", ifAdminStatus " + std::to_string(admin));
        const long long expected = status == 2 ? 1000000000 : status == 3 || status == 4 ? 100000000 : 10000000;
        if (oper == 1 && speed != expected)
            return Named(kIfEntry + "5." + n, "ifSpeed " + std::to_string(speed) + ", link status " +
                                                  std::to_string(status));
    }
    return {};
}

// Every column indexed by port has a row for each port and none past them.
std::string PortRows(const Switch& sw)
{
    for (const char* column : kPortColumns) {
        const auto rows = sw.Column(column);
        for (int p = 1; p <= sw.ports; ++p)
            if (rows.count(p) == 0)
                return Named(kSettings + column + "." + std::to_string(p), "missing");
        for (const auto& [index, value] : rows)
            if (index < 1 || index > sw.ports)
                return Named(kSettings + column + "." + std::to_string(index), "a row past the ports");
    }
    for (int p = 1; p <= sw.ports + 1; ++p) {
        const bool present = sw.Find(kIfEntry + "8." + std::to_string(p)) != nullptr;
        if (present != (p <= sw.ports))
            return Named(kIfEntry + "8." + std::to_string(p), present ? "an interface past the ports" : "missing");
    }
    return {};
}

// Port bitmaps are as long as the module writes them (4 octets up to 32
// ports, 8 beyond), so a value written back unchanged is the same value, and
// they hold no port past the ports.
std::string Bitmaps(const Switch& sw)
{
    const size_t octets = sw.ports <= 32 ? 4 : 8;
    for (const char* name : kBitmaps) {
        const Oid prefix = ToOid(kSettings + name);
        for (auto it = sw.store.objects.lower_bound(prefix);
             it != sw.store.objects.end() && OidStartsWith(it->first, prefix); ++it) {
            const std::string& bits = it->second.bytes;
            bool past = false;
            for (int p = sw.ports + 1; p <= static_cast<int>(bits.size()) * 8; ++p)
                past = past || Switch::Has(bits, p);
            if (bits.size() != octets || past)
                return Named(OidToText(it->first), std::to_string(bits.size()) + " octets for " +
                                                       std::to_string(sw.ports) + " ports" +
                                                       (past ? ", a port past them" : ""));
        }
    }
    return {};
}

// Each port's PVID is an active VLAN that carries the port untagged, and
// GVRP's PVID column is the PVID table.
std::string Pvids(const Switch& sw)
{
    const auto egress = sw.Column("7.6.1.2");
    const auto untagged = sw.Column("7.6.1.4");
    for (int p = 1; p <= sw.ports; ++p) {
        const std::string n = std::to_string(p);
        const long long pvid = sw.Setting("7.7.1.1", p);
        const int vid = static_cast<int>(pvid);
        if (sw.Setting("7.6.1.5", vid) != 1 || egress.count(vid) == 0 || untagged.count(vid) == 0 ||
            !Switch::Has(egress.at(vid)->bytes, p) || !Switch::Has(untagged.at(vid)->bytes, p))
            return Named(kSettings + "7.7.1.1." + n, "PVID " + std::to_string(pvid) +
                                                         ", a VLAN that does not carry the port untagged");
        if (sw.Setting("30.5.1.2", p) != pvid)
            return Named(kSettings + "30.5.1.2." + n, "GVRP's PVID " + std::to_string(sw.Setting("30.5.1.2", p)) +
                                                          ", the PVID table's " + std::to_string(pvid));
    }
    return {};
}

// The members of a trunk group share their PVID, their VLAN memberships
// and the port settings the trunk member picker compares.
std::string TrunkMembers(const Switch& sw)
{
    const auto vlans = sw.Column("7.6.1.2");
    const auto untagged = sw.Column("7.6.1.4");
    for (const auto& [group, members] : sw.Column("8.1.3.1.2")) {
        int first = 0;
        for (int p = 1; p <= sw.ports; ++p) {
            if (!Switch::Has(members->bytes, p))
                continue;
            if (first == 0) {
                first = p;
                continue;
            }
            const std::string n = std::to_string(p);
            const std::string than = " than port " + std::to_string(first) + " of trunk " + std::to_string(group);
            if (sw.Setting("7.7.1.1", p) != sw.Setting("7.7.1.1", first))
                return Named(kSettings + "7.7.1.1." + n, "another PVID" + than);
            for (const auto* column : {&vlans, &untagged})
                for (const auto& [vid, bits] : *column)
                    if (Switch::Has(bits->bytes, p) != Switch::Has(bits->bytes, first))
                        return Named(kSettings + (column == &vlans ? "7.6.1.2." : "7.6.1.4.") + std::to_string(vid),
                                     "port " + n + " is in it otherwise" + than);
            for (const char* column : kTrunkAlike)
                if (sw.Setting(column, p) != sw.Setting(column, first))
                    return Named(kSettings + column + "." + n, "another value" + than);
        }
    }
    return {};
}

// The surveillance VLAN is none of the static VLANs (its dialog would take
// one over), nor the voice VLAN; its uplink ports hold every trunk they touch
// whole, and they are the port table's static members.
std::string Surveillance(const Switch& sw)
{
    const std::string vidOid = kSettings + "26.1.2.0";
    const int vid = static_cast<int>(sw.Number(vidOid));
    if (vid < 2 || vid > 4094 || sw.Setting("7.6.1.5", vid) != -1)
        return Named(vidOid, "VLAN " + std::to_string(vid) + " is the default or a static VLAN");
    if (sw.Number(kSettings + "21.1.2.0") == 1 && sw.Number(kSettings + "21.1.3.0") == vid)
        return Named(vidOid, "VLAN " + std::to_string(vid) + " is the voice VLAN");
    const MibValue* uplinks = sw.Find(kSettings + "26.1.4.0");
    if (uplinks == nullptr)
        return Named(kSettings + "26.1.4.0", "missing");
    for (const auto& [group, members] : sw.Column("8.1.3.1.2"))
        for (int p = 1; p <= sw.ports; ++p)
            for (int q = 1; q <= sw.ports; ++q)
                if (Switch::Has(members->bytes, p) && Switch::Has(members->bytes, q) &&
                    Switch::Has(uplinks->bytes, p) && !Switch::Has(uplinks->bytes, q))
                    return Named(kSettings + "26.1.4.0", "port " + std::to_string(p) + " without port " +
                                                             std::to_string(q) + " of trunk " + std::to_string(group));
    for (int p = 1; p <= sw.ports; ++p)
        if ((sw.Setting("26.1.5.1.3", p) == 1) != Switch::Has(uplinks->bytes, p))
            return Named(kSettings + "26.1.5.1.3." + std::to_string(p), "membership against the uplink ports");
    return {};
}

const std::pair<const char*, Rule> kRules[] = {
    {"link states", LinkStates}, {"per-port rows", PortRows},     {"port bitmaps", Bitmaps},
    {"PVIDs", Pvids},            {"trunk members", TrunkMembers}, {"surveillance", Surveillance},
};

class DemoData : public testing::TestWithParam<const char*>
{};

TEST_P(DemoData, IsOneSwitch)
{
    Switch sw;
    ASSERT_TRUE(Load(GetParam(), sw));
    for (const auto& [name, rule] : kRules)
        EXPECT_EQ(rule(sw), "") << GetParam() << ", " << name;
}

INSTANTIATE_TEST_SUITE_P(SampleModels, DemoData, testing::ValuesIn(kModels),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// Each rule catches a switch that breaks it, and names the object.
TEST(DemoDataRules, NameTheFirstObjectThatBreaksThem)
{
    struct Case
    {
        const char* rule;
        const char* oid;
        MibValue value;
        const char* named;
    };
    const std::string s = kSettings;
    // KSX-Puffin: port 5 is disabled, port 2 links at 1000M full; trunk 1
    // holds ports 27 and 28, trunk 2 ports 25 and 26.
    const Case cases[] = {
        {"link states", "1.3.6.1.2.1.2.2.1.8.2", MibValue::Integer(2), "1.13.1.3.2:"},
        {"link states", "1.3.6.1.4.1.32473.10.76.19.1.1.13.1.2.5", MibValue::Integer(6), "1.13.1.2.5:"},
        {"link states", "1.3.6.1.2.1.2.2.1.5.2", MibValue::Integer(100000000), "1.3.6.1.2.1.2.2.1.5.2:"},
        {"per-port rows", "1.3.6.1.4.1.32473.10.76.19.1.7.7.1.1.29", MibValue::Integer(1), "7.7.1.1.29:"},
        {"port bitmaps", "1.3.6.1.4.1.32473.10.76.19.1.7.6.1.2.1", MibValue::Text("\xff\xff\xff\xff"), "7.6.1.2.1:"},
        {"PVIDs", "1.3.6.1.4.1.32473.10.76.19.1.30.5.1.2.3", MibValue::Integer(1), "30.5.1.2.3:"},
        {"PVIDs", "1.3.6.1.4.1.32473.10.76.19.1.7.7.1.1.12", MibValue::Integer(20), "7.7.1.1.12:"},
        {"trunk members", "1.3.6.1.4.1.32473.10.76.19.1.7.7.1.1.26", MibValue::Integer(20), "7.7.1.1.26:"},
        {"trunk members", "1.3.6.1.4.1.32473.10.76.19.1.12.3.1.1.2.28", MibValue::Integer(3), "12.3.1.1.2.28:"},
        {"surveillance", "1.3.6.1.4.1.32473.10.76.19.1.26.1.5.1.3.4", MibValue::Integer(1), "26.1.5.1.3.4:"},
        {"surveillance", "1.3.6.1.4.1.32473.10.76.19.1.26.1.2.0", MibValue::Integer(20), "26.1.2.0:"},
        {"surveillance", "1.3.6.1.4.1.32473.10.76.19.1.26.1.4.0", MibValue::Text(std::string("\0\0\0\x20", 4)),
         "26.1.4.0:"},
    };
    for (const Case& c : cases) {
        Switch sw;
        ASSERT_TRUE(Load("KSX-Puffin", sw));
        MibValue value = c.value;
        if (value.type == MibInteger && std::string(c.oid).rfind("1.3.6.1.2.1.2.2.1.5.", 0) == 0)
            value.type = MibGauge32;
        sw.store.objects[ToOid(c.oid)] = value;
        for (const auto& [name, rule] : kRules)
            if (std::string(name) == c.rule) {
                const std::string message = rule(sw);
                EXPECT_NE(message.find(c.named), std::string::npos) << c.oid << " -> " << message;
            }
    }
}

// Every data file of the demo keeps its objects in identifier order, which
// other tools of the format need to walk them through.
TEST(DemoDataFiles, AreInIdentifierOrder)
{
    const fs::path data = fs::path(KORVEL_SOURCE_DIR) / "tools" / "korvel-sim" / "data";
    int files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        if (entry.path().extension() != ".snmprec")
            continue;
        ++files;
        std::ifstream in(entry.path());
        Oid last;
        std::string lastText;
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#')
                continue;
            const std::string text = line.substr(0, line.find('|'));
            const Oid oid = ToOid(text);
            if (!lastText.empty() && !(last < oid)) {
                ADD_FAILURE() << entry.path().string() << ": " << text << " follows " << lastText;
                break;
            }
            last = oid;
            lastText = text;
        }
    }
    EXPECT_GT(files, 0);
}

} // namespace
