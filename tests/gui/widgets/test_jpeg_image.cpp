// Decoding the logo: sound pictures of each supported kind, and damaged data that must give a null image.
#include "gui/widgets/JpegImage.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

QByteArray logoBytes()
{
    return fileBytes(QStringLiteral(QOV_LOGO_FILE));
}

QString testData(const char* name)
{
    return QStringLiteral(QOV_UI_TEST_DATA "/") + QLatin1String(name);
}

// The offset of the first marker 0xFF `code`.
qsizetype marker(const QByteArray& data, unsigned char code)
{
    const qsizetype at = data.indexOf(QByteArray("\xFF") + char(code));
    EXPECT_GT(at, 0) << int(code);
    return at;
}

int distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

TEST(JpegImage, DecodesTheLogoAndOtherSoundPictures)
{
    const QImage logo = JpegImage::load(QStringLiteral(QOV_LOGO_FILE));
    ASSERT_FALSE(logo.isNull());
    EXPECT_EQ(logo.size(), QSize(96, 64));
    EXPECT_LT(distance(logo.pixelColor(22, 32), QColor(0xff, 0xd2, 0x3f)), 30); // the sun
    EXPECT_LT(distance(logo.pixelColor(2, 2), QColor(0x1d, 0x4e, 0x89)), 30);   // the sky at the top

    const QImage grey = JpegImage::load(testData("gray.jpg"));
    ASSERT_EQ(grey.size(), QSize(8, 4));
    EXPECT_GT(qGray(grey.pixel(0, 0)), 230);
    EXPECT_LT(qGray(grey.pixel(7, 3)), 25);

    const QImage progressive = JpegImage::load(testData("progressive.jpg"));
    ASSERT_EQ(progressive.size(), QSize(16, 16));
    EXPECT_LT(distance(progressive.pixelColor(15, 15), QColor(0x20, 0xa0, 0x40)), 12);
}

TEST(JpegImage, DamagedOrUnsupportedDataGivesANullImage)
{
    const QByteArray logo = logoBytes();
    const qsizetype scan = marker(logo, 0xDA);
    const qsizetype frame = marker(logo, 0xC0);
    const qsizetype tables = marker(logo, 0xDB);

    QByteArray precision = logo;
    precision[frame + 4] = 12;
    QByteArray tableIndex = logo;
    tableIndex[tables + 4] = 7;
    QByteArray endInside = logo;
    endInside.replace((scan + logo.size()) / 2, 2, QByteArray("\xFF\xD9"));
    QByteArray huge = logo;
    huge.replace(frame + 5, 4, QByteArray("\xFF\xFF\xFF\xFF"));

    const std::pair<const char*, QByteArray> cases[] = {
        {"empty", QByteArray()},
        {"not a picture", QByteArray("Qov Ruvela is not a JPEG picture at all").repeated(10)},
        {"only the start marker", logo.left(2)},
        {"truncated in the header", logo.left(scan / 2)},
        {"truncated after the header", logo.left(scan + 20)},
        {"truncated in the middle", logo.left(logo.size() / 2)},
        {"truncated before the end marker", logo.left(logo.size() - 2)},
        {"end marker inside the picture data", endInside},
        {"unsupported sample precision", precision},
        {"bad quantisation table index", tableIndex},
        {"65535 x 65535 pixels", huge},
        {"four colour channels", fileBytes(testData("cmyk.jpg"))},
        {"5000 pixels wide, more than a logo could need", fileBytes(testData("wide.jpg"))},
    };
    for (const auto& [what, data] : cases)
        EXPECT_TRUE(JpegImage::decode(data).isNull()) << what;

    EXPECT_TRUE(JpegImage::load(testData("no-such-file.jpg")).isNull());
}
