// "ARP Spoofing Prevention Settings": adds one entry to the switch's ARP
// spoofing prevention table: a gateway's IPv4 address, its MAC address and
// the ports the protection applies to, one run-time box per port.
//
// Opened only by the list dialog (CARPSpoofSetting), which hands it the rows
// of its last walk (SetExistingEntries) so that an active entry of the same
// address is refused and an inactive one is replaced. Apply checks the
// input, the link aggregation groups (the base's trunk walk of
// m_ModuleBase), asks for confirmation and writes the row; a SET the switch
// refuses ends the write with a message, removes a row this Apply created
// and leaves the dialog open.
//
// Table korvelEnterprise.10.76.19.1.14.3.1.1, index the gateway address:
// .1 address, .2 MAC (6 octets), .3 member ports (port bitmap), .4 row status.
#pragma once

#include "common/CWriteReport.h"

#include "common/CModuleBase.h"
#include "common/ClxDialog.h"
#include "features/security/ARP_entry_info.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <string>
#include <vector>

class CAddARPEntry : public ClxDialog
{
public:
    explicit CAddARPEntry(CWnd* pParent = nullptr);
    ~CAddARPEntry() override;

    BOOL DestroyWindow() override;

    // Column .n of the row of an address ("192.168.1.254").
    static std::string ColumnOid(int nColumn, const std::string& strAddress);
    static const std::string kTable;

    // The rows the list dialog read last, all states.
    void SetExistingEntries(std::vector<ARP_entry_info> entries);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnAllPorts();
    void OnPortBox(UINT nID);
    void OnApply();
    void OnCancelClicked();

    DECLARE_MESSAGE_MAP()

private:
    void CreatePortControls();
    // TRUE at the first failing check, after its message.
    BOOL CheckAddressAndMac(const std::string& strAddress, const std::string& strMac);
    // FALSE when a checked port's trunk group is not checked whole.
    BOOL CheckTrunkGroups();
    // Sends the prepared request; false (after the refusal message, and
    // removing the row when bCreated) when the switch did not accept it.
    bool SendStep(CWriteReport& report, const std::string& strWhat, const std::string& strAddress, bool bCreated);

    CIPAddressCtrl m_ipAddress;
    CEdit m_editMac;
    CButton m_chkAllPorts;
    std::vector<std::unique_ptr<CStatic>> m_pPortLabels;
    std::vector<std::unique_ptr<CButton>> m_pPortBoxes;
    std::vector<int> m_nPortChecked;
    std::vector<ARP_entry_info> m_Existing;
    CCommonSNMP m_cCommonSNMP;
    CModuleBase m_ModuleBase; // its trunk walk and the group check
};
