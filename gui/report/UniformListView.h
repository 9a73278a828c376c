// A list view for models with very many rows of one height, such as the session list of a file with a
// million sessions: it keeps no per-row layout and paints only the rows in view, so setting or resetting a
// model costs the same for any row count.
#pragma once

#include <QAbstractItemView>

class UniformListView final : public QAbstractItemView
{
    Q_OBJECT
public:
    explicit UniformListView(QWidget* parent = nullptr);

    /// Every row's height in pixels.
    void setRowHeight(int height);
    int rowHeight() const { return m_rowHeight; }

    /// The first row in view.
    int firstVisibleRow() const;
    /// How many whole rows the viewport holds.
    int visibleRows() const;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override { return firstVisibleRow() * m_rowHeight; }
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int rowCount() const;

    int m_rowHeight = 16;
};
