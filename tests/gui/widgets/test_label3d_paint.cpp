// TLabel3D painted into images on the offscreen platform: the copies of each text style at their offsets
// and in their colours, the disabled colour, the borders, transparency and turned text.
#include "gui/widgets/TLabel3D.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor background(255, 255, 255);
const QColor text(255, 0, 0);
const QColor shadow(0, 0, 255);
const QColor highlight(0, 160, 0);
const QColor greyText(200, 0, 200);

// Sharp glyphs, so every text pixel has exactly the pen's colour.
QFont sharpFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void prepare(TLabel3D& label, const QString& caption)
{
    label.setFont(sharpFont());
    label.setText(caption);
    label.setAutoSize(false);
    label.resize(90, 40);
    label.setColor(background);
    label.setFontColor(text);
    label.setShadowColor(shadow);
    label.setHighlightColor(highlight);
    QPalette p = label.palette();
    p.setColor(QPalette::Disabled, QPalette::WindowText, greyText);
    label.setPalette(p);
}

// The control's own painting only; what lies under it stays as `under`.
QImage paint(TLabel3D& label, const QColor& under = Qt::black)
{
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(under);
    label.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

QList<QPoint> pixelsOf(const QImage& image, const QColor& colour)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                found.append(QPoint(x, y));
    return found;
}

// The picture a style must give: the caption's own pixels moved to each copy's offset in the copy's
// colour, then the caption on top.
QImage expected(QSize size, const QList<QPoint>& caption, const QList<std::pair<QPoint, QColor>>& copies,
                const QColor& top)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    for (const auto& [offset, colour] : copies)
        for (const QPoint& p : caption)
            if (image.rect().contains(p + offset))
                image.setPixelColor(p + offset, colour);
    for (const QPoint& p : caption)
        image.setPixelColor(p, top);
    return image;
}

int differences(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixelColor(x, y) != b.pixelColor(x, y);
    return n;
}

class Label3DPaint : public ::testing::Test
{
protected:
    void SetUp() override
    {
        prepare(label, QStringLiteral("Wx#"));
        label.setTextStyle(tsNone);
        caption = pixelsOf(paint(label), text);
        ASSERT_GT(caption.size(), 50);
    }

    TLabel3D label;
    QList<QPoint> caption;
};

} // namespace

TEST_F(Label3DPaint, EachTextStyleDrawsItsCopiesUnderTheCaption)
{
    label.setShift(3); // only tsShadow may move by it
    struct Case
    {
        TTextStyle style;
        QList<std::pair<QPoint, QColor>> copies;
    };
    for (const Case& c : {Case{tsRaised, {{QPoint(1, 1), shadow}}},
                          Case{tsLightRaised, {{QPoint(1, 1), shadow}, {QPoint(-1, -1), highlight}}},
                          Case{tsRecessed, {{QPoint(1, 1), highlight}}},
                          Case{tsHeavyRecessed, {{QPoint(1, 1), highlight}, {QPoint(-1, -1), shadow}}},
                          Case{tsShadow, {{QPoint(3, 3), shadow}}}, Case{tsNone, {}}}) {
        label.setTextStyle(c.style);
        EXPECT_EQ(differences(paint(label), expected(label.size(), caption, c.copies, text)), 0) << c.style;
    }
}

TEST_F(Label3DPaint, DisabledCaptionIsGreyButItsCopiesKeepTheirColours)
{
    label.setEnabled(false);
    label.setTextStyle(tsLightRaised);
    EXPECT_EQ(differences(paint(label), expected(label.size(), caption,
                                                 {{QPoint(1, 1), shadow}, {QPoint(-1, -1), highlight}}, greyText)),
              0);
}

TEST_F(Label3DPaint, TransparentLabelLeavesWhatIsUnderIt)
{
    label.setText(QString());
    label.setTransparent(true);
    EXPECT_EQ(pixelsOf(paint(label, Qt::cyan), Qt::cyan).size(), 90 * 40);
    label.setTransparent(false);
    EXPECT_EQ(pixelsOf(paint(label, Qt::cyan), background).size(), 90 * 40);
}

TEST_F(Label3DPaint, Borders)
{
    label.setText(QString());
    label.setBorder(true);
    label.setBorderColor(Qt::darkGreen);
    const int w = label.width(), h = label.height();

    // A plain one-pixel border along all four edges, nothing inside.
    QImage image = paint(label);
    EXPECT_EQ(pixelsOf(image, Qt::darkGreen).size(), 2 * w + 2 * h - 4);
    for (const QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w / 2, 0)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::darkGreen)) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixelColor(1, 1), background);

    // Width 0 means no border of any kind.
    label.setBorderWidth(0);
    for (TBorderType type : {btDefault, btRecessed, btRaised}) {
        label.setBorderType(type);
        EXPECT_EQ(pixelsOf(paint(label), background).size(), w * h) << type;
    }

    // Recessed: grey along the top and left, white along the right and bottom, each line short of its end,
    // so the top-right and bottom-left corners stay untouched.
    label.setBorderWidth(3);
    label.setColor(Qt::yellow);
    const QColor grey(128, 128, 128), white(Qt::white), yellow(Qt::yellow);
    for (const auto& [type, topLeft, bottomRight] :
         {std::tuple{btRecessed, grey, white}, std::tuple{btRaised, white, grey}}) {
        label.setBorderType(type);
        image = paint(label);
        EXPECT_EQ(image.pixelColor(0, 0), topLeft);
        EXPECT_EQ(image.pixelColor(w - 2, 0), topLeft);
        EXPECT_EQ(image.pixelColor(0, h - 2), topLeft);
        EXPECT_EQ(image.pixelColor(w - 1, h - 1), bottomRight);
        EXPECT_EQ(image.pixelColor(w - 1, 1), bottomRight);
        EXPECT_EQ(image.pixelColor(1, h - 1), bottomRight);
        EXPECT_EQ(image.pixelColor(w - 1, 0), yellow);
        EXPECT_EQ(image.pixelColor(0, h - 1), yellow);
        EXPECT_EQ(image.pixelColor(1, 1), yellow);
        EXPECT_EQ(pixelsOf(image, topLeft).size() + pixelsOf(image, bottomRight).size(), 2 * (w - 1) + 2 * (h - 1) - 2);
    }
}

TEST_F(Label3DPaint, TurnedCaptionResizesAnAutoSizedLabel)
{
    label.setText(QStringLiteral("MMMMMM"));
    label.setTextStyle(tsNone);
    label.setAutoSize(true);
    label.setEscapement(90);
    const QFontMetrics metrics(label.font());
    paint(label);
    ASSERT_EQ(label.size(), QSize(metrics.height(), metrics.horizontalAdvance(label.text())));

    const QList<QPoint> drawn = pixelsOf(paint(label), text);
    ASSERT_FALSE(drawn.isEmpty());
    QRect box(drawn.first(), drawn.first());
    for (const QPoint& p : drawn)
        box |= QRect(p, p);
    // A quarter turn stands the row of letters upright, reading from the bottom.
    EXPECT_GT(box.height(), 3 * box.width());
    EXPECT_GT(box.height(), metrics.horizontalAdvance(label.text()) * 3 / 4);
}

TEST_F(Label3DPaint, TurnedCaptionIsCentredInAFixedLabel)
{
    label.setText(QStringLiteral("MM"));
    label.setTextStyle(tsNone);
    label.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label.resize(100, 100);
    label.setEscapement(90);
    const QList<QPoint> drawn = pixelsOf(paint(label), text);
    ASSERT_FALSE(drawn.isEmpty());
    int left = 100, right = 0;
    for (const QPoint& p : drawn)
        left = std::min(left, p.x()), right = std::max(right, p.x());
    EXPECT_EQ(label.size(), QSize(100, 100));
    EXPECT_NEAR((left + right) / 2.0, 50, 4);
}
