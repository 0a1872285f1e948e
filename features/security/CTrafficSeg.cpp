#include "features/security/CTrafficSeg.h"

#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"

#include <memory>

const std::string CTrafficSeg::kStateOid = KorvelOid("10.76.19.1.14.9.1.0");
const std::string CTrafficSeg::kPortColumn = KorvelOid("10.76.19.1.14.9.2.1.1");
const std::string CTrafficSeg::kForwardColumn = KorvelOid("10.76.19.1.14.9.2.1.2");

CTrafficSeg::CTrafficSeg() = default;

CTrafficSeg::~CTrafficSeg() = default;

BOOL CTrafficSeg::GetState()
{
    m_strState.clear();
    m_cSnmpSeg.Open(SnmpPduGet);
    m_cSnmpSeg.AddValue(kStateOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpSeg.send(pResponse, 0) != 0 || !pResponse)
        return FALSE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    if (nErrorStatus != 0 || strState.empty())
        return FALSE;
    m_strState = strState;
    return TRUE;
}

BOOL CTrafficSeg::SetState(const std::string& strValue, CWriteReport& report)
{
    m_cSnmpSeg.Open(SnmpPduSet);
    m_cSnmpSeg.AddValue(kStateOid, SnmpValueInteger, strValue);
    return report.Send(m_cSnmpSeg, "the traffic segmentation state") ? TRUE : FALSE;
}

BOOL CTrafficSeg::SetForwardingPorts(const std::string& strPort, const std::vector<BYTE>& bitmap,
                                     CWriteReport& report)
{
    m_cSnmpSeg.Open(SnmpPduSet);
    m_cSnmpSeg.AddValueLen(kForwardColumn + "." + strPort, SnmpValueOctetString, bitmap.data(),
                           static_cast<int>(bitmap.size()));
    return report.Send(m_cSnmpSeg, "the forwarding ports of port " + strPort) ? TRUE : FALSE;
}

void CTrafficSeg::CloseSessions()
{
    m_cSnmpSeg.Close();
    m_cSnmpSegWalk.Close();
    m_cSnmpTrunkWalk.Close();
}
