// Writes the benchmarks' personal data file of N sessions to PATH, for scripts that time other programs on it.
// Usage: make_personal_file PATH [sessions]
#include "tests/support/ManySessionsFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_personal_file PATH [sessions]\n");
        return 2;
    }
    const qint64 sessions = argc > 2 ? QByteArray(argv[2]).toLongLong() : 1000000;
    if (!writeManySessionsFile(QString::fromLocal8Bit(argv[1]), sessions)) {
        std::fprintf(stderr, "make_personal_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
