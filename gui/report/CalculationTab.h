// The Calculation tab: personal data files of a folder and the totals of the chosen one.
#pragma once

#include "gui/report/TMessageOut.h"

#include <QDate>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class HistoryWindow;
class RecordFileList;
class Settings;

struct CalculationResult;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;
class QToolButton;

class CalculationTab final : public QWidget
{
    Q_OBJECT
public:
    explicit CalculationTab(QWidget* parent = nullptr);
    ~CalculationTab() override;

    /// Gives the tab what its buttons and list need; until then they do nothing. `programDir` holds the
    /// active personal file, whose bare name `personalFileName` tells at the moment of asking; the directory
    /// chooser keeps its folders in `settings`.
    void attach(Settings& settings, Dialogs& dialogs, QString programDir, std::function<QString()> personalFileName,
                TMessageOut* messageOut = nullptr);
    /// The session list window, which may be created after the tab.
    void setMessageOut(TMessageOut* messageOut) { m_messageOut = messageOut; }
    /// How the session list window is made when "Show detail" first asks for it; it then shows the file
    /// last totalled.
    void setMessageOut(std::function<TMessageOut*()> makeMessageOut) { m_makeMessageOut = std::move(makeMessageOut); }

    /// Today's date for the history chart, from the program's clock.
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }
    /// The chart and session table, once "History…" opened them; until then nothing.
    HistoryWindow* history() const { return m_history; }

    /// How the search button asks for a folder: by default the directory chooser, shown modally; nothing
    /// when the user did not confirm one.
    using ChooseDirectory = std::function<std::optional<QString>()>;
    void setDirectoryChooser(ChooseDirectory choose) { m_chooseDirectory = std::move(choose); }

    /// Lists the active file and the personal data files of `dir`.
    void ReadFilesToList(const QString& dir);
    /// Totals one file into the labels and the session list. A pass that takes longer than half a second
    /// shows its progress and keeps the program's windows and timers going. Damaged records the pass left
    /// out are told on the status line, and the file chosen in the list is marked with a warning icon and
    /// their messages as its tooltip; a file that cannot be totalled is told in a box.
    void CalculateRecordFile(const QString& path);

    QString LastListedDir() const;
    /// Empties the used time, the byte totals and the fee until a file is totalled.
    void clearTotals();

protected:
    /// The buttons' icons come from the icon theme, a costly look-up that start-up need not wait for: they
    /// are fetched when the tab is first shown.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void ListBox1Click();
    void btnSearchDirClick();
    void btnRefreshClick();
    void btnDetailClick();
    void btnHistoryClick();
    std::optional<QString> chooseWithTfrmDir();
    void render(const std::shared_ptr<const CalculationResult>& result);
    /// The folder of the file on the status line, with what `result` says of its damaged records; none
    /// when it could not be totalled.
    void showDamage(const CalculationResult* result);

    Settings* m_settings = nullptr;
    Dialogs* m_dialogs = nullptr;
    std::unique_ptr<RecordFileList> m_files;
    QPointer<TMessageOut> m_messageOut;
    std::function<TMessageOut*()> m_makeMessageOut;
    ChooseDirectory m_chooseDirectory;
    std::function<QDate()> m_today;
    HistoryWindow* m_history = nullptr;
    std::shared_ptr<const CalculationResult> m_lastResult;
    bool m_calculating = false;
    QString m_folderShown;   ///< the folder of the file chosen last, as the status line shows it
    QString m_damageDetails; ///< the damaged records of the file totalled last, one a line
    bool m_selectionJustChanged = false;

    QListWidget* ListBox1;
    QToolButton* btnSearchDir;
    QToolButton* btnRefresh;
    QPushButton* btnDetail;
    QPushButton* btnHistory;
    QStatusBar* stbOnCal;
    QToolButton* btnImg;
    QGroupBox* gbCal;
    QWidget* calSlot; ///< holds gbCal in the page's layout
    QLabel* lblFileCreated;
    QLabel* lblFrom;
    QLabel* lblTo;
    QLabel* lblFirstRecord;
    QLabel* lblLastRecord;
    QLabel* lblTotalTime;
    QLabel* lblUsedTime;
    QLabel* lblTotalReceived;
    QLabel* lblReceivedBytes;
    QLabel* lblTotalSent;
    QLabel* lblSentBytes;
    QLabel* lblCurFee;
    QLabel* lblResultedFee;
};
