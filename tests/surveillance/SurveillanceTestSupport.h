// What the surveillance dialog tests share: the switch with its surveillance
// data, the component table's objects, rows made on the switch before a
// dialog opens, and what the switch received.
#pragma once

#include "vlan/VlanTestSupport.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CListCtrl.h"

#include <string>
#include <vector>

namespace survtest {

inline const std::string kEnterprise = "1.3.6.1.4.1.32473.10.76.19.1";
inline const std::string& kState = vlantest::kSurveillanceState;
inline const std::string kVlanId = kEnterprise + ".26.1.2.0";
inline const std::string kPriority = kEnterprise + ".26.1.3.0";
inline const std::string kPorts = kEnterprise + ".26.1.4.0";
inline const std::string& kAsymmetric = vlantest::kAsymmetricState;
using vlantest::kVoiceState;
inline const std::string kVoiceOuiAddress = kEnterprise + ".21.2.1.1.1";

// Column c of the component table's row with this index (".0.17.34.51.68.85").
inline std::string Component(int column, const std::string& index)
{
    return kEnterprise + ".26.2.1.1." + std::to_string(column) + index;
}
// The row indexes of the switch's two default rows (the OUIs 1A-6E-40 and 1A-6E-41).
inline const std::string kFirstDefaultIndex = ".26.110.64.0.0.0";
inline const std::string kSecondDefaultIndex = ".26.110.65.0.0.0";

inline std::string DataFile(const std::string& name)
{
    return KorvelSimulator::TestData(name);
}

// The VLAN tests' switch fixture, with what the switch received
// (SetBindings) and the ends of its walks (WaitForGetNextFrom).
class SurveillanceTest : public vlantest::VlanTest
{
protected:
    void SetUp() override
    {
        vlantest::VlanTest::SetUp();
        g_strModelName = "KSX-Bellis";
    }

    // The 28-port switch with its VLANs and surveillance data; without the
    // VLAN file the asymmetric VLAN mode and the voice VLAN cannot be read.
    void StartSurveillanceSwitch(bool withVlanData = true)
    {
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        if (withVlanData)
            files.push_back(DataFile("vlan.snmprec"));
        files.push_back(DataFile("surveillance.snmprec"));
        StartSwitch(files, 28);
    }

    // A user-defined row made on the switch before the dialog opens.
    void MakeRow(const std::string& index, const std::string& description)
    {
        ASSERT_EQ(sim->Set(Component(5, index), SnmpValueInteger, "4"), 0);
        ASSERT_EQ(sim->Set(Component(2, index), SnmpValueOctetString, description), 0);
    }
};

// The rows of a list, one text per row with its cells joined by " | ".
inline std::vector<std::string> Rows(CListCtrl& list, int columns)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        std::string row;
        for (int c = 0; c < columns; ++c)
            row += (c == 0 ? "" : " | ") + list.GetItemText(i, c);
        rows.push_back(row);
    }
    return rows;
}

using vlantest::Texts;

} // namespace survtest
