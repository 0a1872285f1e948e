// What the RMON tests share: the 28-port test switch with its RMON data
// (tests/support/data/rmon.snmprec), the RMON objects, and what the switch
// was sent.
#pragma once

#include "support/FeatureDialogTest.h"

#include "common/CReportCtrl.h"

#include <QAbstractButton>
#include <QTreeView>

#include <string>
#include <vector>

namespace rmontest {

inline const std::string kRmon = "1.3.6.1.4.1.32473.10.76.19.1.47";
inline const std::string kState = kRmon + ".1.0";
inline const std::string kEthernetEntry = kRmon + ".2.1.1";
inline const std::string kHistoryEntry = kRmon + ".3.1.1";
inline const std::string kAlarmEntry = kRmon + ".4.1.1";
inline const std::string kEventEntry = kRmon + ".5.1.1";
inline const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";

inline std::string Cell(const std::string& entry, int column, int index)
{
    return entry + "." + std::to_string(column) + "." + std::to_string(index);
}

inline std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/rmon/fixtures/" + name;
}

// The shown push button lying over the cell, or null.
inline QAbstractButton* ButtonOver(CReportCtrl& list, int row, int column)
{
    CRect cell;
    list.GetSubItemRect(row, column, LVIR_LABEL, cell);
    const QRect want(cell.left, cell.top, cell.Width(), cell.Height());
    auto* tree = static_cast<QTreeView*>(list.GetWidget());
    for (QObject* child : tree->children()) {
        auto* button = qobject_cast<QAbstractButton*>(child);
        if (button != nullptr && button->isVisible() && button->geometry() == want)
            return button;
    }
    return nullptr;
}

// Clicks the Delete button of a row; false when there is none.
inline bool ClickDelete(CWnd& d, int listId, int row, int column)
{
    QAbstractButton* button = ButtonOver(Item<CReportCtrl>(d, listId), row, column);
    if (button == nullptr)
        return false;
    Click(button, QPoint(button->width() / 2, button->height() / 2));
    return true;
}

// Sets the texts of edits, by control id.
inline void Type(CWnd& d, const std::vector<std::pair<int, std::string>>& texts)
{
    for (const auto& [id, text] : texts)
        d.GetDlgItem(id)->SetWindowText(text);
}

class RmonTest : public FeatureDialogTest
{
public:
    void StartRmonSwitch(std::vector<std::string> more = {}, std::vector<std::string> args = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("rmon.snmprec")};
        files.insert(files.end(), more.begin(), more.end());
        StartSwitch(files, 28, std::move(args));
    }
    // The SETs the switch received, each as one OID|TYPE|VALUE text (the
    // RMON writes carry one binding each), after the first `skip` ones.
    std::vector<std::string> SetLines(std::size_t skip = 0) const
    {
        std::vector<std::string> lines;
        for (const auto& request : Requests("SET"))
            for (const std::string& binding : request)
                lines.push_back(binding);
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(skip, lines.size())));
        return lines;
    }
    std::size_t WalkStarts(const std::string& firstColumn) const
    {
        std::size_t n = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0] == firstColumn + "|5|")
                ++n;
        return n;
    }
};

} // namespace rmontest
