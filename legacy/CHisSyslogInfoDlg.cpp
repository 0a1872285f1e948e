#include "legacy/CHisSyslogInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "resources/legacy.h"

CHisSyslogInfoDlg::CHisSyslogInfoDlg(CWnd* pParent) : CSyslogViewer(IDD_HIS_SYSLOG_INFO, pParent)
{
    m_strCaption = "Syslog Information in Cache";
    m_strListWhat = "the cached syslog list";
    m_nSeverityBinding = 3;
    m_headings = {" Index ",
                  " CacheLogTime              ",
                  " CacheLogApplication    ",
                  " CacheLogSeverity    ",
                  " CacheLogMessage               ",
                  " CacheLogText1                                 ",
                  " CacheLogText2                                  ",
                  " CacheLogText3                                 ",
                  " CacheLogText4                                   "};
    for (int column = 1; column <= 9; ++column)
        m_columnOids.push_back(KorvelOid("10.94.89.89.82.2.9.1." + std::to_string(column)));
}
