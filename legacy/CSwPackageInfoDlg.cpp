#include "legacy/CSwPackageInfoDlg.h"

#include "platform/snmp/KorvelMib.h"
#include "resources/legacy.h"

CSwPackageInfoDlg::CSwPackageInfoDlg(CWnd* pParent) : CSyslogViewer(IDD_SW_PACKAGE_INFO, pParent)
{
    m_strCaption = "SwPackage Information";
    m_strListWhat = "the software package list";
    m_headings = {" SwPackageVersionName      ", " SwPackageVersionVesrion   "};
    m_columnOids = {KorvelOid("10.94.89.89.67.1.1.1"), KorvelOid("10.94.89.89.67.1.1.2")};
}
