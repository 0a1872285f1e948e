// The writes the layer-2 dialogs share: a SET of integer bindings sent
// through the action's CWriteReport, and a sequence of SETs of different
// settings that says what it wrote before it failed; and their single
// synchronous read, which tells a refusal from a silent switch.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "platform/snmp/CSnmp.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace layer2 {

using IntegerBinding = std::pair<std::string, std::string>;

// One SET of the bindings (integers) on the session, sent through the report;
// true when the switch accepted it. Nothing is sent after an earlier failure
// of the same action. A session that cannot run requests counts as silent.
inline bool SendIntegers(CWriteReport& report, CCommonSNMP& session, const std::vector<IntegerBinding>& bindings,
                         const std::string& strWhat, int nTimeout = 0)
{
    if (report.Failed())
        return false;
    bool bPrepared = session.Open(SnmpPduSet);
    for (const auto& [strOid, strValue] : bindings) {
        if (bPrepared && session.AddValue(strOid, SnmpValueInteger, strValue) != 0)
            bPrepared = false;
    }
    if (!bPrepared) {
        report.Silent(strWhat);
        return false;
    }
    return report.Send(session, strWhat, nTimeout);
}
inline bool SendIntegers(CWriteReport& report, CCommonSNMP& session, std::initializer_list<IntegerBinding> bindings,
                         const std::string& strWhat, int nTimeout = 0)
{
    return SendIntegers(report, session, std::vector<IntegerBinding>(bindings), strWhat, nTimeout);
}

// How a synchronous read went (answered, refused, silent).
using ReadResult = CCommonSNMP::SendResult;

// One GET of the object on the session; the response is kept only when the
// switch answered without an error.
inline ReadResult GetScalar(CCommonSNMP& session, const std::string& strOid, std::unique_ptr<CSnmp>& pResponse)
{
    pResponse.reset();
    if (!session.Open(SnmpPduGet) || session.AddValue(strOid, SnmpValueNull) != 0)
        return ReadResult::Silent;
    return session.SendFor(pResponse);
}

// A sequence of SETs of different settings in one action: each step is sent
// through the report, and the first failure records what the steps before it
// wrote.
class WriteSequence
{
public:
    explicit WriteSequence(CWriteReport& report) : m_report(report) {}

    bool Integers(CCommonSNMP& session, std::initializer_list<IntegerBinding> bindings, const std::string& strWhat,
                  int nTimeout = 0)
    {
        return Done(SendIntegers(m_report, session, bindings, strWhat, nTimeout), strWhat);
    }
    // A SET prepared on the session by the caller.
    bool Send(CCommonSNMP& session, const std::string& strWhat, int nTimeout = 0)
    {
        return Done(m_report.Send(session, strWhat, nTimeout), strWhat);
    }

private:
    bool Done(bool bAccepted, const std::string& strWhat)
    {
        if (bAccepted)
            m_written.push_back(strWhat);
        else if (m_report.Failed() && !m_bProgressSet) {
            m_report.SetProgress(CWriteReport::SequenceProgress(m_written));
            m_bProgressSet = true;
        }
        return bAccepted;
    }

    CWriteReport& m_report;
    std::vector<std::string> m_written;
    bool m_bProgressSet = false;
};

} // namespace layer2
