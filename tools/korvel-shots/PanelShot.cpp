#include "tools/korvel-shots/PanelShot.h"

#include "app/CKorvelModuleDlg.h"
#include "common/Globals.h"
#include "panel/CPort.h"
#include "resources/main.h"
#include "tools/korvel-shots/InFolder.h"
#include "tools/korvel-shots/WindowFrame.h"

#include <QWidget>

namespace {

struct PortLook
{
    int status;
    BYTE led;
    int type;
};

PortLook LookOf(PanelShot::State state, int port)
{
    switch (state) {
    case PanelShot::State::Links:
        return port % 2 ? PortLook{PORTLINK100, 1, 2} : PortLook{PORTLINK10, 0, 2};
    case PanelShot::State::Disabled:
        return {PORTDISABLED, 2, 2};
    case PanelShot::State::Down:
        return {PORTENABLE, 3, 2};
    case PanelShot::State::Poe:
        // Powered ports show as links with a green LED, the others dark.
        if (port <= g_nPoePortCount && port % 3 != 0)
            return {PORTLINK10, 1, 2};
        return {PORTDISABLED, 2, 2};
    }
    return {PORTENABLE, 3, 2};
}

// The ports, LEDs and lamps as the status polling leaves them.
void SetStates(CKorvelModuleDlg& dialog, PanelShot::State state)
{
    std::lock_guard lock(dialog.LedLock());
    dialog.m_bDeviceReachable = 1;
    dialog.m_bLinkLedMode = state == PanelShot::State::Poe ? 0 : 1;
    CDevModule& root = dialog.GetPanelRoot();
    const int ports = std::min<int>(dialog.m_nPortCount, static_cast<int>(dialog.m_pPortStates.size()));
    for (int i = 0; i < ports; ++i) {
        PortLook look = LookOf(state, i + 1);
        // With links, the last combo port runs at the top speed on its fibre part.
        const int lastCombo = dialog.m_nComboPortIndex + dialog.m_nComboPortCount - 1;
        if (state == PanelShot::State::Links && dialog.m_nComboPortCount > 0 && i + 1 == lastCombo) {
            const int second = dialog.m_nPortCount - dialog.m_nComboPortIndex + i + 1;
            if (auto* fibre = static_cast<CPort*>(root.FindChildByClass("CPort", second)))
                fibre->SetStatus(PORTLINK100);
            look = {PORTENABLE, 1, 3};
        }
        dialog.m_LedState[static_cast<std::size_t>(i)] = look.led;
        dialog.m_pPortStates[static_cast<std::size_t>(i)] = look.type;
        if (auto* port = static_cast<CPort*>(root.FindChildByClass("CPort", i)))
            port->SetStatus(look.status);
    }
    // Disabled combo ports are disabled on both media: their cages show it too.
    if (state == PanelShot::State::Disabled) {
        for (int j = 0; j < dialog.m_nComboPortCount; ++j) {
            if (auto* cage = static_cast<CPort*>(root.FindChildByClass("CPort", dialog.m_nPortCount + j)))
                cage->SetStatus(PORTDISABLED);
        }
    }
}

} // namespace

PanelShot::PanelShot(std::string modelFolder, State state) : m_modelFolder(std::move(modelFolder)), m_state(state) {}

const char* PanelShot::StateName(State state)
{
    switch (state) {
    case State::Links:
        return "links";
    case State::Disabled:
        return "disabled";
    case State::Down:
        return "down";
    case State::Poe:
        return "poe";
    }
    return "";
}

bool PanelShot::Render()
{
    InFolder folder(m_modelFolder);
    if (!folder.Entered())
        return false;
    CKorvelModuleDlg dialog;
    dialog.SetProfilePath(m_modelFolder + "/User.ini");
    // The picture sets the states itself: nothing is polled.
    dialog.SetPolling(false);
    if (!dialog.Create(IDD_KORVELMODULE_DIALOG, nullptr))
        return false;
    // The window on the screen: the frame that holds the menu bar and the panel.
    QWidget* widget = dialog.GetWidget() != nullptr ? dialog.GetWidget()->window() : nullptr;
    const bool shown = widget != nullptr && WaitUntilShown(widget);
    if (shown) {
        g_bBlinkPhase = 0;
        SetStates(dialog, m_state);
        dialog.Invalidate();
        dialog.UpdateWindow();
        m_caption = QString::fromStdString(dialog.GetWindowText());
        m_image = FrameWindowPicture(widget->grab(), m_caption, true, widget->font());
    }
    dialog.DestroyWindow();
    return shown;
}
