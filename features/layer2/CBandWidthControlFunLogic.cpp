#include "features/layer2/CBandWidthControlFunLogic.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <memory>

namespace {

const std::string kRateTable = KorvelOid("10.76.19.1.13.1.2.1");
const char* const kWriteFinished = "WriteFinished";

std::string Column(int nColumn)
{
    return kRateTable + "." + std::to_string(nColumn);
}

} // namespace

std::string CBandWidthControlFunLogic::TxRateOid(int nPort)
{
    return Column(2) + "." + std::to_string(nPort);
}

std::string CBandWidthControlFunLogic::RxRateOid(int nPort)
{
    return Column(3) + "." + std::to_string(nPort);
}

CBandWidthControlFunLogic::CBandWidthControlFunLogic() = default;

CBandWidthControlFunLogic::~CBandWidthControlFunLogic()
{
    // The walk's call-back writes members of this object: it has ended once
    // its session is closed.
    CloseAll();
}

void CBandWidthControlFunLogic::NotifyOwner(WPARAM wParam, LPARAM lParam) const
{
    SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, wParam, lParam);
}

void CBandWidthControlFunLogic::StartRateWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cSnmpRate.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_RowsBuilding.clear();
    }
    for (int nColumn = 1; nColumn <= 3; ++nColumn)
        m_cSnmpRate.AddValue(Column(nColumn), SnmpValueNull);
    // A walk that cannot start ends as a failed one.
    if (!m_cSnmpRate.StartAsync(&CBandWidthControlFunLogic::OnRateRow, this))
        NotifyOwner(kNotifyFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
}

int CBandWidthControlFunLogic::OnRateRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CBandWidthControlFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpRate;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0) {
        if (nStatus == -2) {
            // The table is complete: its rows go to the owner whole. They are
            // copied so that the lock is not held while the owner takes them.
            std::vector<BANDWIDTH_rate_info> rows;
            {
                std::lock_guard lock(pThis->m_csRows);
                rows = pThis->m_RowsBuilding;
            }
            pThis->NotifyOwner(kNotifyRateRows, reinterpret_cast<LPARAM>(&rows));
        }
        pThis->NotifyOwner(kNotifyFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
        session.SignalDone();
        return 0;
    }
    // The row's index is its port: a row of a port the switch does not have
    // is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        BANDWIDTH_rate_info row;
        row.strPort = std::to_string(nPort);
        row.strTxRate = CModuleBase::IntegerText(pResponse.get(), 1);
        row.strRxRate = CModuleBase::IntegerText(pResponse.get(), 2);
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_RowsBuilding.push_back(row);
    }
    session.StartRequest(&CBandWidthControlFunLogic::OnRateRow, pThis, 0, 0);
    return 0;
}

void CBandWidthControlFunLogic::WalkTrunkPorts()
{
    StartTrunkWalk();
}

int CBandWidthControlFunLogic::CheckRate(const std::string& strRate)
{
    // More digits than the highest rate has cannot be a rate (and would
    // overflow).
    if (strRate.empty() || strRate.size() > 7 ||
        strRate.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int nRate = std::stoi(strRate);
    return nRate >= kLowestRate && nRate <= kHighestRate ? 1 : 0;
}

int CBandWidthControlFunLogic::GetTrunkPortsInRange(int nFrom, int nTo, std::string& strPorts) const
{
    const std::vector<int> groups = GetTrunkPorts();
    strPorts.clear();
    for (int nPort = nFrom; nPort <= nTo; ++nPort) {
        if (nPort >= 1 && nPort <= static_cast<int>(groups.size()) && groups[static_cast<size_t>(nPort - 1)] != 0)
            strPorts += "," + std::to_string(nPort);
    }
    if (strPorts.empty())
        return 1;
    strPorts.erase(0, 1);
    return 0;
}

int CBandWidthControlFunLogic::SetRates(int nFrom, int nTo, const std::string& strRate, int nDirection,
                                        CWriteReport& report)
{
    int nRefused = 0;
    for (int nPort = nFrom; nPort <= nTo; ++nPort) {
        const std::string strWhat = "the bandwidth of port " + std::to_string(nPort);
        bool bPrepared = m_cSnmpSet.Open(SnmpPduSet);
        const int nLength = static_cast<int>(strRate.size());
        if (bPrepared && (nDirection == kRx || nDirection == kBoth))
            bPrepared = m_cSnmpSet.AddValueLen(RxRateOid(nPort), SnmpValueInteger, strRate.c_str(), nLength) == 0;
        if (bPrepared && (nDirection == kTx || nDirection == kBoth))
            bPrepared = m_cSnmpSet.AddValueLen(TxRateOid(nPort), SnmpValueInteger, strRate.c_str(), nLength) == 0;
        if (!bPrepared)
            report.Silent(strWhat);
        if (!bPrepared || !report.Send(m_cSnmpSet, strWhat)) {
            // The first port the switch refuses or does not answer ends the range.
            report.SetProgress(CWriteReport::PortProgress("Ports", nFrom, nPort));
            nRefused = nPort;
            break;
        }
    }
    NotifyOwner(kNotifyWriteFinished, reinterpret_cast<LPARAM>(kWriteFinished));
    return nRefused;
}

void CBandWidthControlFunLogic::CloseAll()
{
    m_cSnmpRate.Close();
    m_cSnmpTrunkWalk.Close();
    m_cSnmpSet.Close();
}
