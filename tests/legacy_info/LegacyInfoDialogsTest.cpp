// The trunk, VLAN and RMON control dialogs of the older branch on the
// simulated switch: what they show, what their OK writes, and nothing sent
// over SNMPv3.
#include "legacy/CRmonControlDlg.h"
#include "legacy/CTrunkInfoDlg.h"
#include "legacy/CVlanInfoDlg.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CButton.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"

namespace legacy_info_test {

using namespace legacytest;

namespace {

const std::string kBranch = KorvelOid("10.94.89.89");

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/legacy_info/fixtures/" + name;
}

bool Checked(CWnd& d, int id)
{
    return static_cast<CButton*>(d.GetDlgItem(id))->GetCheck() == BST_CHECKED;
}

class LegacyInfoTest : public LegacyTest
{
protected:
    std::vector<std::string> messages;
    void SetUp() override
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            messages.push_back(call.text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook(nullptr);
        LegacyTest::TearDown();
    }
    std::size_t Sets() const { return Requests("SET").size(); }
};

} // namespace

TEST(LegacyInfoWordsTest, TrunkAndVlanWords)
{
    const std::pair<const char*, const char*> support[] = {
        {"0", "notSupported"}, {"1", "supportsTrunkOrLacp"}, {"2", "supportsTrunkOrLacp"}};
    for (const auto& [value, word] : support)
        EXPECT_EQ(CTrunkInfoDlg::CreationSupportWord(value), word) << value;
    const std::pair<const char*, const char*> yesNo[] = {{"1", "Yes"}, {"2", "No"}, {"0", "No"}, {"", "No"}};
    for (const auto& [value, word] : yesNo)
        EXPECT_EQ(CVlanInfoDlg::YesNoWord(value), word) << value;
}

TEST_F(LegacyInfoTest, TrunkShowsItsScalarsAndOkWritesNothing)
{
    StartLegacySwitch({Fixture("no-trunk-creation.snmprec")});
    CTrunkInfoDlg dialog;
    RunModal<CTrunkInfoDlg>(dialog, [&](CTrunkInfoDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return !Text(d, IDC_INFO_EDIT_1314).empty(); }, 10000));
        EXPECT_EQ(d.GetWindowText(), "Trunk Information");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1310), "1");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1312), "8");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1313), "8");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1314), "notSupported");
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(300);
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
    });
    EXPECT_EQ(Sets(), 0u);
}

TEST_F(LegacyInfoTest, VlanShowsWordsAndOkWritesTheBoxBackAfterARead)
{
    StartLegacySwitch();
    CVlanInfoDlg dialog;
    RunModal<CVlanInfoDlg>(dialog, [&](CVlanInfoDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return !Text(d, IDC_INFO_EDIT_1316).empty(); }, 10000));
        EXPECT_EQ(d.GetWindowText(), "VLAN Configuration");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1310), "3");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1312), "256");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1313), "Yes");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1314), "No");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1315), "Yes");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1316), "2");
        EXPECT_TRUE(Checked(d, IDC_INFO_CHECK_1008));
        EXPECT_TRUE(Checked(d, IDC_INFO_CHECK_1009));
        EXPECT_FALSE(Checked(d, IDC_INFO_CHECK_1098));
        sim->Set(kBranch + ".48.27.0", SnmpValueInteger, "2");
        ClickButton(d, IDC_INFO_REFRESH);
        ASSERT_TRUE(PumpPosted([&] { return !Checked(d, IDC_INFO_CHECK_1008); }, 10000));
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(300);
    });
    // The test's own SET, then the dialog's.
    ASSERT_EQ(Sets(), 2u);
    EXPECT_EQ(Requests("SET")[1], (std::vector<std::string>{kBranch + ".48.27.0|2|2"}));
}

TEST_F(LegacyInfoTest, VlanOkWritesNothingBeforeARead)
{
    StartLegacySwitch();
    sim->SetReplyDelay(3000); // every reply late
    CVlanInfoDlg dialog;
    RunModal<CVlanInfoDlg>(dialog, [&](CVlanInfoDlg& d) {
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(200);
        EXPECT_TRUE(Text(d, IDC_INFO_EDIT_1310).empty());
    });
    EXPECT_EQ(Sets(), 0u);
}

TEST_F(LegacyInfoTest, RmonControlReadsAndWritesItsSettings)
{
    StartLegacySwitch();
    CRmonControlDlg dialog;
    RunModal<CRmonControlDlg>(dialog, [&](CRmonControlDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return !Text(d, IDC_INFO_EDIT_1314).empty(); }, 10000));
        EXPECT_EQ(d.GetWindowText(), "RMON Control");
        EXPECT_EQ(Text(d, IDC_INFO_STATIC_1304), "2");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1310), "8");
        EXPECT_EQ(Text(d, IDC_INFO_STATIC_1303), "400");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1312), "50");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1313), "300");
        EXPECT_EQ(Text(d, IDC_INFO_EDIT_1314), "64");
        d.SetDlgItemText(IDC_INFO_EDIT_1310, "12");
        d.SetDlgItemText(IDC_INFO_EDIT_1314, "128");
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(200);
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
        // A refused value keeps its old setting, which Refresh shows.
        sim->RefuseNextSet(kBranch + ".49.2.0", 6);
        d.SetDlgItemText(IDC_INFO_EDIT_1310, "99");
        ClickButton(d, IDC_INFO_APPLY);
        d.SetDlgItemText(IDC_INFO_EDIT_1310, "");
        ClickButton(d, IDC_INFO_REFRESH);
        EXPECT_TRUE(PumpPosted([&] { return Text(d, IDC_INFO_EDIT_1310) == "12"; }, 10000));
    });
    EXPECT_EQ(sim->Get(kBranch + ".49.2.0"), "12");
    EXPECT_EQ(sim->Get(kBranch + ".49.6.0"), "50");
    EXPECT_EQ(sim->Get(kBranch + ".49.7.0"), "300");
    EXPECT_EQ(sim->Get(kBranch + ".49.8.0"), "128");
    // The refused write is said (SNMPv1 gives the refusal as noSuchName).
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Could not write the RMON control settings: the switch refused it (no such object)."});
}

TEST_F(LegacyInfoTest, RmonControlApplyRefusesWhatItCannotWrite)
{
    struct Case
    {
        const char* name;
        bool waitForRead;
        const char* field; // typed into edit 1313
        bool message;
    };
    const Case cases[] = {
        {"before any read", false, nullptr, true},
        {"not a number", true, "12a", true},
        {"empty", true, "", true},
        {"beyond 32 bits", true, "4294967296", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartLegacySwitch();
        messages.clear();
        if (!c.waitForRead)
            sim->SetReplyDelay(3000);
        CRmonControlDlg dialog;
        RunModal<CRmonControlDlg>(dialog, [&](CRmonControlDlg& d) {
            if (c.waitForRead) {
                ASSERT_TRUE(PumpPosted([&] { return !Text(d, IDC_INFO_EDIT_1314).empty(); }, 10000));
            }
            if (c.field)
                d.SetDlgItemText(IDC_INFO_EDIT_1313, c.field);
            ClickButton(d, IDC_INFO_APPLY);
            PumpFor(200);
        });
        EXPECT_EQ(Sets(), 0u);
        EXPECT_EQ(messages.size(), c.message ? 1u : 0u);
    }
}

TEST_F(LegacyInfoTest, NothingIsSentOverSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    CTrunkInfoDlg trunk;
    RunModal<CTrunkInfoDlg>(trunk, [&](CTrunkInfoDlg& d) {
        ClickButton(d, IDC_INFO_REFRESH);
        PumpFor(300);
        EXPECT_TRUE(Text(d, IDC_INFO_EDIT_1310).empty());
    });
    CVlanInfoDlg vlan;
    RunModal<CVlanInfoDlg>(vlan, [&](CVlanInfoDlg& d) {
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(300);
        EXPECT_TRUE(Text(d, IDC_INFO_EDIT_1310).empty());
    });
    CRmonControlDlg control;
    RunModal<CRmonControlDlg>(control, [&](CRmonControlDlg& d) {
        ClickButton(d, IDC_INFO_REFRESH);
        ClickButton(d, IDC_INFO_APPLY);
        PumpFor(300);
        EXPECT_TRUE(Text(d, IDC_INFO_EDIT_1310).empty());
    });
    EXPECT_EQ(RequestCount(), 0u);
}

} // namespace legacy_info_test
