// The tray form's menu and icon.
#include "gui/tray/TForm2.h"

#include "common/AppInfo.h"
#include "gui/tray/TrayImages.h"
#include "gui/widgets/Named.h"
#include "platform/TrayIconService.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

TForm2::TForm2(TrayIconService& service, QWidget* parent) : QWidget(parent), m_service(service)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowIcon(QApplication::windowIcon());

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    About1 = named(PopupMenu1->addAction(QStringLiteral("About")), "About1");
    mnuSubHelp = named(PopupMenu1->addAction(QStringLiteral("Help")), "mnuSubHelp");
    N1 = named(PopupMenu1->addSeparator(), "N1");
    DialUp1 = named(PopupMenu1->addAction(QStringLiteral("Dial Up")), "DialUp1");
    Open1 = named(PopupMenu1->addAction(QStringLiteral("Open")), "Open1");
    N2 = named(PopupMenu1->addSeparator(), "N2");
    mnuDisabled = named(PopupMenu1->addAction(QStringLiteral("Disabled")), "mnuDisabled");
    mnuDisabled->setCheckable(true);
    Remove1 = named(PopupMenu1->addAction(QStringLiteral("Remove")), "Remove1");
    disconnectItem = named(new QAction(this), "disconnectItem");

    ilOnlineMin = TrayImages::imageList();
    m_imageIndex = TrayImages::offline;
    // A left click on the icon opens the main window, as "Open" does.
    m_created = m_service.add(ilOnlineMin[m_imageIndex], AppInfo::ProgramTitle.left(63), PopupMenu1,
                              [this] { emit openClicked(); });
    connectEvents();
}

void TForm2::connectEvents()
{
    connect(About1, &QAction::triggered, this, &TForm2::aboutClicked);
    connect(mnuSubHelp, &QAction::triggered, this, &TForm2::helpClicked);
    connect(DialUp1, &QAction::triggered, this, &TForm2::dialUpClicked);
    connect(Open1, &QAction::triggered, this, &TForm2::openClicked);
    connect(mnuDisabled, &QAction::triggered, this, &TForm2::disabledClicked);
    connect(Remove1, &QAction::triggered, this, &TForm2::removeClicked);
    connect(disconnectItem, &QAction::triggered, this, &TForm2::disconnectClicked);
}

void TForm2::renderStopped(bool stopped)
{
    const QSignalBlocker quiet(mnuDisabled);
    mnuDisabled->setChecked(stopped);
}

TForm2::~TForm2()
{
    RemoveSysTrayIcon();
}

void TForm2::ChangeSysTrayIcon(int index)
{
    if (index < 0 || index >= ilOnlineMin.size() || index == m_imageIndex)
        return;
    m_imageIndex = index;
    if (m_created)
        m_service.setIcon(ilOnlineMin[index]);
}

void TForm2::Create_Dynamical_DisconnectMenu(const QString& caption)
{
    disconnectItem->setText(caption);
    PopupMenu1->removeAction(disconnectItem);
    PopupMenu1->addAction(disconnectItem);
}

void TForm2::Free_Dynamical_DisconnectMenu()
{
    const QList<QAction*> items = PopupMenu1->actions();
    if (!items.isEmpty() && items.last()->text().contains(QLatin1String("Disconnect")))
        PopupMenu1->removeAction(items.last());
}

void TForm2::setHintLines(const QStringList& lines)
{
    const QString tip = (QStringList{AppInfo::ProgramTitle} + lines).join(QLatin1Char('\n'));
    if (m_created && tip != m_hint)
        m_service.setToolTip(tip);
    m_hint = tip;
}

void TForm2::RemoveSysTrayIcon()
{
    if (m_created)
        m_service.remove();
    m_created = false;
}
