// Byte counts as the user reads them: "1,023.00 B", "1.50 KB", "12.34 MB", "1.50 GB".
#pragma once

#include <QLocale>
#include <QString>

namespace ByteText {

/// In steps of 1024 with two decimals and the locale's separators.
QString BytesToFriendlyString(quint32 bytes, const QLocale& locale = QLocale());

/// A sum of byte counts, which unlike one count may pass 2^32: the same text, in GB from there on.
QString SumToFriendlyString(quint64 bytes, const QLocale& locale = QLocale());

} // namespace ByteText
