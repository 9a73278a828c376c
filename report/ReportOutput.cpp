#include "report/ReportOutput.h"

#include <algorithm>

ReportOutput::ReportOutput(Sink sink, std::size_t blockSize) : m_sink(std::move(sink)), m_blockSize(blockSize)
{
    m_buffer.reserve(m_blockSize + 4096);
}

ReportOutput::ReportOutput(std::FILE* file)
    : ReportOutput([file](std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), file); })
{
    m_file = file;
}

ReportOutput& ReportOutput::operator<<(QStringView text)
{
    // Paths and messages are nearly always ASCII: copied as they are, else encoded whole.
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        const std::size_t at = m_buffer.size();
        m_buffer.resize(at + static_cast<std::size_t>(text.size()));
        std::transform(text.begin(), text.end(), m_buffer.begin() + static_cast<std::ptrdiff_t>(at),
                       [](QChar c) { return static_cast<char>(c.unicode()); });
    } else {
        const QByteArray utf8 = text.toUtf8();
        m_buffer.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    return spill();
}

ReportOutput& ReportOutput::operator<<(QLatin1StringView text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii) {
        m_buffer.append(text.data(), static_cast<std::size_t>(text.size()));
        return spill();
    }
    return *this << QString(text);
}

void ReportOutput::flush()
{
    if (!m_buffer.empty()) {
        m_sink(m_buffer);
        m_buffer.clear();
    }
    if (m_file)
        std::fflush(m_file);
}
