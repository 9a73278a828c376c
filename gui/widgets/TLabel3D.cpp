// TLabel3D's properties, its click and its mouse enter and leave; the painting is in TLabel3DPaint.cpp.
#include "gui/widgets/TLabel3D.h"

#include "gui/widgets/Label3DGeometry.h"
#include "platform/Shell.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>

TLabel3D::TLabel3D(QWidget* parent) : TLabel3D(nullptr, parent) {}

TLabel3D::TLabel3D(Shell* shell, QWidget* parent) : QLabel(parent), m_shell(shell)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_shadowColor = palette().color(QPalette::Active, QPalette::Dark);
    m_highlightColor = palette().color(QPalette::Active, QPalette::Light);
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
}

void TLabel3D::setEscapement(int degrees)
{
    if (degrees == m_escapement)
        return;
    m_escapement = Label3DGeometry::normaliseEscapement(degrees);
    updateGeometry();
    update();
}

void TLabel3D::setTextStyle(TTextStyle style)
{
    if (style == m_textStyle)
        return;
    m_textStyle = style;
    update();
}

void TLabel3D::setLabelStyle(TLabelStyle style)
{
    m_labelStyle = style;
}

void TLabel3D::setShadowColor(const QColor& colour)
{
    m_shadowColor = colour;
    update();
}

void TLabel3D::setHighlightColor(const QColor& colour)
{
    m_highlightColor = colour;
    update();
}

// The border's setters paint at once rather than with the next paint cycle.
void TLabel3D::setBorderColor(const QColor& colour)
{
    m_borderColor = colour;
    repaint();
}

void TLabel3D::setBorderWidth(int width)
{
    m_borderWidth = width;
    repaint();
}

void TLabel3D::setBorderPenStyle(Qt::PenStyle style)
{
    m_borderPenStyle = style;
    repaint();
}

void TLabel3D::setBorder(bool on)
{
    m_border = on;
    repaint();
}

void TLabel3D::setBorderType(TBorderType type)
{
    if (type == m_borderType)
        return;
    m_borderType = type;
    repaint();
}

void TLabel3D::setShift(int pixels)
{
    if (pixels == m_shift)
        return;
    m_shift = pixels;
    repaint();
}

void TLabel3D::setEllipsesStyle(TEllipsesStyle style)
{
    if (style == m_ellipsesStyle)
        return;
    // Shortened text only makes sense in a control whose size does not follow the text.
    if (style != esNone)
        setAutoSize(false);
    m_ellipsesStyle = style;
    update();
}

void TLabel3D::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    updateGeometry();
    if (on && !placedByLayout())
        adjustSize();
}

void TLabel3D::setTransparent(bool on)
{
    m_transparent = on;
    update();
}

void TLabel3D::setShowAccelChar(bool on)
{
    m_showAccelChar = on;
    update();
}

QColor TLabel3D::color() const
{
    return palette().color(QPalette::Active, QPalette::Window);
}

void TLabel3D::setColor(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor TLabel3D::fontColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

// The disabled colour stays the system's grey text.
void TLabel3D::setFontColor(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, colour);
    p.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    setPalette(p);
}

void TLabel3D::Click()
{
    if (isLink() && !m_address.isEmpty()) {
        setCursor(Qt::BusyCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        try {
            if (m_shell)
                m_shell->open(QString(),
                              m_labelStyle == lsEMailAddress ? QStringLiteral("mailto:") + m_address : m_address, {});
        } catch (...) {
            // A link that cannot be followed is not reported.
        }
        setCursor(Qt::PointingHandCursor);
    }
    emit OnClick();
}

void TLabel3D::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

// A click is a press and a release of the left button, both on the control.
void TLabel3D::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    event->accept();
    if (click)
        Click();
}

// The second press of a double click raises OnDblClick instead of a second click.
void TLabel3D::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
}

void TLabel3D::enterEvent(QEnterEvent* event)
{
    if (isLink()) {
        m_savedFontColor = fontColor();
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        setCursor(Qt::PointingHandCursor);
        setFontColor(m_hoverColor);
    }
    QLabel::enterEvent(event);
    emit OnMouseEnter();
}

void TLabel3D::leaveEvent(QEvent* event)
{
    if (isLink()) {
        unsetCursor();
        QFont plain = font();
        plain.setUnderline(false);
        setFont(plain);
        if (m_savedFontColor.isValid())
            setFontColor(m_savedFontColor);
    }
    QLabel::leaveEvent(event);
    emit OnMouseExit();
}

bool TLabel3D::placedByLayout() const
{
    return parentWidget() && parentWidget()->layout();
}
