// The Jumbo Frame Configuration dialog on the simulated switch: the box the
// read sets, the write Apply sends and what it then says, a refused write,
// and the cases that write nothing: no answer to the read, Escape.
#include "features/layer2/CJumboFrameconfigdlg.h"
#include "resources/jumbo.h"
#include "vlan/VlanTestSupport.h"

namespace jumbo_test {

namespace {

const std::string kJumbo = "1.3.6.1.4.1.32473.10.76.19.1.1.12.0";

class JumboFrameDialogTest : public FeatureDialogTest
{
protected:
    void StartJumboSwitch(const std::string& state)
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("jumbo.snmprec")}, 28);
        ASSERT_EQ(sim->Set(kJumbo, SnmpValueInteger, state), 0);
    }
    // The dialog's SETs: the test's own first one left out.
    std::vector<std::vector<std::string>> DialogSets() const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin());
        return sets;
    }
};

bool BoxChecked(CWnd& d)
{
    return d.IsDlgButtonChecked(IDC_JUMBO_ENABLE) == BST_CHECKED;
}

} // namespace

TEST_F(JumboFrameDialogTest, TheReadSetsTheBox)
{
    for (const std::string state : {"1", "2", "7"}) {
        SCOPED_TRACE(state);
        StartJumboSwitch(state);
        CJumboFrameconfigdlg dialog;
        RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
            EXPECT_EQ(d.GetWindowText(), "Jumbo Frame Configuration");
            EXPECT_EQ(BoxChecked(d), state == "1");
            // A value of neither kind is nothing to write back.
            EXPECT_EQ(Enabled(d, IDOK), state != "7");
        });
    }
}

TEST_F(JumboFrameDialogTest, ApplyWritesTheBoxThenSaysSoAndCloses)
{
    struct Case
    {
        std::string before;
        bool click; // untick or tick the box first
        std::string written, message;
    };
    const Case cases[] = {
        {"1", true, "2", "Disabled Jumbo Frame"},
        {"2", true, "1", "Enabled Jumbo Frame"},
        {"1", false, "1", "Enabled Jumbo Frame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before + " -> " + c.written);
        StartJumboSwitch(c.before);
        BoxRecorder boxes(IDOK);
        CJumboFrameconfigdlg dialog;
        const INT_PTR result = RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
            if (c.click)
                ClickButton(d, IDC_JUMBO_ENABLE);
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(DialogSets(), (std::vector<std::vector<std::string>>{{kJumbo + "|2|" + c.written}}));
        EXPECT_EQ(sim->Get(kJumbo), c.written);
    }
}

TEST_F(JumboFrameDialogTest, EnterAppliesLikeTheButton)
{
    StartJumboSwitch("2");
    BoxRecorder boxes(IDOK);
    CJumboFrameconfigdlg dialog;
    const INT_PTR result = RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
        ClickButton(d, IDC_JUMBO_ENABLE);
        SendKey(d.GetDlgItem(IDC_JUMBO_ENABLE)->GetWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(sim->Get(kJumbo), "1");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Enabled Jumbo Frame"});
}

TEST_F(JumboFrameDialogTest, ARefusedWriteIsReportedAndTheDialogStillCloses)
{
    StartJumboSwitch("2");
    ASSERT_TRUE(sim->RefuseNextSet(kJumbo, 5));
    BoxRecorder boxes(IDOK);
    CJumboFrameconfigdlg dialog;
    const INT_PTR result = RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
        ClickButton(d, IDC_JUMBO_ENABLE);
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The switch did not accept the Jumbo Frame setting."});
    EXPECT_EQ(sim->Get(kJumbo), "2");
}

TEST_F(JumboFrameDialogTest, NothingIsWrittenWithoutAReadNorOnEscape)
{
    StartJumboSwitch("1");
    ASSERT_TRUE(sim->SilenceFor(5000));
    BoxRecorder boxes(IDOK);
    {
        CJumboFrameconfigdlg dialog;
        RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
            EXPECT_FALSE(BoxChecked(d));
            EXPECT_FALSE(Enabled(d, IDOK));
            SendKey(d.GetDlgItem(IDC_JUMBO_ENABLE)->GetWidget(), Qt::Key_Return);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    }
    ASSERT_TRUE(Pump([&] { return sim->Has(kJumbo); }, 10000));
    CJumboFrameconfigdlg dialog;
    const INT_PTR result = RunModal<CJumboFrameconfigdlg>(dialog, [&](CJumboFrameconfigdlg& d) {
        ASSERT_TRUE(BoxChecked(d));
        ClickButton(d, IDC_JUMBO_ENABLE);
        SendKey(d.GetDlgItem(IDC_JUMBO_ENABLE)->GetWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
    // The silent switch is said once, when the first dialog opened.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The Jumbo Frame setting could not be read from the switch."});
    EXPECT_EQ(DialogSets().size(), 0U);
    EXPECT_EQ(sim->Get(kJumbo), "1");
}

} // namespace jumbo_test
