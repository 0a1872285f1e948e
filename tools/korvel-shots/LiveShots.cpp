#include "tools/korvel-shots/LiveShots.h"

#include "app/CKorvelModuleDlg.h"
#include "common/CCommonSNMP.h"
#include "common/Globals.h"
#include "features/layer2/CIGMPMulticastEntryTable.h"
#include "features/layer2/CIGMPSnoopingVLANSetting.h"
#include "legacy/C8021Diagnosis.h"
#include "legacy/C8021Status.h"
#include "legacy/CAccessInfo.h"
#include "legacy/CDHCPBOOTPRelayGlobalDlg.h"
#include "legacy/CDHCPBOOTPRelayInterfaceDlg.h"
#include "legacy/CDHCPInfoDlg.h"
#include "legacy/CDHCPLocalRelayDlg.h"
#include "legacy/CDHCPServerConfig.h"
#include "legacy/CCommunityInfo.h"
#include "legacy/CEngineInfo.h"
#include "legacy/CGroupInfo.h"
#include "legacy/CHisSyslogInfoDlg.h"
#include "legacy/CMibTreeInfo.h"
#include "legacy/CRouterMap.h"
#include "legacy/CSwPackageInfoDlg.h"
#include "legacy/CSyslogAppInfoDlg.h"
#include "legacy/CSyslogInfoDlg.h"
#include "legacy/CUserInfo.h"
#include "legacy/C8021Config.h"
#include "legacy/CCameraVlanPortSetting.h"
#include "legacy/CIGMPRouterPortsSettings.h"
#include "legacy/CMultiFilterModePerPortConfig.h"
#include "legacy/CSpanTree.h"
#include "legacy/CSpanTreeBridgeParam.h"
#include "legacy/CRmonControlDlg.h"
#include "legacy/CStatisticRmon1.h"
#include "legacy/CStatisticRmonCnt.h"
#include "legacy/CStatisticRmonInf.h"
#include "legacy/CTrunkInfoDlg.h"
#include "legacy/CVlanInfoDlg.h"
#include "legacy/CSyslogCfgDlg.h"
#include "legacy/CTelnetCfgDlg.h"
#include "legacy/CCLIControlDlg.h"
#include "legacy/CArpTable.h"
#include "legacy/CDeviceInfo.h"
#include "legacy/CResourceInfo.h"
#include "legacy/CWebConfigDlg.h"
#include "legacy/SetupDlg.h"
#include "resources/main.h"
#include "tests/support/SimulatorFixture.h"
#include "tests/ui/UiTestSupport.h"
#include "tools/korvel-shots/ScratchFolder.h"
#include "tools/korvel-shots/WindowFrame.h"

#include "platform/system/UiThreadWait.h"
#include "platform/ui/UiThreadCalls.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

// The program's commands: the menu's and the ones no menu item sends lie in
// this range; the About box has its own.
constexpr UINT kFirstCommand = 32768;
constexpr UINT kLastCommand = 32899;

// How long a dialog may take to come up, and to end its reads.
constexpr int kDialogUpMs = 3000;
constexpr int kReadsMs = 20000;

// The window whose widget, or whose frame, is widget on the screen.
CWnd* WindowOnScreen(QWidget* widget)
{
    if (widget == nullptr)
        return nullptr;
    if (WindowRecord* rec = WindowRegistry::FromWidget(widget))
        return CWnd::FromHandle(rec->hwnd);
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (WindowRecord* rec = WindowRegistry::FromWidget(child); rec != nullptr && rec->Outer() == widget)
            return CWnd::FromHandle(rec->hwnd);
    }
    return nullptr;
}

// The dialog running modally over the main window, once it is on the screen:
// found as the modal window, so a dialog with nothing to focus is found too.
CDialog* RunningDialog(const CWnd& main)
{
    CWnd* top = nullptr;
    PumpUntil(
        [&] {
            top = WindowOnScreen(QApplication::activeModalWidget());
            return top != nullptr && top != &main;
        },
        kDialogUpMs);
    return top != &main ? dynamic_cast<CDialog*>(top) : nullptr;
}

// The dialogs that open from another dialog's button rather than from a
// command, each opened here as its parent opens it.
const std::function<void()> kNestedDialogs[] = {
    [] {
        CIGMPSnoopingVLANSetting dialog;
        dialog.m_strIgmpState = "1";
        dialog.DoModal();
    },
    [] {
        CIGMPMulticastEntryTable dialog;
        dialog.DoModal();
    },
};
CStatisticRmon1* RmonRowsOwner()
{
    static CStatisticRmon1 owner;
    owner.m_strIndexList = {"1", "2", "3", "4"};
    owner.m_nIndexCount = 4;
    return &owner;
}

// The legacy dialogs on SNMP sessions of their own, which no command opens:
// each is run directly, as the tests do, and pictured once its reads ended.
template <class Dialog> void RunDirect()
{
    Dialog dialog;
    dialog.DoModal();
}
const std::function<void()> kDirectSessionDialogs[] = {
    RunDirect<CDHCPBOOTPRelayGlobalDlg>, RunDirect<CDHCPBOOTPRelayInterfaceDlg>, RunDirect<CDHCPLocalRelayDlg>,
    RunDirect<CDHCPServerConfig>,        RunDirect<SetupDlg>,
};
// The legacy dialogs, which no command opens: each is constructed and run
// directly, as the tests do.
const std::vector<std::function<std::unique_ptr<CLegacyFrame>()>>& DirectDialogs()
{
    static const std::vector<std::function<std::unique_ptr<CLegacyFrame>()>> dialogs = {
        [] { return std::make_unique<CEngineInfo>(); },    [] { return std::make_unique<CCommunityInfo>(); },
        [] { return std::make_unique<CGroupInfo>(); },     [] { return std::make_unique<CAccessInfo>(); },
        [] { return std::make_unique<CMibTreeInfo>(); },   [] { return std::make_unique<CUserInfo>(); },
        [] { return std::make_unique<C8021Status>(); },    [] { return std::make_unique<C8021Diagnosis>(); },
        [] { return std::make_unique<CRouterMap>(); },     [] { return std::make_unique<CSyslogInfoDlg>(); },
        [] { return std::make_unique<CHisSyslogInfoDlg>(); }, [] { return std::make_unique<CSwPackageInfoDlg>(); },
        [] { return std::make_unique<CSyslogAppInfoDlg>(); },
        [] { return std::make_unique<CStatisticRmon1>(); }, [] { return std::make_unique<CTrunkInfoDlg>(); },
        [] { return std::make_unique<CVlanInfoDlg>(); },    [] { return std::make_unique<CRmonControlDlg>(); },
        // The counter views, over a statistics table (not shown) that lists
        // the sample models' four statistics rows.
        [] {
            auto view = std::make_unique<CStatisticRmonCnt>(RmonRowsOwner());
            view->m_nGroupCount = 1;
            return view;
        },
        [] {
            auto view = std::make_unique<CStatisticRmonInf>(RmonRowsOwner());
            view->m_nIndexSel.fill(1);
            return view;
        },
        [] { return std::make_unique<CSyslogCfgDlg>(); },
        [] { return std::make_unique<CTelnetCfgDlg>(); },
        [] { return std::make_unique<CCLIControlDlg>(); },
        [] { return std::make_unique<CDHCPInfoDlg>(); },
        [] { return std::make_unique<CArpTable>(); },
        [] { return std::make_unique<CDeviceInfo>(); },
        [] { return std::make_unique<CResourceInfo>(); },
        [] { return std::make_unique<CWebConfigDlg>(); },
    };
    return dialogs;
}

// The legacy configuration dialogs, which no command opens either, run
// directly as their openers would, over the main window.
std::vector<std::function<void()>> DirectConfigDialogs()
{
    return {
        [] { CSpanTreeBridgeParam().DoModal(); },
        [] { CSpanTree().DoModal(); },
        [] { C8021Config().DoModal(); },
        [] {
            CCameraVlanPortSetting dialog;
            dialog.m_strVlanId = "100"; // an auto surveillance VLAN that is on
            dialog.m_strVlanState = "1";
            dialog.DoModal();
        },
        [] { CMultiFilterModePerPortConfig().DoModal(); },
        [] { CIGMPRouterPortsSettings().DoModal(); },
    };
}

} // namespace

LiveShots::LiveShots(std::string modelFolder) : m_modelFolder(std::move(modelFolder)) {}

void LiveShots::ShootRunningDialog(const CWnd& main, const std::shared_ptr<bool>& pending)
{
    CDialog* dialog = RunningDialog(main);
    if (dialog == nullptr) {
        // Looked at inside a modal run that shows no dialog yet: look again
        // until the command has returned, so no dialog it opens stays open.
        QTimer::singleShot(kDialogUpMs, [this, &main, pending] {
            if (*pending)
                ShootRunningDialog(main, pending);
        });
        return;
    }
    PumpUntil([] { return CCommonSNMP::WaitForWorkers(0); }, kReadsMs);
    // What the last replies carried to the window shows.
    PumpUntil([] { return false; }, 300);
    QWidget* window = dialog->GetWidget()->window();
    Picture picture;
    picture.templateId = dialog->GetTemplateId();
    picture.caption = QString::fromStdString(dialog->GetWindowText());
    picture.image = FrameWindowPicture(window->grab(), picture.caption, true, window->font());
    m_pictures.push_back(picture);
    dialog->EndDialog(IDCANCEL);
}

void LiveShots::ShootDirectDialog(CLegacyFrame& dialog)
{
    // Run from a queued call: the carried replies and the posted messages (a
    // viewer that reads when it is shown) are served here.
    const auto serve = [&](const std::function<bool()>& ready, int ms) {
        PumpUntil(
            [&] {
                UiThreadCalls::DeliverPosted();
                return ui_wait::WaitServingUi(ready, 0);
            },
            ms);
    };
    serve([&] { return IsWindow(dialog.GetSafeHwnd()) != FALSE; }, kDialogUpMs);
    if (!IsWindow(dialog.GetSafeHwnd()))
        return;
    serve([] { return false; }, 300);
    serve([&] { return !dialog.WalkRunning(); }, kReadsMs);
    serve([] { return false; }, 300);
    QWidget* window = dialog.GetWidget()->window();
    Picture picture;
    picture.templateId = dialog.GetTemplateId();
    picture.caption = QString::fromStdString(dialog.GetWindowText());
    picture.image = FrameWindowPicture(window->grab(), picture.caption, true, window->font());
    m_pictures.push_back(picture);
    dialog.EndDialog(IDCANCEL);
}

bool LiveShots::Render()
{
    const std::string model = std::filesystem::path(m_modelFolder).filename().string();
    KorvelSimulator sim({}, KorvelSimulator::ModelArgs(model));
    if (!sim.Running())
        return false;
    g_strDeviceIP = sim.Host();
    g_strSnmpVersion = "1";
    g_strReadCommunity = KorvelSimulator::ReadCommunity();
    g_strWriteCommunity = KorvelSimulator::WriteCommunity();

    // The module looks for the panel's files and the device configuration
    // description in the current folder: copies of them, in a folder of the
    // run's own.
    ScratchFolder folder({m_modelFolder}, {std::filesystem::path(KORVEL_SOURCE_DIR) / "resources" / "KSXWren_CFG.XML"});
    if (!folder.Entered())
        return false;
    // The Tools commands ask first: no, thank you.
    SetMessageBoxHook([](const MessageBoxCall&) { return IDCANCEL; });
    CKorvelModuleDlg main;
    main.SetProfilePath((folder.Path() / "User.ini").string());
    main.SetPolling(false);
    if (!main.Create(IDD_KORVELMODULE_DIALOG, nullptr) || !WaitUntilShown(main.GetWidget()->window())) {
        SetMessageBoxHook({});
        return false;
    }

    std::vector<UINT> commands;
    for (UINT id = kFirstCommand; id <= kLastCommand; ++id)
        commands.push_back(id);
    commands.push_back(ID_APP_ABOUT);
    std::vector<std::function<void()>> openers;
    for (UINT id : commands)
        openers.push_back([&main, id] { main.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); });
    openers.insert(openers.end(), std::begin(kNestedDialogs), std::end(kNestedDialogs));
    openers.insert(openers.end(), std::begin(kDirectSessionDialogs), std::end(kDirectSessionDialogs));
    for (const auto& open : openers) {
        // The opener runs its dialog modally; this looks at it from inside.
        auto pending = std::make_shared<bool>(true);
        QTimer::singleShot(0, [this, &main, pending] {
            if (*pending)
                ShootRunningDialog(main, pending);
        });
        open();
        *pending = false;
    }
    for (const auto& run : DirectConfigDialogs()) {
        auto pending = std::make_shared<bool>(true);
        QTimer::singleShot(0, [this, &main, pending] {
            if (*pending)
                ShootRunningDialog(main, pending);
        });
        run();
        *pending = false;
    }
    main.DestroyWindow();
    for (const auto& make : DirectDialogs()) {
        std::unique_ptr<CLegacyFrame> dialog = make();
        QTimer::singleShot(0, [this, &dialog] { ShootDirectDialog(*dialog); });
        dialog->DoModal();
    }
    SetMessageBoxHook({});
    return true;
}
