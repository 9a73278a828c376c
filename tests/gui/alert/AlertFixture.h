// What the alert window tests share: a sound that records, a folder with or without the alert sound, a clock.
#pragma once

#include "alert/AlertSound.h"
#include "platform/sim/RecordingSound.h"
#include "tests/support/TestClock.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

class AlertFixture : public ::testing::Test
{
protected:
    AlertFixture() { putSound(); }

    ~AlertFixture() override
    {
        // Alert and warning windows belong to no parent; each test starts without any.
        QList<QPointer<QWidget>> windows;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!window->parentWidget())
                windows.append(window);
        for (const QPointer<QWidget>& window : windows)
            delete window.data();
    }

    QString programDir() const { return m_programDir.path() + QLatin1Char('/'); }

    void putSound()
    {
        QFile file(programDir() + QStringLiteral("alertB.wav"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }
    void removeSound() { QFile::remove(programDir() + QStringLiteral("alertB.wav")); }

    /// Top-level windows of type W that are open.
    template <class W> static QList<W*> windows()
    {
        QList<W*> found;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<W*>(window); w && w->isVisible())
                found.append(w);
        return found;
    }

    QTemporaryDir m_programDir;
    RecordingSound sound;
    TestClock clock{QDateTime(QDate(2024, 3, 20), QTime(10, 15, 59))};
};
