// The directory chooser: a history of the last ten folders, the mounted volumes, a folder tree, the files of
// the chosen folder and a path field. Created for one search, shown modally, destroyed afterwards.
#pragma once

#include "report/DirHistory.h"

#include <QDialog>

class Dialogs;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QSplitter;
class QToolButton;
class QTreeView;
class Settings;

class TfrmDir final : public QDialog
{
    Q_OBJECT
public:
    TfrmDir(Settings& settings, Dialogs& dialogs, QWidget* parent = nullptr);
    ~TfrmDir() override;

    /// The result marker: 0 until the user confirmed a folder with OK, then 1.
    int Tag() const { return m_tag; }

    /// Selects and reveals the folder in the tree; false when the tree has no such folder.
    bool setCurrentDirectory(const QString& path);
    /// The full path of the tree's selected folder; empty when none is selected.
    QString currentDirectory() const;
    /// The folder in the path field, as the user confirmed it with OK.
    QString chosenPath() const;

    const DirHistory& history() const { return m_history; }

    static constexpr int designTreeWidth = 199;

public slots:
    /// Every way of closing ends here: the tree's width is stored first.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void FormCreate();
    void FormCloseQuery();
    void makeModels();
    void fillDrives();
    void fillHistory();
    void btnOKClick();
    void btnCancelClick();
    void cbHistoryPathClick(int index);
    void cbHistoryPathKeyPress();
    void chooseFromHistory(const QString& text, int selectedIndex);
    void DriveView1Change(const QModelIndex& current);
    void DriveView1KeyUp(int key);
    void IEDriveComboBox1Change(int index);
    void btnUp1Click();
    void btnCollapse1Click();
    void btnRefresh1Click();
    /// Enter in the path field: the tree goes to the folder typed, or the user hears that there is none.
    void edToPathKeyPress();
    /// The tree's current folder in view, once the folders around it are read and the view has its size.
    void showCurrentFolder();

    Settings& m_settings;
    Dialogs& m_dialogs;
    DirHistory m_history;
    QFileSystemModel* m_treeModel = nullptr;
    QFileSystemModel* m_listModel = nullptr;
    int m_tag = 0;
    int m_treeWidth = designTreeWidth;
    bool m_centred = false;

    QWidget* pnTop;
    QWidget* CoolBar1;
    QComboBox* cbHistoryPath;
    QWidget* pnCB;
    QComboBox* IEDriveComboBox1;
    QToolButton* btnUp1;
    QToolButton* btnCollapse1;
    QToolButton* btnRefresh1;
    QWidget* pnMiddle;
    QWidget* pnTree;
    QTreeView* DriveView1;
    QSplitter* Splitter1;
    QTreeView* DirView1;
    QWidget* pnBottom;
    QLineEdit* edToPath;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
