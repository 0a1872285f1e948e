// The SNMP side of traffic segmentation that its dialog (CTrafficSegDlg)
// does not do itself: the state GET and SET and the forwarding-set SET, all
// synchronous on m_cSnmpSeg. The dialog also uses the base's trunk walk and
// CheckTrunkConsistency.
//
// Objects, korvelEnterprise.10.76.19.1.14.9: .1.0 state (1 enabled,
// 2 disabled); forwarding table .2.1, index port: .1 port, .2 the ports the
// port may forward to (port bitmap).
#pragma once

#include "common/CModuleBase.h"
#include "platform/system/WinTypes.h"

#include <string>
#include <vector>

class CTrafficSeg : public CModuleBase
{
public:
    CTrafficSeg();
    ~CTrafficSeg() override;

    CTrafficSeg(const CTrafficSeg&) = delete;
    CTrafficSeg& operator=(const CTrafficSeg&) = delete;

    static const std::string kStateOid;
    static const std::string kPortColumn;
    static const std::string kForwardColumn;

    // Reads the state into m_strState ("1" when the read fails); TRUE when
    // the switch answered without an error.
    BOOL GetState();
    // Writes the state; TRUE when the switch accepted it.
    BOOL SetState(const std::string& strValue);
    // Writes the forwarding set of one port; TRUE when the switch accepted it.
    BOOL SetForwardingPorts(const std::string& strPort, const std::vector<BYTE>& bitmap);
    void CloseSessions();

    // The state as last read, "1" before a read and after a failed one.
    std::string m_strState = "1";

private:
    CCommonSNMP m_cSnmpSeg;
    CCommonSNMP m_cSnmpSegWalk;
};
