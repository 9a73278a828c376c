// The vertical scroll bar counts rows, not pixels, so its range never overflows however many rows there are.
#include "gui/report/UniformListView.h"

#include <QPainter>
#include <QScrollBar>

UniformListView::UniformListView(QWidget* parent) : QAbstractItemView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
}

void UniformListView::setRowHeight(int height)
{
    m_rowHeight = qMax(1, height);
    updateGeometries();
    viewport()->update();
}

int UniformListView::rowCount() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int UniformListView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

int UniformListView::visibleRows() const
{
    return qMax(1, viewport()->height() / m_rowHeight);
}

QRect UniformListView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex())
        return {};
    return {0, (index.row() - firstVisibleRow()) * m_rowHeight, viewport()->width(), m_rowHeight};
}

void UniformListView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = firstVisibleRow();
    const int shown = visibleRows();
    switch (hint) {
    case PositionAtTop:
        verticalScrollBar()->setValue(row);
        break;
    case PositionAtBottom:
        verticalScrollBar()->setValue(row - shown + 1);
        break;
    case PositionAtCenter:
        verticalScrollBar()->setValue(row - shown / 2);
        break;
    case EnsureVisible:
        if (row < first)
            verticalScrollBar()->setValue(row);
        else if (row >= first + shown)
            verticalScrollBar()->setValue(row - shown + 1);
        break;
    }
}

QModelIndex UniformListView::indexAt(const QPoint& point) const
{
    if (!model() || point.y() < 0)
        return {};
    const int row = firstVisibleRow() + point.y() / m_rowHeight;
    return row < rowCount() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

QModelIndex UniformListView::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int rows = rowCount();
    if (rows == 0)
        return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int row = current;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        row = current - 1;
        break;
    case MoveDown:
    case MoveNext:
        row = current + 1;
        break;
    case MovePageUp:
        row = current - visibleRows();
        break;
    case MovePageDown:
        row = current + visibleRows();
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    default:
        break;
    }
    return model()->index(qBound(0, row, rows - 1), 0, rootIndex());
}

void UniformListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QModelIndex top = indexAt(QPoint(0, qMax(0, rect.top())));
    QModelIndex bottom = indexAt(QPoint(0, rect.bottom()));
    if (!top.isValid())
        return;
    if (!bottom.isValid())
        bottom = model()->index(rowCount() - 1, 0, rootIndex());
    selectionModel()->select(QItemSelection(top, bottom), command);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    for (const QItemSelectionRange& range : selection)
        region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
    return region;
}

void UniformListView::updateGeometries()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, qMax(0, rowCount() - visibleRows()));
    bar->setPageStep(visibleRows());
    bar->setSingleStep(1);
    QAbstractItemView::updateGeometries();
}

void UniformListView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void UniformListView::paintEvent(QPaintEvent*)
{
    if (!model())
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int first = firstVisibleRow();
    const int last = qMin(rowCount(), first + visibleRows() + 1);
    for (int row = first; row < last; ++row) {
        const QModelIndex index = model()->index(row, 0, rootIndex());
        option.rect = visualRect(index);
        option.state.setFlag(QStyle::State_Selected, selectionModel() && selectionModel()->isSelected(index));
        option.state.setFlag(QStyle::State_HasFocus, hasFocus() && index == currentIndex());
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}
