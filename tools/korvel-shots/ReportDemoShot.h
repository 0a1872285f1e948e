// The report list demo dialog filled as the RMON dialogs fill their lists:
// table entries with a "Delete" button in the last cell of every row.
#pragma once

#include "common/CReportCtrl.h"
#include "platform/ui/CDialog.h"

class ReportDemoShot : public CDialog
{
public:
    ReportDemoShot();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CReportCtrl m_list;
};
