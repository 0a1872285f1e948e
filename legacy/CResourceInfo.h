// "Resource Information": the CPU utilisation over one second, one minute and
// five minutes, read when the dialog opens, on Refresh and every five seconds
// while it is open (a tick while an SNMPv1 read is outstanding is skipped).
// A frame dialog in the member form, over SNMPv1 or SNMPv3.
#pragma once

#include "legacy/CLegacyFrame.h"

class CResourceInfo : public CLegacyFrame
{
public:
    explicit CResourceInfo(CWnd* pParent = nullptr);

    static constexpr UINT_PTR kCpuTimer = 1050;
    static constexpr UINT kCpuPeriodMs = 5000;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnRefresh() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnScalarsRead(int tag, CSnmp& reply, bool stopAtHole) override;
    void OnScalarsFailed(int tag) override;

    // One row of CPU figures; nothing while an SNMPv1 read is outstanding.
    // The row shown stays until a read brings a whole new one.
    void ReadCpuUtilization();
    // The walk of the MIB tree columns into the hidden list.
    void RefreshMibTree();

    CListCtrlEx m_listMibTree; // hidden
    bool m_bUserRead = false;  // the pending CPU read is the user's (opening, Refresh)

    DECLARE_MESSAGE_MAP()
};
