// "SwPackage Information": the names and versions of the switch's software
// packages.
#pragma once

#include "legacy/CSyslogViewer.h"

class CSwPackageInfoDlg : public CSyslogViewer
{
public:
    explicit CSwPackageInfoDlg(CWnd* pParent = nullptr);
};
