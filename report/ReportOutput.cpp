#include "report/ReportOutput.h"

#include <QThread>

#include <algorithm>
#include <future>
#include <limits>

ReportOutput::ReportOutput(Sink sink, std::size_t blockSize)
    : m_sink(std::move(sink)), m_blockSize(blockSize), m_capacity(std::min(blockSize, std::size_t(1) << 20) + 4096)
{
    m_data.reset(new char[m_capacity]);
}

void ReportOutput::grow(std::size_t size)
{
    // Doubled: a buffer that is never handed on grows as a string would.
    m_capacity = std::max(m_size + size + 4096, 2 * m_capacity);
    std::unique_ptr<char[]> data(new char[m_capacity]);
    std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
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
        char* at = room(static_cast<std::size_t>(text.size()));
        return commit(
            std::transform(text.begin(), text.end(), at, [](QChar c) { return static_cast<char>(c.unicode()); }));
    }
    const QByteArray utf8 = text.toUtf8();
    return *this << std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

ReportOutput& ReportOutput::operator<<(QLatin1StringView text)
{
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        return *this << std::string_view(text.data(), static_cast<std::size_t>(text.size()));
    return *this << QString(text);
}

void ReportOutput::formRows(std::size_t count, const RowForm& form)
{
    // A real period's few thousand sessions are formed here alone; a thread pays from some hundred thousand.
    if (count < parallelFrom || QThread::idealThreadCount() < 2) {
        form(*this, 0, count, 0);
        return;
    }
    // The second block of a turn is gathered whole in a buffer of its own, kept from turn to turn, and handed
    // on as it is.
    ReportOutput second([](std::string_view) {}, std::numeric_limits<std::size_t>::max());
    for (std::size_t begin = 0; begin < count; begin += 2 * rowBlock) {
        const std::size_t middle = std::min(count, begin + rowBlock);
        const std::size_t end = std::min(count, middle + rowBlock);
        std::future<void> helper;
        if (middle < end)
            helper = std::async(std::launch::async, [&form, &second, middle, end] { form(second, middle, end, 1); });
        form(*this, begin, middle, 0);
        if (helper.valid()) {
            helper.get();
            flush();
            m_sink(std::string_view(second.m_data.get(), second.m_size));
            second.m_size = 0;
        }
    }
}

void ReportOutput::flush()
{
    if (m_size > 0) {
        m_sink(std::string_view(m_data.get(), m_size));
        m_size = 0;
    }
    if (m_file)
        std::fflush(m_file);
}
