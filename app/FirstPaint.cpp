#include "app/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

namespace FirstPaint {

namespace {

// The expose event paints and flushes the window before the queued call runs.
class AfterExpose final : public QObject
{
public:
    AfterExpose(QWindow* window, std::function<void()> then) : QObject(window), m_then(std::move(then)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(m_then));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

} // namespace

void after(QWidget& window, std::function<void()> then)
{
    window.winId();
    QWindow* handle = window.windowHandle();
    if (handle->isExposed()) {
        QTimer::singleShot(0, handle, std::move(then));
        return;
    }
    handle->installEventFilter(new AfterExpose(handle, std::move(then)));
}

void exitAfterIfAsked(QWidget& window)
{
    if (!qEnvironmentVariableIsEmpty("QOVRUVELA_EXIT_AT_FIRST_PAINT"))
        after(window, [] { std::_Exit(0); });
}

} // namespace FirstPaint
