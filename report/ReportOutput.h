// The report command's output: UTF-8 bytes gathered in one buffer and handed on in large blocks, with
// numbers written in place. A million sessions give some seven million fields, so no field is allowed a
// string of its own.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <charconv>
#include <concepts>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

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
        m_buffer.append(bytes);
        return spill();
    }
    ReportOutput& operator<<(const char* bytes) { return *this << std::string_view(bytes); }
    ReportOutput& operator<<(char c)
    {
        m_buffer.push_back(c);
        return spill();
    }
    /// Integers as QTextStream writes them by default: plain digits, a minus sign, no separators.
    template <std::integral Number>
    requires(!std::same_as<Number, char> && !std::same_as<Number, bool>) ReportOutput& operator<<(Number value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        m_buffer.append(digits, static_cast<std::size_t>(end - digits));
        return spill();
    }
    ReportOutput& operator<<(QStringView text);
    ReportOutput& operator<<(const QString& text) { return *this << QStringView(text); }
    ReportOutput& operator<<(QLatin1StringView text);

    /// Hands everything written so far to the sink.
    void flush();

private:
    ReportOutput& spill()
    {
        if (m_buffer.size() >= m_blockSize)
            flush();
        return *this;
    }

    Sink m_sink;
    std::size_t m_blockSize;
    std::string m_buffer;
    std::FILE* m_file = nullptr;
};
