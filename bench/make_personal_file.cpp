// Writes the benchmarks' personal data file of N sessions to PATH, for scripts that time other programs on it.
// Usage: make_personal_file PATH [sessions] [--years]
//   by default the tests' own file (tests/support/ManySessionsFile.h): a session every 2 min 13 s, so a million
//   sessions cover five months; with --years sessions every 3 to 8 hours from 1990 on, with durations up to four
//   hours and byte counts all over their range, so a million sessions cover some six centuries of days.
#include "tests/support/ManySessionsFile.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

bool writeSpreadSessionsFile(const QString& path, qint64 sessions)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    ProfileRecord header;
    header.Tag = ProfileRecord::UserProfileTag;
    header.CreatedDate = QStringLiteral("1990/01/01");
    header.NextPeriodDate = QStringLiteral("1990/02/01");
    header.StartingDay = 1;
    header.EndingDay = 31;
    file.write(header.toBytes());
    QByteArray block;
    quint64 state = 88172645463325252ull; // xorshift64: the same count always gives the same bytes
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    QDateTime start(QDate(1990, 1, 1), QTime(6, 12, 41), Qt::UTC);
    for (qint64 i = 0; i < sessions; ++i) {
        const QDateTime end = start.addSecs(qint64(20 + next() % 14380));
        ProfileRecord r;
        r.Tag = ProfileRecord::UserProfileTag;
        r.StartText = StoredDate::dateTimeText(start);
        r.EndText = StoredDate::dateTimeText(end);
        r.UsedMinutes = static_cast<qint32>(start.secsTo(end) / 60);
        const quint64 bits = next();
        // Counts of every size, from a few bytes to the wrap at 2^32.
        r.StartingDay = static_cast<qint32>(next() >> (32 + bits % 32));
        r.EndingDay = static_cast<qint32>(next() >> (32 + bits / 32 % 32));
        block += r.toBytes();
        if (block.size() >= (1 << 20)) {
            file.write(block);
            block.clear();
        }
        start = end.addSecs(qint64(3 * 3600 + next() % (5 * 3600)));
    }
    file.write(block);
    return file.error() == QFile::NoError;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool spread = args.removeAll(QStringLiteral("--years")) > 0;
    // An option it does not know is not taken for a file to write over.
    if (args.isEmpty() || args.size() > 2 || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: make_personal_file PATH [sessions] [--years]\n");
        return 2;
    }
    const qint64 sessions = args.size() > 1 ? args[1].toLongLong() : 1000000;
    const bool written = spread ? writeSpreadSessionsFile(args[0], sessions) : writeManySessionsFile(args[0], sessions);
    if (!written) {
        std::fprintf(stderr, "make_personal_file: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return 0;
}
