#include "legacy/CSyslogInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "resources/legacy.h"

CSyslogInfoDlg::CSyslogInfoDlg(CWnd* pParent) : CSyslogViewer(IDD_SYSLOG_INFO, pParent)
{
    m_strCaption = "Syslog Information";
    m_strListWhat = "the syslog list";
    m_nSeverityBinding = 3;
    m_headings = {" Index ",
                  " LogTime                   ",
                  " LogApplication    ",
                  " LogSeverity    ",
                  " LogMessage               ",
                  " LogText1                                 ",
                  " LogText2                                  ",
                  " LogText3                                 ",
                  " LogText4                                   "};
    for (int column = 1; column <= 9; ++column)
        m_columnOids.push_back(KorvelOid("10.94.89.89.82.2.8.1." + std::to_string(column)));
}
