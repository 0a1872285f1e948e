// The SNMP side of bandwidth control, owned by value by its dialog
// (CBandWidthControlDlg): the walk of the rate table, the rate SETs, and the
// link aggregation groups that a rate may not be given to.
//
// Results go to the owner window as WM_LOGIC_NOTIFY, sent from the sessions'
// worker threads (the record lives for the call):
//   wParam 6, lParam const std::vector<BANDWIDTH_rate_info>*
//                                   the rate walk reached the end of the
//                                   table: its rows, whole (a failed walk
//                                   sends none, so the list keeps the last)
//   wParam 4, lParam "WriteFinished" SetRates has sent its requests
//   wParam 5, lParam "Finished"     the rate walk ended (also when it failed)
// The trunk walk is the base's (CModuleBase::StartTrunkWalk): it publishes
// the groups whole once it has read the table, and reports its end as
// WM_TRUNK_WALK_ABORTED.
//
// Bandwidth table korvelEnterprise.10.76.19.1.13.1.2.1, index port: .1 port,
// .2 Tx rate, .3 Rx rate (Kbit/s, 0 no limit).
#pragma once

#include "common/CModuleBase.h"
#include "features/layer2/BANDWIDTH_rate_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;
class CWriteReport;

class CBandWidthControlFunLogic : public CModuleBase
{
public:
    CBandWidthControlFunLogic();
    ~CBandWidthControlFunLogic() override;

    CBandWidthControlFunLogic(const CBandWidthControlFunLogic&) = delete;
    CBandWidthControlFunLogic& operator=(const CBandWidthControlFunLogic&) = delete;

    static constexpr WPARAM kNotifyWriteFinished = 4;
    static constexpr WPARAM kNotifyFinished = 5;
    static constexpr WPARAM kNotifyRateRows = 6;

    // The directions of SetRates.
    static constexpr int kRx = 0;
    static constexpr int kTx = 1;
    static constexpr int kBoth = 2;

    static constexpr int kLowestRate = 64;
    static constexpr int kHighestRate = 1024000;

    // Column .2 (Tx) or .3 (Rx) of a port.
    static std::string TxRateOid(int nPort);
    static std::string RxRateOid(int nPort);

    void StartRateWalk();
    void WalkTrunkPorts();
    // 1 for a whole number from 64 to 1024000 written in digits, else 0 (an
    // empty text included).
    static int CheckRate(const std::string& strRate);
    // 1 when no port of from..to is in a link aggregation group (as of the
    // last complete trunk walk); otherwise 0 with those ports as a list
    // ("3,4") in strPorts.
    int GetTrunkPortsInRange(int nFrom, int nTo, std::string& strPorts) const;
    // Writes the rate to every port of from..to in ascending order, one SET
    // per port (Rx before Tx for kBoth), then sends "WriteFinished". Stops at
    // the first SET the switch refuses or does not answer: its port is
    // returned, and the report holds the failure and the ports written before
    // it; 0 when every SET was accepted.
    int SetRates(int nFrom, int nTo, const std::string& strRate, int nDirection, CWriteReport& report);
    // Stops the three sessions; their late replies are dropped.
    void CloseAll();

    static int OnRateRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    void NotifyOwner(WPARAM wParam, LPARAM lParam) const;

    // The rows of the walk in progress, under m_csRows. Declared before the
    // sessions, so these go after them.
    std::mutex m_csRows;
    std::vector<BANDWIDTH_rate_info> m_RowsBuilding;

    CCommonSNMP m_cSnmpRate;
    CCommonSNMP m_cSnmpSet;
};
