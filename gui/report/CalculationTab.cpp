// The Calculation tab: its controls, the listing of personal data files and the totalling of the chosen one.
#include "gui/report/CalculationTab.h"

#include "gui/report/HistoryWindow.h"
#include "gui/report/TMessageOut.h"
#include "gui/report/TfrmDir.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/SteadySlot.h"
#include "platform/Dialogs.h"
#include "report/RecordFileCalculator.h"
#include "report/RecordFileList.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace {
// Passes that end sooner than this show no progress and handle no events in between.
constexpr qint64 quietMilliseconds = 500;

// The list of files. A press on an entry has the view bring it into sight half a second later (after the
// time for a double click); an entry wholly in sight, as it nearly always is, would then be painted again
// unchanged, the last drawing a click makes. Only an entry partly out of sight is scrolled to.
class FileList final : public QListWidget
{
public:
    using QListWidget::QListWidget;

    void scrollTo(const QModelIndex& index, ScrollHint hint) override
    {
        if (hint == EnsureVisible && viewport()->rect().contains(visualRect(index)))
            return;
        QListWidget::scrollTo(index, hint);
    }
};
} // namespace

CalculationTab::CalculationTab(QWidget* parent) : QWidget(parent)
{
    buildControls();
    connectEvents();
}

CalculationTab::~CalculationTab() = default;

void CalculationTab::showEvent(QShowEvent* event)
{
    if (btnSearchDir->icon().isNull()) {
        btnSearchDir->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        btnRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
        btnImg->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    }
    QWidget::showEvent(event);
}

void CalculationTab::buildControls()
{
    setObjectName(QStringLiteral("tabCalculation"));
    ListBox1 = named(new FileList(this), "ListBox1");
    ListBox1->setAccessibleName(QStringLiteral("Personal files"));
    btnSearchDir = named(new QToolButton(this), "btnSearchDir");
    btnSearchDir->setToolTip(QStringLiteral("Search"));
    btnRefresh = named(new QToolButton(this), "btnRefresh");
    btnRefresh->setToolTip(QStringLiteral("Refresh"));
    btnDetail = named(new QPushButton(QStringLiteral("&Show detail"), this), "btnDetail");
    btnHistory = named(new QPushButton(QStringLiteral("H&istory…"), this), "btnHistory");
    btnHistory->setToolTip(QStringLiteral("Time online per day, and the sessions as a table"));
    stbOnCal = named(new QStatusBar(this), "stbOnCal");
    stbOnCal->setSizeGripEnabled(false);
    btnImg = named(new QToolButton(this), "btnImg");
    btnImg->setAutoRaise(true);

    gbCal = named(new QGroupBox(this), "gbCal");
    const auto label = [this](const QString& text, const char* name, bool bold = false) {
        auto* l = named(new QLabel(text, gbCal), name);
        if (bold) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        return l;
    };
    lblFileCreated = label(QStringLiteral("file created :"), "lblFileCreated");
    lblFrom = label(QStringLiteral("From :"), "lblFrom");
    lblTo = label(QStringLiteral("To :"), "lblTo");
    lblFirstRecord = label(QStringLiteral("first record :"), "lblFirstRecord");
    lblLastRecord = label(QStringLiteral("last record :"), "lblLastRecord");
    lblTotalTime = label(QStringLiteral("Total Time : "), "lblTotalTime");
    lblUsedTime = label(QString(), "lblUsedTime", true);
    lblTotalReceived = label(QStringLiteral("Downloaded :"), "lblTotalReceived");
    lblReceivedBytes = label(QString(), "lblReceivedBytes", true);
    lblTotalSent = label(QStringLiteral("Uploaded :"), "lblTotalSent");
    lblSentBytes = label(QString(), "lblSentBytes", true);
    lblCurFee = label(QStringLiteral("Fee :"), "lblCurFee");
    lblResultedFee = label(QString(), "lblResultedFee", true);
    auto* cal = new QGridLayout(gbCal);
    cal->addWidget(lblFileCreated, 0, 0, 1, 2);
    cal->addWidget(lblFrom, 1, 0);
    cal->addWidget(lblTo, 1, 1);
    cal->addWidget(lblFirstRecord, 2, 0, 1, 2);
    cal->addWidget(lblLastRecord, 3, 0, 1, 2);
    cal->addWidget(lblTotalTime, 4, 0);
    cal->addWidget(lblUsedTime, 4, 1);
    cal->addWidget(lblTotalReceived, 5, 0);
    cal->addWidget(lblReceivedBytes, 5, 1);
    cal->addWidget(lblTotalSent, 6, 0);
    cal->addWidget(lblSentBytes, 6, 1);
    cal->addWidget(lblCurFee, 7, 0);
    cal->addWidget(lblResultedFee, 7, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSearchDir);
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnImg);
    buttons->addStretch(1);
    buttons->addWidget(btnHistory);
    buttons->addWidget(btnDetail);
    // The list takes the page's height; the totals and the buttons stand at its top, and the path line keeps
    // to the page's bottom edge, whatever height the tallest tab gives the page.
    auto* page = new QGridLayout(this);
    page->addWidget(ListBox1, 0, 0, 3, 1);
    // New totals lay out the box alone: its slot keeps the page from being laid out again and the tab widget
    // from repainting itself whole for each file.
    calSlot = SteadySlot::around(gbCal);
    page->addWidget(calSlot, 0, 1);
    page->addLayout(buttons, 1, 1);
    page->setRowStretch(2, 1);
    page->addWidget(stbOnCal, 3, 0, 1, 2);
}

void CalculationTab::attach(Settings& settings, Dialogs& dialogs, QString programDir,
                            std::function<QString()> personalFileName, TMessageOut* messageOut)
{
    m_settings = &settings;
    m_dialogs = &dialogs;
    m_files = std::make_unique<RecordFileList>(std::move(programDir), std::move(personalFileName));
    m_messageOut = messageOut;
}

void CalculationTab::connectEvents()
{
    connect(btnSearchDir, &QToolButton::clicked, this, &CalculationTab::btnSearchDirClick);
    connect(btnRefresh, &QToolButton::clicked, this, &CalculationTab::btnRefreshClick);
    connect(btnDetail, &QPushButton::clicked, this, &CalculationTab::btnDetailClick);
    connect(btnHistory, &QPushButton::clicked, this, &CalculationTab::btnHistoryClick);
    // A new selection, by mouse or keys, totals the file; a click on the file already selected totals it
    // again, as a fresh look at a file that is still being recorded into.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        m_selectionJustChanged = true;
        ListBox1Click();
    });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (!std::exchange(m_selectionJustChanged, false))
            ListBox1Click();
    });
}

QString CalculationTab::LastListedDir() const
{
    return m_files ? m_files->LastListedDir() : QString();
}

void CalculationTab::clearTotals()
{
    for (QLabel* label : {lblUsedTime, lblReceivedBytes, lblSentBytes, lblResultedFee})
        label->clear();
}

void CalculationTab::ReadFilesToList(const QString& dir)
{
    if (!m_files)
        return;
    ListBox1->clear();
    ListBox1->addItems(m_files->ReadFilesToList(dir));
}

void CalculationTab::ListBox1Click()
{
    if (!m_files)
        return;
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (!ListBox1->item(row)->isSelected())
            continue;
        const QString name = ListBox1->item(row)->text();
        const RecordFileList::Choice choice = m_files->choiceOf(name);
        m_folderShown = QDir::toNativeSeparators(choice.folder);
        CalculateRecordFile(choice.path);
        // The item's text is the file's name, so the mark is its icon and tooltip. The list may have been
        // read again while a large file was totalled.
        QListWidgetItem* item = row < ListBox1->count() ? ListBox1->item(row) : nullptr;
        if (item && item->text() == name) {
            item->setIcon(m_damageDetails.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
            item->setToolTip(m_damageDetails);
        }
        return;
    }
}

void CalculationTab::CalculateRecordFile(const QString& path)
{
    if (!m_dialogs || m_calculating)
        return;
    m_calculating = true;
    QElapsedTimer elapsed;
    elapsed.start();
    std::unique_ptr<QProgressDialog> progress;
    RecordFileCalculator calculator([&](qint64 done, qint64 total) {
        if (!progress) {
            if (elapsed.elapsed() < quietMilliseconds)
                return;
            progress = std::make_unique<QProgressDialog>(
                QStringLiteral("Totalling %1").arg(QDir::toNativeSeparators(path)), QString(), 0, 1000, window());
            progress->setObjectName(QStringLiteral("totallingProgress"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setCancelButton(nullptr);
            progress->setMinimumDuration(0);
        }
        progress->setValue(static_cast<int>(done * 1000 / qMax<qint64>(1, total)));
        // The recording timers and repaints go on while a large file is totalled.
        QCoreApplication::processEvents();
    });
    const std::shared_ptr<const CalculationResult> result = calculator.CalculateRecordFile(path);
    progress.reset();
    m_calculating = false;

    if (!result->opened()) {
        showDamage(nullptr);
        m_dialogs->beep();
        m_dialogs->showMessage(Dialogs::Kind::Error, result->openFailureMessage());
        return;
    }
    render(result);
    showDamage(result.get());
}

void CalculationTab::showDamage(const CalculationResult* result)
{
    const QString summary = result ? result->damageSummary() : QString();
    m_damageDetails = result ? result->damageDetails() : QString();
    const QString message = summary.isEmpty() || m_folderShown.isEmpty()
                                ? m_folderShown + summary
                                : m_folderShown + QStringLiteral("  ") + summary;
    if (message != stbOnCal->currentMessage())
        stbOnCal->showMessage(message);
}

void CalculationTab::render(const std::shared_ptr<const CalculationResult>& result)
{
    lblFileCreated->setText(result->fileCreatedText());
    lblFrom->setText(result->fromText());
    lblTo->setText(result->toText());
    lblFirstRecord->setText(result->firstRecordText());
    lblLastRecord->setText(result->lastRecordText());
    lblUsedTime->setText(result->usedTimeText());
    lblReceivedBytes->setText(result->receivedText());
    lblSentBytes->setText(result->sentText());
    // The totals keep the widest room their texts have needed: the file list beside them does not change
    // its width from one file to the next, and the page is laid out again only when they need more.
    if (const int needed = gbCal->sizeHint().width(); needed > calSlot->minimumWidth())
        calSlot->setMinimumWidth(needed);
    if (m_messageOut)
        m_messageOut->showResult(result);
    m_lastResult = result;
    if (m_history)
        m_history->showResult(result);
}

void CalculationTab::btnSearchDirClick()
{
    if (!m_files)
        return;
    const std::optional<QString> dir = m_chooseDirectory ? m_chooseDirectory() : chooseWithTfrmDir();
    if (dir && !dir->isEmpty())
        ReadFilesToList(*dir);
}

std::optional<QString> CalculationTab::chooseWithTfrmDir()
{
    TfrmDir chooser(*m_settings, *m_dialogs, window());
    chooser.exec();
    if (chooser.Tag() != 1)
        return std::nullopt;
    return chooser.chosenPath();
}

void CalculationTab::btnRefreshClick()
{
    if (m_files)
        ReadFilesToList(m_files->LastListedDir());
}

void CalculationTab::btnDetailClick()
{
    if (!m_messageOut && m_makeMessageOut) {
        m_messageOut = m_makeMessageOut();
        if (m_messageOut && m_lastResult)
            m_messageOut->showResult(m_lastResult);
    }
    if (!m_messageOut)
        return;
    m_messageOut->showNormal();
    m_messageOut->raise();
    m_messageOut->activateWindow();
}

void CalculationTab::btnHistoryClick()
{
    if (!m_dialogs)
        return;
    // Made on first use: the chart's machinery costs nothing to a user who never opens it.
    if (!m_history) {
        m_history = new HistoryWindow(*m_dialogs, this);
        m_history->setToday(m_today);
        m_history->showResult(m_lastResult);
    }
    m_history->showNormal();
    m_history->raise();
    m_history->activateWindow();
}
