// The process's cache of SNMPv3 localized keys.
#include "platform/snmp/SnmpKeyCache.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace snmp_test {

namespace {

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

const std::string kEngine("\0\0\0\0\0\0\0\0\0\0\0\2", 12);

// The published password-to-key examples, asked for from several threads at
// once and again from the cache; another password or engine is another key.
TEST(SnmpKeyCache, LocalizedKeysMatchThePublishedExamples)
{
    struct Case
    {
        int algorithm;
        const char* key;
    };
    const Case cases[] = {{0, "526f5eed9fcce26f8964c2930787d82b"}, {1, "6695febc9288e36282235fc7151f128497b38f3f"}};
    for (const Case& c : cases) {
        std::vector<std::string> keys(4);
        std::vector<std::thread> threads;
        for (std::string& key : keys)
            threads.emplace_back([&] { SnmpKeyCache::Localized(c.algorithm, "maplesyrup", kEngine, key); });
        for (std::thread& t : threads)
            t.join();
        for (const std::string& key : keys)
            EXPECT_EQ(Hex(key), c.key) << "algorithm " << c.algorithm;

        std::string other;
        ASSERT_TRUE(SnmpKeyCache::Localized(c.algorithm, "maplesyrup!", kEngine, other));
        EXPECT_NE(Hex(other), c.key);
        ASSERT_TRUE(SnmpKeyCache::Localized(c.algorithm, "maplesyrup", std::string(12, '\1'), other));
        EXPECT_NE(Hex(other), c.key);
    }
}

TEST(SnmpKeyCache, RefusesWhatCannotMakeAKey)
{
    std::string key = "stale";
    EXPECT_FALSE(SnmpKeyCache::Localized(2, "maplesyrup", kEngine, key)) << "unknown algorithm";
    EXPECT_TRUE(key.empty());
    EXPECT_FALSE(SnmpKeyCache::Localized(1, "", kEngine, key));
    EXPECT_FALSE(SnmpKeyCache::Localized(1, "short", kEngine, key));
    EXPECT_FALSE(SnmpKeyCache::Localized(1, "maplesyrup", "", key));
}

} // namespace

} // namespace snmp_test
