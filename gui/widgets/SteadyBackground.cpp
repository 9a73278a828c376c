// The colour is read from a rendering of the window around the control, a ring two pixels wide just outside
// it, once after the control was first painted and again after it moved or the style or palette changed. A
// label's or a read-only field's look then follows from its text alone: each text is drawn once and kept.
#include "gui/widgets/SteadyBackground.h"

#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int ringWidth = 2;

} // namespace

namespace {

const char* const watcherName = "qov_steadyBackground";

} // namespace

SteadyBackground::SteadyBackground(QWidget* control) : QObject(control), m_control(control)
{
    setObjectName(QLatin1String(watcherName));
    control->installEventFilter(this);
}

void SteadyBackground::keep(QWidget* control)
{
    new SteadyBackground(control);
}

QColor SteadyBackground::filledWith(const QWidget* control)
{
    // Found by name: without a meta-object of its own the class cannot be told from other children by type.
    const QObject* child = control->findChild<QObject*>(QLatin1String(watcherName), Qt::FindDirectChildrenOnly);
    const auto* steady = static_cast<const SteadyBackground*>(child);
    return steady && steady->m_state == State::Flat ? steady->m_color : QColor();
}

bool SteadyBackground::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_control)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        if (m_state == State::Flat) {
            QPainter painter(m_control);
            const QString text = shownText();
            if (!text.isNull() && !m_sampling) {
                // A text drawn before is drawn again from its picture, without laying the text out.
                for (const Drawn& drawn : m_drawn) {
                    if (drawn.text == text) {
                        painter.drawPixmap(0, 0, drawn.picture);
                        return true;
                    }
                }
                if (!m_drawQueued) {
                    m_drawQueued = true;
                    QTimer::singleShot(0, this, &SteadyBackground::keepPicture);
                }
            }
            painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), m_color);
        } else if (m_state == State::Unknown && !m_sampleQueued && !m_sampling) {
            // Once this paint is done, so that the window around it is drawn.
            m_sampleQueued = true;
            QTimer::singleShot(0, this, &SteadyBackground::sample);
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        forget();
        break;
    default:
        break;
    }
    return false;
}

QString SteadyBackground::shownText() const
{
    // Only what a text alone decides: a label without a picture, a line edit without focus or selection.
    if (const auto* label = qobject_cast<const QLabel*>(m_control))
        return label->pixmap().isNull() ? label->text() : QString();
    if (const auto* edit = qobject_cast<const QLineEdit*>(m_control))
        return edit->hasFocus() || edit->hasSelectedText() ? QString() : edit->text();
    return {};
}

void SteadyBackground::keepPicture()
{
    m_drawQueued = false;
    const QString text = shownText();
    if (m_state != State::Flat || text.isNull() || !m_control->isVisible())
        return;
    m_sampling = true;
    Drawn drawn{text, m_control->grab()};
    m_sampling = false;
    // The few texts that take turns (the dots of "Online...") are kept; any other text replaces the oldest.
    if (m_drawn.size() >= maxPictures)
        m_drawn.erase(m_drawn.begin());
    m_drawn.push_back(std::move(drawn));
}

void SteadyBackground::forget()
{
    m_drawn.clear();
    if (m_state == State::Unknown)
        return;
    m_state = State::Unknown;
    m_control->setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_control->update();
}

void SteadyBackground::sample()
{
    m_sampleQueued = false;
    if (m_state != State::Unknown || !m_control->isVisible())
        return;
    QWidget* window = m_control->window();
    const QRect area = QRect(m_control->mapTo(window, QPoint(0, 0)), m_control->size())
                           .adjusted(-ringWidth, -ringWidth, ringWidth, ringWidth);
    m_sampling = true;
    const QImage image = window->grab(area).toImage().convertToFormat(QImage::Format_ARGB32);
    m_sampling = false;
    const qreal ratio = image.devicePixelRatio();
    const QRect inner =
        QRect(QPoint(0, 0), QRectF(QPointF(0, 0), QSizeF(area.size()) * ratio).toRect().size())
            .adjusted(int(ringWidth * ratio), int(ringWidth * ratio), -int(ringWidth * ratio), -int(ringWidth * ratio));
    const QRgb first = image.pixel(0, 0);
    bool flat = qAlpha(first) == 255 && !image.isNull();
    for (int y = 0; flat && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inner.contains(x, y))
                x = inner.right();
            else if (image.pixel(x, y) != first) {
                flat = false;
                break;
            }
        }
    }
    m_state = flat ? State::Flat : State::Uneven;
    if (flat) {
        m_color = QColor::fromRgb(first);
        m_control->setAttribute(Qt::WA_OpaquePaintEvent, true);
    }
}
