// The Storm Control dialog on the sample model's switch: what a read shows,
// N and the kbit/s field, the N range, what Apply writes for each change of
// state, and Apply after a failed read.
#include "features/security/CStormControlDlg.h"
#include "support/FeatureDialogTest.h"
#include "resources/storm.h"

#include "platform/snmp/SnmpValueType.h"
#include "platform/ui/CButton.h"

#include <string>
#include <vector>

namespace storm_test {

namespace {

const std::string kStorm = "1.3.6.1.4.1.32473.10.76.19.1.13.3";
const std::string kState = kStorm + ".1.0";
const std::string kType = kStorm + ".2.0";
const std::string kThreshold = kStorm + ".3.0";

class StormControlDialogTest : public FeatureDialogTest
{
protected:
    void StartPuffin(std::vector<std::string> extra = {})
    {
        std::vector<std::string> args = KorvelSimulator::ModelArgs("KSX-Puffin");
        args.insert(args.end(), extra.begin(), extra.end());
        StartSwitch({}, 28, args);
    }
    void SetSwitch(const std::string& state, const std::string& type, const std::string& threshold)
    {
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, state), 0);
        ASSERT_EQ(sim->Set(kType, SnmpValueInteger, type), 0);
        ASSERT_EQ(sim->Set(kThreshold, SnmpValueInteger, threshold), 0);
    }
    std::size_t Reads() const
    {
        std::size_t n = 0;
        for (const auto& request : Requests("GET"))
            n += !request.empty() && request[0] == kState + "|5|";
        return n;
    }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
};

} // namespace

TEST_F(StormControlDialogTest, ShowsTheReadSettingsWithNAndItsKbps)
{
    StartPuffin();
    SetSwitch("1", "3", "100");
    CStormControlDlg dialog;
    RunModal<CStormControlDlg>(dialog, [&](CStormControlDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Storm Control");
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_STORM_ENABLE) == BST_CHECKED);
        EXPECT_EQ(ComboSelection(d, IDC_STORM_TYPE), "Multicast & Broadcast & Unknown Unicast");
        EXPECT_EQ(Text(d, IDC_STORM_UNIT), "64Kbps  ");
        // 100 kbit/s is N = 1, shown as 64.
        EXPECT_EQ(Text(d, IDC_STORM_N), "1");
        EXPECT_EQ(Text(d, IDC_STORM_THRESHOLD), "64");
        EXPECT_TRUE(Enabled(d, IDC_STORM_N));
        EXPECT_TRUE(Enabled(d, IDC_STORM_TYPE));
        for (const auto& [n, kbps] : {std::pair<const char*, const char*>{"10", "640"}, {"16000", "1024000"}, {"", ""}}) {
            d.GetDlgItem(IDC_STORM_N)->SetWindowText(n);
            EXPECT_EQ(Text(d, IDC_STORM_THRESHOLD), kbps) << n;
        }
        ClickButton(d, IDC_STORM_ENABLE);
        EXPECT_FALSE(Enabled(d, IDC_STORM_N));
        EXPECT_FALSE(Enabled(d, IDC_STORM_TYPE));
    });
    EXPECT_TRUE(Sets().size() == 3U); // the test's own
}

TEST_F(StormControlDialogTest, NOutsideOneTo16000IsRefusedAndItsEndsAreWritten)
{
    const std::string range = "Invalid input of N ( input range must between 1~16000)";
    const struct
    {
        const char* n;
        std::string message;
        const char* threshold; // written, when accepted
    } cases[] = {{"0", range, nullptr},     {"16001", range, nullptr},   {"", range, nullptr},
                 {"1", "", "64"},            {"16000", "", "1024000"}};
    StartPuffin();
    SetSwitch("1", "1", "6400");
    const std::size_t setsBefore = Sets().size();
    std::vector<std::vector<std::string>> expected;
    CStormControlDlg dialog;
    RunModal<CStormControlDlg>(dialog, [&](CStormControlDlg& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.n);
            BoxRecorder boxes;
            d.GetDlgItem(IDC_STORM_N)->SetWindowText(c.n);
            ClickButton(d, IDC_STORM_APPLY);
            EXPECT_EQ(boxes.Texts(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
            if (c.threshold != nullptr) {
                expected.push_back({kThreshold + "|2|" + c.threshold});
                EXPECT_EQ(sim->Get(kThreshold), c.threshold);
                EXPECT_EQ(Text(d, IDC_STORM_THRESHOLD), c.threshold); // read back
            }
        }
    });
    auto sets = Sets();
    sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
    EXPECT_EQ(sets, expected);
}

TEST_F(StormControlDialogTest, ApplyWritesWhatChangedAsTheStateAllows)
{
    struct Case
    {
        const char* name;
        const char* readState;
        bool enable;        // the box when Apply is clicked
        int type;           // list position chosen
        const char* n;      // typed
        std::vector<std::vector<std::string>> sets;
        bool readsAgain;
    };
    const Case cases[] = {
        {"disabling writes the state alone", "1", false, 2, "5", {{kState + "|2|2"}}, true},
        {"left disabled writes nothing and reads nothing", "2", false, 2, "5", {}, false},
        {"left enabled without a change sends nothing, reads again", "1", true, 0, "1000", {}, true},
        {"left enabled writes what changed", "1", true, 1, "1000", {{kType + "|2|2"}}, true},
        {"enabling writes the state and the changes", "2", true, 2, "5",
         {{kState + "|2|1", kType + "|2|3", kThreshold + "|2|320"}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartPuffin();
        SetSwitch(c.readState, "1", "64000");
        const std::size_t setsBefore = Sets().size();
        BoxRecorder boxes;
        CStormControlDlg dialog;
        RunModal<CStormControlDlg>(dialog, [&](CStormControlDlg& d) {
            if ((d.IsDlgButtonChecked(IDC_STORM_ENABLE) == BST_CHECKED) != c.enable)
                ClickButton(d, IDC_STORM_ENABLE);
            Item<CComboBox>(d, IDC_STORM_TYPE).SetCurSel(c.type);
            d.GetDlgItem(IDC_STORM_N)->SetWindowText(c.n);
            const std::size_t reads = Reads();
            ClickButton(d, IDC_STORM_APPLY);
            EXPECT_EQ(Reads(), reads + (c.readsAgain ? 1 : 0));
        });
        EXPECT_TRUE(boxes.Calls().empty());
        auto sets = Sets();
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
        EXPECT_EQ(sets, c.sets);
    }
}

TEST_F(StormControlDialogTest, ApplyAfterAFailedReadWritesNothing)
{
    StartPuffin({"--data", std::string(KORVEL_SOURCE_DIR) + "/tests/storm/fixtures/storm-no-state.snmprec"});
    BoxRecorder boxes;
    CStormControlDlg dialog;
    RunModal<CStormControlDlg>(dialog, [&](CStormControlDlg& d) {
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_STORM_ENABLE) == BST_CHECKED);
        d.GetDlgItem(IDC_STORM_N)->SetWindowText("20");
        ClickButton(d, IDC_STORM_APPLY);
    });
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "The storm control settings could not be read from the switch.",
                  "The storm control settings could not be read from the switch. Press Refresh and try again."}));
    EXPECT_TRUE(Sets().empty());
}

} // namespace storm_test
