// The "Create Personal File" window's logic; the days are checked before the current file is archived.
#include "record/ProfileSetup.h"

#include "platform/Dialogs.h"
#include "record/AccountingPeriod.h"
#include "record/PeriodRules.h"
#include "record/PersonalAccountPrompt.h"
#include "record/PersonalFile.h"
#include "record/ProfileRecord.h"

#include <QFileInfo>

const QString ProfileSetup::information = QStringLiteral(
    "Ruvela is a program to calculate time you spend on the internet with monthly record.\n"
    "e.g : 01 - 31 (current month)\n"
    "15 - 14 (to next month).\n"
    "10 - 20 (only from 10th to 20th in current month).\n"
    "Recording whole month starts from 01, you need to input 31 on Ending day even if number of days of the "
    "month is 28.");

namespace {
const QString corruptedText = QStringLiteral("Active User : corrupted file found");
} // namespace

ProfileSetup::ProfileSetup(PersonalFile& file, Dialogs& dialogs, PersonalAccountPrompt& prompt,
                           AccountingPeriod& period)
    : m_file(file), m_dialogs(dialogs), m_prompt(prompt), m_period(period)
{}

QStringList ProfileSetup::startingDayItems()
{
    QStringList items;
    for (int day = 1; day <= PeriodRules::maxStartingDay; ++day)
        items.append(QString::number(day));
    return items;
}

QStringList ProfileSetup::endingDayItems()
{
    QStringList items;
    for (int day = 1; day <= PeriodRules::maxEndingDay; ++day)
        items.append(QString::number(day));
    return items;
}

QString ProfileSetup::wrongDayMessage(const QString& which) const
{
    return QStringLiteral("Unexpected error, wrong ") + which +
           QStringLiteral(" was loaded. Please try to close the \"") + windowTitle +
           QStringLiteral("\" screen and open it again. If the problem is still exist, ") + m_file.PersonalFileName() +
           QStringLiteral(" is corrupted. You have to create a new one.");
}

qint64 ProfileSetup::sessionsInFile() const
{
    if (!m_file.isNamed() || !m_file.exists())
        return 0;
    const qint64 records = m_file.nextPointerAfter(QFileInfo(m_file.filePath()).size() / ProfileRecord::Size);
    return qMax<qint64>(0, records - 1);
}

void ProfileSetup::refuse(const QString& text)
{
    m_dialogs.beep();
    m_dialogs.showMessage(Dialogs::Kind::Error, text);
}

ProfileSetup::Shown ProfileSetup::FormCreate()
{
    Shown shown;
    const PersonalFile::HeaderRead header = m_file.readHeader();
    if (header.status != PersonalFile::HeaderRead::Status::Ok)
        return shown;
    const ProfileRecord& r = header.record;
    shown.activeUser.clear();
    bool startingDayGood = false;
    if (PeriodRules::isStartingDay(r.StartingDay)) {
        shown.startingDay = QString::number(r.StartingDay);
        shown.activeUser = QStringLiteral("Active User : ") + shown.startingDay;
        startingDayGood = true;
    } else {
        refuse(wrongDayMessage(QStringLiteral("Starting day")));
        shown.activeUser = corruptedText;
    }
    if (PeriodRules::isEndingDay(r.EndingDay)) {
        shown.endingDay = QString::number(r.EndingDay);
        if (startingDayGood)
            shown.activeUser += QStringLiteral(" to ") + shown.endingDay + QStringLiteral(" - ") +
                                m_file.PersonalName() + QStringLiteral(" -");
    } else {
        refuse(wrongDayMessage(QStringLiteral("Ending day")));
        shown.activeUser = corruptedText;
    }
    return shown;
}

ProfileSetup::Confirmation ProfileSetup::confirmProfile(const QString& startingDayText, const QString& endingDayText)
{
    QString result;
    m_prompt.CreatePersonalAccount_IfNotFound(result);
    if (result == PersonalAccountPrompt::Quit)
        return {};

    if (startingDayText.trimmed().isEmpty() || endingDayText.trimmed().isEmpty()) {
        refuse(emptyDayMessage);
        return {};
    }
    // Checked here, before anything is moved: a typed day need not be one of the list's.
    const std::optional<int> startingDay = PeriodRules::parseDay(startingDayText);
    if (!startingDay || !PeriodRules::isStartingDay(*startingDay)) {
        refuse(badStartingDayMessage);
        return {};
    }
    const std::optional<int> endingDay = PeriodRules::parseDay(endingDayText);
    if (!endingDay || !PeriodRules::isEndingDay(*endingDay)) {
        refuse(badEndingDayMessage);
        return {};
    }
    if (*startingDay == *endingDay) {
        refuse(sameDayMessage);
        return {};
    }

    // The period's file goes to the backup folder and its sessions stop counting: the user says so first.
    if (const qint64 sessions = sessionsInFile(); sessions > 0) {
        const QString question =
            QStringLiteral("Start a new personal file now? The %1 recorded in %2 this period will be moved to the "
                           "backup folder \"%3\" and no longer count for this period.")
                .arg(sessions == 1 ? QStringLiteral("1 session") : QStringLiteral("%1 sessions").arg(sessions),
                     m_file.PersonalFileName(), m_file.PersonalName());
        if (!m_dialogs.confirm(question))
            return {};
    }
    return {Outcome::Close, m_period.StartNewFile(*startingDay, *endingDay).reload};
}
