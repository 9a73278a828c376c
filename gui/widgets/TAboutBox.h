// The About window: the program's name and version, the maker's logo, a notice, and the maker's e-mail
// address and home page, which open the mail program and the browser.
#pragma once

#include "gui/widgets/AboutTexts.h"
#include "platform/Shell.h"

#include <QDialog>

class Dialogs;
class QGroupBox;
class QLabel;
class QPushButton;
class TLabel3D;

class TAboutBox final : public QDialog
{
    Q_OBJECT
public:
    TAboutBox(Shell& shell, Dialogs& dialogs, const AboutTexts& texts = AboutTexts(),
              const QString& logoPath = logoFilePath(), QWidget* parent = nullptr);

    /// The logo beside the program (the build tree, a portable copy) or in the install's data folder.
    static QString logoFilePath();

    /// Brings an open About window forward, or shows a new one modally until it is closed.
    static void showAbout(Shell& shell, Dialogs& dialogs, const AboutTexts& texts = AboutTexts());

private:
    void buildControls(const QString& logoPath);
    void connectEvents();
    void FormCreate();
    void OKButtonClick();
    void lblEmailClick();
    void lblHomePageClick();
    /// Shows `text` when the desktop answers that no program takes the address.
    Shell::Done failureMessage(const QString& text) const;

    Shell& m_shell;
    Dialogs& m_dialogs;
    AboutTexts m_texts;

    QLabel* imgQov;
    QLabel* imgMainIcon;
    QLabel* lblProgNameVer;
    QLabel* lblWare;
    QLabel* lblCpyRightAuthor;
    /// "Dial-up: " and the systems in use; hidden when none are named.
    QLabel* lblDialUpSystems;
    QGroupBox* GroupBox1;
    QLabel* lblNotice;
    TLabel3D* lblEmail;
    TLabel3D* lblHomePage;
    QPushButton* OKButton;
};
