// One row of the agent's view table as the view page receives it, valid only
// while the message that carries it lasts: 0 view name, 1 subtree (from the
// row's index), 2 mask (the octets received, at most one per sub-identifier
// of the subtree, in decimal joined by full stops), 3 view type text
// ("Included", "Excluded", empty for any other code), 4 row status.
#pragma once

#include <array>
#include <string>

using SNMP_view_info = std::array<std::string, 5>;
