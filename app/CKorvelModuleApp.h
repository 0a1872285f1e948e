// The application object: start-up from the host's command line, the one
// module per model and switch address, and the hand-over to the main window.
// main() defines the one instance, theApp, and runs AfxWinMain.
#pragma once

#include "platform/ui/CWinApp.h"

#include <cstddef>
#include <memory>
#include <string>

class CInstanceLock;

// Registered during static initialisation under the port-click name.
extern UINT g_uPortClickMsg;
// Registered by InitInstance under the instance name; the running module's
// top-level windows receive it when a second start for the same switch asks
// the running one to come to the front.
extern UINT g_uInstanceMsg;

class CKorvelModuleApp : public CWinApp
{
public:
    CKorvelModuleApp();
    ~CKorvelModuleApp() override;

    // Start-up. Always FALSE: the program has no message loop of its own and
    // ends when the main window ends.
    BOOL InitInstance() override;

    // Splits the command line into the connection parameters (common/Globals.h).
    // The line is a sequence of positional fields, each introduced by '/' and
    // one tag character that is skipped unread; only the order counts. Returns
    // 1 when the line ended after a complete field (or after the last field
    // wanted), 0 when it stopped early: empty line, no "/I", empty device IP.
    // Fields that are not reached keep their values.
    static int ParseCommandLine(const std::string& strLine);

    // Copies one field starting at nPos up to (not including) the next '/' or
    // the end of the line, dropping every blank; at most nWidth characters are
    // kept, the rest of a longer field is skipped. nPos ends on the '/' or the
    // end of the line.
    static std::string ReadCommandField(const std::string& strLine, std::size_t& nPos, std::size_t nWidth);

    // "Module:" + model name + device IP: names the single-instance lock and
    // g_uInstanceMsg.
    static std::string InstanceName(const std::string& strModelName, const std::string& strDeviceIP);

protected:
    // Runs the main window modally, as this process's only instance.
    virtual void RunMainWindow();

    DECLARE_MESSAGE_MAP()

private:
    // Held from the single-instance step to the end of the process.
    std::unique_ptr<CInstanceLock> m_pInstanceLock;
};
