// The admission rules of the trunk member picker, one simulator state each:
// every rule refuses its case with its message and writes nothing; the cases
// that pass write the members and the channel mode in one SET.
#include "trunk/TrunkPickerSupport.h"

#include "common/CUtils.h"
#include "features/ports_vlans/CTrunkValid.h"

#include <gtest/gtest.h>

namespace trunk_test {

namespace {

struct SimChange
{
    std::string oid; // below korvelEnterprise.10.76.19.1
    int type;
    std::string value; // hexadecimal octets for octet strings
};

struct AdmissionCase
{
    const char* name;
    std::vector<SimChange> changes;
    std::string trunk;
    std::string members; // the trunk's current members
    std::vector<int> ports;
    const char* message; // null: every rule passes
};

SimChange Int(const std::string& oid, int value)
{
    return {oid, SnmpValueInteger, std::to_string(value)};
}
SimChange Ports(const std::string& oid, const std::string& hex)
{
    return {oid, SnmpValueOctetString, hex};
}

const AdmissionCase kCases[] = {
    // 1: other trunks. The edited trunk's own members pass.
    {"PortOfAnotherTrunk", {}, "3", "", {1, 27}, "Cannot add the port as it is a member of another aggregated link !"},
    {"OwnMembersPass", {}, "1", "27,28", {27, 28}, nullptr},
    // 2: speed and duplex, agreeing from the first port that has a value.
    {"HalfDuplex",
     {Int("1.13.1.2.1", 3)},
     "3",
     "",
     {1, 2},
     "Cannot add a port in half-duplex mode to an aggregated link."},
    {"DifferentSpeed",
     {Int("1.13.1.2.2", 1)},
     "3",
     "",
     {1, 2},
     "Cannot add ports of different speed to an aggregated link."},
    {"SpeedFromFirstKnownPort", {Int("1.13.1.2.1", 0), Int("1.13.1.2.2", 1)}, "3", "", {1, 2}, nullptr},
    // 3: DHCP server screening.
    {"DhcpScreening",
     {Ports("14.7.1.0", "80000000")},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."},
    // 4: 802.1X port control while 802.1X is on.
    {"Dot1xAuto",
     {Int("23.2.1.1.9.2", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add the 802.1X-enabled port to an aggregated link."},
    {"Dot1xForceUnauthorized", {Int("23.2.1.1.9.2", 1)}, "3", "", {1, 2}, "Setting the Channel Mode Fail."},
    {"Dot1xOff", {Int("11.2.1.0", 2), Int("23.2.1.1.9.2", 2)}, "3", "", {1, 2}, nullptr},
    // 5: VLAN membership, egress and untagged.
    {"UntaggedInOneVlan",
     {Ports("7.6.1.4.1", "7f0ffff0")},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different VLAN configurations to an aggregated link !"},
    {"EgressInOneVlan",
     {Ports("7.6.1.2.2", "40ff0000")},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different VLAN configurations to an aggregated link !"},
    // 6: MAC auto-learning.
    {"AutoLearnOff",
     {Ports("9.2.0", "bffffff0")},
     "3",
     "",
     {1, 2},
     "Cannot add a Auto-learn disabled port to an aggregated link."},
    {"AutoLearnNowhere",
     {Ports("9.2.0", "00000000")},
     "3",
     "",
     {1, 2},
     "Cannot add a Auto-learn disabled port to an aggregated link."},
    // 7: port settings.
    {"PriorityFromFirstKnownPort", {Int("12.3.1.1.2.2", 3)}, "3", "", {1, 2}, nullptr},
    {"DifferentPriority",
     {Int("12.3.1.1.2.1", 3)},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different 802.1p default priorities to an aggregated link."},
    {"DifferentPvid",
     {Int("7.7.1.1.2", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different PVIDs to an aggregated link."},
    {"PortSecurity",
     {Int("14.2.1.1.2.1", 1)},
     "3",
     "",
     {1, 2},
     "Cannot add a port-security anabled port to an aggregated link."},
    {"LoopbackDetection",
     {Int("17.5.1.2.2", 1)},
     "3",
     "",
     {1, 2},
     "Cannot add a LBD-enabled port to an aggregated link."},
    // 8, 9: mirroring sources and target.
    {"MirrorSource",
     {Ports("18.4.0", "80000000")},
     "3",
     "",
     {1, 2},
     "Cannot add ports of Port Mirror enable ports to an aggregated link."},
    {"MirrorTarget",
     {Int("18.1.0", 1), Int("18.2.0", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add a mirror port to an aggregated link."},
    {"MirrorTargetWhileMirroringOff", {Int("18.2.0", 2)}, "3", "", {1, 2}, nullptr},
    // 10: ARP spoofing prevention.
    {"ArpSpoofing",
     {Ports("14.3.1.1.3.1", "80000c00")},
     "3",
     "",
     {1, 2},
     "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."},
    // 11: rate control.
    {"RateControl",
     {Int("13.1.2.1.3.2", 1000)},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different rate control configurations to an aggregated link."},
    // 12: spanning tree while it is on.
    {"SpanningTreePathCost",
     {Int("6.2.1.5.2", 20000)},
     "3",
     "",
     {1, 2},
     "Cannot add a port with different RSTP port setting to an aggregated link. "},
    {"SpanningTreeOff", {Int("6.1.1.0", 2), Int("6.2.1.5.2", 20000)}, "3", "", {1, 2}, nullptr},
    // 13: voice VLAN auto mode, whatever the surveillance VLAN.
    {"VoiceVlanAuto",
     {Int("26.1.1.0", 2), Int("21.1.6.1.2.1", 1)},
     "3",
     "",
     {1, 2},
     "Cannot add a port in Voice Vlan Auto mode to an aggregated link."},
    // 14: static MAC entries.
    {"StaticMacEntry",
     {Int("9.3.1.3.1.0.17.34.51.102.1", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."},
    // 15: ACLs.
    {"Acl",
     {Ports("15.2.1.1.10.1", "8000f000")},
     "3",
     "",
     {1, 2},
     "Cannot add an ACL enabled port to an aggregated link."},
    // 16: surveillance VLAN while it is on; auto detection is judged first.
    {"SurveillanceDynamicOnAnEarlierPort",
     {Int("26.1.5.1.2.2", 1), Int("26.1.5.1.3.1", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
    {"SurveillanceAutoDetectionFirst",
     {Int("26.1.5.1.2.1", 1), Int("26.1.5.1.3.1", 2)},
     "3",
     "",
     {1, 2},
     "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
    {"SurveillanceOff", {Int("26.1.1.0", 2), Int("26.1.5.1.2.1", 1)}, "3", "", {1, 2}, nullptr},
    // Up to eight ports pass when they agree.
    {"EightAgreeingPorts", {}, "4", "", {1, 2, 3, 4, 5, 6, 7, 8}, nullptr},
};

void PrintTo(const AdmissionCase& c, std::ostream* os)
{
    *os << c.name;
}

class AdmissionRules : public ::testing::TestWithParam<AdmissionCase>
{
};

} // namespace

TEST_P(AdmissionRules, RefuseWithTheirMessageOrWriteMembersAndModeInOneSet)
{
    const AdmissionCase& c = GetParam();
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    for (const SimChange& change : c.changes) {
        const std::string value = change.type == SnmpValueOctetString ? Octets(change.value) : change.value;
        ASSERT_EQ(sim.Set(SwitchOid(change.oid), change.type, value), 0) << change.oid;
    }
    UseSwitch(sim);
    SetWatch writes(sim);

    BoxRecorder boxes;
    PickerRun run(c.trunk, "LACP", c.members);
    run.Tick(c.ports);
    run.PressOk();

    const auto sets = writes.Sets();
    if (c.message) {
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(run.Ended());
        EXPECT_TRUE(sets.empty());
        EXPECT_EQ(run.picker->m_strMemberMask, "");
        for (int port : c.ports)
            EXPECT_TRUE(run.IsTicked(port)) << "port " << port;
        return;
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    EXPECT_TRUE(run.Ended());
    std::vector<int> flags(28, 0);
    for (int port : c.ports)
        flags[static_cast<size_t>(port - 1)] = 1;
    std::string mask;
    CUtils::PortFlagsToHex(flags, mask);
    CUtils::PadHexPortMask(mask);
    EXPECT_EQ(run.picker->m_strMemberMask, mask);
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(sets.back(), (std::vector<std::string>{SwitchOid("8.1.3.1.2." + c.trunk) + "|4x|" + mask,
                                                     SwitchOid("8.1.3.1.3." + c.trunk) + "|2|1"}));
}

INSTANTIATE_TEST_SUITE_P(Trunk, AdmissionRules, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<AdmissionCase>& info) { return info.param.name; });

TEST(AdmissionRules, StaticMacEntriesBeyondThePortCountStillCount)
{
    // Thirty static entries; only the last one is on a picked port.
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData(), TestData("static-mac-30.snmprec")});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim);
    BoxRecorder boxes;
    PickerRun run("3", "LACP", "");
    run.Tick({1, 2});
    run.PressOk();
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Cannot add ports with different FDB-destination-hit configurations to an "
                                       "aggregated link."});
    EXPECT_FALSE(run.Ended());
}

TEST(AdmissionRules, OkWaitsForEveryReadAndJudgesTheCompleteData)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    // Slow replies: port 8's PVID arrives well after the picker has opened.
    ASSERT_EQ(sim.Set(SwitchOid("7.7.1.1.8"), SnmpValueInteger, "2"), 0);
    UseSwitch(sim);
    ASSERT_TRUE(sim.SetReplyDelay(30));
    BoxRecorder boxes;
    PickerRun run("3", "LACP", "");
    run.Tick({1, 8});
    run.PressOk();
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Cannot add ports with different PVIDs to an aggregated link."});
    EXPECT_FALSE(run.Ended());
}

TEST(AdmissionRules, AnObjectTheSwitchLacksIsAnAnswerASilentSwitchIsNot)
{
    const std::string impossible =
        "Cannot check the ports for an aggregated link: the port settings could not be read from the switch.";
    struct Case
    {
        const char* name;
        std::vector<std::string> files;
        bool silent;
        bool formed; // the trunk was written and the picker closed
    };
    const Case cases[] = {
        // noSuchName for the surveillance VLAN objects (in the GET of the
        // global states and in their walk) and for DHCP server screening:
        // their rules do not apply.
        {"WithoutSurveillanceAndScreening",
         {KorvelSimulator::BaseData(), TrunkData(), TestData("trunk-without-surveillance.snmprec")},
         false,
         true},
        {"Silent", {KorvelSimulator::BaseData(), TrunkData()}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KorvelSimulator sim(c.files);
        ASSERT_TRUE(sim.Running());
        UseSwitch(sim);
        if (c.silent) {
            ASSERT_TRUE(sim.SilenceFor(60000));
        }
        SetWatch writes(sim);
        BoxRecorder boxes;
        PickerRun run("3", "LACP", "");
        run.Tick({1, 2});
        run.PressOk();
        EXPECT_EQ(boxes.Texts(), c.formed ? std::vector<std::string>{} : std::vector<std::string>{impossible});
        EXPECT_EQ(run.Ended(), c.formed);
        EXPECT_EQ(writes.Sets().size(), c.formed ? 1U : 0U);
        if (c.formed) {
            std::vector<int> flags(28, 0);
            flags[0] = flags[1] = 1;
            std::string mask;
            CUtils::PortFlagsToHex(flags, mask);
            CUtils::PadHexPortMask(mask);
            EXPECT_EQ(run.picker->m_strMemberMask, mask);
        }
    }
}

TEST(AdmissionRules, WithoutItsDataTheReaderJudgesNothing)
{
    // Init never ran (as after "TrunkValid Init Error !"): no check, no write.
    EnsureApplication();
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim);
    BoxRecorder boxes;
    CTrunkValid reader;
    std::vector<int> selected(28, 0);
    selected[0] = selected[1] = 1;
    reader.SetSelection(&selected, "");
    EXPECT_FALSE(reader.CheckTrunkMembers());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Cannot check the ports for an aggregated link: the port "
                                                        "settings could not be read from the switch."});
}

} // namespace trunk_test
