// The toolkit's message boxes: a short message never makes the box so narrow that the program's name is cut
// in its title bar.
#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

TEST(QtDialogsTest, AShortMessageStillLeavesRoomForTheTitle)
{
    const QString title = QStringLiteral("Qov Ruvela v2.2.1");
    QtDialogs dialogs(title);
    dialogs.notify(Dialogs::Kind::Error, QStringLiteral("No phone book entry"), {});
    QMessageBox* box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<QMessageBox*>(widget))
            box = found;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), title);
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(title) + 100);
    box->close();
}
