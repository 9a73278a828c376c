// A label whose caption looks raised, recessed or shadowed, can be turned by any angle, can have a border,
// and can act as a web or e-mail link that the desktop opens.
#pragma once

#include "gui/widgets/Label3DTypes.h"

#include <QColor>
#include <QLabel>

class QPainter;
class Shell;

class TLabel3D : public QLabel
{
    Q_OBJECT
public:
    explicit TLabel3D(QWidget* parent = nullptr);
    /// A label that opens its Address through `shell` when it is a link and is clicked.
    explicit TLabel3D(Shell* shell, QWidget* parent = nullptr);

    /// Rotation of the caption in degrees, counter-clockwise; stored in 0 … 360.
    int escapement() const { return m_escapement; }
    void setEscapement(int degrees);
    TTextStyle textStyle() const { return m_textStyle; }
    void setTextStyle(TTextStyle style);
    TLabelStyle labelStyle() const { return m_labelStyle; }
    void setLabelStyle(TLabelStyle style);
    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& colour);
    QColor highlightColor() const { return m_highlightColor; }
    void setHighlightColor(const QColor& colour);
    QColor hoverColor() const { return m_hoverColor; }
    void setHoverColor(const QColor& colour) { m_hoverColor = colour; }
    /// The font colour of a link before the mouse came over it.
    QColor savedFontColor() const { return m_savedFontColor; }
    QString address() const { return m_address; }
    void setAddress(const QString& address) { m_address = address; }
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& colour);
    /// Pen width of the plain border; no border at all when 0 or less.
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    Qt::PenStyle borderPenStyle() const { return m_borderPenStyle; }
    void setBorderPenStyle(Qt::PenStyle style);
    TBorderType borderType() const { return m_borderType; }
    void setBorderType(TBorderType type);
    bool border() const { return m_border; }
    void setBorder(bool on);
    TEllipsesStyle ellipsesStyle() const { return m_ellipsesStyle; }
    /// Any shortening switches auto-size off.
    void setEllipsesStyle(TEllipsesStyle style);
    /// Offset of the tsShadow copy, in x and in y.
    int shift() const { return m_shift; }
    void setShift(int pixels);

    /// The caption takes the control's size to itself: rotated text resizes the control when it is painted
    /// (unless a layout places it), and the size hint follows the text.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    /// A transparent label leaves its background to the parent.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    /// "&x" draws x underlined; when off an ampersand is drawn as it stands.
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    /// The background colour.
    QColor color() const;
    void setColor(const QColor& colour);
    QColor fontColor() const;
    void setFontColor(const QColor& colour);

    /// A click: a link with an address is handed to the desktop, then OnClick is raised.
    void Click();

    QSize sizeHint() const override;
    /// The caption as the label draws it at its present size: shortened when it does not fit.
    QString shownText() const;

    /// Lines in `topLeft` along the top and left edge, in `bottomRight` along the right and bottom edge,
    /// each without its end point.
    static void DrawFrame3D(QPainter& canvas, int left, int top, int right, int bottom, const QColor& topLeft,
                            const QColor& bottomRight);

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseEnter();
    void OnMouseExit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    void Paint(QPainter& canvas);
    void DrawLabelText(QPainter& canvas, const QRect& R, int flags);
    void DrawRotatedText(QPainter& canvas, QRect R, const QString& text, int angle);
    void PlaceRotatedText(QRect& R, int angle, const QString& text);

private:
    bool isLink() const { return m_labelStyle == lsWWWAddress || m_labelStyle == lsEMailAddress; }
    bool placedByLayout() const;
    void drawCaptionCopy(QPainter& canvas, const QRect& R, const QString& caption, int flags, const QColor& colour);
    QSize unrotatedTextSize(const QString& text) const;

    Shell* m_shell = nullptr;
    int m_escapement = 0;
    TTextStyle m_textStyle = tsRaised;
    TLabelStyle m_labelStyle = lsDefault;
    QColor m_shadowColor;
    QColor m_highlightColor;
    QColor m_hoverColor = Qt::red;
    QColor m_savedFontColor;
    QString m_address;
    QColor m_borderColor = Qt::red;
    int m_borderWidth = 1;
    Qt::PenStyle m_borderPenStyle = Qt::SolidLine;
    TBorderType m_borderType = btDefault;
    bool m_border = false;
    TEllipsesStyle m_ellipsesStyle = esNone;
    int m_shift = 1;
    bool m_autoSize = true;
    bool m_transparent = false;
    bool m_showAccelChar = true;
    bool m_pressed = false;
};
