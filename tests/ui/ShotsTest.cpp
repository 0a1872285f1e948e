// korvel-shots writes a picture of every dialog template and an index of them.
#include "platform/ui/ResourceStore.h"
#include "resources/test.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

namespace ui_test {

TEST(Shots, EveryTemplateGetsAPictureAndAnIndexEntry)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const std::string command = std::string(KORVEL_BINARY_DIR) + "/tools/korvel-shots/korvel-shots '" +
                                out.path().toStdString() + "' > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (UINT id : ResourceStore::Instance().DialogIds())
        EXPECT_TRUE(QFile::exists(QDir(out.path()).filePath(QString("dialog-%1.png").arg(id)))) << id;
    const QImage test(QDir(out.path()).filePath(QString("dialog-%1.png").arg(IDD_UI_TEST)));
    ASSERT_FALSE(test.isNull());
    // The template is 322 x 230 dialog units: a picture of a few hundred pixels each way.
    EXPECT_GT(test.width(), 322);
    EXPECT_GT(test.height(), 230);
    QFile index(QDir(out.path()).filePath("index.html"));
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(index.readAll());
    EXPECT_TRUE(html.contains("dialog-9001.png"));
    EXPECT_TRUE(html.contains("Window Layer Test"));
}

} // namespace ui_test
