// The application object. The program defines one (a static object of a
// class derived from CWinApp); its main() calls AfxWinMain, which makes the
// Qt application, sets m_lpCmdLine and runs InitInstance: when that returns
// FALSE the program ends (after ExitInstance), otherwise Run serves the
// windows until the application quits.
#pragma once

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CWnd.h"

#include <string>

class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual int Run();

    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(UINT nIDIcon) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(UINT nIDCursor) const;
    void BeginWaitCursor();
    void EndWaitCursor();
    // 1 begins, -1 ends, 0 shows the wait cursor again.
    void DoWaitCursor(int nCode);

    // ID_HELP: there is no help to show.
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    std::string m_lpCmdLine; // the command line after the program's name
    std::string m_pszAppName;
    std::string m_pszExeName;
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The program's entry: main() returns AfxWinMain(argc, argv).
int AfxWinMain(int argc, char** argv);
