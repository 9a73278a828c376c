// Rows are never stored: row r is line r % 6 of session r / 6.
#include "report/MessageOutModel.h"

#include <limits>

MessageOutModel::MessageOutModel(QObject* parent) : QAbstractListModel(parent) {}

void MessageOutModel::setResult(std::shared_ptr<const CalculationResult> result)
{
    beginResetModel();
    m_result = std::move(result);
    endResetModel();
}

int MessageOutModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_result)
        return 0;
    // A list view counts rows in int; more than 357 million sessions cannot be shown.
    return static_cast<int>(qMin<qint64>(m_result->lineCount(), std::numeric_limits<int>::max()));
}

QVariant MessageOutModel::data(const QModelIndex& index, int role) const
{
    if (!m_result || !index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    return m_result->sessionLine(index.row(), m_locale);
}
