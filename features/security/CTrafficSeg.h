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
#include "common/CWriteReport.h"
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

    // Reads the state into m_strState (empty when the read fails or the
    // value is outside 1..2); TRUE when a state of the set was read.
    BOOL GetState();
    // Writes the state; TRUE when the switch accepted it, else the report
    // holds why.
    BOOL SetState(const std::string& strValue, CWriteReport& report);
    // Writes the forwarding set of one port; TRUE when the switch accepted
    // it, else the report holds why (and nothing was sent once it had failed).
    BOOL SetForwardingPorts(const std::string& strPort, const std::vector<BYTE>& bitmap, CWriteReport& report);
    void CloseSessions();

    // The state as last read, empty (unknown) before a read and after a
    // failed one.
    std::string m_strState;

private:
    CCommonSNMP m_cSnmpSeg;
    CCommonSNMP m_cSnmpSegWalk;
};
