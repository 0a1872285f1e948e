// The add dialog of ARP spoofing prevention on the sample model's switch: its
// address and MAC checks, the port and trunk rules, the confirmation, the row
// write for each model, the duplicate rules, and a write the switch refuses.
#include "arp/ArpTestSupport.h"
#include "features/security/CAddARPEntry.h"
#include "resources/arp.h"

#include "platform/ui/CIPAddressCtrl.h"

namespace arp_test {

using namespace arptest;

namespace {

const std::string kConfirm = "Make sure the host IP and MAC exists or you will lose the connection.";

int Box(int port)
{
    return IDC_ARPADD_BOX_FIRST + port - 1;
}

void Fill(CWnd& d, std::array<BYTE, 4> ip, const std::string& mac, std::initializer_list<int> ports)
{
    Item<CIPAddressCtrl>(d, IDC_ARPADD_ADDRESS).SetAddress(ip[0], ip[1], ip[2], ip[3]);
    d.GetDlgItem(IDC_ARPADD_MAC)->SetWindowText(mac);
    for (int port = 1; port <= 28; ++port)
        if ((d.IsDlgButtonChecked(Box(port)) == BST_CHECKED) != (std::find(ports.begin(), ports.end(), port) != ports.end()))
            ClickButton(d, Box(port));
}

class ArpAddDialogTest : public ArpTest
{
protected:
    // Runs the dialog with the given rows as the list's; returns how it ended.
    INT_PTR Run(std::vector<ARP_entry_info> existing, const std::function<void(CAddARPEntry&)>& act)
    {
        CAddARPEntry dialog;
        dialog.SetExistingEntries(std::move(existing));
        return RunModal<CAddARPEntry>(dialog, [&](CAddARPEntry& d) {
            ASSERT_TRUE(Settled()); // the trunk walk has ended
            act(d);
        });
    }
};

} // namespace

TEST_F(ArpAddDialogTest, AddressAndMacChecksInTheirOrder)
{
    const std::string format = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const struct
    {
        std::array<BYTE, 4> ip;
        const char* mac;
        std::string message;
    } cases[] = {
        {{224, 0, 0, 1}, "00-1a-2b-3c-4d-5e", "Multicast IP is not allowed"},
        {{127, 0, 0, 1}, "00-1a-2b-3c-4d-5e", "Multicast IP is not allowed"},
        {{0, 0, 0, 0}, "zz", "Multicast IP is not allowed"},
        {{10, 0, 0, 9}, "00:1a:2b:3c:4d:5e", format},
        {{10, 0, 0, 9}, "001a2b3c4d5e", format},
        {{10, 0, 0, 9}, "00-00-00-00-00-00", format},
        {{10, 0, 0, 9}, "00-1a-2b-3c-4d-5g", format},
        {{10, 0, 0, 9}, "", format},
        {{10, 0, 0, 9}, "FF-FF-FF-FF-FF-FF", "Broadcast MAC is not allowed."},
        {{10, 0, 0, 9}, "ff-ff-ff-ff-ff-ff", "Broadcast MAC is not allowed."},
        {{10, 0, 0, 9}, "01-00-5e-00-00-01", "Multicast MAC address is not allowed."},
        // The MAC passes; no port is chosen.
        {{10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", "Invalid Port Number"},
    };
    StartPuffin();
    const std::size_t setsBefore = Requests("SET").size();
    const INT_PTR result = Run({}, [&](CAddARPEntry& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.mac);
            BoxRecorder boxes;
            Fill(d, c.ip, c.mac, {});
            ClickButton(d, IDC_ARPADD_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(d.GetDlgItem(IDC_ARPADD_MAC)->GetWindowText(), c.mac);
        }
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(SetsSince(setsBefore).empty());
}

TEST_F(ArpAddDialogTest, TrunkMembersGoTogetherAndCancellingTheConfirmationSendsNothing)
{
    StartPuffin();
    const std::size_t setsBefore = Requests("SET").size();
    Run({}, [&](CAddARPEntry& d) {
        {
            BoxRecorder boxes;
            Fill(d, {10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", {1, 27});
            ClickButton(d, IDC_ARPADD_APPLY);
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{"ARP Spoofing Prevention enabled port must match to the aggregated link port."});
        }
        BoxRecorder boxes(IDCANCEL);
        ClickButton(d, IDC_ARPADD_ALL_PORTS);
        EXPECT_TRUE(d.IsDlgButtonChecked(Box(5)) == BST_CHECKED);
        Fill(d, {10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", {1, 27, 28});
        ClickButton(d, IDC_ARPADD_APPLY);
        ASSERT_EQ(boxes.Calls().size(), 1U);
        EXPECT_EQ(boxes.Calls()[0].text, kConfirm);
        EXPECT_EQ(boxes.Calls()[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
    });
    EXPECT_TRUE(SetsSince(setsBefore).empty());
}

TEST_F(ArpAddDialogTest, WritesTheRowCreatedAsTheModelWantsThenActive)
{
    for (const auto& [model, create] : {std::pair<std::string, std::string>{"KSX-Puffin", "5"}, {"KVT-Pipit R1", "4"}}) {
        SCOPED_TRACE(model);
        StartPuffin();
        g_strModelName = model;
        const std::size_t setsBefore = Requests("SET").size();
        BoxRecorder boxes(IDOK);
        const INT_PTR result = Run({}, [&](CAddARPEntry& d) {
            Fill(d, {10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", {1, 2, 3, 5});
            ClickButton(d, IDC_ARPADD_APPLY);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kConfirm});
        const std::string a = "10.0.0.9";
        const std::string mac = Column(2, a) + "|4x|001a2b3c4d5e";
        EXPECT_EQ(SetsSince(setsBefore), (std::vector<std::vector<std::string>>{{Column(4, a) + "|2|" + create},
                                                                             {mac},
                                                                             {mac, Column(3, a) + "|4x|e8000000"},
                                                                             {Column(4, a) + "|2|1"}}));
        EXPECT_EQ(sim->Get(Column(4, a)), "1");
    }
    g_strModelName.clear();
}

TEST_F(ArpAddDialogTest, AnActiveEntryOfTheAddressIsRefusedAndAnInactiveOneReplaced)
{
    StartPuffin();
    AddRow("10.0.0.9", "5");
    const std::size_t setsBefore = Requests("SET").size();
    const std::vector<ARP_entry_info> active = {{"10.0.0.9", "00-1A-2B-3C-4D-5E", "1", "1"}};
    for (const auto& [mac, message] : {std::pair<std::string, std::string>{"00-1a-2b-3c-4d-5e", "Duplicate MAC and IP."},
                                       {"00-1a-2b-3c-4d-5f", "Duplicate IP."}}) {
        BoxRecorder boxes(IDOK);
        Run(active, [&](CAddARPEntry& d) {
            Fill(d, {10, 0, 0, 9}, mac, {1});
            ClickButton(d, IDC_ARPADD_APPLY);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{message});
    }
    EXPECT_TRUE(SetsSince(setsBefore).empty());

    BoxRecorder boxes(IDOK);
    const INT_PTR result = Run({{"10.0.0.9", "00-00-00-00-00-01", "1", "2"}}, [&](CAddARPEntry& d) {
        Fill(d, {10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", {1});
        ClickButton(d, IDC_ARPADD_APPLY);
    });
    EXPECT_EQ(result, IDOK);
    const auto sets = SetsSince(setsBefore);
    ASSERT_EQ(sets.size(), 5U);
    EXPECT_EQ(sets[0], std::vector<std::string>{Column(4, "10.0.0.9") + "|2|6"});
    EXPECT_EQ(sets[1], std::vector<std::string>{Column(4, "10.0.0.9") + "|2|5"});
    EXPECT_EQ(sim->Get(Column(4, "10.0.0.9")), "1");
}

TEST_F(ArpAddDialogTest, ARefusedMacSetLeavesNoRowAndTheDialogOpen)
{
    StartPuffin();
    ASSERT_TRUE(sim->RefuseNextSet(Column(2, "10.0.0.9"), 5));
    BoxRecorder boxes(IDOK);
    Run({}, [&](CAddARPEntry& d) {
        Fill(d, {10, 0, 0, 9}, "00-1a-2b-3c-4d-5e", {1});
        ClickButton(d, IDC_ARPADD_APPLY);
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
        EXPECT_EQ(d.GetDlgItem(IDC_ARPADD_MAC)->GetWindowText(), "00-1a-2b-3c-4d-5e");
    });
    ASSERT_EQ(boxes.Texts().size(), 2U);
    EXPECT_EQ(boxes.Texts()[0], kConfirm);
    EXPECT_EQ(boxes.Texts()[1],
              "Could not write the MAC address of the entry 10.0.0.9: the switch refused it (general error).");
    EXPECT_FALSE(sim->Has(Column(4, "10.0.0.9")));
}

TEST_F(ArpAddDialogTest, PortBoxesLieUnderPortsAndTheButtonsFrameAndWindowGrowAroundThem)
{
    for (const auto& [model, ports] : {std::pair<std::string, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartModelSwitch(model, ports);
        Run({}, [&, ports = ports](CAddARPEntry& d) {
            const auto rect = [&](int id) {
                CRect rc;
                d.GetDlgItem(id)->GetWindowRect(&rc);
                d.ScreenToClient(&rc);
                return rc;
            };
            CRect client;
            d.GetClientRect(&client);
            const CRect frame = rect(IDC_ARPADD_FRAME);
            const CRect last = rect(Box(ports));
            const CRect cancel = rect(IDC_ARPADD_CANCEL);
            EXPECT_EQ(cancel.right, last.right);
            EXPECT_EQ(cancel.top, last.bottom + 5);
            EXPECT_EQ(rect(IDC_ARPADD_APPLY).top, cancel.top);
            EXPECT_EQ(frame.bottom, cancel.bottom + 10);
            EXPECT_GE(frame.right, last.right);
            EXPECT_GE(client.right, frame.right);
            EXPECT_GE(client.bottom, frame.bottom);
            for (int port = 1; port <= ports; ++port) {
                const CRect box = rect(Box(port));
                EXPECT_EQ(rect(IDC_ARPADD_LABEL_FIRST + port - 1).left, box.left) << port;
                EXPECT_TRUE(box.right < frame.right && box.bottom < frame.bottom) << port;
            }
            if (ports == 52) {
                EXPECT_EQ(rect(Box(27)).top, rect(Box(1)).top + 40);
            }
        });
    }
}

} // namespace arp_test
