// The About window's controls, its texts and its two links.
#include "gui/widgets/TAboutBox.h"

#include "gui/widgets/JpegImage.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/TLabel3D.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QFont pixelFont(const QString& family, int pixels)
{
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QLabel* fixedWrappingLabel(QWidget* parent, const char* name, int width, int height)
{
    QLabel* label = named(new QLabel(QString::fromLatin1(name), parent), name);
    label->setWordWrap(true);
    label->setFixedSize(width, height);
    return label;
}

// A blue clickable line: a plain label that raises OnClick, no raised look.
TLabel3D* linkLabel(QWidget* parent, const char* name, int pixels)
{
    TLabel3D* label = named(new TLabel3D(parent), name);
    label->setText(QString::fromLatin1(name));
    label->setTextStyle(tsNone);
    label->setTransparent(true);
    label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), pixels));
    label->setFontColor(Qt::blue);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TAboutBox::TAboutBox(Shell& shell, Dialogs& dialogs, const AboutTexts& texts, const QString& logoPath, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_dialogs(dialogs), m_texts(texts)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 14));
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    setPalette(black);
    buildControls(logoPath);
    connectEvents();
    FormCreate();
}

QString TAboutBox::logoFilePath()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString beside = programDir.filePath(QStringLiteral("logo.jpg"));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(programDir.filePath(QStringLiteral("../share/qovruvela/logo.jpg")));
}

void TAboutBox::showAbout(Shell& shell, Dialogs& dialogs, const AboutTexts& texts)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TAboutBox*>(window) && window->isVisible()) {
            window->raise();
            window->activateWindow();
            return;
        }
    }
    TAboutBox box(shell, dialogs, texts);
    box.exec();
}

void TAboutBox::buildControls(const QString& logoPath)
{
    imgQov = named(new QLabel(this), "imgQov");
    imgQov->setScaledContents(true);
    const QImage logo = JpegImage::load(logoPath);
    if (!logo.isNull()) {
        imgQov->setPixmap(QPixmap::fromImage(logo));
        imgQov->setFixedSize(logo.size());
    }
    imgMainIcon = named(new QLabel(this), "imgMainIcon");
    imgMainIcon->setScaledContents(true);

    lblProgNameVer = named(new QLabel(QStringLiteral("lblProgNameVer"), this), "lblProgNameVer");
    // The program's name heads the window: half as large again as the window's text, at any font size,
    // where a fixed 15 pixels came out the smallest text of all.
    lblProgNameVer->setFont(
        pixelFont(QStringLiteral("Comic Sans MS"), std::max(15, QFontInfo(font()).pixelSize() * 3 / 2)));
    lblWare = fixedWrappingLabel(this, "lblWare", 305, 33);
    lblCpyRightAuthor = named(new QLabel(QStringLiteral("lblCpyRightAuthor"), this), "lblCpyRightAuthor");
    lblCpyRightAuthor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblCpyRightAuthor->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 15));
    lblDialUpSystems = named(new QLabel(this), "lblDialUpSystems");

    GroupBox1 = named(new QGroupBox(this), "GroupBox1");
    lblNotice = fixedWrappingLabel(GroupBox1, "lblNotice", 295, 32);
    lblEmail = linkLabel(GroupBox1, "lblEmail", 13);
    lblHomePage = linkLabel(GroupBox1, "lblHomePage", 14);

    OKButton = named(new QPushButton(QStringLiteral("&OK"), this), "OKButton");
    // Enter presses the default button; Esc rejects the dialog, which closes it just the same.
    OKButton->setDefault(true);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(imgQov, 0, Qt::AlignLeft | Qt::AlignTop);
    pictures->addStretch(1);
    pictures->addWidget(imgMainIcon, 0, Qt::AlignRight | Qt::AlignTop);
    auto* group = new QVBoxLayout(GroupBox1);
    group->addWidget(lblNotice);
    group->addWidget(lblEmail);
    group->addWidget(lblHomePage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    auto* page = new QVBoxLayout(this);
    page->addLayout(pictures);
    page->addWidget(lblProgNameVer);
    page->addWidget(lblWare);
    page->addWidget(lblCpyRightAuthor);
    page->addWidget(lblDialUpSystems);
    page->addWidget(GroupBox1);
    page->addLayout(buttons);
    // A dialog border: the window keeps the size of its contents.
    page->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::connectEvents()
{
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    connect(lblEmail, &TLabel3D::OnClick, this, &TAboutBox::lblEmailClick);
    connect(lblHomePage, &TLabel3D::OnClick, this, &TAboutBox::lblHomePageClick);
}

void TAboutBox::FormCreate()
{
    m_dialogs.beep();
    lblWare->setText(m_texts.product);
    lblNotice->setText(m_texts.notice);
    setWindowTitle(m_texts.nameVersion + QStringLiteral(" - About"));
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        imgMainIcon->setPixmap(icon.pixmap(32, 32));
        imgMainIcon->setFixedSize(32, 32);
    }
    lblProgNameVer->setText(m_texts.nameVersion);
    lblCpyRightAuthor->setText(m_texts.ownership);
    lblDialUpSystems->setText(QStringLiteral("Dial-up: ") + m_texts.dialUpSystems);
    lblDialUpSystems->setVisible(!m_texts.dialUpSystems.isEmpty());
    lblEmail->setText(m_texts.email);
    lblHomePage->setText(m_texts.homePage);
}

void TAboutBox::OKButtonClick()
{
    accept();
}

// Both links use the fixed texts, not the captions, and stay in the window whatever the outcome.
void TAboutBox::lblEmailClick()
{
    if (m_texts.email.isEmpty()) {
        m_dialogs.beep();
        m_dialogs.showMessage(Dialogs::Kind::Information, QStringLiteral("Invalid e-mail address."));
        return;
    }
    m_shell.open(QStringLiteral("open"), QStringLiteral("mailto:") + m_texts.email,
                 failureMessage(QStringLiteral("Failing to open e-mail client application.")));
}

void TAboutBox::lblHomePageClick()
{
    if (m_texts.homePage.isEmpty()) {
        m_dialogs.beep();
        m_dialogs.showMessage(Dialogs::Kind::Information, QStringLiteral("Invalid URL."));
        return;
    }
    m_shell.open(QStringLiteral("open"), m_texts.homePage,
                 failureMessage(QStringLiteral("Failing to open browser and connect to internet.")));
}

Shell::Done TAboutBox::failureMessage(const QString& text) const
{
    // The answer may come after this window closed; the dialogs outlive it.
    Dialogs* dialogs = &m_dialogs;
    return [dialogs, text](int result) {
        if (result != Shell::NoAssociation)
            return;
        dialogs->beep();
        dialogs->showMessage(Dialogs::Kind::Error, text);
    };
}
