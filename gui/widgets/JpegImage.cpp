// The JPEG library reports errors through a callback that must not return, so it jumps back to the
// decoding step that called it. Those steps hold only plain data, so the jump skips no destructor.
#include "gui/widgets/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace JpegImage {

namespace {

constexpr int largestSide = 4096;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void failJump(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings mean damaged data (a missing end, stray bytes); such a picture is refused like a broken one.
// Trace messages (level 0 and above) are not of interest.
void warningJump(j_common_ptr info, int level)
{
    if (level < 0)
        failJump(info);
}

struct Decoder
{
    jpeg_decompress_struct info;
    ErrorManager error;
};

// Reads the header and starts decompressing into 8-bit grey or RGB; the output size is then known.
bool start(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.error.jump))
        return false;
    jpeg_mem_src(&d.info, data, size);
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    switch (d.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_RGB:
    case JCS_YCbCr:
        d.info.out_color_space = JCS_RGB;
        break;
    default:
        return false;
    }
    if (d.info.image_width > largestSide || d.info.image_height > largestSide)
        return false;
    jpeg_start_decompress(&d.info);
    return true;
}

// Reads every scan line into the rows of the destination.
bool readRows(Decoder& d, unsigned char* bits, qsizetype bytesPerLine)
{
    if (setjmp(d.error.jump))
        return false;
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(d.info.output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

bool create(Decoder& d)
{
    d.info.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = failJump;
    d.error.pub.emit_message = warningJump;
    if (setjmp(d.error.jump))
        return false;
    jpeg_create_decompress(&d.info);
    return true;
}

} // namespace

QImage decode(const QByteArray& data)
{
    if (data.isEmpty())
        return {};
    Decoder d{};
    if (!create(d))
        return {};
    QImage image;
    if (start(d, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size())) &&
        d.info.output_components == (d.info.out_color_space == JCS_GRAYSCALE ? 1 : 3)) {
        image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                       d.info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        if (image.isNull() || !readRows(d, image.bits(), image.bytesPerLine()))
            image = QImage();
    }
    jpeg_destroy_decompress(&d.info);
    return image;
}

QImage load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

} // namespace JpegImage
