#include "gui/widgets/SerifFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace SerifFont {

QFont font()
{
    static const QString family = [] {
        // Looked up in the list of installed families: asking for each by name would have the system resolve
        // it as an alias, which costs more than the whole list.
        const QStringList installed = QFontDatabase::families();
        for (const QString& candidate :
             {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
              QStringLiteral("DejaVu Serif"), QStringLiteral("FreeSerif"), QStringLiteral("Noto Serif")}) {
            if (installed.contains(candidate, Qt::CaseInsensitive))
                return candidate;
        }
        return QString();
    }();
    QFont chosen = QGuiApplication::font();
    if (!family.isEmpty())
        chosen.setFamily(family);
    chosen.setStyleHint(QFont::Serif);
    return chosen;
}

} // namespace SerifFont
