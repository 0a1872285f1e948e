// Running the trunk member picker as a user would: open it for one trunk,
// tick ports, press OK, and see what it said and whether it closed.
#pragma once

#include "trunk/TrunkTestSupport.h"

#include "features/ports_vlans/CKSXTrunkPort.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <memory>
#include <vector>

struct PickerRun
{
    // Opens the picker for the trunk, with its members ticked.
    PickerRun(const std::string& trunkId, const std::string& mode, const std::string& members)
    {
        EnsureApplication();
        picker = std::make_unique<CKSXTrunkPort>();
        picker->m_strTrunkID = trunkId;
        picker->m_strChannelMode = mode;
        picker->m_strPortMember = members;
        picker->Create(IDD_TRUNK_MEMBER, nullptr);
        picker->ShowWindow(SW_SHOW);
    }
    ~PickerRun()
    {
        if (picker->GetSafeHwnd())
            picker->DestroyWindow();
    }

    bool IsTicked(int port) const
    {
        QAbstractButton* box = ButtonOf(*picker, IDC_TRUNK_MEMBER_CHECK_FIRST + port - 1);
        return box && box->isChecked();
    }
    // Clicks the boxes whose state differs, so that exactly `ports` are ticked.
    void Tick(const std::vector<int>& ports)
    {
        for (int port = 1; port <= g_nPortCount; ++port) {
            const bool wanted = std::find(ports.begin(), ports.end(), port) != ports.end();
            if (IsTicked(port) != wanted)
                ClickControl(*picker, IDC_TRUNK_MEMBER_CHECK_FIRST + port - 1);
        }
    }
    void PressOk() { ClickControl(*picker, IDOK); }
    // OK ended the dialog (a modeless dialog hides when it ends).
    bool Ended() const { return !picker->IsWindowVisible(); }

    std::unique_ptr<CKSXTrunkPort> picker;
};
