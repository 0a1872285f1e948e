// What the port dialog tests share: a simulated switch with the port data,
// the connection parameters and device profile pointed at it, and running a
// dialog modally while a test acts on it.
#pragma once

#include "common/Globals.h"
#include "support/SimulatorFixture.h"
#include "ui/UiTestSupport.h"

#include "platform/ui/WindowLayer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

inline std::string PortsData()
{
    return std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/ports.snmprec";
}
inline std::string ModelData(const std::string& model)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/" + model + ".snmprec";
}
inline std::string FixtureData(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/ports/fixtures/" + name;
}

// OIDs of the port control and description tables.
inline std::string PortColumn(int column, int port)
{
    return "1.3.6.1.4.1.32473.10.76.19.1.1.13.1." + std::to_string(column) + "." + std::to_string(port);
}
inline std::string DescriptionOid(int port)
{
    return "1.3.6.1.4.1.32473.10.76.19.1.1.16.1.2." + std::to_string(port);
}

// A switch of nPorts ports on a simulator of its own, with the module's
// connection parameters set for it.
class PortsTest : public ::testing::Test
{
protected:
    void StartSwitch(std::vector<std::string> files, int nPorts)
    {
        EnsureApplication();
        sim = std::make_unique<KorvelSimulator>(std::move(files));
        ASSERT_TRUE(sim->Running());
        g_strDeviceIP = sim->Host();
        g_strSnmpVersion = "1";
        g_strReadCommunity = KorvelSimulator::ReadCommunity();
        g_strWriteCommunity = KorvelSimulator::WriteCommunity();
        g_strTimeout = "3000";
        g_nPortCount = nPorts;
    }
    // Requests of one kind the switch received, each as its bindings; the
    // test's own requests to the simulator's controls are left out.
    std::vector<std::vector<std::string>> Requests(const std::string& kind) const
    {
        std::vector<std::vector<std::string>> requests;
        for (const std::string& line : sim->LogLines()) {
            std::vector<std::string> fields;
            std::size_t start = 0;
            for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
                fields.push_back(line.substr(start, tab - start));
            fields.push_back(line.substr(start));
            const bool control = fields.size() > 3 && fields[3].rfind(kSimControlRoot, 0) == 0;
            if (fields.size() >= 3 && fields[0] == kind && !control)
                requests.emplace_back(fields.begin() + 3, fields.end());
        }
        return requests;
    }

    std::unique_ptr<KorvelSimulator> sim;
};

// Runs the dialog modally; `act` runs inside its modal loop once the window
// exists. The dialog is closed afterwards should `act` leave it open.
template <class Dialog> INT_PTR RunModal(Dialog& dialog, const std::function<void(Dialog&)>& act)
{
    QTimer::singleShot(0, [&dialog, act] {
        if (!PumpUntil([&] { return IsWindow(dialog.GetSafeHwnd()) != FALSE; }))
            return;
        act(dialog);
        if (IsWindow(dialog.GetSafeHwnd()))
            dialog.EndDialog(IDCANCEL);
    });
    return dialog.DoModal();
}

template <class Control> Control& Item(CWnd& dialog, int id)
{
    return *static_cast<Control*>(dialog.GetDlgItem(id));
}

inline bool Enabled(CWnd& dialog, int id)
{
    return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE;
}

// The user's clicks.
inline void ClickButton(CWnd& dialog, int id)
{
    static_cast<QAbstractButton*>(dialog.GetDlgItem(id)->GetWidget())->click();
}
inline void ClickRow(CListCtrl& list, int row)
{
    list.EnsureVisible(row, FALSE);
    CRect cell;
    list.GetSubItemRect(row, 0, LVIR_LABEL, cell);
    auto* view = static_cast<QAbstractItemView*>(list.GetWidget());
    Click(view->viewport(), view->viewport()->mapFrom(view, QPoint(cell.CenterPoint().x, cell.CenterPoint().y)));
}
