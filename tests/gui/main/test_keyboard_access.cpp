// The windows from the keyboard, with real key presses through the X server and a window manager: the main
// menu bar's Alt, F10 and Alt+letter, Esc and Alt+F4 on the dialer and the list windows, and a screen
// reader's view of every field.
#include "core/Recorder.h"
#include "gui/dialup/TDial.h"
#include "gui/main/TProfile.h"
#include "gui/main/TfrmMain.h"
#include "gui/report/HistoryWindow.h"
#include "gui/report/TMessageOut.h"
#include "gui/report/TfrmDir.h"
#include "settings/Settings.h"
#include "tests/gui/FindChild.h"
#include "tests/support/TestPlatform.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A key as the user's keyboard sends it: through the X server to the window that has the focus.
void press(const QString& keys)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}), 0);
}

// The window the window manager has given the focus: where its own keys (Alt+F4) and the user's go. Qt's
// idea of the active window can still be a window just hidden, before the manager has moved the focus.
bool focusedByManager(const QWidget& window)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
    return xdotool.waitForFinished(3000) &&
           xdotool.readAllStandardOutput().trimmed().toULongLong() == static_cast<qulonglong>(window.winId());
}

// Brings `window` up with the keyboard focus, as a click on it would.
bool activate(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
    return QTest::qWaitFor([&] { return window.isActiveWindow() && focusedByManager(window); }, 5000);
}

class KeyboardTest : public ::testing::Test
{
protected:
    KeyboardTest()
    {
        tp.dialUp->system().entries = {QStringLiteral("Home ISP")};
        recorder.load();
        window = std::make_unique<TfrmMain>(tp.platform, recorder, settings);
        window->setDialer([this] {
            if (!dial)
                dial = std::make_unique<TDial>(*tp.platform.dialUp, *tp.platform.dialogs, recorder);
            return dial.get();
        });
        recorder.start();
    }

    TestPlatform tp;
    Settings settings{*tp.platform.settings};
    Recorder recorder{tp.platform, settings, tp.programDir(), QStringList()};
    std::unique_ptr<TDial> dial;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(KeyboardTest, TheMenuBarAnswersAltF10AndItsLetters)
{
    ASSERT_TRUE(activate(*window));
    QMenuBar* bar = window->menuBar();
    auto* view = child<QMenu>(*window, "mmView");
    auto* help = child<QMenu>(*window, "mmHelp");

    press(QStringLiteral("alt+v"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }, 3000)) << "Alt+V did not open View";
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, 3000));
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->activeAction() == nullptr; }, 3000));

    // Alt alone, then F10, puts the keyboard on "Close"; Left walks round to Help, which opens.
    press(QStringLiteral("alt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->activeAction() == bar->actions().value(0); }, 3000)) << "Alt";
    press(QStringLiteral("Left"));
    press(QStringLiteral("Return"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return help->isVisible(); }, 3000)) << "Alt, Left, Enter";
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !help->isVisible(); }, 3000));
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->activeAction() == nullptr; }, 3000));
    press(QStringLiteral("F10"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->activeAction() == bar->actions().value(0); }, 3000)) << "F10";
    press(QStringLiteral("Left"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return help->isVisible(); }, 3000)) << "F10, Left";
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !help->isVisible(); }, 3000));
    press(QStringLiteral("Escape"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->activeAction() == nullptr; }, 3000));

    press(QStringLiteral("alt+d"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dial && dial->isVisible(); }, 3000)) << "Alt+D did not open the dialer";
}

TEST_F(KeyboardTest, EscAltF4AndExitCloseTheDialerAndTheLists)
{
    window->show();
    TDial* dialer = nullptr;
    const auto openDialer = [&] {
        child<QAction>(*window, "mmDial")->trigger();
        dialer = dial.get();
        return dialer && activate(*dialer);
    };
    const auto hidden = [&](QWidget* w) { return QTest::qWaitFor([w] { return !w->isVisible(); }, 3000); };

    ASSERT_TRUE(openDialer());
    press(QStringLiteral("Escape"));
    EXPECT_TRUE(hidden(dialer)) << "Esc";
    ASSERT_TRUE(openDialer());
    press(QStringLiteral("alt+F4"));
    EXPECT_TRUE(hidden(dialer)) << "Alt+F4";

    // "E&xit" keeps its letter after the dialer's look has changed.
    tp.dialUp->system().refuseDial = 711;
    ASSERT_TRUE(openDialer());
    child<QLineEdit>(*dialer, "txtPassword")->setText(QStringLiteral("secret"));
    child<QPushButton>(*dialer, "btnDialEntry")->click();
    ASSERT_TRUE(activate(*dialer));
    press(QStringLiteral("alt+x"));
    EXPECT_TRUE(hidden(dialer)) << "Alt+X after a refused dial";
    EXPECT_TRUE(window->isVisible()) << "closing the dialer must not end the program";

    TMessageOut list(settings);
    HistoryWindow history(*tp.platform.dialogs);
    for (QWidget* w : {static_cast<QWidget*>(&list), static_cast<QWidget*>(&history)}) {
        ASSERT_TRUE(activate(*w)) << qPrintable(w->objectName());
        press(QStringLiteral("Escape"));
        EXPECT_TRUE(hidden(w)) << qPrintable(w->objectName());
    }
}

// Every field a user can type in, pick from or tick a screen reader can name.
std::string unnamedInputs(QWidget& root)
{
    static const QList<QAccessible::Role> inputs = {
        QAccessible::EditableText, QAccessible::ComboBox, QAccessible::SpinBox,  QAccessible::List,
        QAccessible::Table,        QAccessible::Tree,     QAccessible::CheckBox, QAccessible::RadioButton};
    QStringList unnamed;
    QList<QAccessibleInterface*> todo = {QAccessible::queryAccessibleInterface(&root)};
    while (!todo.isEmpty()) {
        QAccessibleInterface* node = todo.takeLast();
        if (!node || node->state().invisible)
            continue;
        if (inputs.contains(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject* object = node->object();
            unnamed.append(object ? object->objectName() + QLatin1Char(' ') + object->metaObject()->className()
                                  : QStringLiteral("?"));
        }
        // The rows of a list or table are the field's contents, not fields of their own.
        if (node->role() == QAccessible::List || node->role() == QAccessible::Table ||
            node->role() == QAccessible::Tree || node->role() == QAccessible::ComboBox)
            continue;
        for (int i = 0; i < node->childCount(); ++i)
            todo.append(node->child(i));
    }
    return unnamed.join(QStringLiteral(", ")).toStdString();
}

TEST_F(KeyboardTest, AScreenReaderFindsANameForEveryField)
{
    window->show();
    auto* tabs = child<QTabWidget>(*window, "PageControl1");
    child<QAction>(*window, "mmTrafficMonitor")->trigger();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        EXPECT_EQ(unnamedInputs(*window), "") << "tab " << qPrintable(tabs->tabText(i));
    }
    child<QAction>(*window, "mmDial")->trigger();
    TMessageOut list(settings);
    HistoryWindow history(*tp.platform.dialogs);
    TProfile profile(ProfileSetup::Shown(),
                     [](const QString&, const QString&) { return ProfileSetup::Outcome::StayOpen; });
    TfrmDir chooser(settings, *tp.platform.dialogs);
    for (QWidget* w : {static_cast<QWidget*>(dial.get()), static_cast<QWidget*>(&list), static_cast<QWidget*>(&history),
                       static_cast<QWidget*>(&profile), static_cast<QWidget*>(&chooser)}) {
        w->show();
        EXPECT_EQ(unnamedInputs(*w), "") << qPrintable(w->objectName());
    }
}

} // namespace
