// What the ARP spoofing prevention tests share: the 28-port sample model's
// switch (trunk 1 holds ports 27 and 28, trunk 2 ports 25 and 26; one active
// entry, 192.168.1.254 on ports 2 and 3), the table's objects, and rows made
// through the row status column.
#pragma once

#include "support/FeatureDialogTest.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/SnmpValueType.h"

#include <string>
#include <vector>

namespace arptest {

inline const std::string kTable = "1.3.6.1.4.1.32473.10.76.19.1.14.3.1.1";
inline std::string Column(int column, const std::string& address)
{
    return kTable + "." + std::to_string(column) + "." + address;
}

inline bool Settled()
{
    return Pump([] { return CCommonSNMP::WaitForWorkers(0); }, 20000);
}

class ArpTest : public FeatureDialogTest
{
protected:
    void StartPuffin()
    {
        StartModelSwitch("KSX-Puffin", 28);
        g_strModelName = "KSX-Puffin";
    }
    // A row of the given status ("4" active, "5" not in service), with a MAC
    // and ports when given.
    void AddRow(const std::string& address, const std::string& create, const std::string& mac = {},
                const std::string& ports = {})
    {
        ASSERT_EQ(sim->Set(Column(4, address), SnmpValueInteger, create), 0);
        if (!mac.empty()) {
            ASSERT_EQ(sim->Set(Column(2, address), SnmpValueOctetString, mac), 0);
        }
        if (!ports.empty()) {
            ASSERT_EQ(sim->Set(Column(3, address), SnmpValueOctetString, ports), 0);
        }
    }
    std::vector<std::vector<std::string>> SetsSince(std::size_t n) const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(n, sets.size())));
        return sets;
    }
};

} // namespace arptest
