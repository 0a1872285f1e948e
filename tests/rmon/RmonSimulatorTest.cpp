// The simulated switch's RMON tables: what each EntryStatus write does to a
// missing, an underCreation and a valid row, column writes, and the standard
// rows that follow valid ones.
#include "rmon/RmonTestSupport.h"

namespace rmon_test {

using namespace rmontest;

namespace {

class RmonSimulatorTest : public RmonTest
{
};

} // namespace

TEST_F(RmonSimulatorTest, EntryStatusWrites)
{
    StartRmonSwitch();
    // SNMPv1 error statuses: 2 noSuchName, 3 badValue, 4 readOnly.
    struct Case
    {
        std::string oid;
        int type;
        std::string value;
        int status;
        std::string after; // the status column afterwards ("<none>": no row)
    };
    const std::string ether = kEthernetEntry;
    const Case cases[] = {
        {Cell(ether, 4, 30), SnmpValueInteger, "1", 3, "<none>"},        // valid needs a row
        {Cell(ether, 4, 30), SnmpValueInteger, "3", 3, "<none>"},        // underCreation is the switch's
        {Cell(ether, 3, 30), SnmpValueOctetString, "x", 2, "<none>"},    // no column without a row
        {Cell(ether, 4, 30), SnmpValueInteger, "2", 0, "3"},             // createRequest
        {Cell(ether, 2, 30), SnmpValueInteger, "5", 3, "3"},             // a data source is an identifier
        {Cell(ether, 2, 30), SnmpValueObjectId, kIfIndex + ".9", 0, "3"},
        {Cell(ether, 1, 30), SnmpValueInteger, "31", 4, "3"},            // the index column
        {Cell(ether, 4, 30), SnmpValueInteger, "2", 3, "3"},             // not twice
        {Cell(ether, 4, 30), SnmpValueInteger, "1", 0, "1"},
        {Cell(ether, 4, 30), SnmpValueInteger, "4", 0, "<none>"},
        {Cell(ether, 4, 30), SnmpValueInteger, "4", 0, "<none>"},        // nothing left to remove
        {Cell(ether, 4, 1), SnmpValueInteger, "7", 3, "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sim->Set(c.oid, c.type, c.value), c.status) << c.oid << " = " << c.value;
        const std::string status = c.oid.substr(0, ether.size()) + ".4" + c.oid.substr(c.oid.rfind('.'));
        EXPECT_EQ(sim->Get(status), c.after) << c.oid << " = " << c.value;
    }
}

TEST_F(RmonSimulatorTest, StandardRowsFollowValidRowsAndRecreateIsAControl)
{
    StartRmonSwitch();
    const std::string status = Cell(kEthernetEntry, 4, 30);
    ASSERT_EQ(sim->Set(status, SnmpValueInteger, "2"), 0);
    EXPECT_EQ(sim->Get(Cell(kEthernetEntry, 1, 30)), "30");
    EXPECT_EQ(sim->Get(Cell(kEthernetEntry, 3, 30)), "");
    ASSERT_EQ(sim->Set(Cell(kEthernetEntry, 2, 30), SnmpValueObjectId, kIfIndex + ".9"), 0);
    EXPECT_FALSE(sim->Has("1.3.6.1.2.1.16.1.1.1.4.30"));
    ASSERT_EQ(sim->Set(status, SnmpValueInteger, "1"), 0);
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.1.1.1.2.30"), kIfIndex + ".9");
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.1.1.1.4.30"), "3000000030");

    // createRequest on a valid row, once the control allows it: back to
    // underCreation, the columns kept, the standard row gone.
    ASSERT_EQ(sim->Set(kSimEntryRecreate, SnmpValueInteger, "1"), 0);
    ASSERT_EQ(sim->Set(status, SnmpValueInteger, "2"), 0);
    EXPECT_EQ(sim->Get(status), "3");
    EXPECT_EQ(sim->Get(Cell(kEthernetEntry, 2, 30)), kIfIndex + ".9");
    EXPECT_FALSE(sim->Has("1.3.6.1.2.1.16.1.1.1.4.30"));

    // A history row's granted buckets are the requested ones, at most 50.
    const std::string history = Cell(kHistoryEntry, 6, 30);
    ASSERT_EQ(sim->Set(history, SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim->Set(Cell(kHistoryEntry, 3, 30), SnmpValueInteger, "20"), 0);
    ASSERT_EQ(sim->Set(history, SnmpValueInteger, "1"), 0);
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.2.1.1.4.30"), "20");
    ASSERT_EQ(sim->Set(history, SnmpValueInteger, "4"), 0);
    EXPECT_FALSE(sim->Has("1.3.6.1.2.1.16.2.1.1.4.30"));
    EXPECT_FALSE(sim->Has(Cell(kHistoryEntry, 3, 30)));
}

} // namespace rmon_test
