#include "legacy/LegacyWrite.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/CSnmpV1.h"

#include <memory>

namespace legacy_write {

namespace {
constexpr int kWrongValueStatus = 10; // wrongValue: the request could not carry the value
} // namespace

bool SendStep(CWriteReport& report, CCommonSNMP& session, const std::string& strWhat, int nTimeout)
{
    if (report.Failed())
        return false;
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = session.getNext(pResponse, nTimeout);
    return report.Check(nStatus, pResponse.get(), strWhat);
}

bool IsDecimalNumber(const std::string& strText, unsigned long long nMax)
{
    if (strText.empty() || strText.size() > 19)
        return false;
    for (char c : strText)
        if (c < '0' || c > '9')
            return false;
    return std::stoull(strText) <= nMax;
}

bool AddValues(CSnmp& request, const std::vector<LegacyValue>& values)
{
    for (const LegacyValue& v : values) {
        const int result = v.type == SnmpValueOctetString
                               ? request.addValue(v.oid.c_str(), v.type, v.value.data(), static_cast<int>(v.value.size()))
                               : request.addValue(v.oid.c_str(), v.type, v.value.c_str());
        if (result != 0)
            return false;
    }
    return true;
}

bool SendV1(CWriteReport& report, const std::string& strHost, const std::string& strCommunity,
            const std::vector<LegacyValue>& values, const std::string& strWhat)
{
    if (report.Failed())
        return false;
    CSnmpV1 request(SnmpPduSet);
    request.setCommunity(strCommunity.c_str());
    if (values.empty() || !AddValues(request, values)) {
        report.Refused(strWhat, kWrongValueStatus);
        return false;
    }
    CSnmp* pReply = nullptr;
    const int nStatus = request.send(strHost.c_str(), pReply, 0);
    std::unique_ptr<CSnmp> owned(pReply);
    return report.Check(nStatus, owned.get(), strWhat);
}

bool SendTableStep(CWriteReport& report, CSnmp& request, const std::string& strHost, unsigned long nTimeout,
                   const std::string& strWhat)
{
    if (report.Failed())
        return false;
    CSnmpTable table(&request);
    CSnmp* pReply = nullptr;
    const int nStatus = table.getNext(strHost.c_str(), pReply, nTimeout);
    std::unique_ptr<CSnmp> owned(pReply);
    return report.Check(nStatus, owned.get(), strWhat);
}

} // namespace legacy_write
