// The fixed texts of the About window: who made the program and where to reach them.
#pragma once

#include "common/AppInfo.h"

#include <QString>

struct AboutTexts
{
    QString nameVersion = AppInfo::ProgramTitle;
    QString product = QStringLiteral("Keeps count of your time online over dial-up, one accounting period "
                                     "after the other.");
    QString ownership = QStringLiteral("Copyright \u00A9 Qov Software");
    QString notice = QStringLiteral("Free of charge, with no warranty of any kind. Use it at your own risk.");
    QString email = QStringLiteral("ruvela@qov.example");
    QString homePage = QStringLiteral("https://qov.example/ruvela/");
    /// The dial-up systems the program runs on ("network manager, pppd"); no line when empty.
    QString dialUpSystems;
};
