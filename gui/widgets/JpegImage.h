// Decodes JPEG pictures with the system's JPEG library, for the About window's logo.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace JpegImage {

/// The picture in `data`, or a null image when the data is not a complete, sound JPEG picture (truncated,
/// corrupt, an unsupported kind, or larger than a logo could reasonably be).
QImage decode(const QByteArray& data);

/// The picture in the file at `path`, or a null image when the file cannot be read or decoded.
QImage load(const QString& path);

} // namespace JpegImage
