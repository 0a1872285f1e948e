// The module's real start-up, run as its own process by the start-up tests
// from a folder that holds a User.ini and a copy of this program. Only the
// main window is a bare stand-in. It prints what a test watches, one line each:
//   box: TEXT             a message box (answered OK)
//   running NAME          start-up handed over to the main window (NAME: the instance name)
//   activated             the main window received the instance message
//   host snmp INIT TIMEOUT  at the end: SnmpInit calls and the time-out given
// The main window runs until the process is killed.
#include "app/CDeviceProfile.h"
#include "app/CKorvelModuleApp.h"
#include "common/Globals.h"
#include "platform/hostsnmp/HostSnmp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <cstdio>
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

class CStartupChildApp : public CKorvelModuleApp
{
protected:
    void RunMainWindow() override
    {
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
