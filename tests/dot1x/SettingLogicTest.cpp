// The 802.1X settings logic on the simulated switch: the texts each walk maps
// its values to, the passwords and keys it never keeps, how a walk ends
// (once, also for an empty table; a failed walk keeps the last rows), and the
// 802.1X state read.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/C8021XSettingLogic.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

// The owner window: counts the ends the logic sends.
class OwnerWindow : public CWnd
{
public:
    OwnerWindow() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~OwnerWindow() override { DestroyWindow(); }

    int finished = 0;
    int stale = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WALK_FINISHED)
            ++finished;
        else if (message == WM_WALK_STALE)
            ++stale;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class SettingLogicTest : public Dot1xTest
{
protected:
    // Runs one walk to its end; false when none came.
    bool Walk(OwnerWindow& owner, const std::function<void()>& start, int timeoutMs = 20000)
    {
        const int before = owner.finished;
        start();
        return Pump([&] { return owner.finished > before; }, timeoutMs);
    }
};

const X8021_statistics_info* PortRow(const std::vector<X8021_statistics_info>& rows, int port)
{
    for (const auto& row : rows) {
        if (row.nPort == port)
            return &row;
    }
    return nullptr;
}

} // namespace

TEST_F(SettingLogicTest, PortRowsMapEachValueToItsText)
{
    struct Case
    {
        int port, column;
        std::string value;
        std::string X8021_statistics_info::*field;
        std::string expected;
    };
    using R = X8021_statistics_info;
    const Case cases[] = {
        {1, 9, "0", &R::strPortControl, ""},
        {2, 9, "4", &R::strPortControl, ""},
        {3, 9, "1", &R::strPortControl, "Force UnAhthorized"},
        {4, 9, "2", &R::strPortControl, "Auto"},
        {5, 10, "3", &R::strCapability, ""},
        {6, 10, "1", &R::strCapability, "Authenticator"},
        // A value outside its set is unknown, never a definite state.
        {7, 11, "5", &R::strAdmDirection, ""},
        {11, 11, "1", &R::strAdmDirection, "In"},
        {8, 8, "0", &R::strReAuth, ""},
        {9, 8, "1", &R::strReAuth, "Enabled"},
    };
    StartDot1xSwitch();
    for (const Case& c : cases)
        ASSERT_EQ(sim->Set(PortOid(c.column, c.port), SnmpValueInteger, c.value), 0);
    ASSERT_EQ(sim->Set(PortOid(2, 10), SnmpValueInteger, "7"), 0);
    ASSERT_EQ(sim->Set(PortOid(6, 10), SnmpValueInteger, "11"), 0);

    OwnerWindow owner;
    C8021XSettingLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(Walk(owner, [&] { logic.StartPortWalk(); }));
    const auto rows = logic.GetPortList();
    ASSERT_EQ(rows.size(), 28U);
    for (const Case& c : cases) {
        SCOPED_TRACE("port " + std::to_string(c.port) + " column " + std::to_string(c.column) + " = " + c.value);
        const R* row = PortRow(rows, c.port);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->*c.field, c.expected);
    }
    // An untouched port, every field; and each number at its own field.
    const R& row = *PortRow(rows, 28);
    EXPECT_EQ(row.strAdmDirection, "Both");
    EXPECT_EQ(row.strOperDirection, "BOTH");
    EXPECT_EQ(row.strPortControl, "Force Authorized");
    EXPECT_EQ(row.strPortStatus, "Authorized");
    EXPECT_EQ(row.strReAuth, "Disabled");
    EXPECT_EQ(row.strCapability, "None");
    EXPECT_EQ(std::vector<int>({row.nTxPeriod, row.nQuietPeriod, row.nSuppTimeout, row.nServerTimeout, row.nMaxReq,
                                row.nReAuthPeriod}),
              std::vector<int>({30, 60, 30, 30, 2, 3600}));
    EXPECT_EQ(PortRow(rows, 10)->nQuietPeriod, 7);
    EXPECT_EQ(PortRow(rows, 10)->nTxPeriod, 11);
    EXPECT_EQ(owner.finished, 1);
    EXPECT_EQ(owner.stale, 0);
}

TEST_F(SettingLogicTest, RadiusRowsShowTheirAddressByTypeAndNeverTheKey)
{
    StartDot1xSwitch();
    OwnerWindow owner;
    C8021XSettingLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(Walk(owner, [&] { logic.StartRadiusWalk(); }));
    const auto rows = logic.GetRadiusList();
    ASSERT_EQ(rows.size(), 4U);
    struct Expected
    {
        int index, type;
        std::string address;
        int rowStatus;
    };
    const Expected expected[] = {
        {1, 1, "192.168.0.1", 1}, {2, 2, "2001:db8::1", 1}, {3, 3, "0A000001", 1}, {4, 1, "10.0.0.2", 2}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].nIndex, expected[i].index);
        EXPECT_EQ(rows[i].nAddressType, expected[i].type);
        EXPECT_EQ(rows[i].strAddress, expected[i].address);
        EXPECT_EQ(rows[i].strColumn4, "col4");
        EXPECT_EQ(rows[i].nAuthPort, 1812);
        EXPECT_EQ(rows[i].nAcctPort, 1813);
        EXPECT_EQ(rows[i].nTimeout, 5);
        EXPECT_EQ(rows[i].nRetransmit, 2);
        EXPECT_EQ(rows[i].strKey, "*****");
        EXPECT_EQ(rows[i].nRowStatus, expected[i].rowStatus);
    }

    ASSERT_TRUE(Walk(owner, [&] { logic.StartUserWalk(); }));
    const auto users = logic.GetUserList();
    ASSERT_EQ(users.size(), 2U);
    EXPECT_EQ(users[0].strUserName, "abc");
    EXPECT_EQ(users[0].nRowStatus, 1);
    EXPECT_EQ(users[1].strUserName, "Guest");
    EXPECT_EQ(users[1].nRowStatus, 2);
    for (const auto& user : users)
        EXPECT_EQ(user.strPassword, "*****");
    EXPECT_EQ(owner.finished, 2);
}

TEST_F(SettingLogicTest, AnEmptyTableEndsOnceAndAFailedWalkKeepsTheLastRows)
{
    StartDot1xSwitch({FixtureData("dot1x-empty-radius.snmprec")});
    OwnerWindow owner;
    C8021XSettingLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(Walk(owner, [&] { logic.StartRadiusWalk(); }));
    ASSERT_TRUE(WaitForQuiet());
    EXPECT_EQ(owner.finished, 1);
    EXPECT_TRUE(logic.GetRadiusList().empty());

    ASSERT_TRUE(Walk(owner, [&] { logic.StartUserWalk(); }));
    ASSERT_EQ(logic.GetUserList().size(), 2U);
    // The switch goes quiet: the walk fails, and the list keeps its rows.
    ASSERT_TRUE(sim->SilenceFor(6000));
    ASSERT_TRUE(Walk(owner, [&] { logic.StartUserWalk(); }, 30000));
    EXPECT_EQ(logic.GetUserList().size(), 2U);
    EXPECT_EQ(owner.stale, 0);
}

TEST_F(SettingLogicTest, TheStateReadKeepsItsLastValueWhenAGetFails)
{
    StartDot1xSwitch();
    C8021XSettingLogic logic;
    EXPECT_EQ(logic.GetGlobalValue(0), 0);
    EXPECT_TRUE(logic.GetAuthState());
    EXPECT_EQ(logic.GetGlobalValue(0), 1);
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    EXPECT_TRUE(logic.GetAuthState());
    EXPECT_EQ(logic.GetGlobalValue(0), 2);
    ASSERT_TRUE(sim->SilenceFor(5000));
    EXPECT_FALSE(logic.GetAuthState());
    EXPECT_EQ(logic.GetGlobalValue(0), 2);
}

// Each row is placed by its own index: a row lacking its port column is still
// its port's, a hole is unknown (never 0), and RADIUS rows whose index is no
// server index are skipped whatever their index column claims.
TEST_F(SettingLogicTest, HostileRowsArePlacedByTheirOwnIndex)
{
    StartDot1xSwitch({FixtureData("dot1x-hostile.snmprec")});
    OwnerWindow owner;
    C8021XSettingLogic logic;
    ASSERT_TRUE(logic.SetHwnd(owner.GetSafeHwnd()));
    ASSERT_TRUE(Walk(owner, [&] { logic.StartPortWalk(); }));
    const auto ports = logic.GetPortList();
    ASSERT_EQ(ports.size(), 28U);
    ASSERT_NE(PortRow(ports, 3), nullptr);
    EXPECT_EQ(PortRow(ports, 3)->nSuppTimeout, 30);
    EXPECT_EQ(PortRow(ports, 5)->nSuppTimeout, -1);
    EXPECT_EQ(PortRow(ports, 5)->nQuietPeriod, 60);

    ASSERT_TRUE(Walk(owner, [&] { logic.StartRadiusWalk(); }));
    std::vector<int> indexes;
    for (const auto& row : logic.GetRadiusList())
        indexes.push_back(row.nIndex);
    EXPECT_EQ(indexes, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(logic.LastWalkComplete());
}

} // namespace dot1x_test
