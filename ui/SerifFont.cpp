#include "ui/SerifFont.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace SerifFont {

QFont font()
{
    static const QString family = [] {
        for (const QString& candidate :
             {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
              QStringLiteral("DejaVu Serif"), QStringLiteral("FreeSerif"), QStringLiteral("Noto Serif")}) {
            if (QFontDatabase::hasFamily(candidate))
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
