// The sessions of a totalled file as a table, one row per session: start, end, time, downloaded, uploaded.
// Cells are formed from the compact rows only when a view asks for them, and a sorted table keeps nothing
// but the order of its rows, so a file of a million sessions fills the table at once.
#pragma once

#include "report/CalculationResult.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <memory>
#include <vector>

class SessionTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Start,
        End,
        Time,
        Downloaded,
        Uploaded,
        ColumnCount
    };

    explicit SessionTableModel(QObject* parent = nullptr);

    /// Shows the sessions of `result` (nothing for a null result), in the order last asked for by sort().
    void setResult(std::shared_ptr<const CalculationResult> result);
    const CalculationResult* result() const { return m_result.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /// By the values, not their texts: moments by date and 24-hour time, the time by seconds, bytes by
    /// number; equal values keep the file's order. A column of -1 gives the file's order back.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    /// The session (row of the result) shown in table row `row`.
    std::size_t sessionAt(int row) const { return m_order.empty() ? std::size_t(row) : m_order[std::size_t(row)]; }
    /// The cell's text as the table shows it.
    QString text(int row, int column) const;
    /// The table rows `rows` (in table order, whatever order they are given in) as tab-separated lines after
    /// a line of the column names, for pasting into a spreadsheet.
    QString copyText(QList<int> rows) const;

private:
    qint64 sortKey(int column, std::size_t session) const;

    std::shared_ptr<const CalculationResult> m_result;
    std::vector<quint32> m_order; ///< table row -> session; empty for the file's order
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QLocale m_locale;
};
