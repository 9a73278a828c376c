// The history window's controls, its lazy redrawing, the copying of selected sessions and the CSV export.
#include "gui/report/HistoryWindow.h"

#include "gui/report/ChartModule.h"
#include "gui/report/DayChartPanel.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/SteadySlot.h"
#include "platform/Dialogs.h"
#include "report/CalculationResult.h"
#include "report/DailyHistory.h"
#include "report/ReportExport.h"
#include "report/SessionTableModel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QVarLengthArray>
#include <algorithm>
#include <utility>

namespace {

// The session table. A column is as wide as QTableView makes it: as its widest cell among the rows it
// measures, those in view and those next to them, a thousand in all. But the delegate is asked only once for
// texts alike: a column's cells differ only by their texts, and two texts that differ only in digits as wide
// as each other are as wide. A thousand rows of five columns ask it some dozens of times instead of 5,000
// (about 4 µs each).
class SessionTableView final : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    int sizeHintForColumn(int column) const override;

private:
    /// The first and last row QTableView measures for a column's width: from the first in view to the last
    /// (to the table's end while it is hidden), then by turns one below and one above, as many rows in all as
    /// the header's precision says. No row of the table is ever hidden or moved, so they are one run.
    std::pair<int, int> measuredRows() const;
};

std::pair<int, int> SessionTableView::measuredRows() const
{
    const int count = model()->rowCount(rootIndex());
    const int precision = horizontalHeader()->resizeContentsPrecision();
    const int top = std::max(0, verticalHeader()->visualIndexAt(0));
    int bottom = verticalHeader()->visualIndexAt(viewport()->height());
    if (!isVisible() || bottom == -1)
        bottom = count - 1;
    int first = top;
    int last = top - 1;
    int measured = 0;
    while (last < bottom) {
        ++last;
        if (++measured == precision)
            return {first, last};
    }
    if (precision == 0)
        return {first, last};
    while (measured != precision && (first > 0 || last < count - 1)) {
        if ((measured % 2 && first > 0) || last == count - 1)
            --first;
        else
            ++last;
        ++measured;
    }
    return {first, last};
}

int SessionTableView::sizeHintForColumn(int column) const
{
    if (!model())
        return -1;
    ensurePolished();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // In a text's form each digit stands for the first digit met that is as wide as it.
    const QFontMetricsF metrics(option.font);
    struct Digit
    {
        QChar digit;
        QChar standsFor;
        qreal width;
    };
    QVarLengthArray<Digit, 10> digits;
    const auto form = [&](QChar digit) {
        for (const Digit& met : digits) {
            if (met.digit == digit)
                return met.standsFor;
        }
        const qreal width = metrics.horizontalAdvance(digit);
        QChar standsFor = digit;
        for (const Digit& met : digits) {
            if (met.width == width) {
                standsFor = met.standsFor;
                break;
            }
        }
        digits.append({digit, standsFor, width});
        return standsFor;
    };
    QHash<QString, QModelIndex> forms;
    const auto [first, last] = measuredRows();
    for (int visual = first; visual <= last; ++visual) {
        const QModelIndex index = model()->index(verticalHeader()->logicalIndex(visual), column, rootIndex());
        QString text = index.data(Qt::DisplayRole).toString();
        for (QChar& c : text) {
            if (c.isDigit())
                c = form(c);
        }
        forms.emplace(std::move(text), index);
    }
    int hint = 0;
    for (const QModelIndex& index : std::as_const(forms))
        hint = std::max(hint, itemDelegateForIndex(index)->sizeHint(option, index).width());
    return showGrid() ? hint + 1 : hint;
}

} // namespace

HistoryWindow::HistoryWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_model(new SessionTableModel(this))
{
    buildControls();
    connectEvents();
    render();
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::buildControls()
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("History"));
    lblFile = named(new QLabel(this), "lblFile");
    lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cbMeasure = named(new QComboBox(this), "cbMeasure");
    cbMeasure->addItem(QStringLiteral("Time online"), QVariant::fromValue(int(DayChart::Measure::Time)));
    cbMeasure->addItem(QStringLiteral("Bytes down and up"), QVariant::fromValue(int(DayChart::Measure::Bytes)));
    auto* show = new QLabel(QStringLiteral("&Per day:"), this);
    show->setBuddy(cbMeasure);

    QString problem;
    chvDays = ChartModule::create(this, problem);
    QWidget* chart = chvDays ? chvDays->widget() : nullptr;
    if (chart) {
        named(chart, "chvDays");
    } else {
        lblNoChart =
            named(new QLabel(QStringLiteral("The chart cannot be shown: %1").arg(problem), this), "lblNoChart");
        lblNoChart->setAlignment(Qt::AlignCenter);
        lblNoChart->setWordWrap(true);
        lblNoChart->setTextInteractionFlags(Qt::TextSelectableByMouse);
        chart = lblNoChart;
        cbMeasure->setEnabled(false);
    }
    chart->setMinimumHeight(300);

    tvSessions = named(new SessionTableView(this), "tvSessions");
    tvSessions->setModel(m_model);
    tvSessions->setAccessibleName(QStringLiteral("Sessions"));
    tvSessions->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvSessions->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tvSessions->setWordWrap(false);
    tvSessions->verticalHeader()->hide();
    tvSessions->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tvSessions->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The file's own order until a column is clicked; a third click on it gives that order back.
    tvSessions->horizontalHeader()->setSortIndicatorClearable(true);
    tvSessions->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tvSessions->setSortingEnabled(true);

    auto* copy = new QAction(QStringLiteral("&Copy"), tvSessions);
    copy->setObjectName(QStringLiteral("actCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &HistoryWindow::copySelection);
    auto* save = new QAction(QStringLiteral("Save as CSV…"), tvSessions);
    connect(save, &QAction::triggered, this, &HistoryWindow::saveCsv);
    tvSessions->addActions({copy, save});
    tvSessions->setContextMenuPolicy(Qt::ActionsContextMenu);

    btnSaveCsv = named(new QPushButton(QStringLiteral("&Save as CSV…"), this), "btnSaveCsv");
    btnClose = named(new QPushButton(QStringLiteral("&Close"), this), "btnClose");

    auto* top = new QHBoxLayout;
    // A new file's name lays out its label alone, not the window (which would then be drawn whole); a name
    // longer than the room is cut at the right, and whole in the tooltip.
    top->addWidget(SteadySlot::around(lblFile), 1);
    top->addWidget(show);
    top->addWidget(cbMeasure);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(chart);
    split->addWidget(tvSessions);
    split->setChildrenCollapsible(false);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnSaveCsv);
    bottom->addWidget(btnClose);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(split, 1);
    page->addLayout(bottom);
    resize(800, 720);
}

void HistoryWindow::connectEvents()
{
    connect(cbMeasure, &QComboBox::currentIndexChanged, this, [this] {
        if (chvDays)
            chvDays->setMeasure(DayChart::Measure(cbMeasure->currentData().toInt()));
    });
    connect(btnSaveCsv, &QPushButton::clicked, this, &HistoryWindow::saveCsv);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &HistoryWindow::close);
}

void HistoryWindow::showResult(std::shared_ptr<const CalculationResult> result)
{
    if (result == m_result)
        return;
    m_result = std::move(result);
    m_stale = true;
    if (isVisible())
        render();
}

void HistoryWindow::showEvent(QShowEvent* event)
{
    if (m_stale)
        render();
    QWidget::showEvent(event);
}

void HistoryWindow::render()
{
    m_stale = false;
    // The chart's days are worked out on a thread of their own while the table is filled and measured.
    const DailyHistory days = m_result && chvDays ? DailyHistory::fromResultMeanwhile(*m_result) : DailyHistory();
    lblFile->setText(m_result ? QDir::toNativeSeparators(m_result->path) : QString());
    lblFile->setToolTip(lblFile->text());
    m_model->setResult(m_result);
    btnSaveCsv->setEnabled(m_result != nullptr);
    {
        // The table is not told of each column's two changes, to its contents' width and to its share: it
        // would lay itself out and be drawn again after it is first drawn. It is laid out once, below.
        const QSignalBlocker quiet(tvSessions->horizontalHeader());
        // Measures the rows in view and those next to them, a thousand at most (the header's precision),
        // whatever the number of sessions.
        tvSessions->resizeColumnsToContents();
        m_contentWidths.clear();
        for (int column = 0; column < tvSessions->horizontalHeader()->count(); ++column)
            m_contentWidths.append(tvSessions->columnWidth(column));
        shareWidth();
    }
    // The layout the model's reset asks for, done now instead of after the table is drawn.
    tvSessions->doItemsLayout();
    const QDate today = m_today ? m_today() : QDate();
    if (chvDays)
        chvDays->showChart(m_result ? DayChart::fromHistory(days, today) : DayChart());
}

void HistoryWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    shareWidth();
}

void HistoryWindow::shareWidth()
{
    const qsizetype columns = m_contentWidths.size();
    if (columns == 0)
        return;
    int used = 0;
    for (const int width : m_contentWidths)
        used += width;
    // The last column alone would take all that is left: half the table for the uploaded bytes.
    const int spare = std::max(0, tvSessions->viewport()->width() - used);
    for (qsizetype column = 0; column < columns; ++column)
        tvSessions->setColumnWidth(int(column), m_contentWidths[column] + int(spare * (column + 1) / columns) -
                                                    int(spare * column / columns));
}

void HistoryWindow::copySelection()
{
    QList<int> rows;
    for (const QItemSelectionRange& range : tvSessions->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    }
    if (rows.isEmpty())
        return;
    QApplication::clipboard()->setText(m_model->copyText(rows));
}

void HistoryWindow::saveCsv()
{
    if (!m_result)
        return;
    const QFileInfo file(m_result->path);
    const QString suggested = file.dir().filePath(file.completeBaseName() + QStringLiteral(".csv"));
    const std::optional<QString> path = m_chooseSaveFile ? m_chooseSaveFile(suggested) : chooseWithDialog(suggested);
    if (!path || path->isEmpty())
        return;
    const QString problem = ReportExport::saveCsv(*path, *m_result);
    if (!problem.isEmpty()) {
        m_dialogs.beep();
        m_dialogs.showMessage(Dialogs::Kind::Error,
                              QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(*path), problem));
    }
}

std::optional<QString> HistoryWindow::chooseWithDialog(const QString& suggested)
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as CSV"), suggested,
                                                      QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
