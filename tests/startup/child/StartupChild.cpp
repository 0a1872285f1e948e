// The module's real start-up, run as its own process by the start-up tests
// from a folder that holds a User.ini and a copy of this program. The main
// window is a bare stand-in, unless KORVEL_CHILD_WINDOW is "real": then it is
// the module's own, read from the current folder. It prints what a test
// watches, one line each:
//   box: TEXT             a message box (answered OK)
//   running NAME          start-up handed over to the main window (NAME: the instance name)
//   activated             the main window received the instance message
//   initialised polling   the real main window's initialisation ended with the
//                         status polling running ("initialised no polling": without)
//   main window ended R   the real main window's modal run returned R
// With KORVEL_CHILD_COMMAND=ID as well, the real main window runs that menu
// command once it is initialised, and tells how its windows behave:
//   dialog CAPTION        the command's dialog is up over the main window
//   front CAPTION main-enabled E active CAPTION
//                         after an instance message: the window in front of
//                         the main window, whether the main window takes
//                         input, and the active window
//   after command CAPTION a menu command and a close sent to the main window
//                         then: the window in front
//   answered CAPTION      Escape typed in the dialog ended it
//   main-enabled E        once the dialog has ended
//   host snmp INIT TIMEOUT  at the end: SnmpInit calls and the time-out given
// The main window runs until the process is killed.
#include "app/CDeviceProfile.h"
#include "app/CKorvelModuleApp.h"
#include "app/CKorvelModuleDlg.h"
#include "common/Globals.h"
#include "platform/hostsnmp/HostSnmp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

class CBareMainWnd : public CWnd
{
protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == g_uInstanceMsg)
            Say("activated");
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
};

std::string Caption(CWnd* wnd)
{
    return wnd != nullptr ? wnd->GetWindowText() : std::string("none");
}

std::string CaptionOf(QWidget* widget)
{
    return widget != nullptr ? widget->windowTitle().toStdString() : std::string("none");
}

class CWatchedMainDlg : public CKorvelModuleDlg
{
protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CKorvelModuleDlg::OnInitDialog();
        Say(m_pPanelThread ? "initialised polling" : "initialised no polling");
        if (const char* command = std::getenv("KORVEL_CHILD_COMMAND")) {
            PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(std::atoi(command)), 0), 0);
            WatchForDialog();
        }
        return result;
    }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = CKorvelModuleDlg::DefWindowProc(message, wParam, lParam);
        if (message == g_uInstanceMsg && std::getenv("KORVEL_CHILD_COMMAND") != nullptr)
            QTimer::singleShot(500, [this] { TellAfterHandOver(); });
        return result;
    }

private:
    void WatchForDialog()
    {
        QTimer::singleShot(100, [this] {
            CWnd* front = GetLastActivePopup();
            if (front == this) {
                WatchForDialog();
                return;
            }
            Say("dialog " + Caption(front));
        });
    }

    void TellAfterHandOver()
    {
        Say("front " + Caption(GetLastActivePopup()) + " main-enabled " + std::to_string(IsWindowEnabled()) +
            " active " + CaptionOf(QApplication::activeWindow()));
        // What a user could do to the main window now: a menu command, its close box.
        PostMessage(WM_COMMAND, MAKEWPARAM(ID_VLAN_CONFIGURATION, 0), 0);
        QCloseEvent close;
        QApplication::sendEvent(GetWidget()->window(), &close);
        QTimer::singleShot(500, [this] {
            Say("after command " + Caption(GetLastActivePopup()));
            CWnd* dialog = GetLastActivePopup();
            QWidget* target = dialog->GetWidget()->focusWidget() ? dialog->GetWidget()->focusWidget()
                                                                 : dialog->GetWidget();
            const std::string caption = Caption(dialog);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
            QTimer::singleShot(500, [this, caption] {
                if (GetLastActivePopup() == this)
                    Say("answered " + caption);
                Say("main-enabled " + std::to_string(IsWindowEnabled()));
            });
        });
    }
};

class CStartupChildApp : public CKorvelModuleApp
{
protected:
    void RunMainWindow() override
    {
        if (const char* kind = std::getenv("KORVEL_CHILD_WINDOW"); kind != nullptr && std::string(kind) == "real") {
            CWatchedMainDlg dlg;
            m_pMainWnd = &dlg;
            Say("running " + InstanceName(CDeviceProfile::ReadModelName(CDeviceProfile::ProfilePath()), g_strDeviceIP));
            const INT_PTR result = dlg.DoModal();
            m_pMainWnd = nullptr;
            Say("main window ended " + std::to_string(result));
            return;
        }
        CBareMainWnd wnd;
        wnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0);
        m_pMainWnd = &wnd;
        Say("running " + InstanceName(CDeviceProfile::ReadModelName(CDeviceProfile::ProfilePath()), g_strDeviceIP));
        CWinApp::Run();
    }
};

CStartupChildApp theApp;

} // namespace

int main(int argc, char** argv)
{
    SetMessageBoxHook([](const MessageBoxCall& call) {
        Say("box: " + call.text);
        return IDOK;
    });
    const int result = AfxWinMain(argc, argv);
    const HostSnmpRecord record = GetHostSnmpRecord();
    Say("host snmp " + std::to_string(record.initCalls) + " " + std::to_string(record.timeoutMs) +
        (record.app == &theApp ? " app" : " other"));
    return result;
}
