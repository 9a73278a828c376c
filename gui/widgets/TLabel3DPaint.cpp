// TLabel3D's painting: background, border, the extra copies of the caption and the caption itself,
// straight or turned.
#include "gui/widgets/Label3DGeometry.h"
#include "gui/widgets/TLabel3D.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// A horizontal or vertical line that leaves out its end point, so each frame corner belongs to one line only.
void lineWithoutEnd(QPainter& canvas, QPoint from, QPoint to)
{
    if (from == to)
        return;
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y()));
    canvas.drawLine(from, to - step);
}

// Keeps as much as fits of the last part of a path ("…/folder/file.txt"), else shortens in the middle.
QString elidePath(const QString& text, const QFontMetrics& metrics, int width, int flags)
{
    const qsizetype cut = std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    if (cut <= 0)
        return metrics.elidedText(text, Qt::ElideMiddle, width, flags);
    const QString tail = text.mid(cut);
    const int room = width - metrics.horizontalAdvance(tail);
    if (room <= metrics.horizontalAdvance(QStringLiteral("\u2026")))
        return metrics.elidedText(text, Qt::ElideLeft, width, flags);
    return metrics.elidedText(text.left(cut), Qt::ElideRight, room, flags) + tail;
}

// Each line is shortened on its own; wrapped text is left as it is.
QString shortened(const QString& text, TEllipsesStyle style, const QFontMetrics& metrics, int width, int flags)
{
    if (style == esNone || (flags & Qt::TextWordWrap))
        return text;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (metrics.horizontalAdvance(line) <= width)
            continue;
        line = style == esPath ? elidePath(line, metrics, width, flags)
                               : metrics.elidedText(line, Label3DGeometry::elideMode(style), width, flags);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void TLabel3D::paintEvent(QPaintEvent*)
{
    QPainter canvas(this);
    Paint(canvas);
}

void TLabel3D::Paint(QPainter& canvas)
{
    if (!m_transparent)
        canvas.fillRect(rect(), color());
    canvas.setBrush(Qt::NoBrush);

    // Drawing the border several times over lands on the same pixels, so once is enough.
    if (m_border && m_borderWidth > 0) {
        const QColor grey(128, 128, 128);
        switch (m_borderType) {
        case btDefault:
            canvas.setPen(QPen(m_borderColor, m_borderWidth, m_borderPenStyle));
            canvas.drawRect(QRect(0, 0, width() - 1, height() - 1));
            break;
        case btRecessed:
            DrawFrame3D(canvas, 0, 0, width() - 1, height() - 1, grey, Qt::white);
            break;
        case btRaised:
            DrawFrame3D(canvas, 0, 0, width() - 1, height() - 1, Qt::white, grey);
            break;
        }
    }

    // The text rectangle is the whole control unless contents margins ask for padding.
    DrawLabelText(canvas, contentsRect(),
                  Label3DGeometry::labelTextFlags(alignment(), wordWrap(), m_showAccelChar, m_escapement != 0));
}

void TLabel3D::DrawFrame3D(QPainter& canvas, int left, int top, int right, int bottom, const QColor& topLeft,
                           const QColor& bottomRight)
{
    canvas.setPen(QPen(topLeft, 1));
    lineWithoutEnd(canvas, QPoint(left, top), QPoint(right, top));
    lineWithoutEnd(canvas, QPoint(left, top), QPoint(left, bottom));
    canvas.setPen(QPen(bottomRight, 1));
    lineWithoutEnd(canvas, QPoint(right, bottom), QPoint(right, top));
    lineWithoutEnd(canvas, QPoint(right, bottom), QPoint(left, bottom));
}

void TLabel3D::DrawLabelText(QPainter& canvas, const QRect& R, int flags)
{
    const QString caption = text();
    canvas.setFont(font());
    for (const Label3DGeometry::TextCopy& copy : Label3DGeometry::textStyleCopies(m_textStyle, m_shift)) {
        const QColor& colour = copy.colour == Label3DGeometry::CopyColour::Shadow ? m_shadowColor : m_highlightColor;
        drawCaptionCopy(canvas, R.translated(copy.offset), caption, flags, colour);
    }
    // The caption itself comes last, on top of its copies.
    drawCaptionCopy(canvas, R, caption, flags,
                    isEnabled() ? fontColor() : palette().color(QPalette::Disabled, QPalette::WindowText));
}

void TLabel3D::drawCaptionCopy(QPainter& canvas, const QRect& R, const QString& caption, int flags,
                               const QColor& colour)
{
    canvas.setPen(colour);
    if (m_escapement == 0)
        canvas.drawText(R, flags, shortened(caption, m_ellipsesStyle, canvas.fontMetrics(), R.width(), flags));
    else
        DrawRotatedText(canvas, R, caption, m_escapement);
}

// Rotated text is drawn as it stands: no format flags, no shortening, ampersands included.
void TLabel3D::DrawRotatedText(QPainter& canvas, QRect R, const QString& text, int angle)
{
    PlaceRotatedText(R, angle, text);
    canvas.save();
    canvas.translate(R.topLeft());
    canvas.rotate(-angle);
    canvas.drawText(QPoint(0, canvas.fontMetrics().ascent()), text);
    canvas.restore();
}

void TLabel3D::PlaceRotatedText(QRect& R, int angle, const QString& text)
{
    const Label3DGeometry::RotatedPlacement placement = Label3DGeometry::placeRotatedText(
        angle, unrotatedTextSize(text), m_autoSize, alignment() & Qt::AlignHorizontal_Mask, width());
    if (placement.resize && !placedByLayout() && size() != placement.box)
        resize(placement.box);
    R.moveTopLeft(R.topLeft() + placement.offset);
}

QSize TLabel3D::unrotatedTextSize(const QString& text) const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

QString TLabel3D::shownText() const
{
    if (m_escapement != 0)
        return text();
    return shortened(text(), m_ellipsesStyle, QFontMetrics(font()), contentsRect().width(),
                     Label3DGeometry::labelTextFlags(alignment(), wordWrap(), m_showAccelChar, false));
}

QSize TLabel3D::sizeHint() const
{
    if (m_escapement == 0 || !m_autoSize)
        return QLabel::sizeHint();
    return Label3DGeometry::placeRotatedText(m_escapement, unrotatedTextSize(text()), true, alignment(), width()).box;
}
