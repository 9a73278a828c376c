// What the "Create Personal File" window shows and does: the current file's days, and checking the chosen
// days before anything is moved or written.
#pragma once

#include "record/AccountingPeriod.h"

#include <QString>
#include <QStringList>

class Dialogs;
class PersonalAccountPrompt;
class PersonalFile;

class ProfileSetup
{
public:
    ProfileSetup(PersonalFile& file, Dialogs& dialogs, PersonalAccountPrompt& prompt, AccountingPeriod& period);

    /// The window's texts when it opens: the current file's days (with "1" and "31" when there is none).
    struct Shown
    {
        QString startingDay = QStringLiteral("1");
        QString endingDay = QStringLiteral("31");
        QString activeUser = QStringLiteral("Active User : none");
    };
    /// Reads the active file's header; a damaged day is reported in an error box.
    Shown FormCreate();

    enum class Outcome
    {
        StayOpen, ///< the user gave up on the name, or a day was refused: nothing was moved or written
        Close     ///< a new file was started, or the attempt was reported
    };
    struct Confirmation
    {
        Outcome outcome = Outcome::StayOpen;
        SessionReload reload; ///< the load of the new file, for the session tracker
    };
    /// Asks for a name on the first run, checks both days (whole numbers, starting day 1 ... 28, ending day
    /// 1 ... 31, not the same day), then archives the current file and starts the new one.
    Confirmation confirmProfile(const QString& startingDayText, const QString& endingDayText);

    static QStringList startingDayItems();
    static QStringList endingDayItems();

    static inline const QString windowTitle = QStringLiteral("Create Personal File");
    static const QString information;
    static inline const QString emptyDayMessage = QStringLiteral("Starting day or Ending day is empty");
    static inline const QString sameDayMessage = QStringLiteral("Starting day and Ending day cannot be the same");
    static inline const QString badStartingDayMessage =
        QStringLiteral("Starting day must be a whole number from 1 to 28.");
    static inline const QString badEndingDayMessage = QStringLiteral("Ending day must be a whole number from 1 to 31.");

private:
    QString wrongDayMessage(const QString& which) const;
    void refuse(const QString& text);
    /// The sessions the active personal file holds (written or waiting to be); 0 without a file.
    qint64 sessionsInFile() const;

    PersonalFile& m_file;
    Dialogs& m_dialogs;
    PersonalAccountPrompt& m_prompt;
    AccountingPeriod& m_period;
};
