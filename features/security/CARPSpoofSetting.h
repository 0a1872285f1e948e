// "ARP Spoofing Prevention Setting": the switch's ARP spoofing prevention
// entries (gateway address, MAC, ports), at most 64; Add opens
// CAddARPEntry, Delete destroys the selected entry.
//
// Opened by the main window's command ID_ARP_SPOOFING (32833). The table
// walk runs on m_cCommonSNMPTable; its rows are taken whole at its end (a
// failed walk keeps the last list) and only active rows are listed, with a
// running Index. Every row of the walk, active or not, goes to the add
// dialog for its duplicate rules.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/security/ARP_entry_info.h"
#include "common/CCommonSNMP.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <atomic>
#include <mutex>
#include <vector>

class CSnmp;

class CARPSpoofSetting : public CDialog
{
public:
    explicit CARPSpoofSetting(CWnd* pParent = nullptr);
    ~CARPSpoofSetting() override;

    BOOL DestroyWindow() override;

    static constexpr int kMaxEntries = 64;

    static int OnArpTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void StartTableWalk();
    LRESULT OnWalkEnded(WPARAM wParam, LPARAM lParam);
    void OnAdd();
    void OnDelete();
    void OnCloseClicked();

    DECLARE_MESSAGE_MAP()

private:
    void EnableButtons(BOOL bEnable);

    CListCtrlEx m_listEntries;
    CEdit m_editTotal;
    CReadReport m_readReport;
    bool m_bListRead = false; // a walk has read the whole table
    CButton m_btnAdd;
    CButton m_btnDelete;
    CButton m_btnRefresh;
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPTable;

    // The rows of the walk in progress and of the last complete walk.
    std::mutex m_csRows;
    std::vector<ARP_entry_info> m_Building;
    std::vector<ARP_entry_info> m_Entries;
    std::atomic<HWND> m_hSelf{nullptr};
};
