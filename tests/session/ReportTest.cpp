// The shared ways of saying a failed write or read, and of reading a value
// only as the type and set it belongs to, against the simulated switch.
#include "SessionTestSupport.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "platform/ui/MessageBox.h"

namespace session_test {

namespace {

class ReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.Running());
        UseSimulator(m_sim, "1000");
        g_nPortCount = 28;
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            std::lock_guard lock(m_boxLock);
            m_boxes.push_back(call.text);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHook({}); }

    std::vector<std::string> Boxes()
    {
        std::lock_guard lock(m_boxLock);
        return m_boxes;
    }

    // Writes trunk modes 1..4 one SET each, as a dialog's port loop does.
    CWriteReport WriteModes(const std::string& value)
    {
        CCommonSNMP session;
        CWriteReport report;
        for (int nTrunk = 1; nTrunk <= 4; ++nTrunk) {
            session.Open(3);
            session.AddValue(kTrunkModes + "." + std::to_string(nTrunk), 1, value);
            if (!report.Send(session, "the mode of trunk " + std::to_string(nTrunk))) {
                report.SetProgress(CWriteReport::PortProgress("Trunks", 1, nTrunk));
                break;
            }
        }
        return report;
    }

    // The SETs that reached the trunk modes (not the simulator's own controls).
    size_t ModeSets()
    {
        size_t n = 0;
        for (const std::string& line : LogLinesOf(m_sim, "SET"))
            n += line.find("\t" + kTrunkModes) != std::string::npos ? 1 : 0;
        return n;
    }

    KorvelSimulator m_sim;
    std::mutex m_boxLock;
    std::vector<std::string> m_boxes;
};

TEST_F(ReportTest, ALoopStopsAtTheFirstRefusedOrUnansweredWriteAndSaysItOnce)
{
    // Accepted: nothing to say.
    CWriteReport ok = WriteModes("2");
    EXPECT_FALSE(ok.Failed());
    EXPECT_FALSE(ok.Report());
    EXPECT_EQ(ModeSets(), 4U);

    // Refused at the third: the first two stay written, the rest are not sent.
    ASSERT_TRUE(m_sim.RefuseNextSet(kTrunkModes + ".3", 3));
    CWriteReport refused = WriteModes("1");
    EXPECT_TRUE(refused.Failed());
    EXPECT_FALSE(refused.TimedOut());
    EXPECT_EQ(ModeSets(), 4U + 3U);
    EXPECT_EQ(m_sim.Get(kTrunkModes + ".2"), "1");
    EXPECT_EQ(m_sim.Get(kTrunkModes + ".4"), "2");
    EXPECT_TRUE(refused.Report());
    EXPECT_TRUE(refused.Report()); // said once
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Could not write the mode of trunk 3: the switch refused it "
                                                "(bad value).\nTrunks 1-2 were written; trunk 3 and later "
                                                "were not."});

    // Silent at the first: nothing more is sent after the unanswered request
    // (which the silent switch does not log).
    m_boxes.clear();
    const size_t nBefore = ModeSets();
    ASSERT_TRUE(m_sim.SilenceFor(2500));
    CWriteReport silent = WriteModes("2");
    EXPECT_TRUE(silent.TimedOut());
    EXPECT_TRUE(silent.Report("The switch did not accept the trunk modes."));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"The switch did not accept the trunk modes.\nThe switch did not "
                                                "answer.\nNothing was written."});
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    EXPECT_EQ(ModeSets(), nBefore);
    EXPECT_EQ(m_sim.Get(kTrunkModes + ".2"), "1");
}

TEST(WriteReportText, ProgressAndErrorWords)
{
    struct Case
    {
        int nFirst;
        int nFailed;
        const char* expected;
    };
    for (const Case& c : {Case{1, 1, "Nothing was written."}, Case{3, 2, "Nothing was written."},
                          Case{1, 2, "Port 1 was written; port 2 and later were not."},
                          Case{1, 5, "Ports 1-4 were written; port 5 and later were not."},
                          Case{25, 28, "Ports 25-27 were written; port 28 and later were not."}}) {
        EXPECT_EQ(CWriteReport::PortProgress("Ports", c.nFirst, c.nFailed), c.expected);
    }
    struct SequenceCase
    {
        std::vector<std::string> written;
        const char* expected;
    };
    for (const SequenceCase& c :
         {SequenceCase{{}, "Nothing was written."},
          SequenceCase{{"the spanning tree state"}, "The spanning tree state was written; nothing after it was."},
          SequenceCase{{"the TX delay", "the hold multiplier"},
                       "The TX delay and the hold multiplier were written; nothing after them was."},
          SequenceCase{{"the state", "the interval", "the mode"},
                       "The state, the interval and the mode were written; nothing after them was."},
          SequenceCase{{"LLDP timers"}, "LLDP timers was written; nothing after it was."}}) {
        EXPECT_EQ(CWriteReport::SequenceProgress(c.written), c.expected);
    }
    EXPECT_EQ(CWriteReport::ErrorWords(10), "wrong value");
    EXPECT_EQ(CWriteReport::ErrorWords(17), "not writable");
    EXPECT_EQ(CWriteReport::ErrorWords(99), "error 99");
}

TEST_F(ReportTest, AReadFailureIsSaidOncePerUserAction)
{
    CReadReport report;
    report.Fail("the server list");
    report.Fail("the user list", true);
    report.Begin();
    report.Fail("the server list", true);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "The server list could not be read from the switch.",
                           "The server list could not be read again from the switch; the last complete read is "
                           "shown."}));
    EXPECT_EQ(CReadReport::UnreadText("the 802.1X settings"),
              "The 802.1X settings could not be read from the switch. Press Refresh and try again.");
}

TEST_F(ReportTest, ValuesAreTakenOnlyOfTheirTypeAndSet)
{
    TempDataFile data("1.3.6.1.4.1.32473.99.1.0|2|1\n"
                      "1.3.6.1.4.1.32473.99.2.0|2|2147483647\n"
                      "1.3.6.1.4.1.32473.99.3.0|4|1\n"
                      "1.3.6.1.4.1.32473.99.4.0|4x|00ff0080\n"
                      "1.3.6.1.4.1.32473.99.5.0|66|7\n");
    KorvelSimulator sim({KorvelSimulator::BaseData(), data.Path()});
    ASSERT_TRUE(sim.Running());
    UseSimulator(sim);
    CCommonSNMP session;
    session.Open(0);
    for (int n = 1; n <= 5; ++n)
        session.AddValue("1.3.6.1.4.1.32473.99." + std::to_string(n) + ".0", 4);
    std::unique_ptr<CSnmp> reply;
    ASSERT_EQ(session.send(reply, 0), SnmpStatusOk);
    ASSERT_TRUE(reply);

    EXPECT_EQ(CModuleBase::EnumText(reply.get(), 0, {1, 2}), "1");
    EXPECT_EQ(CModuleBase::EnumText(reply.get(), 1, {1, 2}), "");
    EXPECT_EQ(CModuleBase::EnumText(reply.get(), 2, {1, 2}), ""); // "1" as a string
    EXPECT_EQ(CModuleBase::EnumText(reply.get(), 4, {7}), "");    // a Gauge32 is no enumeration
    EXPECT_EQ(CModuleBase::RangeText(reply.get(), 1, 0, 65535), "");
    EXPECT_EQ(CModuleBase::RangeText(reply.get(), 4, 0, 10), "7");
    std::string octets;
    EXPECT_FALSE(CModuleBase::OctetValue(reply.get(), 0, octets));
    EXPECT_EQ(octets, "");
    EXPECT_TRUE(CModuleBase::OctetValue(reply.get(), 3, octets));
    EXPECT_EQ(octets, std::string("\x00\xff\x00\x80", 4));
    EXPECT_FALSE(CModuleBase::OctetValue(reply.get(), 7, octets));
}

TEST_F(ReportTest, AStartThatCannotHappenSaysSo)
{
    CCommonSNMP session;
    auto callback = [](CSnmp* pResponse, int, void*, int) {
        delete pResponse;
        return 0;
    };
    session.Open(1);
    EXPECT_FALSE(session.StartAsync(callback, nullptr)); // no binding
    g_strSnmpVersion = "2";
    CCommonSNMP unknownVersion;
    unknownVersion.Open(1);
    unknownVersion.AddValue(kSysName, 4);
    EXPECT_FALSE(unknownVersion.StartAsync(callback, nullptr));
    g_strSnmpVersion = "1";
    session.Open(1);
    session.AddValue(kSysName, 4);
    EXPECT_TRUE(session.StartAsync(callback, nullptr));
    EXPECT_TRUE(session.WaitDone());
}

} // namespace

} // namespace session_test
