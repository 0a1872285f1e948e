// korvel-shots draws the front panel of every sample model in each port state.
#include "MainWindowSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

namespace mainwin_test {

TEST(PanelShots, EverySampleModelInEachPortState)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const std::string command = std::string(KORVEL_BINARY_DIR) + "/tools/korvel-shots/korvel-shots '" +
                                out.path().toStdString() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QFile index(QDir(out.path()).filePath("index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    for (const SampleModel& m : kSampleModels) {
        QStringList states{"links", "disabled", "down"};
        if (m.poe)
            states << "poe";
        for (const QString& state : states) {
            const QString file = QString("panel-%1-%2.png").arg(QString(m.name).replace(' ', '-'), state);
            const QImage picture(QDir(out.path()).filePath(file));
            ASSERT_FALSE(picture.isNull()) << file.toStdString();
            // The panel with a title bar above it.
            EXPECT_GE(picture.width(), m.width) << file.toStdString();
            EXPECT_GT(picture.height(), m.height) << file.toStdString();
            EXPECT_TRUE(html.contains(file)) << file.toStdString();
        }
    }
}

} // namespace mainwin_test
