// The device configuration dialog on the simulated switch: command 32775
// opens it on the sample description file, which it looks for in the current
// folder; its lists, the "Time" values, the labels offered, Apply writing and
// reading back; a missing file, an object the switch does not know, and
// replies after the dialog closed.
#include "legacy/CDeviceCfgDlg.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "mainwin/MainWindowSupport.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "resources/main.h"

#include <unistd.h>

#include <filesystem>

namespace legacy_cfg_test {

using namespace legacytest;

namespace {

const std::string kSampleFile = KORVEL_SOURCE_DIR "/resources/KSXWren_CFG.XML";
const std::string kDevCfgFixtures = KORVEL_SOURCE_DIR "/tests/legacy_cfg/fixtures/";

// A fresh folder for the test's current directory, holding `description`
// (when given) as KSXWren_CFG.XML; removed at the end.
class DescriptionFolder
{
public:
    explicit DescriptionFolder(const std::string& description)
    {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("korvel-devcfg-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
        if (!description.empty())
            std::filesystem::copy_file(description, m_path / CDeviceCfgDlg::kFileName);
    }
    ~DescriptionFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string Path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

std::vector<std::string> ComboEntries(CWnd& d, int id)
{
    CComboBox& box = Item<CComboBox>(d, id);
    std::vector<std::string> entries;
    for (int i = 0; i < box.GetCount(); ++i) {
        std::string text;
        box.GetLBText(i, text);
        entries.push_back(text);
    }
    return entries;
}

class DeviceCfgTest : public LegacyTest
{
protected:
    void TearDown() override
    {
        SetMessageBoxHook({});
        LegacyTest::TearDown();
    }
};

const Rows kInfoRows = {{"System Up Time", "1 Hour 1 Min"}, {"Boot Code Version", "1.0.7"}, {"Power Status", "Normal"}};

} // namespace

TEST(DeviceCfgTime, HundredthsOfASecondAsHoursAndMinutes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"366000", "1 Hour 1 Min"}, {"8640000", "24 Hour 0 Min"}, {"5999", "0 Hour 0 Min"},
        {"Normal", "0 Hour 0 Min"}, {"", "0 Hour 0 Min"},         {"  725999x", "2 Hour 0 Min"}};
    for (const auto& [value, shown] : cases)
        EXPECT_EQ(CDeviceCfgDlg::TimeText(value), shown) << value;
}

TEST_F(DeviceCfgTest, CommandOpensTheDialogThatShowsAndSetsTheSampleObjects)
{
    StartLegacySwitch();
    const std::string host = sim->Host();
    DescriptionFolder folder(kSampleFile);
    bool opened = false;
    RunMainWindow("KSX-Puffin", [&](CKorvelModuleDlg& main) {
        g_strDeviceIP = host;
        g_strReadCommunity = KorvelSimulator::ReadCommunity();
        g_strWriteCommunity = KorvelSimulator::WriteCommunity();
        InFolder inFolder(folder.Path());
        QTimer::singleShot(0, [&] {
            auto* d = dynamic_cast<CDeviceCfgDlg*>(RunningDialog(main));
            ASSERT_NE(d, nullptr);
            opened = true;
            EXPECT_EQ(d->GetWindowText(), "Device Configure");
            EXPECT_TRUE(PumpPosted([&] {
                return List(*d, IDC_DEVCFG_INFO_LIST).GetItemCount() == 3 &&
                       List(*d, IDC_DEVCFG_CONFIG_LIST).GetItemCount() == 6;
            }));
            EXPECT_EQ(ListRows(*d, IDC_DEVCFG_INFO_LIST), kInfoRows);
            EXPECT_EQ(ListRows(*d, IDC_DEVCFG_CONFIG_LIST),
                      (Rows{{"Syslog State", "Enabled"},
                            {"Console Log Severity", "Error"},
                            {"Log File Severity", "Info"},
                            {"Log Cache Severity", "NotActive"},
                            {"CLI History", "Enabled"},
                            {"Telnet CLI History", "Disabled"}}));
            EXPECT_FALSE(Enabled(*d, IDC_DEVCFG_APPLY));

            // The labels offered never hold the one shown.
            for (int row = 0; row < 6; ++row) {
                ClickRow(List(*d, IDC_DEVCFG_CONFIG_LIST), row);
                const std::string shown = List(*d, IDC_DEVCFG_CONFIG_LIST).GetItemText(row, 1);
                const std::vector<std::string> offered = ComboEntries(*d, IDC_DEVCFG_VALUE);
                EXPECT_EQ(offered.size(), row >= 1 && row <= 3 ? 8u : 1u) << row;
                EXPECT_EQ(std::count(offered.begin(), offered.end(), shown), 0) << row;
                EXPECT_TRUE(Enabled(*d, IDC_DEVCFG_APPLY));
            }

            ClickRow(List(*d, IDC_DEVCFG_CONFIG_LIST), 1);
            CComboBox& value = Item<CComboBox>(*d, IDC_DEVCFG_VALUE);
            value.SetCurSel(value.FindStringExact(-1, "Debug"));
            const std::size_t infoReads = Requests("GET").size();
            ClickButton(*d, IDC_DEVCFG_APPLY);
            EXPECT_FALSE(Enabled(*d, IDC_DEVCFG_APPLY));
            EXPECT_TRUE(PumpPosted([&] {
                return List(*d, IDC_DEVCFG_CONFIG_LIST).GetItemCount() == 6 &&
                       List(*d, IDC_DEVCFG_CONFIG_LIST).GetItemText(1, 1) == "Debug";
            }));
            EXPECT_EQ(sim->Get(KorvelOid("10.94.89.89.82.2.2.0")), "7");
            EXPECT_EQ(Item<CComboBox>(*d, IDC_DEVCFG_VALUE).GetCount(), 0);
            // Apply read the configuration list only (the test's own GET aside).
            EXPECT_EQ(Requests("GET").size(), infoReads + 2);

            // Refresh reads both lists: wait for both reads, not only for the
            // rows.
            ClickButton(*d, IDC_DEVCFG_REFRESH);
            EXPECT_TRUE(PumpPosted([&] {
                return List(*d, IDC_DEVCFG_INFO_LIST).GetItemCount() == 3 &&
                       Requests("GET").size() >= infoReads + 4;
            }));
            EXPECT_EQ(Requests("GET").size(), infoReads + 4);
            d->EndDialog(IDCANCEL);
        });
        main.SendMessage(WM_COMMAND, MAKEWPARAM(ID_DEVICE_CONFIGURE, BN_CLICKED), 0);
    });
    EXPECT_TRUE(opened);
}

TEST_F(DeviceCfgTest, AMissingFileIsReportedAndNothingIsRead)
{
    StartLegacySwitch();
    std::vector<std::string> messages;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        messages.push_back(call.text);
        return IDOK;
    });
    DescriptionFolder folder("");
    InFolder inFolder(folder.Path());
    CDeviceCfgDlg dialog;
    RunModal<CDeviceCfgDlg>(dialog, [&](CDeviceCfgDlg& d) {
        PumpPosted([] { return false; }, 500);
        EXPECT_EQ(List(d, IDC_DEVCFG_INFO_LIST).GetItemCount(), 0);
        EXPECT_EQ(List(d, IDC_DEVCFG_CONFIG_LIST).GetItemCount(), 0);
        ClickButton(d, IDC_DEVCFG_APPLY);
    });
    EXPECT_EQ(messages, std::vector<std::string>{"No KSXWren_CFG.XML !"});
    EXPECT_EQ(RequestCount(), 0u);
}

TEST_F(DeviceCfgTest, AnObjectTheSwitchDoesNotKnowEmptiesItsList)
{
    StartLegacySwitch();
    DescriptionFolder folder(kDevCfgFixtures + "unknown_object.xml");
    InFolder inFolder(folder.Path());
    CDeviceCfgDlg dialog;
    RunModal<CDeviceCfgDlg>(dialog, [&](CDeviceCfgDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return List(d, IDC_DEVCFG_INFO_LIST).GetItemCount() == 1; }));
        EXPECT_EQ(ListRows(d, IDC_DEVCFG_INFO_LIST), (Rows{{"Boot Code Version", "1.0.7"}}));
        PumpPosted([] { return false; }, 500);
        EXPECT_EQ(List(d, IDC_DEVCFG_CONFIG_LIST).GetItemCount(), 0);
        // No object clicked: Apply writes nothing.
        ClickButton(d, IDC_DEVCFG_APPLY);
    });
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(DeviceCfgTest, RepliesAfterTheDialogClosedAreDropped)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(1000));
    DescriptionFolder folder(kSampleFile);
    InFolder inFolder(folder.Path());
    {
        CDeviceCfgDlg dialog;
        RunModal<CDeviceCfgDlg>(dialog, [&](CDeviceCfgDlg& d) {
            EXPECT_EQ(List(d, IDC_DEVCFG_CONFIG_LIST).GetItemCount(), 0);
        });
    }
    // The replies arrive now, to a dialog that is gone.
    PumpPosted([] { return false; }, 2500);
    EXPECT_EQ(Requests("GET").size(), 2u);
}

} // namespace legacy_cfg_test
