// The report command's output: UTF-8 bytes gathered in one buffer and handed on in large blocks, with
// numbers written in place. A million sessions give some seven million fields, so no field is allowed a
// string of its own.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <array>
#include <bit>
#include <charconv>
#include <concepts>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

class ReportOutput
{
public:
    /// Receives each full block, and the rest at flush().
    using Sink = std::function<void(std::string_view)>;

    explicit ReportOutput(Sink sink, std::size_t blockSize = 256 * 1024);
    /// Written with fwrite and flushed with the buffer.
    explicit ReportOutput(std::FILE* file);
    ~ReportOutput() { flush(); }
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    ReportOutput& operator<<(std::string_view bytes)
    {
        char* at = room(bytes.size());
        std::memcpy(at, bytes.data(), bytes.size());
        return commit(at + bytes.size());
    }
    ReportOutput& operator<<(const char* bytes) { return *this << std::string_view(bytes); }
    ReportOutput& operator<<(char c)
    {
        char* at = room(1);
        *at = c;
        return commit(at + 1);
    }
    /// Integers as QTextStream writes them by default: plain digits, a minus sign, no separators.
    template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) ReportOutput& operator<<(Number value)
    {
        char* at = room(24);
        return commit(placed(at, value));
    }
    ReportOutput& operator<<(QStringView text);
    ReportOutput& operator<<(const QString& text) { return *this << QStringView(text); }
    ReportOutput& operator<<(QLatin1StringView text);

    /// Room for `size` bytes after those written: a line formed in place is handed on with commit(its end).
    char* room(std::size_t size)
    {
        if (size > m_capacity - m_size)
            grow(size);
        return m_data.get() + m_size;
    }
    ReportOutput& commit(char* end)
    {
        m_size = static_cast<std::size_t>(end - m_data.get());
        if (m_size >= m_blockSize)
            flush();
        return *this;
    }

    /// Hands everything written so far to the sink.
    void flush();

    /// Forms rows [0, count) with `form(out, begin, end, worker)` and writes them in order. Many rows are
    /// formed on two threads, a block at a time by whichever thread is free, each block into a buffer of a
    /// small ring from which this thread writes them in order; `worker` (0 or 1) says which thread's state
    /// `form` may use.
    using RowForm = std::function<void(ReportOutput& out, std::size_t begin, std::size_t end, int worker)>;
    void formRows(std::size_t count, const RowForm& form);
    static constexpr std::size_t rowBlock = 8192;
    /// From this many rows on they are formed on two threads; below it, alone.
    static constexpr std::size_t parallelFrom = 131072;

private:
    void grow(std::size_t size);
    template <std::integral Number> static char* placed(char* at, Number value);

    Sink m_sink;
    std::size_t m_blockSize;
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    std::FILE* m_file = nullptr;
};

/// Writes a line in the room ReportOutput::room() gave: a million sessions are formed field by field in place.
class PlacedText
{
public:
    /// "00" to "99".
    static constexpr std::array<char, 200> digitPairs = [] {
        std::array<char, 200> pairs{};
        for (int i = 0; i < 100; ++i) {
            pairs[std::size_t(2 * i)] = char('0' + i / 10);
            pairs[std::size_t(2 * i + 1)] = char('0' + i % 10);
        }
        return pairs;
    }();

    explicit PlacedText(char* at) : m_at(at) {}
    PlacedText& operator<<(std::string_view text)
    {
        // Dates and marks are short: copied as two words that may overlap, without a call.
        const std::size_t size = text.size();
        const char* from = text.data();
        if (size >= 8 && size <= 16) {
            std::memcpy(m_at, from, 8);
            std::memcpy(m_at + size - 8, from + size - 8, 8);
        } else if (size >= 2 && size < 8) {
            if (size >= 4) {
                std::memcpy(m_at, from, 4);
                std::memcpy(m_at + size - 4, from + size - 4, 4);
            } else {
                std::memcpy(m_at, from, 2);
                m_at[size - 1] = from[size - 1];
            }
        } else if (size != 0) {
            std::memcpy(m_at, from, size);
        }
        m_at += size;
        return *this;
    }
    template <std::size_t N> PlacedText& operator<<(const char (&text)[N])
    {
        return *this << std::string_view(text, N - 1);
    }
    PlacedText& operator<<(char c)
    {
        *m_at++ = c;
        return *this;
    }
    template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) PlacedText& operator<<(Number value)
    {
        if constexpr (std::is_signed_v<Number>) {
            if (value < 0) {
                m_at = std::to_chars(m_at, m_at + 24, value).ptr;
                return *this;
            }
        }
        return placeDigits(static_cast<quint64>(value));
    }
    /// Plain digits, as std::to_chars writes them: the count found first, then pairs from the end.
    PlacedText& placeDigits(quint64 value)
    {
        if (value < 10) {
            *m_at++ = char('0' + value);
            return *this;
        }
        static constexpr quint64 powers[20] = {1ull,
                                               10ull,
                                               100ull,
                                               1000ull,
                                               10000ull,
                                               100000ull,
                                               1000000ull,
                                               10000000ull,
                                               100000000ull,
                                               1000000000ull,
                                               10000000000ull,
                                               100000000000ull,
                                               1000000000000ull,
                                               10000000000000ull,
                                               100000000000000ull,
                                               1000000000000000ull,
                                               10000000000000000ull,
                                               100000000000000000ull,
                                               1000000000000000000ull,
                                               10000000000000000000ull};
        const int guess = (static_cast<int>(std::bit_width(value)) * 1233) >> 12; // log10 of 2, in 4096ths
        const int count = guess + (value >= powers[guess] ? 1 : 0);
        char* at = m_at + count;
        m_at = at;
        while (value >= 100) {
            at -= 2;
            std::memcpy(at, digitPairs.data() + 2 * (value % 100), 2);
            value /= 100;
        }
        if (value >= 10)
            std::memcpy(at - 2, digitPairs.data() + 2 * value, 2);
        else
            at[-1] = char('0' + value);
        return *this;
    }
    /// A value below 100 as two digits.
    PlacedText& twoDigits(unsigned value)
    {
        std::memcpy(m_at, digitPairs.data() + 2 * value, 2);
        m_at += 2;
        return *this;
    }
    /// A value of two digits or more, as SessionText::writeTime pads them.
    PlacedText& padded(qint64 value)
    {
        if (value >= 0 && value < 100)
            return twoDigits(static_cast<unsigned>(value));
        return *this << value;
    }
    /// Room for `size` bytes written by the caller.
    char* skip(std::size_t size)
    {
        char* at = m_at;
        m_at += size;
        return at;
    }
    char* end() const { return m_at; }

private:
    char* m_at;
};

template <std::integral Number> char* ReportOutput::placed(char* at, Number value)
{
    PlacedText text(at);
    text << value;
    return text.end();
}
