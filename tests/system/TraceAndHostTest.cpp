// The debug trace, the executable's folder and the host library's record.
#include "platform/hostsnmp/HostSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/ModuleFolder.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <unistd.h>

namespace system_test {

namespace {

QStringList g_lines;

void Capture(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    g_lines.append(QString::fromLatin1(context.category) + "|" + text);
}

TEST(DebugTrace, OffUnlessAskedForThenOneLinePerTrace)
{
    unsetenv("QT_LOGGING_RULES");
    qInstallMessageHandler(Capture);
    EXPECT_FALSE(IsDebugTraceEnabled());
    OutputDebugString("==================DestroyWindow===============");
    DebugTrace(" node num = %d", 3);
    EXPECT_TRUE(g_lines.isEmpty());

    QLoggingCategory::setFilterRules("korvel.trace.debug=true");
    EXPECT_TRUE(IsDebugTraceEnabled());
    OutputDebugString("==================DestroyWindow===============");
    DebugTrace("error code:%d \n", 2);
    DebugTrace("%s", std::string(5000, 'x').c_str());
    qInstallMessageHandler(nullptr);

    ASSERT_EQ(g_lines.size(), 3);
    EXPECT_EQ(g_lines[0], "korvel.trace|==================DestroyWindow===============");
    EXPECT_EQ(g_lines[1], "korvel.trace|error code:2 ");
    EXPECT_EQ(g_lines[2].size(), 5000 + 13);
}

TEST(ModuleFolder, IsTheFolderOfThisExecutable)
{
    const std::string folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_TRUE(std::filesystem::exists(folder + self.filename().string()));
}

TEST(HostSnmp, RecordsWhatItWasGiven)
{
    auto* app = reinterpret_cast<CWinApp*>(0x1234);
    EXPECT_EQ(GetHostSnmpRecord().initCalls, 0);
    EXPECT_EQ(SnmpInit(app), 1);
    SetSnmpTimeout(5000);
    const HostSnmpRecord record = GetHostSnmpRecord();
    EXPECT_EQ(record.initCalls, 1);
    EXPECT_EQ(record.app, app);
    EXPECT_EQ(record.timeoutCalls, 1);
    EXPECT_EQ(record.timeoutMs, 5000);
}

} // namespace

} // namespace system_test
