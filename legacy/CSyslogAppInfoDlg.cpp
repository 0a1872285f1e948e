#include "legacy/CSyslogAppInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "resources/legacy.h"

CSyslogAppInfoDlg::CSyslogAppInfoDlg(CWnd* pParent) : CSyslogViewer(IDD_SYSLOG_APP_INFO, pParent)
{
    m_strCaption = "Syslog Application Information";
    m_strListWhat = "the syslog application list";
    m_nSeverityBinding = 2;
    m_bIndexColumn = true;
    m_headings = {" Application Index ", " Application Description                   ",
                  " Application Abbreviation    ", " Application Severity    "};
    for (int column = 2; column <= 4; ++column)
        m_columnOids.push_back(KorvelOid("10.94.89.89.82.1.3.1.1." + std::to_string(column)));
}
