// What the legacy dialog tests share: the simulated switch with the legacy
// fixture, its objects, the requests it received and small control helpers.
#pragma once

#include "support/FeatureDialogTest.h"

#include "platform/ui/CButton.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/CListCtrl.h"
#include "resources/legacy_config.h"

#include <QApplication>

#include <algorithm>
#include <string>
#include <vector>

namespace legacy_test {

inline const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
inline const std::string kStp = "1.3.6.1.2.1.17.2";
inline const std::string kRstpState = kKorvel + ".6.1.1.0";
inline const std::string kStpVersion = kKorvel + ".6.1.2.0";
inline std::string StpPortOid(int column, int port)
{
    return kStp + ".15.1." + std::to_string(column) + "." + std::to_string(port);
}
inline std::string PathCostOid(int port)
{
    return kKorvel + ".6.2.1.5." + std::to_string(port);
}
inline std::string Dot1xOid(const std::string& object)
{
    return kKorvel + ".11." + object;
}
inline std::string CameraOid(int port)
{
    return kKorvel + ".26.1.5.1.2." + std::to_string(port);
}
inline std::string ModeOid(int port)
{
    return kKorvel + ".7.8.1.2." + std::to_string(port);
}
inline std::string Int(const std::string& oid, const std::string& value)
{
    return oid + "|2|" + value;
}

using RequestList = std::vector<std::vector<std::string>>;

inline void Type(CWnd& d, int id, const std::string& text)
{
    d.GetDlgItem(id)->SetWindowText(text);
}
inline bool IsChecked(CWnd& d, int id)
{
    return static_cast<CButton*>(d.GetDlgItem(id))->GetCheck() == BST_CHECKED;
}
inline std::vector<std::string> Messages(const BoxRecorder& boxes)
{
    std::vector<std::string> texts;
    for (const auto& call : boxes.Calls())
        texts.push_back(call.text);
    return texts;
}
inline std::string Cell(CWnd& d, int listId, int row, int column)
{
    return static_cast<CListCtrl*>(d.GetDlgItem(listId))->GetItemText(row, column);
}
inline int Rows(CWnd& d, int listId)
{
    return static_cast<CListCtrl*>(d.GetDlgItem(listId))->GetItemCount();
}

// Acts on the next dialog of type D that runs modally (opened by a click that
// waits for it), then ends it unless `act` did; true once `act` has run.
template <class D> std::shared_ptr<bool> OnNextModal(std::function<void(D&)> act)
{
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(0, [act, done] {
        D* dialog = nullptr;
        Pump(
            [&] {
                QWidget* widget = QApplication::activeModalWidget();
                if (widget == nullptr)
                    return false;
                for (QWidget* w : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (WindowRecord* rec = WindowRegistry::FromWidget(w); rec != nullptr && rec->Outer() == widget)
                        widget = w;
                }
                WindowRecord* rec = WindowRegistry::FromWidget(widget);
                dialog = rec != nullptr ? dynamic_cast<D*>(CWnd::FromHandle(rec->hwnd)) : nullptr;
                return dialog != nullptr;
            },
            10000);
        if (dialog == nullptr)
            return;
        act(*dialog);
        *done = true;
        CancelIfStillOpen(dialog);
    });
    return done;
}

// A 28-port (or 52-port) switch with the legacy fixture over the base data.
class LegacyTest : public FeatureDialogTest
{
protected:
    void StartLegacySwitch(int ports = 28)
    {
        StartSwitch({KorvelSimulator::BaseData(),
                     std::string(KORVEL_SOURCE_DIR) + "/tests/legacy/fixtures/legacy.snmprec"},
                    ports);
    }
    // The SETs the switch received, after the test's own first `skip` ones.
    RequestList Sets(std::size_t skip = 0) const
    {
        RequestList sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
};

} // namespace legacy_test
