// Start-up as the host runs it: separate processes, each started from a
// folder that holds User.ini and a copy of the program (the profile is read
// beside the executable), sharing one runtime folder for the instance locks.
#include "support/ModelFolder.h"
#include "resources/main.h"
#include "support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace startup_test {

namespace {

constexpr int kWaitMs = 20000;

class Startup : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_runtime.isValid()); }

    void TearDown() override
    {
        for (auto& process : m_processes) {
            process->kill();
            process->waitForFinished(kWaitMs);
        }
    }

    // A folder with a copy of the program and, unless nullopt, a User.ini
    // naming the model.
    QString ModuleFolder(const std::optional<std::string>& model)
    {
        auto& dir = m_folders.emplace_back(std::make_unique<QTemporaryDir>());
        EXPECT_TRUE(dir->isValid());
        const QString program = dir->filePath("korvel-module");
        EXPECT_TRUE(QFile::copy(KORVEL_STARTUP_CHILD, program));
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
        if (model) {
            QFile ini(dir->filePath("User.ini"));
            EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
            ini.write(QByteArray::fromStdString("[DeviceInfo]\r\nDeviceName=" + *model +
                                                "\r\nDevicePortNum=28\r\nXMLName=panel.xml\r\n"));
        }
        return program;
    }

    // A folder with a copy of the program, the files of a sample model and
    // the given User.ini; the real main window runs in it.
    QString RealWindowFolder(const std::string& ini)
    {
        const QString program = ModuleFolder(std::nullopt);
        const QDir dir = QFileInfo(program).dir();
        QDirIterator files(QString::fromStdString(ModelFolder("KVT-CorvidR2").string()), QDir::Files);
        while (files.hasNext()) {
            const QFileInfo file(files.next());
            EXPECT_TRUE(QFile::copy(file.filePath(), dir.filePath(file.fileName())));
        }
        WriteFile(dir.filePath("User.ini"), ini);
        return program;
    }

    static void WriteFile(const QString& path, const std::string& content)
    {
        QFile file(path);
        file.remove();
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.data(), static_cast<qint64>(content.size()));
    }

    // Starts the program with the arguments the host would give; with
    // realWindow, the module's own main window in the program's folder.
    QProcess& Start(const QString& program, const QStringList& args, bool realWindow = false,
                    const QString& command = QString())
    {
        auto& process = m_processes.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!command.isEmpty())
            env.insert("KORVEL_CHILD_COMMAND", command);
        if (realWindow) {
            env.insert("KORVEL_CHILD_WINDOW", "real");
            process->setWorkingDirectory(QFileInfo(program).path());
        }
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(program, args);
        EXPECT_TRUE(process->waitForStarted(kWaitMs));
        return *process;
    }

    // Reads lines until one starts with `prefix` (returned) or the time runs out.
    static std::optional<std::string> WaitForLine(QProcess& process, const std::string& prefix)
    {
        QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            while (process.canReadLine()) {
                const std::string line = process.readLine().trimmed().toStdString();
                if (line.rfind(prefix, 0) == 0)
                    return line;
            }
            if (process.state() == QProcess::NotRunning && !process.canReadLine())
                return std::nullopt;
            process.waitForReadyRead(100);
        }
        return std::nullopt;
    }

    // Everything a process that ends by itself printed.
    static std::string RunToEnd(QProcess& process)
    {
        EXPECT_TRUE(process.waitForFinished(kWaitMs));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
        return process.readAllStandardOutput().toStdString();
    }

    int m_argc = 1;
    char m_name[16] = "test_startup";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
    QTemporaryDir m_runtime;
    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(Startup, SecondStartForTheSameSwitchBringsTheFirstForwardAndEnds)
{
    const QString program = ModuleFolder("KSX-AlcorR2");
    QProcess& first = Start(program, {"/P", "/I10.0.0.5", "/Rpublic", "/Wprivate"});
    EXPECT_EQ(WaitForLine(first, "running"), "running Module:KSX-AlcorR210.0.0.5");

    // Blanks inside fields are dropped, so this is the same switch.
    QProcess& second = Start(program, {"/P", "/I10.0.0", ".5"});
    const std::string output = RunToEnd(second);
    EXPECT_EQ(output.find("running"), std::string::npos) << output;
    EXPECT_EQ(output.find("box:"), std::string::npos) << output;
    EXPECT_NE(output.find("host snmp 1 5000 app"), std::string::npos) << output;

    EXPECT_TRUE(WaitForLine(first, "activated"));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(Startup, ASecondStartWhileADialogRunsBringsTheDialogForwardAndLeavesItAnswering)
{
    KorvelSimulator sim({}, KorvelSimulator::ModelArgs("KVT-CorvidR2"));
    ASSERT_TRUE(sim.Running());
    QFile ini(QString::fromStdString((ModelFolder("KVT-CorvidR2") / "User.ini").string()));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QString program = RealWindowFolder(ini.readAll().toStdString());
    const QStringList args = {"/P", "/I" + QString::fromStdString(sim.Host()),
                              "/R" + QString::fromStdString(KorvelSimulator::ReadCommunity()),
                              "/W" + QString::fromStdString(KorvelSimulator::WriteCommunity())};

    // Port Configuration runs over the main window of the first module.
    QProcess& first = Start(program, args, true, QString::number(ID_PORT_CONFIGURATION));
    ASSERT_EQ(WaitForLine(first, "dialog"), "dialog Port Configuration");

    // The second start hands over and ends; the dialog comes forward and the
    // main window stays held: a menu command and its close box do nothing.
    QProcess& second = Start(program, args, true);
    const std::string output = RunToEnd(second);
    EXPECT_EQ(output.find("running"), std::string::npos) << output;
    EXPECT_EQ(WaitForLine(first, "front"), "front Port Configuration main-enabled 0 active Port Configuration");
    EXPECT_EQ(WaitForLine(first, "after command"), "after command Port Configuration");

    // The dialog still answers: Escape ends it, and the main window takes input again.
    EXPECT_EQ(WaitForLine(first, "answered"), "answered Port Configuration");
    EXPECT_EQ(WaitForLine(first, "main-enabled"), "main-enabled 1");
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(Startup, AnotherAddressOrAnotherModelRunsBeside)
{
    const QString alcor = ModuleFolder("KSX-AlcorR2");
    const QString bellis = ModuleFolder("KSX-Bellis");
    QProcess& first = Start(alcor, {"/P", "/I10.0.0.5"});
    EXPECT_EQ(WaitForLine(first, "running"), "running Module:KSX-AlcorR210.0.0.5");

    QProcess& otherAddress = Start(alcor, {"/P", "/I10.0.0.6"});
    EXPECT_EQ(WaitForLine(otherAddress, "running"), "running Module:KSX-AlcorR210.0.0.6");
    QProcess& otherModel = Start(bellis, {"/P", "/I10.0.0.5"});
    EXPECT_EQ(WaitForLine(otherModel, "running"), "running Module:KSX-Bellis10.0.0.5");

    // Nobody asked the first to come forward.
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_FALSE(first.canReadLine());
    EXPECT_TRUE(first.readAllStandardOutput().isEmpty());
}

TEST_F(Startup, CommandLinesAndProfilesGiveTheirInstance)
{
    struct Case
    {
        const char* what;
        std::optional<std::string> model;
        QStringList args;
        std::string running; // "" when start-up ends before the main window
        std::string box;
    };
    const Case cases[] = {
        {"no command line", "KSX-AlcorR2", {}, "", "box: No parameter input !"},
        {"an empty argument is no command line either", "KSX-AlcorR2", {""}, "", "box: No parameter input !"},
        {"no /I: the address stays empty", "KSX-AlcorR2", {"/Xabc"}, "running Module:KSX-AlcorR2", ""},
        {"no User.ini: no model name", std::nullopt, {"/P", "/I10.0.0.5"}, "running Module:10.0.0.5", ""},
        {"a name that is no file name",
         "KSX/Puffin R2",
         {"/P", "/I10.0.0.5/"},
         "running Module:KSX/Puffin R210.0.0.5",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QProcess& process = Start(ModuleFolder(c.model), c.args);
        if (c.running.empty()) {
            const std::string output = RunToEnd(process);
            EXPECT_EQ(output.find("running"), std::string::npos) << output;
            // The host library was started before the command line was looked at.
            EXPECT_NE(output.find(c.box + "\nhost snmp 1 5000 app\n"), std::string::npos) << output;
        } else {
            EXPECT_EQ(WaitForLine(process, "running"), c.running);
            process.kill();
            process.waitForFinished(kWaitMs);
        }
    }
}

TEST_F(Startup, BrokenLocalFilesAreToldAndEndTheModuleBeforeItPolls)
{
    const std::string profile = "[DeviceInfo]\r\nDeviceName=KVT-CorvidR2\r\nDevicePortNum=10\r\nXMLName=";
    QFile sample(QString::fromStdString((ModelFolder("KVT-CorvidR2") / "KVT-CorvidR2.xml").string()));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const std::string panel = sample.readAll().toStdString();
    std::string farPanel = panel;
    farPanel.replace(farPanel.find("<LEFT>100</LEFT>"), 16, "<LEFT>2147483600</LEFT>");
    QFile bombFile(QString(KORVEL_SOURCE_DIR) + "/tests/panel/fixtures/entity-bomb.xml");
    ASSERT_TRUE(bombFile.open(QIODevice::ReadOnly));
    const std::string bomb = bombFile.readAll().toStdString();

    struct Case
    {
        const char* what;
        std::string ini;
        std::optional<std::string> panel; // panel.xml beside the program; none when nullopt
        std::string box;                  // the one message; "" when the module runs
    };
    const std::string told = "box: Cannot read the panel description \"";
    const Case cases[] = {
        {"the sample panel", profile + "panel.xml\r\n", panel, ""},
        {"no panel description", profile + "panel.xml\r\n", std::nullopt, told + "panel.xml\" !"},
        {"an empty one", profile + "panel.xml\r\n", "", told + "panel.xml\" !"},
        {"a truncated one", profile + "panel.xml\r\n", panel.substr(0, panel.size() / 2), told + "panel.xml\" !"},
        {"entities that multiply", profile + "panel.xml\r\n", bomb, told + "panel.xml\" !"},
        {"a panel far beyond any screen", profile + "panel.xml\r\n", farPanel, told + "panel.xml\" !"},
        {"a name out of the folder", profile + "../panel.xml\r\n", panel, told + "../panel.xml\" !"},
        {"an absolute name", profile + "/etc/hostname\r\n", panel, told + "/etc/hostname\" !"},
        {"a port count beyond int",
         "[DeviceInfo]\r\nDeviceName=KVT-CorvidR2\r\nDevicePortNum=2147483647\r\nXMLName=panel.xml\r\n", panel,
         "box: Read User.ini Error !"},
        {"a first combo port beyond int",
         "[DeviceInfo]\r\nDeviceName=KVT-CorvidR2\r\nComboPortNum=2\r\nComboPortIndex=2147483647\r\n"
         "XMLName=panel.xml\r\n",
         panel, "box: Read User.ini Error !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString program = RealWindowFolder(c.ini);
        const QString panelPath = QFileInfo(program).dir().filePath("panel.xml");
        if (c.panel)
            WriteFile(panelPath, *c.panel);
        QProcess& process = Start(program, {"/P", "/I127.0.0.1"}, true);
        if (c.box.empty()) {
            EXPECT_EQ(WaitForLine(process, "initialised"), "initialised polling");
            process.kill();
            process.waitForFinished(kWaitMs);
            continue;
        }
        // One message, no window, no polling: the module ends by itself.
        const std::string output = RunToEnd(process);
        EXPECT_NE(output.find(c.box + "\ninitialised no polling\nmain window ended 2\n"), std::string::npos) << output;
        EXPECT_EQ(output.find("box:"), output.find(c.box)) << output;
        EXPECT_EQ(output.find("box:", output.find(c.box) + 1), std::string::npos) << output;
    }
}

} // namespace

} // namespace startup_test
