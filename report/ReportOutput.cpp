#include "report/ReportOutput.h"

#include <QThread>

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <limits>
#include <thread>

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
    flush();
    // Blocks go to whichever thread is free: a helper that the system starts late, or a block that takes
    // longer, leaves neither thread waiting for the other (in fixed halves, the second thread often began
    // only when the first had done its half). Block i is formed into buffer i % ringSize once block
    // i - ringSize has been written from it; this thread writes the blocks in order.
    constexpr std::size_t ringSize = 4;
    constexpr std::size_t unformed = std::numeric_limits<std::size_t>::max();
    constexpr std::size_t failed = unformed - 1;
    struct Buffer
    {
        ReportOutput text{[](std::string_view) {}, std::numeric_limits<std::size_t>::max()};
        std::atomic<std::size_t> formed{unformed}; ///< the block the buffer holds whole, or `failed`
    };
    std::array<Buffer, ringSize> ring;
    const std::size_t blocks = (count + rowBlock - 1) / rowBlock;
    std::atomic<std::size_t> next{0};    // the next block to form
    std::atomic<std::size_t> written{0}; // the blocks written so far
    std::exception_ptr helperError;      // set before the helper marks its block `failed`

    const auto formBlock = [&](std::size_t block, int worker) {
        for (std::size_t done = written.load(std::memory_order_acquire); done + ringSize <= block;
             done = written.load(std::memory_order_acquire))
            written.wait(done, std::memory_order_acquire);
        Buffer& buffer = ring[block % ringSize];
        const std::size_t begin = block * rowBlock;
        form(buffer.text, begin, std::min(count, begin + rowBlock), worker);
        buffer.formed.store(block, std::memory_order_release);
        buffer.formed.notify_one();
    };
    // Writes the next block, waiting for it when `wait`; false when it is not formed yet, or failed.
    const auto writeNext = [&](bool wait) {
        const std::size_t block = written.load(std::memory_order_relaxed);
        Buffer& buffer = ring[block % ringSize];
        std::size_t formed = buffer.formed.load(std::memory_order_acquire);
        for (; formed != block && formed != failed && wait; formed = buffer.formed.load(std::memory_order_acquire))
            buffer.formed.wait(formed, std::memory_order_acquire);
        if (formed != block)
            return false;
        m_sink(std::string_view(buffer.text.m_data.get(), buffer.text.m_size));
        buffer.text.m_size = 0;
        written.store(block + 1, std::memory_order_release);
        written.notify_one();
        return true;
    };

    std::thread helper([&] {
        std::size_t block = 0;
        try {
            while ((block = next.fetch_add(1)) < blocks)
                formBlock(block, 1);
        } catch (...) {
            helperError = std::current_exception();
            ring[block % ringSize].formed.store(failed, std::memory_order_release);
            ring[block % ringSize].formed.notify_one();
        }
    });
    bool going = true;
    try {
        for (std::size_t block; going && (block = next.fetch_add(1)) < blocks;) {
            // What is formed already is written first; the block's buffer must have been written from.
            while (written.load(std::memory_order_relaxed) < block && writeNext(false)) {
            }
            while (going && written.load(std::memory_order_relaxed) + ringSize <= block)
                going = writeNext(true);
            if (going)
                formBlock(block, 0);
        }
        while (going && written.load(std::memory_order_relaxed) < blocks)
            going = writeNext(true);
    } catch (...) {
        // The helper is let go on without its blocks being written, and ends at the next it would take.
        next.store(blocks);
        written.store(unformed - ringSize, std::memory_order_release);
        written.notify_one();
        helper.join();
        throw;
    }
    helper.join();
    if (helperError)
        std::rethrow_exception(helperError);
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
