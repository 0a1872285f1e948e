// "Syslog Application Information": the syslog applications: the index
// (every arc of it), description, abbreviation and severity as its word.
#pragma once

#include "legacy/CSyslogViewer.h"

class CSyslogAppInfoDlg : public CSyslogViewer
{
public:
    explicit CSyslogAppInfoDlg(CWnd* pParent = nullptr);
};
