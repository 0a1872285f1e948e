// What the feature dialog tests share: a simulated switch of the test's own
// with the module's connection parameters and device profile pointed at it,
// the requests it received, running a dialog modally while a test acts on
// it, and a user's clicks on its controls.
#pragma once

#include "common/Globals.h"
#include "support/SimulatorFixture.h"
#include "ui/UiTestSupport.h"

#include "platform/system/UiThreadWait.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/WindowLayer.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A switch of nPorts ports on a simulator of its own, with the module's
// connection parameters set for it.
class FeatureDialogTest : public ::testing::Test
{
protected:
    void StartSwitch(std::vector<std::string> files, int nPorts, std::vector<std::string> extraArgs = {})
    {
        EnsureApplication();
        sim = std::make_unique<KorvelSimulator>(std::move(files), std::move(extraArgs));
        ASSERT_TRUE(sim->Running());
        g_strDeviceIP = sim->Host();
        g_strSnmpVersion = "1";
        g_strReadCommunity = KorvelSimulator::ReadCommunity();
        g_strWriteCommunity = KorvelSimulator::WriteCommunity();
        g_strTimeout = "3000";
        g_nPortCount = nPorts;
    }
    // A sample model's switch as scripts/demo runs it.
    void StartModelSwitch(const std::string& model, int nPorts)
    {
        StartSwitch({}, nPorts, KorvelSimulator::ModelArgs(model));
    }
    // Requests of one kind the switch received, each as its bindings in the
    // data-file form OID|TYPE|VALUE; the test's own requests to the
    // simulator's controls are left out.
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

// Runs the event loop, and serves the window calls carried from the walks'
// worker threads, until ready() holds or timeoutMs passed; returns ready().
// A test acts from inside a queued call, where the event loop alone may hold
// the carried calls back until that call returns.
inline bool Pump(const std::function<bool()>& ready, int timeoutMs = 5000)
{
    return PumpUntil([&] { return ui_wait::WaitServingUi(ready, 0); }, timeoutMs);
}
inline void PumpFor(int ms)
{
    Pump([] { return false; }, ms);
}

// Ends the dialog with IDCANCEL unless it has ended already: a dialog that
// has ended keeps its window until its modal loop has returned, so this looks
// once the loop has had its turn (a window that is gone is left alone).
inline void CancelIfStillOpen(CDialog* dialog)
{
    const HWND h = dialog->GetSafeHwnd();
    QTimer::singleShot(0, [dialog, h] {
        if (IsWindow(h))
            dialog->EndDialog(IDCANCEL);
    });
}

// Runs the dialog modally; `act` runs inside its modal loop once the window
// exists. The dialog is closed afterwards should `act` leave it open; a
// dialog that `act` ended keeps the result it ended with.
template <class Dialog> INT_PTR RunModal(Dialog& dialog, const std::function<void(Dialog&)>& act)
{
    QTimer::singleShot(0, [&dialog, act] {
        if (!PumpUntil([&] { return IsWindow(dialog.GetSafeHwnd()) != FALSE; }))
            return;
        act(dialog);
        CancelIfStillOpen(&dialog);
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
inline std::string Text(CWnd& dialog, int id)
{
    return dialog.GetDlgItem(id)->GetWindowText();
}

// The user's clicks.
inline void ClickButton(CWnd& dialog, int id)
{
    static_cast<QAbstractButton*>(dialog.GetDlgItem(id)->GetWidget())->click();
}
inline QPoint RowPoint(CListCtrl& list, int row)
{
    list.EnsureVisible(row, FALSE);
    CRect cell;
    list.GetSubItemRect(row, 0, LVIR_LABEL, cell);
    auto* view = static_cast<QAbstractItemView*>(list.GetWidget());
    return view->viewport()->mapFrom(view, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
}
inline void ClickRow(CListCtrl& list, int row)
{
    auto* view = static_cast<QAbstractItemView*>(list.GetWidget());
    Click(view->viewport(), RowPoint(list, row));
}
// Chooses a position in a combo box with the keyboard, as a user does, so the
// dialog hears of it.
inline void ChooseInCombo(CWnd& dialog, int id, int position)
{
    CComboBox& box = Item<CComboBox>(dialog, id);
    box.SetCurSel(position == 0 ? 1 : position - 1);
    SendKey(box.GetWidget(), position == 0 ? Qt::Key_Up : Qt::Key_Down);
}
// The text of a combo box's selected item; empty without a selection.
inline std::string ComboSelection(CWnd& dialog, int id)
{
    CComboBox& box = Item<CComboBox>(dialog, id);
    std::string text;
    if (box.GetCurSel() != CB_ERR)
        box.GetLBText(box.GetCurSel(), text);
    return text;
}
// Every item of a combo box, in its order.
inline std::vector<std::string> ComboTexts(CWnd& dialog, int id)
{
    CComboBox& box = Item<CComboBox>(dialog, id);
    std::vector<std::string> texts;
    for (int i = 0; i < box.GetCount(); ++i) {
        std::string text;
        box.GetLBText(i, text);
        texts.push_back(text);
    }
    return texts;
}

// Every row of a list, its first columns' cells joined by '|'.
inline std::vector<std::string> ListRows(CWnd& dialog, int listId, int columns)
{
    CListCtrl& list = Item<CListCtrl>(dialog, listId);
    std::vector<std::string> rows;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        std::string row = list.GetItemText(i, 0);
        for (int c = 1; c < columns; ++c)
            row += "|" + list.GetItemText(i, c);
        rows.push_back(row);
    }
    return rows;
}

// The first cell of every row of a list.
inline std::vector<std::string> FirstColumn(CWnd& dialog, int listId)
{
    return ListRows(dialog, listId, 1);
}

// "first" to "last", one a string.
inline std::vector<std::string> Numbers(int first, int last)
{
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(std::to_string(n));
    return numbers;
}

// The list holds `rows` rows and its Refresh button is back.
inline bool ListFilled(CWnd& dialog, int listId, int refreshId, int rows)
{
    return Pump([&] { return Enabled(dialog, refreshId) && Item<CListCtrl>(dialog, listId).GetItemCount() == rows; },
                30000);
}
