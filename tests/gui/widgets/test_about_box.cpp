// The About window: its texts and logo, the two links with their failure messages, and closing it.
#include "gui/widgets/TAboutBox.h"
#include "gui/widgets/TLabel3D.h"
#include "platform/sim/RecordingShell.h"
#include "tests/gui/FindChild.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString logo = QStringLiteral(QOV_LOGO_FILE);

class AboutBox : public ::testing::Test
{
protected:
    std::unique_ptr<TAboutBox> open(const AboutTexts& texts = AboutTexts(), const QString& logoPath = logo)
    {
        return std::make_unique<TAboutBox>(shell, dialogs, texts, logoPath);
    }

    void clickOn(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2)); }

    RecordingShell shell;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(AboutBox, ShowsItsTextsAndLogo)
{
    AboutTexts texts;
    texts.nameVersion = QStringLiteral("Ruvela Test 9");
    auto box = open(texts);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Ruvela Test 9 - About"));
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(child<QLabel>(*box, "lblProgNameVer")->text(), texts.nameVersion);
    EXPECT_EQ(child<QLabel>(*box, "lblWare")->text(), texts.product);
    EXPECT_EQ(child<QLabel>(*box, "lblCpyRightAuthor")->text(), texts.ownership);
    EXPECT_EQ(child<QLabel>(*box, "lblNotice")->text(), texts.notice);
    EXPECT_EQ(child<TLabel3D>(*box, "lblEmail")->text(), texts.email);
    EXPECT_EQ(child<TLabel3D>(*box, "lblHomePage")->text(), texts.homePage);
    EXPECT_EQ(child<QLabel>(*box, "imgQov")->pixmap().size(), QSize(96, 64));
    EXPECT_EQ(child<QLabel>(*box, "lblWare")->size(), QSize(305, 33));
    EXPECT_EQ(child<QLabel>(*box, "lblNotice")->size(), QSize(295, 32));
    EXPECT_EQ(child<QPushButton>(*box, "OKButton")->text(), QStringLiteral("&OK"));

    // The program's own texts name the program as its title does.
    EXPECT_EQ(open()->windowTitle(), QStringLiteral("Qov Ruvela v2.2.1 - About"));
}

// The program's name is the window's largest text, with larger fonts as with the usual ones.
TEST_F(AboutBox, TheProgramsNameIsItsLargestText)
{
    auto box = open();
    const int name = QFontInfo(child<QLabel>(*box, "lblProgNameVer")->font()).pixelSize();
    for (const QLabel* label : box->findChildren<QLabel*>()) {
        if (label->objectName() != QStringLiteral("lblProgNameVer") && !label->text().isEmpty()) {
            EXPECT_GT(name, QFontInfo(label->font()).pixelSize()) << qPrintable(label->objectName());
        }
    }
}

TEST_F(AboutBox, NamesTheDialUpSystemsInUseWhenTold)
{
    AboutTexts texts;
    texts.dialUpSystems = QStringLiteral("network manager, pppd");
    auto box = open(texts);
    box->show();
    EXPECT_TRUE(child<QLabel>(*box, "lblDialUpSystems")->isVisible());
    EXPECT_EQ(child<QLabel>(*box, "lblDialUpSystems")->text(), QStringLiteral("Dial-up: network manager, pppd"));
    auto plain = open();
    plain->show();
    EXPECT_FALSE(child<QLabel>(*plain, "lblDialUpSystems")->isVisible());
}

TEST_F(AboutBox, ADamagedOrMissingLogoLeavesOnlyThePictureOut)
{
    QTemporaryDir dir;
    QFile source(logo);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QFile truncated(dir.filePath(QStringLiteral("logo.jpg")));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(source.readAll().left(700));
    truncated.close();

    for (const QString& path : {truncated.fileName(), dir.filePath(QStringLiteral("missing.jpg"))}) {
        auto box = open(AboutTexts(), path);
        EXPECT_TRUE(child<QLabel>(*box, "imgQov")->pixmap().isNull());
        EXPECT_EQ(child<QLabel>(*box, "lblProgNameVer")->text(), QStringLiteral("Qov Ruvela v2.2.1"));
    }
}

TEST_F(AboutBox, EMailLinkOpensTheMailProgram)
{
    auto box = open();
    box->show();
    clickOn(child<TLabel3D>(*box, "lblEmail"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].verb, QStringLiteral("open"));
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("mailto:ruvela@qov.example"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Any failure but a missing mail program passes in silence.
    shell.result = Shell::FileNotFound;
    clickOn(child<TLabel3D>(*box, "lblEmail"));
    EXPECT_TRUE(dialogs.messages.isEmpty());

    shell.result = Shell::NoAssociation;
    clickOn(child<TLabel3D>(*box, "lblEmail"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Failing to open e-mail client application."));
    EXPECT_EQ(dialogs.beeps, 2); // one at creation
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBox, HomePageLinkOpensTheBrowser)
{
    auto box = open();
    box->show();
    clickOn(child<TLabel3D>(*box, "lblHomePage"));
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].verb, QStringLiteral("open"));
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("https://qov.example/ruvela/"));

    shell.result = Shell::NoAssociation;
    clickOn(child<TLabel3D>(*box, "lblHomePage"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Failing to open browser and connect to internet."));
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_TRUE(box->isVisible());
}

// The desktop answers after a moment; by then the About window may be gone, and the message still comes.
TEST_F(AboutBox, ALateAnswerStillBringsTheMessage)
{
    shell.answerLater = true;
    shell.result = Shell::NoAssociation;
    {
        auto box = open();
        box->show();
        clickOn(child<TLabel3D>(*box, "lblEmail"));
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
    shell.answer();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Failing to open e-mail client application."));
}

TEST_F(AboutBox, EmptyAddressesAreReportedWithoutAskingTheDesktop)
{
    AboutTexts texts;
    texts.email.clear();
    texts.homePage.clear();
    auto box = open(texts);
    clickOn(child<TLabel3D>(*box, "lblEmail"));
    clickOn(child<TLabel3D>(*box, "lblHomePage"));
    EXPECT_TRUE(shell.calls.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].kind, Dialogs::Kind::Information);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Invalid e-mail address."));
    EXPECT_EQ(dialogs.messages[1].kind, Dialogs::Kind::Information);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("Invalid URL."));
    EXPECT_EQ(dialogs.beeps, 3);
}

TEST_F(AboutBox, EnterAndEscBothClose)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        auto box = open();
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        QTest::keyClick(box.get(), key);
        EXPECT_FALSE(box->isVisible()) << key;
    }
    auto box = open();
    box->show();
    clickOn(child<QPushButton>(*box, "OKButton"));
    EXPECT_FALSE(box->isVisible());
}

// A window that would open modally by mistake is closed by the timer, and its creation beep counted.
TEST_F(AboutBox, OpeningAgainBringsTheOpenWindowForward)
{
    auto closeModal = [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    };
    QTimer::singleShot(0, closeModal);
    TAboutBox::showAbout(shell, dialogs);
    EXPECT_EQ(dialogs.beeps, 1);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TAboutBox*>(window), nullptr); // the modal one is gone once closed

    auto box = open();
    box->show();
    QTimer::singleShot(0, closeModal);
    TAboutBox::showAbout(shell, dialogs);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_TRUE(box->isVisible());
}
