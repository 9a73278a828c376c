// Only key presses that type a character are judged, as only those would change the text.
#include "gui/report/FeeKeyFilter.h"

#include "platform/Dialogs.h"

#include <QKeyEvent>
#include <QWidget>

FeeKeyFilter::FeeKeyFilter(Dialogs& dialogs, QObject* parent) : QObject(parent), m_dialogs(dialogs) {}

FeeKeyFilter* FeeKeyFilter::installOn(Dialogs& dialogs, std::initializer_list<QWidget*> edits)
{
    if (edits.size() == 0)
        return nullptr;
    auto* filter = new FeeKeyFilter(dialogs, *edits.begin());
    for (QWidget* edit : edits)
        edit->installEventFilter(filter);
    return filter;
}

bool FeeKeyFilter::isAccepted(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete || event.key() == Qt::Key_Tab ||
        event.key() == Qt::Key_Backtab)
        return true;
    const QString text = event.text();
    if (text.isEmpty())
        return true;
    if (text.size() != 1)
        return false;
    const QChar c = text.front();
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

bool FeeKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !isAccepted(*static_cast<QKeyEvent*>(event))) {
        m_dialogs.beep();
        return true;
    }
    // Shortcuts such as paste must not go around the rule either.
    if (event->type() == QEvent::ShortcutOverride && !isAccepted(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return false;
    }
    return QObject::eventFilter(watched, event);
}
