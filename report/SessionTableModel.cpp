// Sorting pairs each session with one number that orders it, sorts the pairs and keeps only the order: a
// few megabytes for a million sessions, and only while sorting.
#include "report/SessionTableModel.h"

#include "common/ByteText.h"

#include <algorithm>
#include <limits>

namespace {
const QString startAfterEndMark = QStringLiteral(" *");

// A moment as one number of seconds; a text without a time sorts before its day's times, a text without a
// date before every date.
qint64 momentKey(const std::optional<CalendarMoment>& moment)
{
    if (!moment)
        return std::numeric_limits<qint64>::min();
    return moment->day * 86400 + moment->second;
}

// A cell of copied text may hold neither a tab nor a line break of its own.
QString oneCell(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}
} // namespace

SessionTableModel::SessionTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SessionTableModel::setResult(std::shared_ptr<const CalculationResult> result)
{
    beginResetModel();
    m_result = std::move(result);
    m_order.clear();
    endResetModel();
    if (m_sortColumn >= 0)
        sort(m_sortColumn, m_sortOrder);
}

int SessionTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_result)
        return 0;
    return static_cast<int>(qMin<std::size_t>(m_result->sessions.size(), std::numeric_limits<int>::max()));
}

int SessionTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SessionTableModel::text(int row, int column) const
{
    if (!m_result || row < 0 || row >= rowCount())
        return {};
    const std::size_t session = sessionAt(row);
    const SessionRow& s = m_result->sessions[session];
    const QString mark = s.marked() ? startAfterEndMark : QString();
    switch (column) {
    case Start:
        return CalculationResult::shownText(m_result->startText(session), m_locale) + mark;
    case End:
        return CalculationResult::shownText(m_result->endText(session), m_locale) + mark;
    case Time:
        return SessionDuration::timeText(s.minutes, s.seconds);
    case Downloaded:
        return ByteText::BytesToFriendlyString(s.BytesReceived, m_locale);
    case Uploaded:
        return ByteText::BytesToFriendlyString(s.BytesSent, m_locale);
    default:
        return {};
    }
}

QVariant SessionTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && index.column() >= Time)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SessionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case Start:
        return QStringLiteral("Start");
    case End:
        return QStringLiteral("End");
    case Time:
        return QStringLiteral("Time");
    case Downloaded:
        return QStringLiteral("Downloaded");
    case Uploaded:
        return QStringLiteral("Uploaded");
    default:
        return {};
    }
}

qint64 SessionTableModel::sortKey(int column, std::size_t session) const
{
    const SessionRow& s = m_result->sessions[session];
    switch (column) {
    case Start:
        return momentKey(m_result->startMoment(session));
    case End:
        return momentKey(m_result->endMoment(session));
    case Time:
        return qint64(s.minutes) * 60 + s.seconds;
    case Downloaded:
        return s.BytesReceived;
    case Uploaded:
        return s.BytesSent;
    default:
        return qint64(session);
    }
}

void SessionTableModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column >= 0 && column < ColumnCount ? column : -1;
    m_sortOrder = order;
    const std::size_t rows = static_cast<std::size_t>(rowCount());
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<quint32> oldOrder = std::move(m_order);
    m_order.clear();
    if (m_sortColumn >= 0 && rows > 1) {
        std::vector<std::pair<qint64, quint32>> keyed(rows);
        for (std::size_t i = 0; i < rows; ++i)
            keyed[i] = {sortKey(m_sortColumn, i), static_cast<quint32>(i)};
        // The session number breaks ties, so equal values keep the file's order both ways.
        if (order == Qt::AscendingOrder)
            std::sort(keyed.begin(), keyed.end());
        else
            std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
                return a.first != b.first ? a.first > b.first : a.second < b.second;
            });
        m_order.resize(rows);
        for (std::size_t i = 0; i < rows; ++i)
            m_order[i] = keyed[i].second;
    }
    // Selected and current cells follow their sessions to their new rows.
    if (!before.isEmpty()) {
        std::vector<quint32> rowOf;
        if (!m_order.empty()) {
            rowOf.resize(rows);
            for (std::size_t i = 0; i < rows; ++i)
                rowOf[m_order[i]] = static_cast<quint32>(i);
        }
        QModelIndexList after;
        after.reserve(before.size());
        for (const QModelIndex& index : before) {
            const std::size_t r = static_cast<std::size_t>(index.row());
            const std::size_t session = oldOrder.empty() ? r : oldOrder[r];
            const int newRow = rowOf.empty() ? int(session) : int(rowOf[session]);
            after.append(this->index(newRow, index.column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString SessionTableModel::copyText(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QString out;
    for (int column = 0; column < ColumnCount; ++column)
        out += (column ? QStringLiteral("\t") : QString()) + headerData(column, Qt::Horizontal).toString();
    out += QLatin1Char('\n');
    for (const int row : rows) {
        if (row < 0 || row >= rowCount())
            continue;
        for (int column = 0; column < ColumnCount; ++column)
            out += (column ? QStringLiteral("\t") : QString()) + oneCell(text(row, column));
        out += QLatin1Char('\n');
    }
    return out;
}
