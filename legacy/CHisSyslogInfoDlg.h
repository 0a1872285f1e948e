// "Syslog Information in Cache": the syslog entries held in the switch's
// log cache, shown as the syslog entries are.
#pragma once

#include "legacy/CSyslogViewer.h"

class CHisSyslogInfoDlg : public CSyslogViewer
{
public:
    explicit CHisSyslogInfoDlg(CWnd* pParent = nullptr);
};
