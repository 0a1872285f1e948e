// The model tests on the names the program knows and on names written
// in other case.
#include "app/CDeviceProfile.h"

#include <gtest/gtest.h>

namespace startup_test {

namespace {

TEST(ModelTests, PoeAndFastEthernetByName)
{
    struct Case
    {
        const char* name;
        bool poe;
        bool fastEthernet;
    };
    const Case cases[] = {
        {"KSX-Alcor", false, false},   {"KSX-Alcor R2", false, false}, {"KSX-Bellis", false, false},
        {"KSX-BellisX", false, false}, {"KVT-CorvidR2", false, true},  {"KSX-Dunlin", false, false},
        {"KVT-EgretR2", false, true},  {"KSX-DunlinX", false, false},  {"KSX-Puffin", true, false},
        {"KSX-PuffinX", true, false},  {"KSX-Puffin R2", true, false}, {"KSX-Gannet", false, false},
        {"KSX-Heron", false, false},   {"KSX-Ibis", false, false},     {"KVT-Pipit R1", true, true},
        {"kvt-x", false, false},       {"kSX-Alpha", true, false},     {"", false, false},
        {"KV T", false, false},        {"xKVTx", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CDeviceProfile::IsPoeModel(c.name), c.poe);
        EXPECT_EQ(CDeviceProfile::IsFastEthernetModel(c.name), c.fastEthernet);
    }
}

} // namespace

} // namespace startup_test
