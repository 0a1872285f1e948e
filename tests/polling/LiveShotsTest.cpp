// korvel-shots --live opens every feature dialog of the command table by its
// command, filled from its own simulated switch.
#include "resources/agent_tools.h"
#include "resources/dhcp_screen.h"
#include "resources/dot1x.h"
#include "resources/fdb.h"
#include "resources/main.h"
#include "resources/mib2.h"
#include "resources/ports_vlans.h"
#include "resources/rmon.h"
#include "resources/stp.h"
#include "resources/sysinfo.h"
#include "resources/syslog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <iterator>

TEST(LiveShots, EveryDialogOfTheCommandTableFilledFromTheSwitch)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const std::string command = std::string(KORVEL_BINARY_DIR) + "/tools/korvel-shots/korvel-shots --live KSX-Puffin '" +
                                out.path().toStdString() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QFile index(QDir(out.path()).filePath("live.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    const int dialogs[] = {IDD_ABOUTBOX,      IDD_PORT_SET_INFO,     IDD_PORT_DESCRIPTION, IDD_TRUNK_CONFIG,
                           IDD_8021Q_VLAN,    IDD_SURVEILLANCE_VLAN, IDD_SURVEILLANCE_OUI, IDD_MANAGEMENT_VLAN,
                           IDD_GVRP_SETTINGS, IDD_GVRP_TIME,        IDD_FIRM_DOWNLOAD,    IDD_STP_BRIDGE,
                           IDD_8021X_GLOBAL,  IDD_8021X_PORT_SETTINGS, IDD_DOT1X_PORT_CONFIG, IDD_8021X_USER,
                           IDD_8021X_RADIUS,  IDD_DHCP_SCREEN,
                           IDD_RMON_STATUS,   IDD_RMON_ETHERNET_STATISTICS, IDD_RMON_HISTORY_CONTROL,
                           IDD_RMON_ALARM,    IDD_RMON_EVENT,
                           IDD_SYSTEM_INFORMATION, IDD_INTERFACE_TABLE, IDD_IP_TABLE, IDD_TCP_SERVICE,
                           IDD_UDP_SERVICE,   IDD_FORWARDING_TABLE,  IDD_SYSLOG_HOST};
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
