// The first-run question for the name of the personal file, asked when there is no active file.
#pragma once

#include <QString>

class Dialogs;
class PersonalFile;
class Settings;

class PersonalAccountPrompt
{
public:
    PersonalAccountPrompt(PersonalFile& file, Dialogs& dialogs, Settings& settings);

    /// When the active file exists, does nothing. Otherwise asks for a new name until the user gives a usable
    /// one, which becomes PersonalFileName and is stored as "Personal Account", or gives up, which sets
    /// `result` to "Quit". `result` is left as it is in every other case.
    void CreatePersonalAccount_IfNotFound(QString& result);

    static inline const QString Quit = QStringLiteral("Quit");
    /// The characters a file name may not hold, in the order the refusal lists them.
    static inline const QString forbiddenCharacters = QStringLiteral("\\/:*?\"<>|");

    /// Why `name` (without ".rvl") cannot name a personal file; empty when it can.
    static QString nameProblem(const QString& name);
    /// The same for a stored "Personal Account" value, which must also end in ".rvl": a value edited by
    /// hand may not lead outside the program's folder.
    static QString storedNameProblem(const QString& fileName);

    static QString promptText();
    static QString forbiddenCharactersMessage();
    static inline const QString fileExistsMessage = QStringLiteral("File already exists. Please input a new filename");

private:
    PersonalFile& m_file;
    Dialogs& m_dialogs;
    Settings& m_settings;
};
