// Asynchronous sends and walks, and requests on several threads at once.
#include "platform/snmp/CSnmp4w.h"
#include "platform/snmp/CSnmpTable4w.h"
#include "tests/snmp/SnmpTestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace snmp_test {

namespace {

// What the call-backs saw, filled on the library's threads.
struct Replies
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> ids;
    std::vector<int> statuses;
    std::vector<std::string> values;
    std::set<std::thread::id> threads;
    CSnmpTable4w* walker = nullptr; // set for walks: the call-back asks for the next row
    std::string host;
    bool finished = false;

    bool WaitFinished(int ms)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return finished; });
    }
};

int OnReply(CSnmp* response, int id, void* user, int status)
{
    auto* replies = static_cast<Replies*>(user);
    std::unique_ptr<CSnmp> owned(response);
    std::lock_guard lock(replies->mutex);
    replies->ids.push_back(id);
    replies->statuses.push_back(status);
    replies->values.push_back(status == SnmpStatusOk ? ValueText(response, 0) : "");
    replies->threads.insert(std::this_thread::get_id());
    replies->finished = true;
    replies->changed.notify_all();
    return 0;
}

int OnRow(CSnmp* response, int id, void* user, int status)
{
    auto* replies = static_cast<Replies*>(user);
    std::unique_ptr<CSnmp> owned(response);
    std::lock_guard lock(replies->mutex);
    replies->ids.push_back(id);
    replies->statuses.push_back(status);
    replies->threads.insert(std::this_thread::get_id());
    if (status == SnmpStatusOk) {
        replies->values.push_back(ValueText(response, 0));
        replies->walker->getNextAsync(replies->host.c_str(), OnRow, user, nullptr, 2000);
    } else {
        replies->finished = true;
        replies->changed.notify_all();
    }
    return 0;
}

TEST(SnmpAsync, SendAsyncRunsTheCallBackOnALibraryThread)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SetReplyDelay(200));
    Replies replies;
    CSnmp4w sender;
    {
        auto request = V1(SnmpPduGet);
        request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
        sender.setRequest(request.get());
    } // the sender keeps its own copy
    ASSERT_EQ(sender.sendAsync(sim.Host().c_str(), OnReply, &replies, nullptr, 3000), CSnmp4w::EC_NO_ERROR);
    const int first = sender.getRequestID();
    EXPECT_GT(first, 0);
    ASSERT_TRUE(replies.WaitFinished(5000));
    {
        std::lock_guard lock(replies.mutex);
        EXPECT_EQ(replies.ids, std::vector<int>{first});
        EXPECT_EQ(replies.statuses, std::vector<int>{SnmpStatusOk});
        EXPECT_EQ(replies.values, std::vector<std::string>{"korvel-switch"});
        EXPECT_EQ(replies.threads.count(std::this_thread::get_id()), 0U);
        replies.finished = false;
    }
    // The form with the extra argument after the host; a new id.
    ASSERT_EQ(sender.sendAsync(sim.Host().c_str(), 0, OnReply, &replies, nullptr, 3000), 0);
    EXPECT_GT(sender.getRequestID(), first);
    ASSERT_TRUE(replies.WaitFinished(5000));
    std::lock_guard lock(replies.mutex);
    EXPECT_EQ(replies.ids.back(), sender.getRequestID());

    // Nothing to send: refused at once.
    CSnmp4w empty;
    EXPECT_EQ(empty.sendAsync(sim.Host().c_str(), OnReply, &replies, nullptr, 0), -1);
}

TEST(SnmpAsync, TimedOutSendReportsFailure)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SilenceFor(5000));
    Replies replies;
    auto request = V1(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    CSnmp4w sender(request.get());
    ASSERT_EQ(sender.sendAsync(sim.Host().c_str(), OnReply, &replies, nullptr, 500), 0);
    ASSERT_TRUE(replies.WaitFinished(3000));
    std::lock_guard lock(replies.mutex);
    EXPECT_EQ(replies.statuses, std::vector<int>{SnmpStatusFailed});
}

TEST(SnmpAsync, WalkRowByRowWithNewIds)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    auto request = V1(SnmpPduGetNext);
    request->addValue("1.3.6.1.2.1.2.2.1.2", SnmpValueNull);
    CSnmpTable4w walker(request.get());
    Replies replies;
    replies.walker = &walker;
    replies.host = sim.Host();
    ASSERT_EQ(walker.getNextAsync(sim.Host().c_str(), OnRow, &replies, nullptr, 2000), 0);
    const int first = request->getRequestID();
    ASSERT_TRUE(replies.WaitFinished(20000));
    std::lock_guard lock(replies.mutex);
    ASSERT_EQ(replies.values.size(), 28U);
    EXPECT_EQ(replies.values[27], "Port 28");
    EXPECT_EQ(replies.statuses.back(), SnmpStatusEndOfWalk);
    ASSERT_EQ(replies.ids.size(), 29U);
    EXPECT_EQ(replies.ids.front(), first);
    EXPECT_EQ(std::set<int>(replies.ids.begin(), replies.ids.end()).size(), 29U);
    EXPECT_EQ(replies.ids.back(), request->getRequestID());
}

TEST(SnmpAsync, DeletingTheSenderDropsALateReply)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SetReplyDelay(500));
    Replies replies;
    auto request = V1(SnmpPduGet);
    request->addValue("1.3.6.1.2.1.1.5.0", SnmpValueNull);
    {
        CSnmp4w sender(request.get());
        ASSERT_EQ(sender.sendAsync(sim.Host().c_str(), OnReply, &replies, nullptr, 2000), 0);
        auto walker = std::make_unique<CSnmpTable4w>(request.get());
        ASSERT_EQ(walker->getNextAsync(sim.Host().c_str(), OnReply, &replies, nullptr, 2000), 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    std::lock_guard lock(replies.mutex);
    EXPECT_TRUE(replies.ids.empty());
}

TEST(SnmpAsync, TwoThreadsSendAtOnce)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    std::atomic<int> failures{0};
    auto run = [&](bool v3, const std::string& oid, const std::string& expected) {
        for (int i = 0; i < 25; ++i) {
            std::unique_ptr<CSnmp> request = v3 ? std::unique_ptr<CSnmp>(V3(SnmpPduGet, "korvel-sha-des", 3, 1,
                                                                            "sha-auth-pass", 0, "sha-priv-pass"))
                                                : std::unique_ptr<CSnmp>(V1(SnmpPduGet));
            request->addValue(oid.c_str(), SnmpValueNull);
            CSnmp* raw = nullptr;
            if (request->send(sim.Host().c_str(), raw, 3000) != SnmpStatusOk || ValueText(raw, 0) != expected)
                ++failures;
            delete raw;
        }
    };
    auto walk = [&] {
        auto request = V3(SnmpPduGetNext, "korvel-md5", 1, 0, "md5-auth-pass");
        request->addValue("1.3.6.1.2.1.2.2.1.1", SnmpValueNull);
        CSnmpTable table(request.get());
        int rows = 0;
        CSnmp* raw = nullptr;
        int status = 0;
        while ((status = table.getNext(sim.Host().c_str(), raw, 3000)) == SnmpStatusOk) {
            if (ValueText(raw, 0) != std::to_string(++rows))
                ++failures;
            delete raw;
        }
        if (status != SnmpStatusEndOfWalk || rows != 28)
            ++failures;
    };
    std::thread a(run, false, "1.3.6.1.2.1.1.5.0", "korvel-switch");
    std::thread b(run, true, "1.3.6.1.2.1.1.6.0", "Lab rack 1");
    std::thread c(walk);
    std::thread d(run, true, "1.3.6.1.2.1.2.2.1.2.3", "Port 3");
    a.join();
    b.join();
    c.join();
    d.join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace

} // namespace snmp_test
