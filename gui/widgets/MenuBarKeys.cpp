// The bar takes Alt alone only where the style says so; a proxy style says so for this one bar.
#include "gui/widgets/MenuBarKeys.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QShortcut>

namespace {
class AltKeyStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

namespace MenuBarKeys {

void enable(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    auto* style = new AltKeyStyle;
    style->setParent(bar);
    bar->setStyle(style);
    // F10 puts the keyboard on the first item; the arrows then open the menus beside it, Enter runs it.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        if (bar->actions().isEmpty())
            return;
        bar->setFocus(Qt::MenuBarFocusReason);
        bar->setActiveAction(bar->actions().constFirst());
    });
}

} // namespace MenuBarKeys
