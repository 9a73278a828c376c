// The desktop's opener: hands a file or an address to whatever program the desktop associates with it.
#pragma once

#include <QString>
#include <functional>

class Shell
{
public:
    /// Result codes in the numbering the program has always used: above 32 is success.
    static constexpr int FileNotFound = 2;
    static constexpr int NoAssociation = 31;
    static constexpr int Opened = 42;

    static constexpr bool succeeded(int result) { return result > 32; }

    /// Receives the outcome of one `open`.
    using Done = std::function<void(int result)>;

    virtual ~Shell() = default;

    /// Opens `target` (a file path or an address such as "https://…" or "mailto:…") with `verb`; an empty
    /// verb is the default action. Returns at once, without waiting for the started program. `done`, when
    /// set, gets the outcome as soon as it is known, which may be after this returns (finding out whether
    /// the desktop has a program for the target takes a moment): NoAssociation when no program takes the
    /// target, FileNotFound for a missing file or an unusable address, a value above 32 on success.
    virtual void open(const QString& verb, const QString& target, Done done) = 0;
};
