// The demo dialog open on the screen, and what the tests look at and do to
// its report list: headings to click, the cell buttons as widgets.
#pragma once

#include "report/ReportDemoDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>
#include <string>
#include <vector>

struct ReportFixture
{
    ReportFixture()
    {
        EnsureApplication();
        d.Create(IDD_REPORT_DEMO);
        d.ShowWindow(SW_SHOW);
    }
    ~ReportFixture() { d.DestroyWindow(); }

    QTreeWidget* Tree() { return static_cast<QTreeWidget*>(d.m_list.GetWidget()); }

    // Rows "1", "2", ... in the Index column, with a Delete button each.
    void FillNumbered(int count)
    {
        std::vector<std::vector<std::string>> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({std::to_string(i), std::to_string(100 + i), "owner " + std::to_string(i)});
        d.Fill(rows);
    }

    // The texts of one column from the top row down, joined by blanks.
    std::string Column(int column)
    {
        std::string texts;
        for (int r = 0; r < d.m_list.GetItemCount(); ++r)
            texts += (r ? " " : "") + d.m_list.GetItemText(r, column);
        return texts;
    }

    void ClickHeading(int column)
    {
        QHeaderView* header = Tree()->header();
        Click(header->viewport(), QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }

    CRect Cell(int row, int column)
    {
        CRect cell;
        d.m_list.GetSubItemRect(row, column, LVIR_LABEL, cell);
        return cell;
    }

    // The cell buttons, whether shown or not.
    std::vector<QAbstractButton*> Buttons()
    {
        std::vector<QAbstractButton*> buttons;
        for (QObject* child : Tree()->children()) {
            if (auto* button = qobject_cast<QAbstractButton*>(child))
                buttons.push_back(button);
        }
        return buttons;
    }

    // The button lying exactly over the cell, or null; a shown one before a
    // hidden one (a removed button's widget may linger hidden for a moment).
    QAbstractButton* ButtonOver(int row, int column)
    {
        const CRect cell = Cell(row, column);
        const QRect want(cell.left, cell.top, cell.Width(), cell.Height());
        QAbstractButton* hidden = nullptr;
        for (QAbstractButton* button : Buttons()) {
            if (button->geometry() != want)
                continue;
            if (button->isVisible())
                return button;
            hidden = button;
        }
        return hidden;
    }

    // A click near the left edge, where a radio-style button has its circle.
    void ClickButton(int row, int column)
    {
        QAbstractButton* button = ButtonOver(row, column);
        ASSERT_NE(button, nullptr) << "no button over " << row << "," << column;
        Click(button, QPoint(std::min(8, button->width() / 2), button->height() / 2));
    }

    ReportDemoDialog d;
};
