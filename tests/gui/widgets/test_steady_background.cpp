// A control that fills its own background looks exactly as it did when transparent, on screen, while its
// text changes; and its changes no longer repaint the group box and the tab widget beneath it.
#include "gui/widgets/QuietGroupBox.h"
#include "gui/widgets/SteadyBackground.h"

#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

struct Window
{
    QTabWidget tabs;
    QuietGroupBox* box = nullptr;
    QLabel* label = nullptr;

    explicit Window(bool steady)
    {
        auto* page = new QWidget;
        box = new QuietGroupBox(QStringLiteral(" Current Status "), page);
        box->setGeometry(10, 10, 300, 120);
        label = new QLabel(QStringLiteral(" Online"), box);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setGeometry(40, 50, 120, 24);
        tabs.addTab(page, QStringLiteral("Main"));
        tabs.resize(360, 200);
        if (steady)
            SteadyBackground::keep(label);
        tabs.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tabs));
        QTest::qWait(50);
    }

    QImage onScreen() const { return tabs.screen()->grabWindow(tabs.winId()).toImage(); }
};

TEST(SteadyBackground, LooksAsTransparentWhileItsTextChanges)
{
    Window plain(false);
    Window steady(true);
    ASSERT_TRUE(SteadyBackground::filledWith(steady.label).isValid());
    // Twice round: the second time each text is drawn from the picture kept of it.
    const QStringList texts = {QStringLiteral(" Online."), QStringLiteral(" Online.."), QStringLiteral(" Online..."),
                               QStringLiteral(" Online"), QStringLiteral(" Offline")};
    for (const QString& text : texts + texts) {
        plain.label->setText(text);
        steady.label->setText(text);
        QTest::qWait(20);
        EXPECT_EQ(steady.onScreen(), plain.onScreen()) << text.toStdString();
        EXPECT_EQ(steady.tabs.grab().toImage(), plain.tabs.grab().toImage()) << text.toStdString();
    }
}

TEST(SteadyBackground, AChangeRepaintsTheControlAlone)
{
    Window steady(true);
    ASSERT_TRUE(SteadyBackground::filledWith(steady.label).isValid());
    PaintCounter beneath;
    steady.box->installEventFilter(&beneath);
    steady.tabs.installEventFilter(&beneath);
    steady.label->setText(QStringLiteral(" Online."));
    QTest::qWait(20);
    EXPECT_EQ(beneath.paints, 0);
}

TEST(SteadyBackground, OnTheFrameItStaysTransparent)
{
    Window steady(true);
    // Over the group box's edge, where the colour around it is not one.
    steady.label->setGeometry(-6, 40, 60, 24);
    steady.label->update();
    QTest::qWait(50);
    EXPECT_FALSE(SteadyBackground::filledWith(steady.label).isValid());
    Window plain(false);
    plain.label->setGeometry(-6, 40, 60, 24);
    QTest::qWait(50);
    EXPECT_EQ(steady.onScreen(), plain.onScreen());
}

} // namespace
