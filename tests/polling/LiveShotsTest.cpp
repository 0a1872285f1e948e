// korvel-shots --live opens every feature dialog of the command table by its
// command, filled from its own simulated switch.
#include "resources/agent_tools.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"
#include "resources/snmp_agent.h"
#include "resources/stp.h"

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
                           IDD_SNMP_GLOBAL,   IDD_SNMP_ENGINE_ID,    IDD_SNMP_TRAP,        IDD_SNMP_HOST,
                           IDD_SNMP_COMMUNITY, IDD_SNMP_USER,     IDD_SNMP_GROUP,       IDD_SNMP_VIEW};
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
