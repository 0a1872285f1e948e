// The system information dialog on the simulated switch: the uptime text, the
// fields read, the name and location checks, UTF-8 round trips, values longer
// than the fields, and Apply before any read.
#include "features/agent_tools/CSnmpDevIden.h"
#include "resources/sysinfo.h"
#include "support/FeatureDialogTest.h"
#include "vlan/VlanTestSupport.h"

#include "platform/ui/CEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace sysinfo_test {

using vlantest::Texts;

namespace {

const std::string kName = "1.3.6.1.2.1.1.5.0";
const std::string kLocation = "1.3.6.1.2.1.1.6.0";
const std::string kContact = "1.3.6.1.2.1.1.4.0";

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/sysinfo/fixtures/" + name;
}

void SetText(CWnd& d, int id, const std::string& text)
{
    d.GetDlgItem(id)->SetWindowText(text);
}

void TypeText(CWnd& edit, const std::string& utf8)
{
    for (QChar ch : QString::fromStdString(utf8)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &release);
    }
}

bool ReadDone(CWnd& d)
{
    return Enabled(d, IDC_SYSINFO_REFRESH) && Enabled(d, IDC_SYSINFO_APPLY);
}

class SystemInformationTest : public FeatureDialogTest
{
protected:
    void StartSystem(std::vector<std::string> more = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        files.insert(files.end(), more.begin(), more.end());
        StartSwitch(files, 28);
    }
    std::size_t SetCount() const { return Requests("SET").size(); }
};

} // namespace

TEST(SystemInformationText, UptimeIsHoursAndMinutesOfUnsignedTicks)
{
    struct Case
    {
        const char* ticks;
        const char* text;
    };
    const Case cases[] = {
        {"0", "0 Hour 0 Min"},
        {"8640000", "24 Hour 0 Min"},
        {"123456789", "342 Hour 56 Min"},
        {"2147483647", "5965 Hour 13 Min"},
        {"2147483648", "5965 Hour 13 Min"},
        {"4294967295", "11930 Hour 27 Min"},
        {"", ""},
        {"4294967296", ""},
        {"-1", ""},
        {"12x", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSnmpDevIden::UptimeText(c.ticks), c.text) << c.ticks;
}

TEST_F(SystemInformationTest, ShowsTheSystemGroupAndWritesNameAndLocation)
{
    StartSystem();
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return ReadDone(d); }, 10000));
        EXPECT_EQ(d.GetWindowText(), "System Information");
        EXPECT_EQ(Text(d, IDC_SYSINFO_DESCRIPTION), "Korvel KSW-2804G 28-Port Gigabit Managed Switch");
        EXPECT_EQ(Text(d, IDC_SYSINFO_OBJECT_ID), "1.3.6.1.4.1.32473.10.76.19");
        EXPECT_EQ(Text(d, IDC_SYSINFO_UPTIME), "0 Hour 0 Min");
        EXPECT_EQ(Text(d, IDC_SYSINFO_NAME), "korvel-switch");
        EXPECT_EQ(Text(d, IDC_SYSINFO_LOCATION), "Lab rack 1");
        EXPECT_EQ(Text(d, IDC_SYSINFO_CONTACT), "Network Operations");
        EXPECT_FALSE(d.GetDlgItem(IDC_SYSINFO_CONTACT)->IsWindowVisible());

        // Blanks, hyphens, underscores, parentheses, plus and equals pass; a
        // name of 20 characters is written whole.
        SetText(d, IDC_SYSINFO_NAME, "core_sw-1 (a)+b=c xy");
        SetText(d, IDC_SYSINFO_LOCATION, "Hall 2");
        BoxRecorder boxes;
        ClickButton(d, IDC_SYSINFO_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(sim->Get(kName), "core_sw-1 (a)+b=c xy");
        EXPECT_EQ(sim->Get(kLocation), "Hall 2");
        EXPECT_EQ(sim->Get(kContact), "Network Operations") << "the contact is never written";
    });
}

TEST_F(SystemInformationTest, RefusesSpecialCharactersAndSendsNothing)
{
    struct Case
    {
        const char* name;
        const char* location;
        const char* message;
    };
    const Case cases[] = {
        {"switch.example.com", "Lab", "Invalid System Name."},
        {"admin@switch", "Lab", "Invalid System Name."},
        {"a/b", "Lab", "Invalid System Name."},
        {"core", "rack #4", "Invalid System Location."},
        {"core", "a,b", "Invalid System Location."},
    };
    StartSystem();
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return ReadDone(d); }, 10000));
        for (const Case& c : cases) {
            SetText(d, IDC_SYSINFO_NAME, c.name);
            SetText(d, IDC_SYSINFO_LOCATION, c.location);
            BoxRecorder boxes;
            ClickButton(d, IDC_SYSINFO_APPLY);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U) << c.name << " " << c.location;
            EXPECT_EQ(calls[0].text, c.message);
        }
    });
    EXPECT_EQ(SetCount(), 0U);
    EXPECT_EQ(sim->Get(kName), "korvel-switch");
}

TEST_F(SystemInformationTest, LongRunningSwitchWithUtf8NameAndLongValues)
{
    StartSystem({Fixture("long-running.snmprec")});
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return ReadDone(d); }, 10000));
        // 2147490000 ticks and the seconds since the switch started.
        EXPECT_EQ(Text(d, IDC_SYSINFO_UPTIME), "5965 Hour 15 Min");
        EXPECT_EQ(Text(d, IDC_SYSINFO_NAME), "Schalter-Größe");
        // Read values longer than the fields are shown whole.
        EXPECT_EQ(Text(d, IDC_SYSINFO_LOCATION), "Building seven rack twelve");

        {
            // The location must be shortened before anything is written.
            BoxRecorder boxes;
            ClickButton(d, IDC_SYSINFO_APPLY);
            ASSERT_EQ(boxes.Calls().size(), 1U);
            EXPECT_EQ(SetCount(), 0U);
        }
        // The hidden contact is longer than its field too, but it never
        // blocks Apply: the user can neither see nor shorten it.
        SetText(d, IDC_SYSINFO_LOCATION, "Building seven");
        SetText(d, IDC_SYSINFO_NAME, "Größe-Ω-日本");
        BoxRecorder boxes;
        ClickButton(d, IDC_SYSINFO_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(sim->Get(kName), "Größe-Ω-日本") << "UTF-8 on the wire";
        EXPECT_EQ(sim->Get(kLocation), "Building seven");

        // Read back: the same characters; Refresh replaces an unsaved name.
        SetText(d, IDC_SYSINFO_NAME, "unsaved");
        ClickButton(d, IDC_SYSINFO_REFRESH);
        ASSERT_TRUE(Pump([&] { return ReadDone(d) && Text(d, IDC_SYSINFO_NAME) != "unsaved"; }, 10000));
        EXPECT_EQ(Text(d, IDC_SYSINFO_NAME), "Größe-Ω-日本");
    });
}

TEST_F(SystemInformationTest, TypingStopsAtTheLimit)
{
    StartSystem();
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return ReadDone(d); }, 10000));
        auto& name = Item<CEdit>(d, IDC_SYSINFO_NAME);
        name.SetWindowText("");
        TypeText(name, std::string(21, 'a'));
        EXPECT_EQ(name.GetWindowText(), std::string(20, 'a'));
    });
}

TEST_F(SystemInformationTest, FailedFirstReadNeverWritesEmptyFields)
{
    StartSystem();
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(8000));
    BoxRecorder boxes;
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        // The read times out after 4000 ms: Refresh comes back, Apply not.
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SYSINFO_REFRESH); }, 15000));
        EXPECT_FALSE(Enabled(d, IDC_SYSINFO_APPLY));
        EXPECT_EQ(Text(d, IDC_SYSINFO_NAME), "");
        // Enter runs the default button, Refresh; nothing is written either way.
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SYSINFO_APPLY, BN_CLICKED), 0);
    });
    EXPECT_EQ(SetCount(), 0U);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The system information could not be read from the switch.",
                                        "The system information could not be read from the switch. Press Refresh "
                                        "and try again."}));
}

// A name the edit cannot show whole (a NUL byte inside) goes back as it was
// read, byte for byte, when the user changed only the location; a refused
// write is said.
TEST_F(SystemInformationTest, AnUnchangedNameIsWrittenBackAsReadAndARefusalIsSaid)
{
    StartSystem({Fixture("nul-name.snmprec")});
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) {
        ASSERT_TRUE(Pump([&] { return ReadDone(d); }, 10000));
        EXPECT_EQ(Text(d, IDC_SYSINFO_NAME), "core");
        SetText(d, IDC_SYSINFO_LOCATION, "Hall 3");
        BoxRecorder boxes;
        ClickButton(d, IDC_SYSINFO_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
        const auto sets = Requests("SET");
        ASSERT_EQ(sets.size(), 1u);
        EXPECT_EQ(sets[0][0], kName + "|4x|636f7265007377");
        EXPECT_EQ(sim->Get(kLocation), "Hall 3");

        ASSERT_TRUE(sim->RefuseNextSet(kName, 5));
        SetText(d, IDC_SYSINFO_LOCATION, "Hall 4");
        ClickButton(d, IDC_SYSINFO_APPLY);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Could not write the system name and location: the "
                                                                 "switch refused it (general error)."});
        EXPECT_EQ(sim->Get(kLocation), "Hall 3");
    });
}

TEST_F(SystemInformationTest, ClosingWhileTheReadRunsIsClean)
{
    StartSystem();
    ASSERT_TRUE(sim->SetReplyDelay(1500));
    CSnmpDevIden dialog;
    RunModal<CSnmpDevIden>(dialog, [&](CSnmpDevIden& d) { d.EndDialog(IDCANCEL); });
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace sysinfo_test
