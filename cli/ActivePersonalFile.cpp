// The settings and the folder rules are the program's own; nothing here is written or created.
#include "cli/ActivePersonalFile.h"

#include "record/PersonalAccountPrompt.h"
#include "settings/Settings.h"

#include <QDir>

ActivePersonalFile findActivePersonalFile(const Settings& settings, const ProgramDir::Choice& folder)
{
    if (folder.folder.isEmpty())
        return {QString(), folder.problem};
    const QString name = settings.personalAccount();
    if (name.isEmpty()) {
        QString problem = QStringLiteral("no personal file is set up in the program's settings; give the file "
                                         "to total");
        if (!settings.problem().isEmpty())
            problem += QStringLiteral(" (") + settings.problem() + QLatin1Char(')');
        return {QString(), problem};
    }
    if (const QString problem = PersonalAccountPrompt::storedNameProblem(name); !problem.isEmpty())
        return {QString(), QStringLiteral("the personal file name \"%1\" in the program's settings is not used: %2")
                               .arg(name, problem)};
    return {QDir::cleanPath(folder.folder + name), QString()};
}
