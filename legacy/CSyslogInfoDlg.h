// "Syslog Information": the switch's syslog entries (time, application,
// severity as its word, message and four texts).
#pragma once

#include "legacy/CSyslogViewer.h"

class CSyslogInfoDlg : public CSyslogViewer
{
public:
    explicit CSyslogInfoDlg(CWnd* pParent = nullptr);
};
