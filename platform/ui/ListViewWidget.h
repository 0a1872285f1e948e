// Platform-internal: the report-view list behind CListCtrl. Rows are items,
// sub-items are columns. It tells its parent what the user does, as a list
// view does: NM_CLICK, NM_DBLCLK, NM_RCLICK, LVN_ITEMCHANGED (selection,
// focus and check marks), LVN_KEYDOWN (before the selection moves) and
// LVN_COLUMNCLICK; and its header tells the list HDN_ENDTRACK.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QTreeWidget>

#include <string>
#include <vector>

class ListViewWidget : public QTreeWidget
{
public:
    struct Column
    {
        int format = 0; // LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER
        int subItem = 0;
        int image = -1;
        int order = 0;
    };

    // Data roles of an item: the item data, the image of each sub-item, the
    // check mark last reported.
    static constexpr int kDataRole = Qt::UserRole;
    static constexpr int kImageRole = Qt::UserRole + 1;
    static constexpr int kCheckRole = Qt::UserRole + 2;

    explicit ListViewWidget(QWidget* parent);

    void ApplyStyle(DWORD style);
    DWORD ExtendedStyle() const { return m_extendedStyle; }
    void SetExtendedStyle(DWORD style);
    // LVIS_SELECTED, LVIS_FOCUSED and the check mark's state image of a row.
    UINT ItemState(int row) const;
    // Makes an item look as the extended style asks (check box).
    void PrepareItem(QTreeWidgetItem* item) const;
    static Qt::Alignment AlignmentOf(int format);

    std::vector<Column> columns;
    int selectionMark = -1;
    int quiet = 0; // > 0: the layer is inserting or deleting rows, no LVN_ITEMCHANGED

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void scrollContentsBy(int dx, int dy) override;

private:
    HWND Handle() const;
    void SendItemChanged(int row, UINT oldState, UINT newState);
    void SendActivate(UINT code, QMouseEvent* event);

    DWORD m_extendedStyle = 0;
};
