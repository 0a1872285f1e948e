#include "features/ports_vlans/CPVIDConfigLogic.h"

#include "common/VlanTableOids.h"
#include "features/ports_vlans/CVlanAddLogic.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace {

// Switches of this many ports or more get a pause after this many writes.
constexpr int kPauseAfterPorts = 40;
constexpr DWORD kPauseAfterWritesMs = 50;

} // namespace

CPVIDConfigLogic::CPVIDConfigLogic() = default;

CPVIDConfigLogic::~CPVIDConfigLogic()
{
    Close();
}

int CPVIDConfigLogic::CheckTrunkPvid(const std::vector<int>& pvids, const std::vector<int>& groups)
{
    const size_t nPorts = std::min(pvids.size(), groups.size());
    for (size_t i = 0; i < nPorts; ++i) {
        if (pvids[i] == 1 || groups[i] == 0)
            continue;
        bool bDiffers = false;
        for (size_t j = 0; j < nPorts; ++j) {
            if (groups[j] == groups[i] && pvids[j] != pvids[i])
                bDiffers = true;
        }
        if (bDiffers)
            AfxMessageBox("You should let all Trunk member in the same PVID !");
        else
            AfxMessageBox("Setting PVID on a Trunk is not supported. Please use Web interface for the settings.");
        return 0;
    }
    return 1;
}

int CPVIDConfigLogic::CheckPvidVlans(const std::vector<int>& pvids, const VLAN_entry_list* pVlanList)
{
    for (int nPvid : pvids) {
        const VLAN_entry_info* pRecord = CVlanAddLogic::FindVlan(pVlanList, nPvid);
        if (pRecord == nullptr) {
            AfxMessageBox("Invalid PVID");
            return 0;
        }
        if (pRecord->nEgressCount == 0) {
            AfxMessageBox("Invalid PVID,VlAN is empty");
            return 0;
        }
    }
    return 1;
}

int CPVIDConfigLogic::SetPvids(const std::vector<int>& pvids, CWriteReport& report)
{
    const int nPorts = static_cast<int>(pvids.size());
    for (int p = 1; p <= nPorts; ++p) {
        if (nPorts >= kPauseAfterPorts && p == kPauseAfterPorts + 1)
            Sleep(kPauseAfterWritesMs);
        m_cCommonSNMPSet.Open(3);
        m_cCommonSNMPSet.AddValue(kPvidColumn + "." + std::to_string(p), 10,
                                  std::to_string(pvids[static_cast<size_t>(p - 1)]));
        // The first write refused or unanswered ends the sequence.
        if (!report.Send(m_cCommonSNMPSet, "the PVID of port " + std::to_string(p))) {
            report.SetProgress(CWriteReport::PortProgress("Ports", 1, p));
            return 0;
        }
    }
    return 1;
}

void CPVIDConfigLogic::Close()
{
    m_cSnmpTrunkWalk.Close();
    m_cCommonSNMPSet.Close();
}
