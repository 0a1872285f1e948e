// The Port Mirroring dialog on the sample models' switches (28 ports: trunk 1
// holds ports 27 and 28, trunk 2 ports 25 and 26, the target is 24; 52 ports:
// trunk 1 holds 51 and 52, trunk 2 49 and 50, the target is 48): what a read
// shows, the boxes' rules, Apply's checks in their order and its SETs.
#include "features/layer2/CPortMirroringdlg.h"
#include "mirror/PortRowsCheck.h"
#include "support/FeatureDialogTest.h"
#include "resources/mirror.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/ui/CButton.h"

#include <string>
#include <vector>

namespace mirror_test {

namespace {

const std::string kMirror = "1.3.6.1.4.1.32473.10.76.19.1.18";
const std::string kState = kMirror + ".1.0";
const std::string kTarget = kMirror + ".2.0";
const std::string kRxPorts = kMirror + ".3.0";
const std::string kTxPorts = kMirror + ".4.0";
const std::string kTrunk1 = "1.3.6.1.4.1.32473.10.76.19.1.8.1.3.1.2.1";

const UINT kFirst[] = {IDC_MIRROR_TX_FIRST, IDC_MIRROR_RX_FIRST, IDC_MIRROR_BOTH_FIRST, IDC_MIRROR_NONE_FIRST};
enum Mode { TX, RX, BOTH, NONE };

int Box(Mode mode, int port)
{
    return static_cast<int>(kFirst[mode]) + port - 1;
}

// The one mode checked for the port, -1 when not exactly one is.
int ModeOf(CWnd& d, int port)
{
    int mode = -1;
    for (int m = TX; m <= NONE; ++m) {
        if (d.IsDlgButtonChecked(Box(static_cast<Mode>(m), port)) == BST_CHECKED) {
            if (mode != -1)
                return -1;
            mode = m;
        }
    }
    return mode;
}

bool PortEnabled(CWnd& d, int port)
{
    bool all = true;
    bool any = false;
    for (int m = TX; m <= NONE; ++m) {
        const bool on = Enabled(d, Box(static_cast<Mode>(m), port));
        all = all && on;
        any = any || on;
    }
    EXPECT_EQ(all, any) << "port " << port << ": its four boxes differ";
    return all;
}

// Every request the dialog started has been answered and handled.
bool Settled()
{
    return Pump([] { return CCommonSNMP::WaitForWorkers(0); }, 20000);
}

void SetMode(CWnd& d, int port, Mode mode)
{
    ClickButton(d, Box(mode, port));
}

std::string Bitmap(std::initializer_list<int> ports, int octets)
{
    std::string bytes(static_cast<size_t>(octets), '\0');
    for (int p : ports)
        bytes[static_cast<size_t>((p - 1) / 8)] = static_cast<char>(bytes[static_cast<size_t>((p - 1) / 8)] | (0x80 >> ((p - 1) % 8)));
    return bytes;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string Integer(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}
std::string Octets(const std::string& oid, const std::string& bytes)
{
    return oid + "|4x|" + Hex(bytes);
}

class MirroringDialogTest : public FeatureDialogTest
{
protected:
    void StartPuffin(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = KorvelSimulator::ModelArgs("KSX-Puffin");
        args.insert(args.end(), extra.begin(), extra.end());
        StartSwitch({}, 28, args);
    }
    void SetSwitch(const std::string& state, const std::string& target, const std::string& rx, const std::string& tx)
    {
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, state), 0);
        ASSERT_EQ(sim->Set(kTarget, SnmpValueInteger, target), 0);
        ASSERT_EQ(sim->Set(kRxPorts, SnmpValueOctetString, rx), 0);
        ASSERT_EQ(sim->Set(kTxPorts, SnmpValueOctetString, tx), 0);
    }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
    // The bindings of the last SET of both source sets.
    std::vector<std::string> LastSourceSets() const
    {
        const auto sets = Sets();
        for (auto it = sets.rbegin(); it != sets.rend(); ++it)
            if (it->size() == 2 && (*it)[0].rfind(kTxPorts, 0) == 0)
                return *it;
        return {};
    }
    std::size_t StateReads() const
    {
        std::size_t n = 0;
        for (const auto& request : Requests("GET"))
            n += !request.empty() && request[0] == kState + "|5|";
        return n;
    }
    // Runs the dialog on the switch, acting once its first reads have ended.
    void Run(const std::function<void(CPortMirroringdlg&)>& act)
    {
        CPortMirroringdlg dialog;
        RunModal<CPortMirroringdlg>(dialog, [&](CPortMirroringdlg& d) {
            ASSERT_TRUE(Settled());
            act(d);
        });
    }
};

} // namespace

TEST_F(MirroringDialogTest, ShowsTheReadStateWithOneModePerPortAndTheTargetsBoxesDisabled)
{
    StartPuffin();
    // RX ports 1 and 2, TX ports 2 and 3; the last octet also holds bits of
    // ports 29 to 32, which the switch does not have.
    std::string rx = Bitmap({1, 2}, 4);
    rx[3] = static_cast<char>(rx[3] | 0x0f);
    std::string tx = Bitmap({2, 3}, 4);
    tx[3] = static_cast<char>(tx[3] | 0x0f);
    SetSwitch("1", "0", rx, tx);
    Run([&](CPortMirroringdlg& d) {
        EXPECT_EQ(d.GetWindowText(), "PortMirroringConfiguration");
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_MIRROR_ENABLED) == BST_CHECKED);
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_MIRROR_DISABLED) == BST_CHECKED);
        // A target read as "0" is port 1.
        EXPECT_EQ(d.GetDlgItem(IDC_MIRROR_TARGET_PORT)->GetWindowText(), "1");
        EXPECT_TRUE(Enabled(d, IDC_MIRROR_TARGET_PORT));
        EXPECT_EQ(ModeOf(d, 1), RX);
        EXPECT_EQ(ModeOf(d, 2), BOTH);
        EXPECT_EQ(ModeOf(d, 3), TX);
        for (int port = 4; port <= 28; ++port)
            EXPECT_EQ(ModeOf(d, port), NONE) << port;
        EXPECT_FALSE(PortEnabled(d, 1));
        for (int port = 2; port <= 28; ++port)
            EXPECT_TRUE(PortEnabled(d, port)) << port;
        EXPECT_EQ(d.GetDlgItem(Box(TX, 29)), nullptr);
    });
}

TEST_F(MirroringDialogTest, MirroringOffDisablesTheTargetAndEveryBox)
{
    StartPuffin();
    Run([&](CPortMirroringdlg& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_MIRROR_DISABLED) == BST_CHECKED);
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_MIRROR_ENABLED) == BST_CHECKED);
        EXPECT_EQ(d.GetDlgItem(IDC_MIRROR_TARGET_PORT)->GetWindowText(), "24");
        EXPECT_FALSE(Enabled(d, IDC_MIRROR_TARGET_PORT));
        for (int port = 1; port <= 28; ++port)
            EXPECT_FALSE(PortEnabled(d, port)) << port;
        // "Enabled" gives back the target port and every box but the target's.
        ClickButton(d, IDC_MIRROR_ENABLED);
        EXPECT_TRUE(Enabled(d, IDC_MIRROR_TARGET_PORT));
        for (int port = 1; port <= 28; ++port)
            EXPECT_EQ(PortEnabled(d, port), port != 24) << port;
        ClickButton(d, IDC_MIRROR_DISABLED);
        EXPECT_FALSE(Enabled(d, IDC_MIRROR_TARGET_PORT));
        for (int port = 1; port <= 28; ++port)
            EXPECT_FALSE(PortEnabled(d, port)) << port;
    });
}

TEST_F(MirroringDialogTest, ABoxClickLeavesItsPortOneModeAndAllSkipsTheTargetButForNone)
{
    StartPuffin();
    SetSwitch("1", "24", Bitmap({5}, 4), Bitmap({5, 6}, 4));
    Run([&](CPortMirroringdlg& d) {
        ASSERT_EQ(ModeOf(d, 5), BOTH);
        ASSERT_EQ(ModeOf(d, 6), TX);
        // Whatever the port showed, and also the box already checked.
        const struct
        {
            int port;
            Mode mode;
        } clicks[] = {{5, TX}, {5, RX}, {6, NONE}, {6, BOTH}, {6, BOTH}, {7, RX}, {7, NONE}};
        for (const auto& click : clicks) {
            SetMode(d, click.port, click.mode);
            EXPECT_EQ(ModeOf(d, click.port), click.mode) << click.port << " " << click.mode;
        }
        SetMode(d, 24, RX); // the target's boxes are disabled: no change
        EXPECT_EQ(ModeOf(d, 24), NONE);

        for (int id : {IDC_MIRROR_ALL_TX, IDC_MIRROR_ALL_RX, IDC_MIRROR_ALL_BOTH}) {
            const Mode mode = id == IDC_MIRROR_ALL_TX ? TX : id == IDC_MIRROR_ALL_RX ? RX : BOTH;
            ClickButton(d, id);
            for (int port = 1; port <= 28; ++port)
                EXPECT_EQ(ModeOf(d, port), port == 24 ? NONE : mode) << id << " port " << port;
        }
        d.GetDlgItem(IDC_MIRROR_TARGET_PORT)->SetWindowText("3");
        SetMode(d, 24, TX);
        ClickButton(d, IDC_MIRROR_ALL_NONE);
        for (int port = 1; port <= 28; ++port)
            EXPECT_EQ(ModeOf(d, port), NONE) << port;
    });
}

TEST_F(MirroringDialogTest, ChoosingATargetDisablesItsBoxesAndSetsItNone)
{
    StartPuffin();
    SetSwitch("1", "24", Bitmap({}, 4), Bitmap({9}, 4));
    Run([&](CPortMirroringdlg& d) {
        ChooseInCombo(d, IDC_MIRROR_TARGET_PORT, 8); // port 9
        EXPECT_EQ(ComboSelection(d, IDC_MIRROR_TARGET_PORT), "9");
        EXPECT_EQ(ModeOf(d, 9), NONE);
        for (int port = 1; port <= 28; ++port)
            EXPECT_EQ(PortEnabled(d, port), port != 9) << port;
    });
}

TEST_F(MirroringDialogTest, ApplyWritesItsFixedSequenceOfSets)
{
    struct Case
    {
        const char* name;
        std::string model;
        int ports;
        std::string readState;
        bool enable;
        std::vector<std::vector<std::string>> sets;
    };
    const int octets28 = 4;
    const int octets52 = 8;
    const std::string none28 = Bitmap({}, octets28);
    const std::string none52 = Bitmap({}, octets52);
    const Case cases[] = {
        {"disabling writes the state alone", "KSX-Puffin", 28, "1", false, {{Integer(kState, "2")}}},
        {"enabling while on clears both sets first", "KSX-Puffin", 28, "1", true,
         {{Octets(kTxPorts, none28), Octets(kRxPorts, none28)},
          {Integer(kTarget, "24")},
          {Octets(kTxPorts, Bitmap({1, 3}, octets28)), Octets(kRxPorts, Bitmap({2, 3}, octets28))},
          {Integer(kState, "1")}}},
        {"enabling while off", "KSX-Puffin", 28, "2", true,
         {{Integer(kTarget, "24")},
          {Octets(kTxPorts, Bitmap({1, 3}, octets28)), Octets(kRxPorts, Bitmap({2, 3}, octets28))},
          {Integer(kState, "1")}}},
        {"enabling on 52 ports", "KSX-Alcor R2", 52, "2", true,
         {{Integer(kTarget, "48")},
          {Octets(kTxPorts, Bitmap({1, 3}, octets52)), Octets(kRxPorts, Bitmap({2, 3}, octets52))},
          {Integer(kState, "1")}}},
        {"disabling on 52 ports", "KSX-Alcor R2", 52, "2", false, {{Integer(kState, "2")}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartSwitch({}, c.ports, KorvelSimulator::ModelArgs(c.model));
        const int n = c.ports == 28 ? octets28 : octets52;
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.readState), 0);
        ASSERT_EQ(sim->Set(kRxPorts, SnmpValueOctetString, Bitmap({7}, n)), 0);
        const std::size_t setsBefore = Sets().size();
        BoxRecorder boxes;
        Run([&](CPortMirroringdlg& d) {
            ClickButton(d, c.enable ? IDC_MIRROR_ENABLED : IDC_MIRROR_DISABLED);
            if (c.enable) {
                ClickButton(d, IDC_MIRROR_ALL_NONE);
                SetMode(d, 1, TX);
                SetMode(d, 2, RX);
                SetMode(d, 3, BOTH);
            }
            const std::size_t reads = StateReads();
            ClickButton(d, IDC_MIRROR_APPLY);
            ASSERT_TRUE(Settled());
            EXPECT_EQ(StateReads(), reads + 1); // read again after writing
            if (c.enable) {
                EXPECT_EQ(ModeOf(d, 1), TX);
                EXPECT_EQ(ModeOf(d, 3), BOTH);
                EXPECT_EQ(ModeOf(d, 7), NONE);
            }
        });
        EXPECT_TRUE(boxes.Calls().empty());
        auto sets = Sets();
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
        EXPECT_EQ(sets, c.sets);
        EXPECT_EQ(sim->Get(kState), c.enable ? "1" : "2");
    }
}

TEST_F(MirroringDialogTest, ApplyRefusesInTheOrderOfItsChecksAndWritesNothing)
{
    const std::string trunkTarget = "Target Port is Trunking Port!";
    const std::string noSource = "Must at least select one source port.";
    const std::string splitTrunk =
        "Must select whole ports of the aggregated link with the same Sniffer Mode to source port.";
    const std::string badTarget = "Target Port must be a port number from 1 to 28.";
    struct Case
    {
        const char* name;
        std::string target;
        std::vector<std::pair<int, Mode>> modes; // after "All" of None
        std::string message;
        bool readsAgain;
    };
    const Case cases[] = {
        {"a trunk member as target, before the source checks", "27", {}, trunkTarget, false},
        {"a target beyond the ports", "29", {{1, TX}}, badTarget, false},
        {"a target that is no number", "x1", {{1, TX}}, badTarget, false},
        {"port 0 as target", "0", {{1, TX}}, badTarget, false},
        {"no source port", "24", {}, noSource, true},
        {"trunk members with different modes", "24", {{27, TX}, {28, BOTH}}, splitTrunk, true},
        {"one trunk member a source, the other not", "24", {{25, RX}}, splitTrunk, true},
    };
    StartPuffin();
    SetSwitch("1", "24", Bitmap({}, 4), Bitmap({1}, 4));
    const std::size_t setsBefore = Sets().size();
    Run([&](CPortMirroringdlg& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ClickButton(d, IDC_MIRROR_ALL_NONE);
            for (const auto& [port, mode] : c.modes)
                SetMode(d, port, mode);
            d.GetDlgItem(IDC_MIRROR_TARGET_PORT)->SetWindowText(c.target);
            const std::size_t reads = StateReads();
            BoxRecorder boxes;
            ClickButton(d, IDC_MIRROR_APPLY);
            ASSERT_TRUE(Settled());
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(StateReads(), reads + (c.readsAgain ? 1 : 0));
        }
    });
    EXPECT_EQ(Sets().size(), setsBefore);
}

TEST_F(MirroringDialogTest, TrunkMembersOfOneModePassAndAPortThatLeftItsTrunkIsJudgedAlone)
{
    StartPuffin();
    SetSwitch("2", "24", Bitmap({}, 4), Bitmap({}, 4));
    Run([&](CPortMirroringdlg& d) {
        const auto apply = [&](std::vector<std::pair<int, Mode>> modes) {
            ClickButton(d, IDC_MIRROR_ENABLED);
            ClickButton(d, IDC_MIRROR_ALL_NONE);
            for (const auto& [port, mode] : modes)
                SetMode(d, port, mode);
            BoxRecorder boxes;
            ClickButton(d, IDC_MIRROR_APPLY);
            EXPECT_TRUE(Settled());
            return boxes.Texts();
        };
        // Trunk 1 (27, 28) both RX, trunk 2 (25, 26) both None, 1 alone TX.
        EXPECT_TRUE(apply({{27, RX}, {28, RX}, {1, TX}}).empty());
        EXPECT_EQ(LastSourceSets(), (std::vector<std::string>{Octets(kTxPorts, Bitmap({1}, 4)),
                                                             Octets(kRxPorts, Bitmap({27, 28}, 4))}));

        // Port 27 leaves trunk 1: after a refresh it is no member any more.
        EXPECT_EQ(apply({{27, TX}, {28, RX}}).size(), 1U);
        ASSERT_EQ(sim->Set(kTrunk1, SnmpValueOctetString, Bitmap({28}, 4)), 0);
        ClickButton(d, IDC_MIRROR_REFRESH);
        ASSERT_TRUE(Settled());
        const std::size_t setsBefore = Sets().size();
        EXPECT_TRUE(apply({{27, TX}, {28, RX}}).empty());
        EXPECT_EQ(Sets().size(), setsBefore + 4);
        EXPECT_EQ(LastSourceSets(), (std::vector<std::string>{Octets(kTxPorts, Bitmap({27}, 4)),
                                                             Octets(kRxPorts, Bitmap({28}, 4))}));
    });
}

TEST_F(MirroringDialogTest, ApplyAfterAFailedReadWritesNothing)
{
    StartPuffin({"--data", std::string(KORVEL_SOURCE_DIR) + "/tests/mirror/fixtures/mirror-no-state.snmprec"});
    BoxRecorder boxes;
    Run([&](CPortMirroringdlg& d) {
        // Nothing was read: neither state is checked, and every box is on.
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_MIRROR_ENABLED) == BST_CHECKED);
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_MIRROR_DISABLED) == BST_CHECKED);
        ClickButton(d, IDC_MIRROR_APPLY);
        ASSERT_TRUE(Settled());
        ClickButton(d, IDC_MIRROR_ENABLED);
        SetMode(d, 2, TX);
        ClickButton(d, IDC_MIRROR_APPLY);
        ASSERT_TRUE(Settled());
    });
    // The failed read is said when the dialog opens, each Apply refuses.
    const std::string refusal = "The port mirroring settings could not be read from the switch. Press Refresh and try again.";
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"The port mirroring settings could not be read from the switch.",
                                                      refusal, refusal}));
    EXPECT_TRUE(Sets().empty());
}

TEST_F(MirroringDialogTest, PortRowsFitTheirFrameAndOn52PortsTxSitsUnderThePortNumbersInTwoLines)
{
    for (const auto& [model, ports] : {std::pair<std::string, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartSwitch({}, ports, KorvelSimulator::ModelArgs(model));
        Run([&](CPortMirroringdlg& d) {
            const auto rect = [&](int id) {
                CRect rc;
                d.GetDlgItem(id)->GetWindowRect(&rc);
                d.ScreenToClient(&rc);
                return rc;
            };
            const CRect frame = rect(IDC_MIRROR_SOURCE_GROUP);
            for (int port = 1; port <= ports; ++port) {
                for (int id : {IDC_MIRROR_PORT_LABEL_FIRST + port - 1, Box(TX, port), Box(NONE, port)}) {
                    const CRect rc = rect(id);
                    EXPECT_TRUE(rc.left > frame.left && rc.right < frame.right && rc.bottom < frame.bottom) << id;
                }
            }
            portrows::ExpectClearPortRows(d, ports, IDC_MIRROR_PORT_LABEL_FIRST,
                                          {UINT(Box(TX, 1)), UINT(Box(RX, 1)), UINT(Box(BOTH, 1)), UINT(Box(NONE, 1))},
                                          frame);
            // Close ends where the None row ends.
            EXPECT_EQ(rect(IDC_MIRROR_CLOSE).right, rect(Box(NONE, ports <= 28 ? ports : ports / 2)).right);
            if (ports <= 28)
                return;
            const CRect label1 = rect(IDC_MIRROR_PORT_LABEL_FIRST);
            const CRect tx1 = rect(Box(TX, 1));
            EXPECT_EQ(tx1.left, label1.left);
            EXPECT_EQ(tx1.top, label1.bottom);
            for (Mode mode : {TX, RX, BOTH, NONE}) {
                // Ports 1..26 on the first line, 27..52 on the second, under them.
                EXPECT_EQ(rect(Box(mode, 26)).top, rect(Box(mode, 1)).top) << mode;
                EXPECT_EQ(rect(Box(mode, 27)).left, rect(Box(mode, 1)).left) << mode;
                EXPECT_GT(rect(Box(mode, 27)).top, rect(Box(mode, 1)).bottom) << mode;
            }
        });
    }
}

TEST_F(MirroringDialogTest, ClosingWhileTheReadsRunDropsTheirReplies)
{
    StartPuffin();
    ASSERT_TRUE(sim->SetReplyDelay(300));
    CPortMirroringdlg dialog;
    RunModal<CPortMirroringdlg>(dialog, [&](CPortMirroringdlg& d) { d.EndDialog(IDCANCEL); });
    EXPECT_TRUE(Settled());
    EXPECT_FALSE(IsWindow(dialog.GetSafeHwnd()));
}

} // namespace mirror_test
