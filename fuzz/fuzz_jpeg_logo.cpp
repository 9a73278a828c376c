// Feeds arbitrary bytes to the logo decoder: it must return an image or a null image, never crash or leak.
#include "gui/widgets/JpegImage.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QImage image =
        JpegImage::decode(QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!image.isNull() && (image.width() <= 0 || image.height() <= 0))
        __builtin_trap();
    return 0;
}
