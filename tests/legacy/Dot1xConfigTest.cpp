// The legacy "802.1X Config Information" dialog on the simulated switch: the
// read, Apply's refusals (all before anything is sent), the timer bounds, the
// disabling SET, the key's length and the texts "&PortSet" hands over.
#include "features/security/Dot1xPortConfig.h"
#include "legacy/C8021Config.h"
#include "legacy/LegacyTestSupport.h"
#include "resources/dot1x.h"

#include <QKeyEvent>

#include <cstdio>

namespace legacy_test {

namespace {

// The read has ended and brought every value: Apply writes what it showed.
// (Apply alone comes back after a failed read too, to say why it refuses.)
bool WaitForDot1xRead(C8021Config& d)
{
    return Pump([&] { return d.SettingsRead() && Enabled(d, IDC_L8021X_APPLY) && Enabled(d, IDC_L8021X_REFRESH); },
                10000);
}

void TypeAddress(CWnd& d, const std::string& address)
{
    unsigned f[4] = {0, 0, 0, 0};
    std::sscanf(address.c_str(), "%u.%u.%u.%u", &f[0], &f[1], &f[2], &f[3]);
    static_cast<CIPAddressCtrl*>(d.GetDlgItem(IDC_L8021X_SERVER_IP))
        ->SetAddress(static_cast<BYTE>(f[0]), static_cast<BYTE>(f[1]), static_cast<BYTE>(f[2]), static_cast<BYTE>(f[3]));
}

class Dot1xConfigTest : public LegacyTest
{
};

} // namespace

TEST_F(Dot1xConfigTest, ShowsTheGlobalSettings)
{
    StartLegacySwitch();
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        EXPECT_EQ(d.GetWindowText(), "802.1X Config Information");
        EXPECT_TRUE(IsChecked(d, IDC_L8021X_ENABLE));
        BYTE f[4] = {};
        static_cast<CIPAddressCtrl*>(d.GetDlgItem(IDC_L8021X_SERVER_IP))->GetAddress(f[0], f[1], f[2], f[3]);
        EXPECT_EQ((std::vector<int>{f[0], f[1], f[2], f[3]}), (std::vector<int>{10, 1, 1, 1}));
        EXPECT_EQ(Text(d, IDC_L8021X_KEY), "secret");
        EXPECT_EQ(Text(d, IDC_L8021X_CONFIRM_KEY), "secret");
        const std::pair<int, const char*> timers[] = {{IDC_L8021X_QUIET_PERIOD, "60"}, {IDC_L8021X_TX_PERIOD, "30"},
                                                      {IDC_L8021X_SUPP_TIMEOUT, "31"}, {IDC_L8021X_SERVER_TIMEOUT, "32"},
                                                      {IDC_L8021X_MAX_REQ, "2"},       {IDC_L8021X_REAUTH_PERIOD, "3600"}};
        for (const auto& [id, value] : timers)
            EXPECT_EQ(Text(d, id), value) << id;
        EXPECT_EQ(ComboSelection(d, IDC_L8021X_REAUTH_ENABLED), "Disabled");
        EXPECT_TRUE(Enabled(d, IDC_L8021X_PORTSET));
        EXPECT_TRUE(Enabled(d, IDC_L8021X_KEY));
    });
}

TEST_F(Dot1xConfigTest, RefusesBadSettingsBeforeSendingAnything)
{
    struct Case
    {
        const char *address, *key, *confirm;
        int timer;                 // 0 for none
        const char* timerText;
        const char* message;
    };
    const Case cases[] = {
        {"0.0.0.0", "k", "k", 0, "", "Invalid RADIUS Server IP Address."},
        {"10.0.0.255", "k", "k", 0, "", "Invalid RADIUS Server IP Address."},
        {"255.1.1.1", "k", "k", 0, "", "Invalid RADIUS Server IP Address."},
        {"0.1.1.1", "k", "k", 0, "", "Invalid RADIUS Server IP Address."},
        {"10.1.1.1", "", "", 0, "", "Invalid Key."},
        {"10.1.1.1", "k", "j", 0, "", "Please confirm the key again !"},
        {"10.1.1.1", "k", "k", IDC_L8021X_QUIET_PERIOD, "65536", "Invalid QuietPeriod (0-65535)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_TX_PERIOD, "0", "Invalid TxPeriod (1-65535)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_SUPP_TIMEOUT, "x", "Invalid SuppTimeout (1-65535)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_SERVER_TIMEOUT, "65536", "Invalid ServerTimeout (1-65535)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_MAX_REQ, "11", "Invalid MaxReq (1-10)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_REAUTH_PERIOD, "4294967296", "Invalid ReAuthPeriod (1-4294967295)"},
        {"10.1.1.1", "k", "k", IDC_L8021X_REAUTH_PERIOD, "0", "Invalid ReAuthPeriod (1-4294967295)"},
    };
    StartLegacySwitch();
    BoxRecorder boxes;
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.message);
            TypeAddress(d, c.address);
            Type(d, IDC_L8021X_KEY, c.key);
            Type(d, IDC_L8021X_CONFIRM_KEY, c.confirm);
            if (c.timer != 0)
                Type(d, c.timer, c.timerText);
            const std::size_t before = boxes.Calls().size();
            ClickButton(d, IDC_L8021X_APPLY);
            ASSERT_EQ(boxes.Calls().size(), before + 1);
            EXPECT_EQ(boxes.Calls().back().text, c.message);
            if (c.timer != 0)
                Type(d, c.timer, "5");
        }
        EXPECT_TRUE(Sets().empty());
    });
}

TEST_F(Dot1xConfigTest, EnablingSendsAddressKeyStateAndTimers)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        TypeAddress(d, "10.2.3.4");
        Type(d, IDC_L8021X_KEY, "new-key");
        Type(d, IDC_L8021X_CONFIRM_KEY, "new-key");
        Type(d, IDC_L8021X_QUIET_PERIOD, "0");
        Type(d, IDC_L8021X_REAUTH_PERIOD, "4294967295");
        ChooseInCombo(d, IDC_L8021X_REAUTH_ENABLED, 0);
        ClickButton(d, IDC_L8021X_APPLY);
        const RequestList expected = {
            {Dot1xOid("1.1.0") + "|64|10.2.3.4", Dot1xOid("1.2.0") + "|4|new-key"},
            {Int(Dot1xOid("2.1.0"), "1")},
            {Int(Dot1xOid("2.2.0"), "0"), Int(Dot1xOid("2.3.0"), "30"), Int(Dot1xOid("2.4.0"), "31"),
             Int(Dot1xOid("2.5.0"), "32"), Int(Dot1xOid("2.6.0"), "2"), Dot1xOid("2.7.0") + "|66|4294967295",
             Int(Dot1xOid("2.8.0"), "1")},
        };
        EXPECT_EQ(Sets(), expected);
        EXPECT_EQ(sim->Get(Dot1xOid("2.7.0")), "4294967295");
        EXPECT_TRUE(boxes.Calls().empty());
        // One read after the writes, never between them: it shows what was
        // written, the choice made before Apply included.
        ASSERT_TRUE(WaitForDot1xRead(d));
        std::size_t reads = 0;
        for (const auto& request : Requests("GET"))
            reads += request.size() == C8021Config::kObjects.size() ? 1 : 0;
        EXPECT_EQ(reads, 2u) << "the read on opening and the one after the writes";
        EXPECT_EQ(ComboSelection(d, IDC_L8021X_REAUTH_ENABLED), "Enable");
        EXPECT_EQ(Text(d, IDC_L8021X_QUIET_PERIOD), "0");
    });
}

TEST_F(Dot1xConfigTest, DisablingWritesOnlyTheState)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        ClickButton(d, IDC_L8021X_ENABLE);
        EXPECT_FALSE(Enabled(d, IDC_L8021X_KEY));
        Type(d, IDC_L8021X_KEY, "");
        Type(d, IDC_L8021X_MAX_REQ, "99");
        ClickButton(d, IDC_L8021X_APPLY);
        EXPECT_EQ(Sets(), RequestList{{Int(Dot1xOid("2.1.0"), "2")}});
        EXPECT_EQ(sim->Get(Dot1xOid("2.1.0")), "2");
        EXPECT_TRUE(boxes.Calls().empty());
        // The re-read shows the switch's state.
        ASSERT_TRUE(WaitForDot1xRead(d));
        ASSERT_TRUE(Pump([&] { return !Enabled(d, IDC_L8021X_PORTSET); }));
    });
}

TEST_F(Dot1xConfigTest, CutsTheKeyAt33Characters)
{
    StartLegacySwitch();
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        const std::string key33(33, 'k');
        for (int id : {IDC_L8021X_KEY, IDC_L8021X_CONFIRM_KEY}) {
            Type(d, id, key33);
            CEdit& edit = Item<CEdit>(d, id);
            // A 34th character typed in the middle: the first 33 stay, the
            // caret where it was.
            edit.SetSel(10, 10);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, "y");
            QApplication::sendEvent(edit.GetWidget(), &press);
            EXPECT_EQ(Text(d, id), std::string(10, 'k') + "y" + std::string(22, 'k')) << id;
            int start = 0, end = 0;
            edit.GetSel(start, end);
            EXPECT_EQ(end, 11) << id;
        }
    });
}

TEST_F(Dot1xConfigTest, PortSetHandsOverTheSevenTexts)
{
    StartLegacySwitch();
    C8021Config dialog;
    std::vector<std::string> shown;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) {
        ASSERT_TRUE(WaitForDot1xRead(d));
        Type(d, IDC_L8021X_QUIET_PERIOD, "61");
        auto done = OnNextModal<Dot1xPortConfig>([&](Dot1xPortConfig& p) {
            ASSERT_TRUE(Pump([&] { return Rows(p, IDC_DOT1X_LIST) > 0; }, 10000));
            for (int column = 3; column <= 9; ++column)
                shown.push_back(Cell(p, IDC_DOT1X_LIST, 0, column));
        });
        ClickButton(d, IDC_L8021X_PORTSET);
        EXPECT_TRUE(*done);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"61", "30", "31", "32", "2", "3600", "Disabled"}));
}

TEST_F(Dot1xConfigTest, ClosesDuringTheRead)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(1500));
    C8021Config dialog;
    RunModal<C8021Config>(dialog, [&](C8021Config& d) { EXPECT_FALSE(Enabled(d, IDC_L8021X_APPLY)); });
    EXPECT_TRUE(Sets().empty());
}

} // namespace legacy_test
