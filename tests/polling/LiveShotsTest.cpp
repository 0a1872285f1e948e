// korvel-shots --live opens every feature dialog of the command table by its
// command, and the dialogs that open from a dialog's button, filled from its
// own simulated switch, and the legacy dialogs that no command opens; it runs
// them in a folder of its own and leaves the source tree as it was.
#include "resources/agent_tools.h"
#include "resources/arp.h"
#include "resources/bandwidth.h"
#include "resources/dhcp_screen.h"
#include "resources/dot1x.h"
#include "resources/fdb.h"
#include "resources/igmp.h"
#include "resources/impb.h"
#include "resources/jumbo.h"
#include "resources/legacy.h"
#include "resources/legacy_config.h"
#include "resources/lldp.h"
#include "resources/loopback.h"
#include "resources/main.h"
#include "resources/mfilter.h"
#include "resources/mib2.h"
#include "resources/mirror.h"
#include "resources/poe.h"
#include "resources/ports_vlans.h"
#include "resources/power_saving.h"
#include "resources/rmon.h"
#include "resources/segmentation.h"
#include "resources/snmp_agent.h"
#include "resources/static_mac.h"
#include "resources/storm.h"
#include "resources/stp.h"
#include "resources/sysinfo.h"
#include "resources/syslog.h"

#include "tests/support/ModelFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <utility>

namespace polling_test {

namespace {

// The files directly in a folder: name, size and time of the last change.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>>
FolderListing(const std::filesystem::path& folder)
{
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = {entry.file_size(), entry.last_write_time()};
    return files;
}

bool IsInside(const std::filesystem::path& path, const std::filesystem::path& folder)
{
    const std::filesystem::path relative = std::filesystem::weakly_canonical(path).lexically_relative(
        std::filesystem::weakly_canonical(folder));
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

TEST(LiveShots, EveryDialogOfTheCommandTableFilledFromTheSwitch)
{
    QTemporaryDir out;
    QTemporaryDir temp; // the run's temporary folder
    ASSERT_TRUE(out.isValid() && temp.isValid());
    const std::filesystem::path model = ModelFolder("KSX-Puffin");
    const auto modelFiles = FolderListing(model);

    QProcess shots;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temp.path());
    shots.setProcessEnvironment(environment);
    shots.setWorkingDirectory(out.path());
    shots.setStandardOutputFile(QProcess::nullDevice());
    shots.setStandardErrorFile(QProcess::nullDevice());
    shots.start(QString(KORVEL_BINARY_DIR) + "/tools/korvel-shots/korvel-shots", {"--live", "KSX-Puffin", out.path()});
    ASSERT_TRUE(shots.waitForStarted());
    // While it runs: the folders it runs in, and whether the model's folder
    // ever holds anything else.
    const std::string cwdLink = "/proc/" + std::to_string(shots.processId()) + "/cwd";
    std::set<std::string> runFolders;
    std::set<std::string> modelFolderChanges;
    while (!shots.waitForFinished(20)) {
        std::error_code error;
        const std::filesystem::path cwd = std::filesystem::read_symlink(cwdLink, error);
        if (!error)
            runFolders.insert(cwd.string());
        for (const auto& [name, file] : FolderListing(model)) {
            if (modelFiles.count(name) == 0 || modelFiles.at(name) != file)
                modelFolderChanges.insert(name);
        }
    }
    ASSERT_EQ(shots.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(shots.exitCode(), 0);
    EXPECT_EQ(modelFolderChanges, std::set<std::string>{});
    EXPECT_EQ(FolderListing(model), modelFiles);
    bool ranInTemporaryFolder = false;
    for (const std::string& folder : runFolders) {
        EXPECT_FALSE(IsInside(folder, KORVEL_SOURCE_DIR)) << folder;
        ranInTemporaryFolder = ranInTemporaryFolder || IsInside(folder, temp.path().toStdString());
    }
    EXPECT_TRUE(ranInTemporaryFolder);
    // Its folder went at the end.
    EXPECT_TRUE(QDir(temp.path()).entryList({"korvel-shots-*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
    QFile index(QDir(out.path()).filePath("live.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    const int dialogs[] = {
        IDD_ABOUTBOX, IDD_PORT_SET_INFO, IDD_PORT_DESCRIPTION, IDD_TRUNK_CONFIG,
        IDD_8021Q_VLAN, IDD_SURVEILLANCE_VLAN, IDD_SURVEILLANCE_OUI, IDD_MANAGEMENT_VLAN,
        IDD_GVRP_SETTINGS, IDD_GVRP_TIME, IDD_FIRM_DOWNLOAD, IDD_STP_BRIDGE,
        IDD_8021X_GLOBAL, IDD_8021X_PORT_SETTINGS, IDD_DOT1X_PORT_CONFIG, IDD_8021X_USER,
        IDD_8021X_RADIUS, IDD_DHCP_SCREEN,
        IDD_RMON_STATUS, IDD_RMON_ETHERNET_STATISTICS, IDD_RMON_HISTORY_CONTROL,
        IDD_RMON_ALARM, IDD_RMON_EVENT,
        IDD_LOOPBACK_DETECTION, IDD_STATIC_MAC, IDD_SMART_BINDING_SETTINGS,
        IDD_IMPB_WHITE_LIST, IDD_IMPB_BLACK_LIST, IDD_IMPB_SMART_BINDING,
        IDD_IGMP_SNOOPING, IDD_IGMP_VLAN_SETTING, IDD_IGMP_ENTRY_TABLE, IDD_JUMBO_FRAME,
        IDD_MULTICAST_FILTER, IDD_LLDP_REMOTE, IDD_LLDP_MED, IDD_LLDP_GLOBAL,
        IDD_ENGINE_INFO, IDD_COMMUNITY_INFO, IDD_GROUP_INFO, IDD_ACCESS_INFO,
        IDD_MIB_TREE_INFO, IDD_USER_INFO, IDD_8021X_STATUS, IDD_8021X_DIAGNOSIS,
        IDD_ROUTER_MAP, IDD_SYSLOG_INFO, IDD_HIS_SYSLOG_INFO, IDD_SW_PACKAGE_INFO,
        IDD_SYSLOG_APP_INFO,
        IDD_PORT_MIRRORING, IDD_BANDWIDTH_CONTROL, IDD_STORM_CONTROL,
        IDD_TRAFFIC_SEG, IDD_ARP_SPOOF_SETTING,
        IDD_POE_CONFIG, IDD_POE_GLOBAL, IDD_POE_TIME_RANGES, IDD_TIME_PROFILE,
        IDD_LEGACY_STP_BRIDGE, IDD_LEGACY_STP_TABLE, IDD_LEGACY_8021X_CONFIG,
        IDD_LEGACY_CAMERA_VLAN_PORT, IDD_LEGACY_MULTI_FILTER_MODE, IDD_LEGACY_IGMP_ROUTER_PORTS,
        IDD_SNMP_GLOBAL, IDD_SNMP_ENGINE_ID, IDD_SNMP_TRAP, IDD_SNMP_HOST,
        IDD_SNMP_COMMUNITY, IDD_SNMP_USER, IDD_SNMP_GROUP, IDD_SNMP_VIEW,
        IDD_SYSTEM_INFORMATION, IDD_INTERFACE_TABLE, IDD_IP_TABLE, IDD_TCP_SERVICE,
        IDD_UDP_SERVICE, IDD_FORWARDING_TABLE, IDD_SYSLOG_HOST,
        IDD_RMON1_STATISTIC, IDD_TRUNK_INFO, IDD_VLAN_INFO, IDD_RMON_CONTROL, IDD_RMON1_GROUP, IDD_RMON1_INTERFACE,
        IDD_DEVICE_CFG, IDD_SYSLOG_CFG, IDD_TELNET_CFG, IDD_CLI_CONTROL,
        IDD_DHCP_RELAY_GLOBAL, IDD_DHCP_RELAY_INTERFACE, IDD_DHCP_LOCAL_RELAY, IDD_DHCP_SCREEN_PORTS,
        IDD_SETUP_DEVICE, IDD_DHCP_INFO,
        IDD_POWER_SAVING,
        IDD_ARP_TABLE,
        IDD_DEVICE_INFO, IDD_RESOURCE_INFO, IDD_WEB_CONFIG,
    };
    for (int id : dialogs) {
        const QString file = QString("live-%1.png").arg(id);
        const QImage picture(QDir(out.path()).filePath(file));
        EXPECT_FALSE(picture.isNull()) << file.toStdString();
        EXPECT_TRUE(html.contains(file)) << file.toStdString();
    }
    // Only dialogs: the Tools commands' questions were answered no, and the
    // commands without a dialog opened none.
    EXPECT_EQ(QDir(out.path()).entryList({"live-*.png"}).size(), static_cast<qsizetype>(std::size(dialogs)));
}

} // namespace polling_test
