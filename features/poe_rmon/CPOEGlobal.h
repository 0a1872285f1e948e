// "PoE Global Settings": the switch's PoE power threshold and power shut-off
// sequence, and its power status (budget, used, left, percentage supplied).
//
// Opened by the main window's command ID_POE_GLOBAL (32860). Every request is
// synchronous on the UI thread: the six objects are read once 3 s after
// opening (the fields show "wait..." until then) and again after a write
// that went through; the reads stop at the first the switch does not answer,
// and Apply stays disabled until all were answered. Apply writes only what
// changed, and nothing at all when the threshold it would write is out of
// range.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>
#include <vector>

class CPOEGlobal : public CDialog
{
public:
    explicit CPOEGlobal(CWnd* pParent = nullptr);
    ~CPOEGlobal() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnApply();

    DECLARE_MESSAGE_MAP()

private:
    void ShowWaiting();
    void ReadGlobalValues();
    // False when the switch did not answer (a refusal is an answer: no value).
    bool ReadGlobalValue(const std::string& strOid, int nPosition);
    // FALSE, with the range message, for a threshold outside 7.1 .. 193.0.
    BOOL CheckThreshold(const std::string& strThreshold);

    // The last value read of each object of m_arrOids.
    std::vector<std::string> m_strValues;
    std::vector<std::string> m_arrOids;
    CEdit m_editThreshold;
    CComboBox m_comboSequence;
    CEdit m_editRpsStatus;
    CEdit m_editBudget;
    CEdit m_editUsed;
    CEdit m_editLeft;
    CEdit m_editPercentage;
    CButton m_btnApply;
    CReadReport m_readReport;
    CCommonSNMP m_cCommonSNMP;    // reads
    CCommonSNMP m_cCommonSNMPSet; // writes
};
