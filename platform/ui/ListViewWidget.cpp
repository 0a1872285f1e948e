#include "platform/ui/ListViewWidget.h"

#include "platform/ui/MessageRouter.h"
#include "platform/ui/UiConstants.h"
#include "platform/ui/WindowEventFilter.h"
#include "platform/ui/WindowRegistry.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

ListViewWidget::ListViewWidget(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setColumnCount(0);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0); // a column may be as narrow as the program makes it
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QModelIndex& i : deselected.indexes()) {
                    if (i.column() != 0)
                        continue;
                    const UINT now = ItemState(i.row());
                    SendItemChanged(i.row(), now | LVIS_SELECTED, now);
                }
                for (const QModelIndex& i : selected.indexes()) {
                    if (i.column() != 0)
                        continue;
                    const UINT now = ItemState(i.row());
                    selectionMark = i.row();
                    SendItemChanged(i.row(), now & ~LVIS_SELECTED, now);
                }
            });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                if (previous.isValid()) {
                    const UINT now = ItemState(previous.row());
                    SendItemChanged(previous.row(), now | LVIS_FOCUSED, now);
                }
                if (current.isValid()) {
                    const UINT now = ItemState(current.row());
                    SendItemChanged(current.row(), now & ~LVIS_FOCUSED, now);
                }
            });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (column != 0 || !(m_extendedStyle & LVS_EX_CHECKBOXES))
            return;
        const int reported = item->data(0, kCheckRole).toInt();
        const int now = item->checkState(0) == Qt::Checked ? 2 : 1;
        if (reported == now)
            return;
        item->setData(0, kCheckRole, now);
        const int row = indexOfTopLevelItem(item);
        const UINT state = ItemState(row);
        SendItemChanged(row, (state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(static_cast<UINT>(reported)),
                        state);
    });
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) {
        NMLISTVIEW nm;
        nm.iSubItem = section;
        MessageRouter::NotifyParent(Handle(), nm.hdr, LVN_COLUMNCLICK);
    });
    connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int newSize) {
        if (quiet > 0)
            return;
        WindowRecord* list = WindowRegistry::FromWidget(this);
        if (!list || list->children.empty())
            return;
        HDITEM item;
        item.mask = HDI_WIDTH;
        item.cxy = newSize;
        NMHEADER nm;
        nm.iItem = section;
        nm.pitem = &item;
        MessageRouter::NotifyParent(list->children.front(), nm.hdr, HDN_ENDTRACK);
    });
    // A double click on a divider fits the column to its texts, unless the
    // list's own handler of the header's notification does something else.
    disconnect(header(), SIGNAL(sectionHandleDoubleClicked(int)), this, SLOT(resizeColumnToContents(int)));
    connect(header(), &QHeaderView::sectionHandleDoubleClicked, this, [this](int section) {
        WindowRecord* list = WindowRegistry::FromWidget(this);
        if (!list || list->children.empty())
            return;
        NMHEADER nm;
        nm.iItem = section;
        bool handled = false;
        MessageRouter::NotifyParent(list->children.front(), nm.hdr, HDN_DIVIDERDBLCLICK, &handled);
        if (!handled)
            resizeColumnToContents(section);
    });
}

HWND ListViewWidget::Handle() const
{
    WindowRecord* rec = WindowRegistry::FromWidget(this);
    return rec ? rec->hwnd : nullptr;
}

Qt::Alignment ListViewWidget::AlignmentOf(int format)
{
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

void ListViewWidget::ApplyStyle(DWORD style)
{
    setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                             : QAbstractItemView::ExtendedSelection);
    setHeaderHidden((style & LVS_NOCOLUMNHEADER) != 0);
    header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
    header()->setHighlightSections(false);
}

void ListViewWidget::SetExtendedStyle(DWORD style)
{
    const bool checksChanged = ((style ^ m_extendedStyle) & LVS_EX_CHECKBOXES) != 0;
    m_extendedStyle = style;
    if (checksChanged) {
        ++quiet;
        for (int i = 0; i < topLevelItemCount(); ++i)
            PrepareItem(topLevelItem(i));
        --quiet;
    }
    viewport()->update();
}

void ListViewWidget::PrepareItem(QTreeWidgetItem* item) const
{
    if (m_extendedStyle & LVS_EX_CHECKBOXES) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        if (!item->data(0, Qt::CheckStateRole).isValid()) {
            item->setCheckState(0, Qt::Unchecked);
            item->setData(0, kCheckRole, 1);
        }
    } else {
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(0, Qt::CheckStateRole, QVariant());
        item->setData(0, kCheckRole, QVariant());
    }
}

UINT ListViewWidget::ItemState(int row) const
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return 0;
    UINT state = 0;
    if (item->isSelected())
        state |= LVIS_SELECTED;
    if (currentItem() == item)
        state |= LVIS_FOCUSED;
    if (m_extendedStyle & LVS_EX_CHECKBOXES)
        state |= INDEXTOSTATEIMAGEMASK(item->checkState(0) == Qt::Checked ? 2 : 1);
    return state;
}

void ListViewWidget::SendItemChanged(int row, UINT oldState, UINT newState)
{
    if (quiet > 0 || row < 0 || oldState == newState)
        return;
    NMLISTVIEW nm;
    nm.iItem = row;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    if (QTreeWidgetItem* item = topLevelItem(row))
        nm.lParam = static_cast<LPARAM>(item->data(0, kDataRole).toLongLong());
    MessageRouter::NotifyParent(Handle(), nm.hdr, LVN_ITEMCHANGED);
}

void ListViewWidget::SendActivate(UINT code, QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const QModelIndex index = indexAt(p);
    NMITEMACTIVATE nm;
    nm.iItem = index.isValid() ? index.row() : -1;
    nm.iSubItem = index.isValid() ? index.column() : 0;
    const QPoint inList = viewport()->mapTo(this, p);
    nm.ptAction.x = inList.x();
    nm.ptAction.y = inList.y();
    MessageRouter::NotifyParent(Handle(), nm.hdr, code);
}

void ListViewWidget::keyPressEvent(QKeyEvent* event)
{
    if (const UINT vk = WindowEventFilter::VirtualKey(event->key())) {
        NMLVKEYDOWN nm;
        nm.wVKey = static_cast<WORD>(vk);
        MessageRouter::NotifyParent(Handle(), nm.hdr, LVN_KEYDOWN);
    }
    QTreeWidget::keyPressEvent(event);
}

void ListViewWidget::mousePressEvent(QMouseEvent* event)
{
    // A click beside the rows clears the selection.
    if (!indexAt(event->position().toPoint()).isValid())
        clearSelection();
    QTreeWidget::mousePressEvent(event);
}

void ListViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        SendActivate(NM_CLICK, event);
    else if (event->button() == Qt::RightButton)
        SendActivate(NM_RCLICK, event);
}

void ListViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        SendActivate(NM_DBLCLK, event);
}

void ListViewWidget::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QTreeWidget::drawRow(painter, option, index);
    if (!(m_extendedStyle & LVS_EX_GRIDLINES))
        return;
    painter->save();
    painter->setPen(QColor(0xD0, 0xD0, 0xD0));
    const QRect r = option.rect;
    painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    for (int c = 0; c < header()->count(); ++c) {
        const int x = header()->sectionViewportPosition(c) + header()->sectionSize(c) - 1;
        painter->drawLine(x, r.top(), x, r.bottom());
    }
    painter->restore();
}

void ListViewWidget::scrollContentsBy(int dx, int dy)
{
    QTreeWidget::scrollContentsBy(dx, dy);
    const HWND h = Handle();
    if (dy != 0)
        MessageRouter::SendFromEvent(h, WM_VSCROLL, MAKEWPARAM(4, static_cast<WORD>(verticalScrollBar()->value())), 0);
    if (dx != 0)
        MessageRouter::SendFromEvent(h, WM_HSCROLL, MAKEWPARAM(4, static_cast<WORD>(horizontalScrollBar()->value())),
                                     0);
}
