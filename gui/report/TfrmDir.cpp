// The chooser's browsing parts are Qt's file system models; the tree shows folders only (hidden ones too,
// since the per-user data folder lies below one), the list the files of the tree's selected folder.
#include "gui/report/TfrmDir.h"

#include "gui/widgets/Named.h"
#include "platform/Dialogs.h"
#include "settings/Settings.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStorageInfo>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>

namespace {
constexpr int treeWidthAbove = 10;
constexpr int treeWidthBelow = 350;
} // namespace

TfrmDir::TfrmDir(Settings& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_dialogs(dialogs)
{
    buildControls();
    makeModels();
    fillDrives();
    connectEvents();
    FormCreate();
}

TfrmDir::~TfrmDir() = default;

namespace {
// The file list's name and type columns keep their design widths.
constexpr int nameWidth = 140;
constexpr int typeWidth = 110;

int sizeColumnWidth(const QFontMetrics& metrics)
{
    return metrics.horizontalAdvance(QStringLiteral("1023.99 KiB")) + 24;
}

// Room for a date and time with seconds in the locale's short form, as the list shows them.
int dateColumnWidth(const QFontMetrics& metrics)
{
    const QString sample = QLocale().toString(QDateTime(QDate(2026, 12, 28), QTime(20, 44, 58)), QLocale::ShortFormat);
    return metrics.horizontalAdvance(sample + QStringLiteral(":00")) + 24;
}
} // namespace

void TfrmDir::buildControls()
{
    setObjectName(QStringLiteral("TfrmDir"));
    setWindowTitle(QStringLiteral("Directory"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    pnTop = named(new QWidget(this), "pnTop");
    CoolBar1 = named(new QWidget(pnTop), "CoolBar1");
    cbHistoryPath = named(new QComboBox(CoolBar1), "cbHistoryPath");
    cbHistoryPath->setEditable(true);
    cbHistoryPath->setAccessibleName(QStringLiteral("Folders chosen before"));
    cbHistoryPath->setCompleter(nullptr);
    cbHistoryPath->setInsertPolicy(QComboBox::NoInsert);
    cbHistoryPath->setMinimumWidth(220);
    pnCB = named(new QWidget(CoolBar1), "pnCB");
    IEDriveComboBox1 = named(new QComboBox(pnCB), "IEDriveComboBox1");
    IEDriveComboBox1->setFixedWidth(193);
    const auto flat = [this](const char* name, QStyle::StandardPixmap icon, const QString& tip) {
        auto* button = named(new QToolButton(pnCB), name);
        button->setAutoRaise(true);
        button->setIcon(style()->standardIcon(icon));
        button->setToolTip(tip);
        return button;
    };
    btnUp1 = flat("btnUp1", QStyle::SP_FileDialogToParent, QStringLiteral("Up (Ctrl+U)"));
    btnCollapse1 = flat("btnCollapse1", QStyle::SP_TitleBarShadeButton, QStringLiteral("Collapse (Ctrl+-)"));
    btnRefresh1 = flat("btnRefresh1", QStyle::SP_BrowserReload, QStringLiteral("Refresh (Ctrl+Left)"));
    auto* cb = new QHBoxLayout(pnCB);
    cb->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{IEDriveComboBox1, btnUp1, btnCollapse1, btnRefresh1})
        cb->addWidget(w);
    auto* bands = new QHBoxLayout(CoolBar1);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->addWidget(cbHistoryPath, 1);
    bands->addWidget(pnCB);
    (new QHBoxLayout(pnTop))->addWidget(CoolBar1);
    pnTop->layout()->setContentsMargins(0, 0, 0, 0);

    pnMiddle = named(new QWidget(this), "pnMiddle");
    Splitter1 = named(new QSplitter(Qt::Horizontal, pnMiddle), "Splitter1");
    pnTree = named(new QWidget(Splitter1), "pnTree");
    DriveView1 = named(new QTreeView(pnTree), "DriveView1");
    DriveView1->setHeaderHidden(true);
    DriveView1->setAccessibleName(QStringLiteral("Folder tree"));
    // The stored width may be as narrow as 11 pixels; the tree must not refuse it.
    DriveView1->setMinimumWidth(1);
    pnTree->setMinimumWidth(1);
    auto* tree = new QVBoxLayout(pnTree);
    tree->setContentsMargins(0, 0, 0, 0);
    tree->addWidget(DriveView1);
    DirView1 = named(new QTreeView(Splitter1), "DirView1");
    DirView1->setRootIsDecorated(false);
    DirView1->setAccessibleName(QStringLiteral("Files"));
    DirView1->setItemsExpandable(false);
    DirView1->setSortingEnabled(true);
    // A header's sort indicator starts descending: the files would be listed Z to A.
    DirView1->sortByColumn(0, Qt::AscendingOrder);
    DirView1->setDragEnabled(true);
    Splitter1->addWidget(pnTree);
    Splitter1->addWidget(DirView1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setChildrenCollapsible(false);
    (new QVBoxLayout(pnMiddle))->addWidget(Splitter1);
    pnMiddle->layout()->setContentsMargins(0, 0, 0, 0);

    pnBottom = named(new QWidget(this), "pnBottom");
    edToPath = named(new QLineEdit(QDir::toNativeSeparators(QDir::tempPath()), pnBottom), "edToPath");
    edToPath->setAccessibleName(QStringLiteral("Folder"));
    btnOK = named(new QPushButton(QStringLiteral("&OK"), pnBottom), "btnOK");
    btnCancel = named(new QPushButton(QStringLiteral("&Cancel"), pnBottom), "btnCancel");
    btnOK->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout(pnBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(edToPath, 1);
    bottom->addWidget(btnOK);
    bottom->addWidget(btnCancel);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(7, 7, 7, 7);
    page->addWidget(pnTop);
    page->addWidget(pnMiddle, 1);
    page->addWidget(pnBottom);
    // A fixed border: the size found at the first layout stays. The file list's four columns fit beside the
    // tree, so that the date and time are not cut.
    const QFontMetrics metrics = DirView1->fontMetrics();
    const int width =
        std::max(640, 7 + designTreeWidth + Splitter1->handleWidth() + nameWidth + sizeColumnWidth(metrics) +
                          typeWidth + dateColumnWidth(metrics) + 2 * DirView1->frameWidth() + 7 + 20);
    setFixedSize(width, 460);
    Splitter1->setSizes({designTreeWidth, width - designTreeWidth});
}

void TfrmDir::makeModels()
{
    auto* treeModel = new QFileSystemModel(this);
    treeModel->setOption(QFileSystemModel::DontWatchForChanges);
    treeModel->setReadOnly(true);
    treeModel->setFilter(QDir::AllDirs | QDir::Drives | QDir::Hidden | QDir::NoDotAndDotDot);
    treeModel->setRootPath(QString());
    auto* listModel = new QFileSystemModel(this);
    listModel->setOption(QFileSystemModel::DontWatchForChanges);
    listModel->setReadOnly(true);
    listModel->setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    DriveView1->setModel(treeModel);
    for (int column = 1; column < treeModel->columnCount(); ++column)
        DriveView1->hideColumn(column);
    DirView1->setModel(listModel);
    DirView1->setColumnWidth(0, nameWidth);
    DirView1->setColumnWidth(1, sizeColumnWidth(DirView1->fontMetrics()));
    DirView1->setColumnWidth(2, typeWidth);
    DirView1->setColumnWidth(3, dateColumnWidth(DirView1->fontMetrics()));
    delete m_treeModel;
    delete m_listModel;
    m_treeModel = treeModel;
    m_listModel = listModel;
    connect(DriveView1->selectionModel(), &QItemSelectionModel::currentChanged, this, &TfrmDir::DriveView1Change);
    // The tree is read in the background: rows that arrive above the current folder push it out of view.
    connect(treeModel, &QFileSystemModel::directoryLoaded, this, &TfrmDir::showCurrentFolder);
}

void TfrmDir::showCurrentFolder()
{
    if (DriveView1->currentIndex().isValid())
        DriveView1->scrollTo(DriveView1->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void TfrmDir::fillDrives()
{
    IEDriveComboBox1->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        const QString name = volume.displayName();
        IEDriveComboBox1->addItem(name == root ? root : QStringLiteral("%1 (%2)").arg(root, name), root);
    }
}

void TfrmDir::connectEvents()
{
    connect(btnOK, &QPushButton::clicked, this, &TfrmDir::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmDir::btnCancelClick);
    connect(cbHistoryPath, &QComboBox::activated, this, &TfrmDir::cbHistoryPathClick);
    connect(IEDriveComboBox1, &QComboBox::activated, this, &TfrmDir::IEDriveComboBox1Change);
    connect(btnUp1, &QToolButton::clicked, this, &TfrmDir::btnUp1Click);
    connect(btnCollapse1, &QToolButton::clicked, this, &TfrmDir::btnCollapse1Click);
    connect(btnRefresh1, &QToolButton::clicked, this, &TfrmDir::btnRefresh1Click);
    // Keys reach the editable box itself, which hands them to its line edit without its event filters.
    cbHistoryPath->installEventFilter(this);
    cbHistoryPath->lineEdit()->installEventFilter(this);
    edToPath->installEventFilter(this);
    DriveView1->installEventFilter(this);
}

void TfrmDir::FormCreate()
{
    m_history.load(m_settings.dirHistory());
    fillHistory();
    const QString last = m_settings.lastDirectory();
    if (!last.isEmpty())
        setCurrentDirectory(last);
    if (!DriveView1->currentIndex().isValid())
        setCurrentDirectory(QDir::currentPath());
    if (DriveView1->currentIndex().isValid())
        DriveView1->expand(DriveView1->currentIndex());
    if (const std::optional<int> width = m_settings.dirWidthOfShellTree();
        width && *width > treeWidthAbove && *width < treeWidthBelow) {
        m_treeWidth = *width;
        Splitter1->setSizes({*width, Splitter1->width() - *width});
    }
}

void TfrmDir::fillHistory()
{
    const QString typed = cbHistoryPath->currentText();
    cbHistoryPath->clear();
    cbHistoryPath->addItems(m_history.entries());
    cbHistoryPath->setCurrentIndex(-1);
    cbHistoryPath->setEditText(typed);
}

bool TfrmDir::setCurrentDirectory(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    const QModelIndex index = m_treeModel->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!index.isValid())
        return false;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        DriveView1->expand(up);
    DriveView1->setCurrentIndex(index);
    DriveView1->scrollTo(index);
    return true;
}

QString TfrmDir::currentDirectory() const
{
    const QModelIndex current = DriveView1->currentIndex();
    return current.isValid() ? m_treeModel->filePath(current) : QString();
}

QString TfrmDir::chosenPath() const
{
    return edToPath->text();
}

void TfrmDir::DriveView1Change(const QModelIndex& current)
{
    const QString path = current.isValid() ? m_treeModel->filePath(current) : QString();
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return;
    edToPath->setText(QDir::toNativeSeparators(path));
    DirView1->setRootIndex(m_listModel->setRootPath(path));
    const int drive = IEDriveComboBox1->findData(QStorageInfo(path).rootPath());
    if (drive >= 0)
        IEDriveComboBox1->setCurrentIndex(drive);
}

void TfrmDir::IEDriveComboBox1Change(int index)
{
    if (setCurrentDirectory(IEDriveComboBox1->itemData(index).toString()))
        DriveView1->expand(DriveView1->currentIndex());
}

void TfrmDir::cbHistoryPathClick(int index)
{
    chooseFromHistory(index >= 0 ? cbHistoryPath->itemText(index) : cbHistoryPath->currentText(), index);
}

void TfrmDir::cbHistoryPathKeyPress()
{
    const QString text = cbHistoryPath->currentText();
    const int index = cbHistoryPath->currentIndex();
    // A chosen entry counts as chosen only while its text has not been edited.
    chooseFromHistory(text, index >= 0 && cbHistoryPath->itemText(index) == text ? index : -1);
}

void TfrmDir::chooseFromHistory(const QString& text, int selectedIndex)
{
    if (text.isEmpty())
        return;
    if (QFileInfo(text).isDir()) {
        if (m_history.AddToHistory(text))
            m_settings.setDirHistory(m_history.entries());
        fillHistory();
        cbHistoryPath->setEditText(text);
        setCurrentDirectory(text);
        DriveView1->setFocus();
        return;
    }
    m_dialogs.beep();
    m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("Directory does not exist."));
    if (selectedIndex >= 0) {
        if (m_history.removeAt(selectedIndex))
            m_settings.setDirHistory(m_history.entries());
        fillHistory();
    }
}

void TfrmDir::btnUp1Click()
{
    const QModelIndex current = DriveView1->currentIndex();
    if (current.isValid() && current.parent().isValid())
        DriveView1->setCurrentIndex(current.parent());
}

void TfrmDir::btnCollapse1Click()
{
    DriveView1->collapseAll();
}

void TfrmDir::btnRefresh1Click()
{
    // The models do not watch the disk; fresh models read the volume again, down from its top.
    const QString current = currentDirectory();
    makeModels();
    if (!current.isEmpty())
        setCurrentDirectory(current);
}

void TfrmDir::DriveView1KeyUp(int key)
{
    if (key == Qt::Key_U)
        btnUp1Click();
    else if (key == Qt::Key_Minus)
        btnCollapse1Click();
    else if (key == Qt::Key_Left)
        btnRefresh1Click();
}

bool TfrmDir::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DriveView1 && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
            DriveView1KeyUp(key->key());
    } else if ((watched == cbHistoryPath || watched == cbHistoryPath->lineEdit()) &&
               event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !cbHistoryPath->currentText().isEmpty()) {
            cbHistoryPathKeyPress();
            return true;
        }
    } else if (watched == edToPath && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !edToPath->text().isEmpty()) {
            edToPathKeyPress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDir::edToPathKeyPress()
{
    const QString typed = edToPath->text();
    if (setCurrentDirectory(QDir::fromNativeSeparators(typed))) {
        edToPath->setText(typed);
        DriveView1->setFocus();
        return;
    }
    m_dialogs.beep();
    m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("Directory does not exist."));
}

void TfrmDir::btnOKClick()
{
    const QString dir = edToPath->text();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        m_dialogs.beep();
        m_dialogs.showMessage(Dialogs::Kind::Error, QStringLiteral("Failing to get folder name."));
        return;
    }
    if (m_history.AddToHistory(dir))
        m_settings.setDirHistory(m_history.entries());
    m_settings.setLastDirectory(dir);
    m_tag = 1;
    accept();
}

void TfrmDir::btnCancelClick()
{
    reject();
}

void TfrmDir::FormCloseQuery()
{
    const int width = isVisible() ? pnTree->width() : m_treeWidth;
    m_settings.setDirWidthOfShellTree(width);
}

void TfrmDir::done(int result)
{
    FormCloseQuery();
    QDialog::done(result);
}

void TfrmDir::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    showCurrentFolder();
    if (m_centred)
        return;
    m_centred = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}
