// Asking for the personal file's name and refusing names that cannot be file names or are taken.
#include "record/PersonalAccountPrompt.h"

#include "common/AppInfo.h"
#include "platform/Dialogs.h"
#include "record/PersonalFile.h"
#include "settings/Settings.h"

#include <QFileInfo>

PersonalAccountPrompt::PersonalAccountPrompt(PersonalFile& file, Dialogs& dialogs, Settings& settings)
    : m_file(file), m_dialogs(dialogs), m_settings(settings)
{}

QString PersonalAccountPrompt::promptText()
{
    return QStringLiteral("For the first initial setting, ") + AppInfo::ProgramTitle +
           QStringLiteral(" will create a new personal file to store data.\n\nPlease input a new filename :");
}

QString PersonalAccountPrompt::forbiddenCharactersMessage()
{
    QStringList listed;
    for (const QChar c : forbiddenCharacters)
        listed.append(c);
    return QStringLiteral("Filename may not include below characters.\n") + listed.join(QLatin1Char(' '));
}

QString PersonalAccountPrompt::nameProblem(const QString& name)
{
    for (const QChar c : forbiddenCharacters) {
        if (name.contains(c))
            return forbiddenCharactersMessage();
    }
    // "." or ".." would make the backup folder the program's folder or the one above it.
    if (name.count(QLatin1Char('.')) == name.size())
        return QStringLiteral("Filename may not be made of dots only.");
    return QString();
}

QString PersonalAccountPrompt::storedNameProblem(const QString& fileName)
{
    const QString extension = QStringLiteral(".rvl");
    if (!fileName.endsWith(extension) || fileName.size() == extension.size())
        return QStringLiteral("it does not end in \".rvl\"");
    const QString problem = nameProblem(fileName.chopped(extension.size()));
    return problem.isEmpty() ? QString() : QString(problem).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

void PersonalAccountPrompt::CreatePersonalAccount_IfNotFound(QString& result)
{
    if (!m_file.PersonalFileName().isEmpty() && QFileInfo::exists(m_file.filePath()))
        return;
    for (;;) {
        const std::optional<QString> answer = m_dialogs.inputBox(AppInfo::ProgramTitle, promptText(), QString());
        if (!answer || answer->isEmpty()) {
            result = Quit;
            return;
        }
        const QString name = *answer;
        if (const QString problem = nameProblem(name); !problem.isEmpty()) {
            m_dialogs.beep();
            m_dialogs.showMessage(Dialogs::Kind::Error, problem);
            continue;
        }
        if (QFileInfo::exists(m_file.ProgramDir() + name + QStringLiteral(".rvl"))) {
            m_dialogs.showMessage(Dialogs::Kind::Information, fileExistsMessage);
            continue;
        }
        m_file.setPersonalFileName(name + QStringLiteral(".rvl"));
        if (!m_settings.setPersonalAccount(m_file.PersonalFileName())) {
            m_dialogs.beep();
            m_dialogs.showMessage(
                Dialogs::Kind::Warning,
                QStringLiteral("The name of the personal file could not be kept for the next start. ") +
                    m_settings.problem());
        }
        return;
    }
}
