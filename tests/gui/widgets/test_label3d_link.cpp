// TLabel3D as a link: what a click hands to the desktop, the hover look, and the properties whose
// setters do more than store.
#include "gui/widgets/TLabel3D.h"
#include "platform/sim/RecordingShell.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Label3DLink : public ::testing::Test
{
protected:
    void SetUp() override
    {
        label.setAutoSize(false);
        label.resize(120, 20);
        label.setText(QStringLiteral("write to us"));
    }

    void click() { QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); }

    RecordingShell shell;
    TLabel3D label{&shell};
    QSignalSpy clicks{&label, &TLabel3D::OnClick};
};

} // namespace

TEST_F(Label3DLink, EMailLinkOpensMailtoWithTheAddressRightAfterTheColon)
{
    label.setLabelStyle(lsEMailAddress);
    label.setAddress(QStringLiteral("ruvela@qov.example"));
    click();
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("mailto:ruvela@qov.example"));
    EXPECT_TRUE(shell.calls[0].verb.isEmpty()); // the desktop's default action
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Label3DLink, WebLinkOpensTheAddressItself)
{
    label.setLabelStyle(lsWWWAddress);
    label.setAddress(QStringLiteral("https://qov.example/"));
    shell.result = Shell::NoAssociation; // a failure is not reported
    click();
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("https://qov.example/"));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(Label3DLink, OnlyTheClickIsRaisedWithoutAnAddressOrForAPlainLabel)
{
    label.setLabelStyle(lsEMailAddress);
    click();
    label.setLabelStyle(lsDefault);
    label.setAddress(QStringLiteral("https://qov.example/"));
    click();
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(Label3DLink, AClickIsAPressAndAReleaseOnTheLabel)
{
    label.setLabelStyle(lsWWWAddress);
    label.setAddress(QStringLiteral("https://qov.example/"));
    QTest::mousePress(&label, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(200, 10));
    QTest::mouseClick(&label, Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(shell.calls.isEmpty());
}

TEST_F(Label3DLink, LinkIsUnderlinedAndInTheHoverColourWhileTheMouseIsOverIt)
{
    QSignalSpy entered(&label, &TLabel3D::OnMouseEnter);
    QSignalSpy left(&label, &TLabel3D::OnMouseExit);
    label.setFontColor(Qt::blue);
    label.setHoverColor(Qt::darkRed);
    label.setLabelStyle(lsWWWAddress);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&label, &enter);
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.fontColor(), QColor(Qt::darkRed));
    EXPECT_EQ(label.savedFontColor(), QColor(Qt::blue));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&label, &leave);
    EXPECT_FALSE(label.font().underline());
    EXPECT_EQ(label.fontColor(), QColor(Qt::blue));
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 1);

    // A plain label keeps its look but still tells about the mouse.
    label.setLabelStyle(lsDefault);
    QCoreApplication::sendEvent(&label, &enter);
    EXPECT_FALSE(label.font().underline());
    EXPECT_EQ(label.fontColor(), QColor(Qt::blue));
    EXPECT_EQ(entered.count(), 2);
}

TEST(Label3DProperties, SettersThatDoMoreThanStore)
{
    TLabel3D label;
    ASSERT_TRUE(label.autoSize());
    label.setEscapement(-90);
    EXPECT_EQ(label.escapement(), 270);
    label.setEscapement(720);
    EXPECT_EQ(label.escapement(), 360);

    // Shortening switches auto-size off, and switching shortening off again leaves it off.
    label.setEllipsesStyle(esEnd);
    EXPECT_FALSE(label.autoSize());
    label.setAutoSize(true);
    label.setEllipsesStyle(esPath);
    EXPECT_FALSE(label.autoSize());
    label.setEllipsesStyle(esNone);
    EXPECT_FALSE(label.autoSize());
}
