// The single-instance lock between processes, and activation of the holder.
#include "platform/system/CInstanceLock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>
#include <set>

namespace system_test {

namespace {

class InstanceLock : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        // A runtime folder of this test alone; the helpers inherit it.
        setenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit().constData(), 1);
    }

    // Starts the helper holding `name`; returns once it holds the lock.
    void StartHolder(QProcess& holder, const std::string& name)
    {
        holder.start(KORVEL_INSTANCE_HELPER, {"hold", QString::fromStdString(name)});
        ASSERT_TRUE(holder.waitForStarted(10000));
        ASSERT_TRUE(WaitForLine(holder, "held"));
    }

    static bool WaitForLine(QProcess& process, const QByteArray& line)
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            while (process.canReadLine())
                if (process.readLine().trimmed() == line)
                    return true;
            process.waitForReadyRead(100);
        }
        return false;
    }

    // The helper may have ended while this process served its events.
    static bool Ended(QProcess& process)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(15000);
    }

    static int RunHelper(const QStringList& args)
    {
        QProcess helper;
        helper.start(KORVEL_INSTANCE_HELPER, args);
        if (!helper.waitForFinished(15000))
            return -1;
        return helper.exitCode();
    }

    int m_argc = 1;
    char m_name[16] = "test_system";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
    QTemporaryDir m_runtime;
};

TEST_F(InstanceLock, HeldByOneProcessRefusedToAnotherFreedWhenItIsKilled)
{
    const std::string name = "Module:KSX-AlcorR210.0.0.5";
    QProcess holder;
    StartHolder(holder, name);

    CInstanceLock second(name);
    EXPECT_FALSE(second.Acquire());
    EXPECT_FALSE(second.IsHeld());
    EXPECT_FALSE(second.ListenForActivation([] {}));

    // The second start asks the first to show itself, and the first hears it.
    EXPECT_TRUE(CInstanceLock::ActivateRunning(name));
    EXPECT_TRUE(WaitForLine(holder, "activated"));

    // Another name is another instance.
    EXPECT_EQ(RunHelper({"try", "Module:KSX-AlcorR210.0.0.6"}), 0);

    holder.kill(); // no chance to clean up: the kernel frees the lock
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_TRUE(second.Acquire());
    EXPECT_TRUE(second.IsHeld());
}

TEST_F(InstanceLock, ActivationReachesTheHolderInThisProcess)
{
    const std::string name = "Module:KSX-Puffin192.168.1.20";
    CInstanceLock first(name);
    ASSERT_TRUE(first.Acquire());
    EXPECT_TRUE(first.Acquire()); // taking it again is harmless
    int activations = 0;
    ASSERT_TRUE(first.ListenForActivation([&activations] { ++activations; }));

    EXPECT_EQ(RunHelper({"try", QString::fromStdString(name)}), 3);

    QProcess second;
    second.start(KORVEL_INSTANCE_HELPER, {"activate", QString::fromStdString(name)});
    QDeadlineTimer deadline(15000);
    while (activations == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(Ended(second));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(activations, 1);
}

TEST_F(InstanceLock, ActivationWithoutHolderFailsInTime)
{
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(CInstanceLock::ActivateRunning("Module:nobody", 300));
    EXPECT_LT(elapsed.elapsed(), 3000);
}

TEST_F(InstanceLock, StaleSocketOfAKilledHolderIsReplaced)
{
    const std::string name = "Module:KVT-CorvidR210.0.0.9";
    QProcess holder;
    StartHolder(holder, name);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));

    CInstanceLock next(name);
    ASSERT_TRUE(next.Acquire());
    int activations = 0;
    ASSERT_TRUE(next.ListenForActivation([&activations] { ++activations; }));
    QProcess second;
    second.start(KORVEL_INSTANCE_HELPER, {"activate", QString::fromStdString(name)});
    QDeadlineTimer deadline(15000);
    while (activations == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(activations, 1);
    ASSERT_TRUE(Ended(second));
    EXPECT_EQ(second.exitCode(), 0);
}

TEST(InstanceName, EncodedAsASafeDistinctFileName)
{
    EXPECT_EQ(CInstanceLock::EncodeName("Module:KSX-AlcorR210.0.0.5"), "Module%3AKSX-AlcorR210.0.0.5");
    EXPECT_EQ(CInstanceLock::EncodeName("Module:KSX-Puffin R2/../x"), "Module%3AKSX-Puffin%20R2%2F..%2Fx");

    const std::string longModel(200, 'K');
    const std::string texts[] = {
        "",
        "Module:",
        "Module:%3A",
        "Module::",
        "Module:\xC3\xA9",
        "Module:" + longModel + "10.0.0.5",
        "Module:" + longModel + "10.0.0.6",
        "Module:" + std::string(300, '/'),
        std::string("a\0b", 3),
    };
    std::set<std::string> seen;
    for (const auto& text : texts) {
        const std::string name = CInstanceLock::EncodeName(text);
        EXPECT_LE(name.size(), 73U) << text;
        EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._-%~"),
                  std::string::npos)
            << name;
        EXPECT_TRUE(seen.insert(name).second) << "two texts share " << name;
    }
}

} // namespace

} // namespace system_test
