// Before the first show the toolkit takes a position as the frame's and asks the window manager to put the
// frame there (the window's gravity). Any change of size between that and the show makes it take the
// position as the content's instead, one title bar lower: so the size is settled first, from layouts that
// have taken in every change made while the window was hidden.
#include "gui/widgets/WindowGeometry.h"

#include "gui/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace WindowGeometry {

namespace {
QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// Until the window manager has framed the window its frame is unknown: a title bar and thin borders is the
// usual frame, taken a little large.
QMargins frameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect content = window.geometry();
    const QMargins margins(content.left() - frame.left(), content.top() - frame.top(), frame.right() - content.right(),
                           frame.bottom() - content.bottom());
    if (!margins.isNull())
        return margins;
    constexpr int border = 4;
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, titleBar + border, border, border};
}
} // namespace

QPoint framePosition(const QWidget& window)
{
    return window.frameGeometry().topLeft();
}

void restoreFramePosition(QWidget& window, QPoint framePos)
{
    const QRect frame(framePos, window.size().grownBy(frameMargins(window)));
    const QPoint corner = WindowPlacement::keepOnScreen(frame, availableAreas());
    window.move(corner);
}

void fixSizeWithinScreen(QWidget& window)
{
    // Before the first show the style has not yet been applied and the layouts have not yet taken in the
    // controls hidden meanwhile: they would ask for another size.
    window.ensurePolished();
    for (QWidget* child : window.findChildren<QWidget*>())
        child->updateGeometry();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QSize size = window.sizeHint();
    if (const QScreen* screen = window.screen())
        size = WindowPlacement::fitWithin(size, screen->availableGeometry(), frameMargins(window));
    window.setFixedSize(size);
}

} // namespace WindowGeometry
