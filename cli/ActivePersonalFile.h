// The active personal file, found as the program finds it: the name stored as "Personal Account" in the
// settings, in the folder where the program keeps its personal files.
#pragma once

#include "platform/ProgramDir.h"

#include <QString>

class Settings;

struct ActivePersonalFile
{
    QString path;    ///< empty when there is none
    QString problem; ///< why there is none, for the user
};

ActivePersonalFile findActivePersonalFile(const Settings& settings, const ProgramDir::Choice& folder);
