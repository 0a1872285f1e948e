// The VLAN add logic: its list helpers, the admission of a new VLAN id, the
// flags of a record, and its writes to the simulated switch.
#include "features/ports_vlans/CVlanAddLogic.h"
#include "vlan/VlanTestSupport.h"

namespace vlan_test {

using namespace vlantest;

namespace {

VLAN_entry_info Record(int vid, const std::string& egress, int egressCount, const std::string& untagged,
                       int untaggedCount)
{
    VLAN_entry_info record;
    record.nVid = vid;
    record.szEgressPorts = egress;
    record.nEgressCount = egressCount;
    record.szUntaggedPorts = untagged;
    record.nUntaggedCount = untaggedCount;
    return record;
}

} // namespace

TEST(VlanAddLogic, ListItemsAreComparedAsWholeTexts)
{
    struct Case
    {
        int port;
        std::string list;
        int notInList;
        std::string afterRemove;
    };
    const Case cases[] = {
        {5, "15,25", 1, "15,25"}, {5, "5,7,5", 0, "7"},   {5, "", 1, ""},        {7, "5,,7", 0, "5,"},
        {1, "1", 0, ""},          {2, "1,2,3", 0, "1,3"}, {12, "1,2", 1, "1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(CVlanAddLogic::IsNotInList(c.port, c.list), c.notInList);
        std::string list = c.list;
        EXPECT_EQ(CVlanAddLogic::RemoveFromList(c.port, list), 1);
        EXPECT_EQ(list, c.afterRemove);
    }
}

TEST(VlanAddLogic, AllUntaggedPortsJoinsEveryRecord)
{
    EXPECT_EQ(CVlanAddLogic::AllUntaggedPorts(nullptr), "");
    const VLAN_entry_list none;
    EXPECT_EQ(CVlanAddLogic::AllUntaggedPorts(&none), "");
    const VLAN_entry_list records = {Record(1, "1,2,3", 3, "1,2", 2), Record(10, "3", 1, "", 0),
                                     Record(20, "4,5", 2, "4,5", 2)};
    const std::string all = CVlanAddLogic::AllUntaggedPorts(&records);
    EXPECT_EQ(all, "1,2,,4,5");
    // The empty item of VLAN 10 matches no port.
    EXPECT_EQ(CVlanAddLogic::IsNotInList(3, all), 1);
    EXPECT_EQ(CVlanAddLogic::IsNotInList(4, all), 0);
}

TEST(VlanAddLogic, PortFlagsIgnorePortsOutsideTheArrays)
{
    g_nPortCount = 28;
    // Ports above the port count (a bitmap's last octet reports 29 to 32)
    // and malformed items name no entry; the counts limit what is read.
    VLAN_entry_info record = Record(10, "0,1,3,28,29,32,-4", 7, "3,28,40,2", 3);
    std::vector<int> egress(28, 0), untagged(28, 0), nonMember(28, 0), forbidden(28, 0);
    CVlanAddLogic::GetPortFlags(&record, &egress, &untagged, &nonMember, &forbidden);
    std::vector<int> expectEgress(28, 0), expectUntagged(28, 0), expectNonMember(28, 1);
    for (int p : {1, 3, 28}) {
        expectEgress[p - 1] = 1;
        expectNonMember[p - 1] = 0;
    }
    for (int p : {3, 28})
        expectUntagged[p - 1] = 1;
    EXPECT_EQ(egress, expectEgress);
    EXPECT_EQ(untagged, expectUntagged);
    EXPECT_EQ(nonMember, expectNonMember);
    EXPECT_EQ(forbidden, std::vector<int>(28, 0));

    // Shorter arrays than the record's ports, and a null argument.
    std::vector<int> small(2, 0), smallU(2, 0), smallN(2, 0), smallF(2, 0);
    CVlanAddLogic::GetPortFlags(&record, &small, &smallU, &smallN, &smallF);
    EXPECT_EQ(small, (std::vector<int>{1, 0}));
    EXPECT_EQ(smallN, (std::vector<int>{0, 1}));
    std::vector<int> untouched(28, 0);
    CVlanAddLogic::GetPortFlags(&record, &untouched, nullptr, &nonMember, &forbidden);
    EXPECT_EQ(untouched, std::vector<int>(28, 0));
}

TEST(VlanAddLogic, CheckVidRefusesOutOfRangeAndListedIds)
{
    EnsureApplication();
    BoxRecorder boxes;
    const VLAN_entry_list records = {Record(1, "", 0, "", 0), Record(10, "", 0, "", 0)};
    const std::string range = "Invalid VLAN ID, VLAN ID should be (2-4094) !";
    const std::string used = "The VLAN ID has been used, please input again !";
    struct Case
    {
        int vid;
        int result;
        std::string message;
    };
    const Case cases[] = {{1, 0, range}, {0, 0, range}, {4095, 0, range}, {-3, 0, range},
                          {10, 0, used}, {2, 1, ""},    {4094, 1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vid);
        const size_t before = boxes.Calls().size();
        EXPECT_EQ(CVlanAddLogic::CheckVid(&records, c.vid), c.result);
        const auto calls = boxes.Calls();
        if (c.message.empty()) {
            EXPECT_EQ(calls.size(), before);
        } else {
            ASSERT_EQ(calls.size(), before + 1);
            EXPECT_EQ(calls.back().text, c.message);
        }
    }
    EXPECT_EQ(CVlanAddLogic::FindVlan(&records, 10), &records[1]);
    EXPECT_EQ(CVlanAddLogic::FindVlan(&records, 11), nullptr);
    EXPECT_EQ(CVlanAddLogic::FindVlan(nullptr, 1), nullptr);
}

class VlanAddLogicWrites : public VlanTest
{
};

TEST_F(VlanAddLogicWrites, PortColumnsAreWrittenAsTheirMaskBytes)
{
    StartSwitch(Switch52(), 52);
    BoxRecorder boxes;
    CVlanAddLogic logic;
    ASSERT_EQ(logic.SetRowStatusBegin("150", true), 0);
    // 52 ports: 24 digits, 12 bytes.
    EXPECT_EQ(logic.SetPortColumn("fffffffffffff00000000000", "150", 1), 0);
    EXPECT_EQ(HexValue(VlanColumn(2, 150)), "fffffffffffff00000000000");
    // 28 ports: 16 digits, 8 bytes; an odd digit count drops the last digit.
    EXPECT_EQ(logic.SetPortColumn("800000100000000", "150", 0), 0);
    EXPECT_EQ(HexValue(VlanColumn(4, 150)), "80000010000000");
    EXPECT_EQ(logic.SetPortColumn("0000000000000000", "150", 2), 0);
    EXPECT_EQ(HexValue(VlanColumn(3, 150)), "0000000000000000");
    EXPECT_TRUE(boxes.Calls().empty());

    // A mask shorter than two digits sends nothing.
    const size_t sets = Requests("SET").size();
    EXPECT_EQ(logic.SetPortColumn("f", "150", 1), 1);
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, "Parameter Error !");
    EXPECT_EQ(Requests("SET").size(), sets);

    // A write the switch refuses is no success.
    ASSERT_TRUE(sim->RefuseNextSet(VlanColumn(2, 150), 5));
    EXPECT_NE(logic.SetPortColumn("ff", "150", 1), 0);
    // Creating a row that exists is refused too.
    EXPECT_NE(logic.SetRowStatusBegin("10", true), 0);
    logic.Close();
}

TEST_F(VlanAddLogicWrites, RowStatusBeforeAChangeAndTheNameAfterIt)
{
    StartSwitch(Switch28(), 28);
    CVlanAddLogic logic;
    // Editing VLAN 1 sends no row status; editing another sends "2"; adding "5".
    EXPECT_EQ(logic.SetRowStatusBegin("1", false), 0);
    EXPECT_TRUE(Requests("SET").empty());
    EXPECT_EQ(logic.SetRowStatusBegin("10", false), 0);
    EXPECT_EQ(sim->Get(VlanColumn(5, 10)), "2");
    EXPECT_EQ(logic.SetRowStatusBegin("300", true), 0);

    logic.SetNameAndActivate("300", "B\xC3\xBCro 3");
    EXPECT_EQ(sim->Get(VlanColumn(1, 300)), "B\xC3\xBCro 3");
    EXPECT_EQ(sim->Get(VlanColumn(5, 300)), "1");
    const std::vector<std::string> expected = {
        VlanColumn(5, 10) + "|2|2",
        VlanColumn(5, 300) + "|2|5",
        VlanColumn(1, 300) + "|4x|42c3bc726f2033",
        VlanColumn(5, 300) + "|2|1",
    };
    EXPECT_EQ(SetBindings(), expected);
    logic.Close();
}

} // namespace vlan_test
