// What the port dialog tests share: a simulated switch with the port data,
// the connection parameters and device profile pointed at it, and running a
// dialog modally while a test acts on it.
#pragma once

#include "support/FeatureDialogTest.h"

#include <string>

namespace ports_test {

inline std::string PortsData()
{
    return KorvelSimulator::TestData("ports.snmprec");
}
inline std::string ModelData(const std::string& model)
{
    return KorvelSimulator::ModelData(model, "system.snmprec");
}
inline std::string FixtureData(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/ports/fixtures/" + name;
}

// OIDs of the port control and description tables.
inline std::string PortColumn(int column, int port)
{
    return "1.3.6.1.4.1.32473.10.76.19.1.1.13.1." + std::to_string(column) + "." + std::to_string(port);
}
inline std::string DescriptionOid(int port)
{
    return "1.3.6.1.4.1.32473.10.76.19.1.1.16.1.2." + std::to_string(port);
}

// A switch of nPorts ports on a simulator of its own, with the module's
// connection parameters set for it.
class PortsTest : public FeatureDialogTest
{
};

} // namespace ports_test
