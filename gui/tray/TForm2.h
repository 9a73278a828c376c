// The tray: the notification-area icon, its fifteen images and the popup menu. It exists exactly while
// tray mode is on and is never shown itself.
#pragma once

#include <QIcon>
#include <QList>
#include <QStringList>
#include <QWidget>

class QAction;
class QMenu;
class TrayIconService;

class TForm2 final : public QWidget
{
    Q_OBJECT
public:
    /// Adds the icon; check `created()` for whether the desktop took it.
    explicit TForm2(TrayIconService& service, QWidget* parent = nullptr);
    ~TForm2() override;

    bool created() const { return m_created; }

    /// Makes image `index` (0 … 14) the icon.
    void ChangeSysTrayIcon(int index);
    int imageIndex() const { return m_imageIndex; }
    /// Appends the disconnect item with this caption at the end of the menu.
    void Create_Dynamical_DisconnectMenu(const QString& caption);
    /// Takes the disconnect item off the end of the menu, if it is there.
    void Free_Dynamical_DisconnectMenu();
    void RemoveSysTrayIcon();
    /// The tooltip: the program's title, and these lines below it.
    void setHintLines(const QStringList& lines);
    /// The check mark of "Disabled", without telling it as a click.
    void renderStopped(bool stopped);

    static inline const QString cannotCreateText = QStringLiteral("Cannot create shell notification icon");

signals:
    void aboutClicked();
    void helpClicked();
    void dialUpClicked();
    void openClicked();
    /// "Disabled" was clicked; `checked` is the mark it now shows.
    void disabledClicked(bool checked);
    void removeClicked();
    void disconnectClicked();

private:
    void connectEvents();

    QMenu* PopupMenu1;
    QAction* About1;
    QAction* mnuSubHelp;
    QAction* N1;
    QAction* DialUp1;
    QAction* Open1;
    QAction* N2;
    QAction* mnuDisabled;
    QAction* Remove1;
    QAction* disconnectItem;
    QList<QIcon> ilOnlineMin;

    TrayIconService& m_service;
    bool m_created = false;
    int m_imageIndex = -1;
    QString m_hint;
};
