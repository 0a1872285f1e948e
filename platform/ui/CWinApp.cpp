#include "platform/ui/CWinApp.h"

#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiThreadCalls.h"

#include <QApplication>
#include <QFileInfo>

namespace {

CWinApp* g_app = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* lpszAppName) : m_pszAppName(lpszAppName ? lpszAppName : "")
{
    g_app = this;
    // The thread that makes the application object is the UI thread.
    UiThreadCalls::Install();
    ResourceStore::ProvideBitmaps();
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

int CWinApp::Run()
{
    QApplication::exec();
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIconResource(nIDResource);
}

HICON CWinApp::LoadStandardIcon(UINT nIDIcon) const
{
    return LoadStandardIconResource(nIDIcon);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursorResource(nIDResource);
}

HCURSOR CWinApp::LoadStandardCursor(UINT nIDCursor) const
{
    return LoadStandardCursorResource(nIDCursor);
}

void CWinApp::BeginWaitCursor()
{
    CWaitCursor::Begin();
}

void CWinApp::EndWaitCursor()
{
    CWaitCursor::End();
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0)
        CWaitCursor::Begin();
    else if (nCode < 0)
        CWaitCursor::End();
    else
        CWaitCursor::RestoreCurrent();
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char** argv)
{
    QApplication application(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (argc > 0 && argv[0])
        app->m_pszExeName = QFileInfo(QString::fromLocal8Bit(argv[0])).baseName().toStdString();
    if (app->m_pszAppName.empty())
        app->m_pszAppName = app->m_pszExeName;
    QCoreApplication::setApplicationName(QString::fromStdString(app->m_pszAppName));
    std::string commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    app->m_lpCmdLine = commandLine;
    UiThreadCalls::Install();
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
