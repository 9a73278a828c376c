// The report command run as the built program, with what it printed and its exit status.
#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CommandRun runCommand(const QStringList& arguments,
                             const QString& program = QStringLiteral(QOVRUVELA_REPORT_COMMAND),
                             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
