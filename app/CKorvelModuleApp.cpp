#include "app/CKorvelModuleApp.h"

#include "app/CDeviceProfile.h"
#include "app/CKorvelModuleDlg.h"
#include "common/Globals.h"
#include "panel/CPanelDeviceThread.h"
#include "panel/CPort.h"
#include "platform/hostsnmp/HostSnmp.h"
#include "platform/system/CInstanceLock.h"

#include <algorithm>

UINT g_uPortClickMsg = RegisterWindowMessage(kPortClickMessage);
UINT g_uInstanceMsg = 0;

namespace {

// The most characters each field carries, field 1 first.
constexpr std::size_t kFieldWidth[] = {19, 15, 51, 51, 11, 7, 7, 7, 7, 7, 7, 31, 31, 31, 7, 7};

constexpr std::size_t Width(int nField)
{
    return kFieldWidth[nField - 1];
}

// How long the end of the process waits for a polling thread that the main
// window let go.
constexpr DWORD kLetGoPollingMs = 10000;

} // namespace

BEGIN_MESSAGE_MAP(CKorvelModuleApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CKorvelModuleApp::CKorvelModuleApp() = default;

CKorvelModuleApp::~CKorvelModuleApp() = default;

BOOL CKorvelModuleApp::InitInstance()
{
    // The host's start-up library, before the command line is read. Its
    // result says nothing the module acts on.
    SnmpInit(this);
    SetSnmpTimeout(5000);

    if (m_lpCmdLine.empty()) {
        AfxMessageBox("No parameter input !");
        return FALSE;
    }
    // A line that does not parse leaves the defaults; start-up goes on.
    ParseCommandLine(m_lpCmdLine);

    const std::string strName =
        InstanceName(CDeviceProfile::ReadModelName(CDeviceProfile::ProfilePath()), g_strDeviceIP);
    g_uInstanceMsg = RegisterWindowMessage(strName.c_str());

    // One module per model and switch address: a second start asks the
    // running one to come to the front and ends without a word.
    auto pLock = std::make_unique<CInstanceLock>(strName);
    if (!pLock->Acquire()) {
        CInstanceLock::ActivateRunning(strName);
        return FALSE;
    }
    m_pInstanceLock = std::move(pLock);
    m_pInstanceLock->ListenForActivation([] { ::PostMessage(HWND_BROADCAST, g_uInstanceMsg, 0, 0); });

    RunMainWindow();
    // A polling thread that the main window let go ends after its request;
    // the process does not end under it.
    CPanelDeviceThread::WaitForThreads(kLetGoPollingMs);
    return FALSE;
}

void CKorvelModuleApp::RunMainWindow()
{
    CKorvelModuleDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
}

std::string CKorvelModuleApp::InstanceName(const std::string& strModelName, const std::string& strDeviceIP)
{
    return "Module:" + strModelName + strDeviceIP;
}

std::string CKorvelModuleApp::ReadCommandField(const std::string& strLine, std::size_t& nPos, std::size_t nWidth)
{
    std::string strField;
    nPos = std::min(nPos, strLine.size());
    for (; nPos < strLine.size() && strLine[nPos] != '/'; ++nPos) {
        if (strLine[nPos] != ' ' && strField.size() < nWidth)
            strField += strLine[nPos];
    }
    return strField;
}

int CKorvelModuleApp::ParseCommandLine(const std::string& strLine)
{
    // Field 1 starts at the third character; a line too short to hold it
    // holds no field at all.
    if (strLine.size() < 2)
        return 0;

    std::size_t nPos = 2;
    g_strCmdLineField1 = ReadCommandField(strLine, nPos, Width(1));
    if (nPos >= strLine.size())
        return 1;
    if (strLine.find("/I") == std::string::npos)
        return 0;

    // Every further field starts two characters after the '/' that ended the
    // one before. A '/' that ends the line has no tag and opens no field: the
    // line ends there.
    auto next = [&](int nField, std::string& strField) {
        if (nPos + 1 >= strLine.size())
            return false;
        nPos += 2;
        strField = ReadCommandField(strLine, nPos, Width(nField));
        return true;
    };
    auto ended = [&] { return nPos >= strLine.size(); };
    std::string strField;
    auto keepUnlessEmpty = [&](int nField, std::string& strGlobal) {
        if (!next(nField, strField))
            return false;
        if (!strField.empty())
            strGlobal = strField;
        return !ended();
    };

    if (!next(2, strField))
        return 0;
    g_strDeviceIP = strField;
    if (g_strDeviceIP.empty())
        return 0;
    if (ended())
        return 1;

    if (!keepUnlessEmpty(3, g_strReadCommunity) || !keepUnlessEmpty(4, g_strWriteCommunity))
        return 1;

    if (!next(5, strField))
        return 1;
    g_bVlanEditable = (strField == "TRUE" || strField == "true") ? 1 : 0;
    if (ended())
        return 1;

    if (!keepUnlessEmpty(6, g_strSnmpVersion) || !keepUnlessEmpty(7, g_strSnmpPort))
        return 1;
    if (g_strSnmpVersion == "1")
        return 1;

    // Fields 8 and 9 are read and dropped.
    if (!next(8, strField) || ended() || !next(9, strField) || ended())
        return 1;

    std::string* const pRest[] = {&g_strCmdLineField10, &g_strSecurityLevel, &g_strUserName,   &g_strAuthPassword,
                                  &g_strPrivPassword,   &g_strAuthProtocol,  &g_strPrivProtocol};
    int nField = 10;
    for (std::string* pGlobal : pRest) {
        if (!keepUnlessEmpty(nField++, *pGlobal))
            return 1;
    }
    return 1;
}
