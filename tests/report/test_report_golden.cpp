// The report command's output, byte for byte, for a file of 10,000 sessions plus a few odd records, in every
// form and in locales with different separators and digits: a faster writer must print exactly this.
// The expected output is kept as SHA-256 sums (report_golden.sha256); with QOVRUVELA_WRITE_GOLDEN=FILE the
// test writes the sums of what the command prints now into FILE instead of comparing.
#include "ReportFixture.h"
#include "tests/support/ManySessionsFile.h"

#include <QCryptographicHash>
#include <QProcess>

namespace {

const QStringList locales = {QStringLiteral("C.UTF-8"),     QStringLiteral("en_US.UTF-8"),
                             QStringLiteral("de_DE.UTF-8"), QStringLiteral("fr_CH.UTF-8"),
                             QStringLiteral("ar_EG.UTF-8"), QStringLiteral("ja_JP.UTF-8")};

const QList<QStringList> forms = {
    {},
    {QStringLiteral("--daily")},
    {QStringLiteral("--csv")},
    {QStringLiteral("--csv"), QStringLiteral("--daily")},
    {QStringLiteral("--json")},
    {QStringLiteral("--json"), QStringLiteral("--daily")},
    {QStringLiteral("--since"), QStringLiteral("2024-03-05"), QStringLiteral("--until"), QStringLiteral("2024-03-31")},
    {QStringLiteral("--json"), QStringLiteral("--since"), QStringLiteral("2024-03-05")}};

// A name with a quote, a backslash, a comma, a tab and a non-ASCII letter: the JSON and CSV quoting.
const QString fileName = QStringLiteral("golden \"q\" \\ ,\t\u00e9.rvl");

class ReportGolden : public ReportFixture
{
protected:
    // The benchmarks' file with records after it that the fast paths do not take: times not in the stored
    // form, a start after its end, the largest byte count, midnight, noon and the change to summer time.
    QString goldenFile()
    {
        const QString path = temp.filePath(fileName);
        EXPECT_TRUE(writeManySessionsFile(path, 10000));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::Append));
        const QList<ProfileRecord> odd = {
            sessionRecord(QStringLiteral("2024/03/31, 01:59:30"), QStringLiteral("2024/03/31, 03:10:05 am"), 10, 5,
                          4294967295u),
            sessionRecord(QStringLiteral("2024/03/20, 11:00:00 pm"), QStringLiteral("2024/03/20, 10:00:00 pm"), 0,
                          1073741824u, 1048575u),
            sessionRecord(QStringLiteral("2024/03/21, 12:00:00 am"), QStringLiteral("2024/03/21, 12:00:01 pm"), 720,
                          1023, 1024),
            sessionRecord(QStringLiteral("2024/03/22, 9:05:03 pm"), QStringLiteral("2024/03/22, 10:00:00 pm"), 55, 0,
                          0),
        };
        for (const ProfileRecord& r : odd)
            file.write(r.toBytes());
        return path;
    }

    static QByteArray run(const QString& locale, const QStringList& form, const QString& folder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QStringLiteral("LANG"), locale);
        environment.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(QOVRUVELA_REPORT_COMMAND), QStringList(form) << fileName);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        return process.readAllStandardOutput();
    }

    static QString key(const QString& locale, const QStringList& form)
    {
        return (QStringList{locale} + form).join(QLatin1Char(' '));
    }

    static QMap<QString, QByteArray> expectedSums()
    {
        QFile file(QStringLiteral(QOVRUVELA_GOLDEN_SUMS));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QByteArray> sums;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (!line.isEmpty())
                sums.insert(QString::fromUtf8(line.mid(66)), line.left(64));
        }
        return sums;
    }
};

TEST_F(ReportGolden, EveryFormInEveryLocaleIsPrintedByteForByteAsBefore)
{
    goldenFile();
    const QString writeTo = qEnvironmentVariable("QOVRUVELA_WRITE_GOLDEN");
    const QMap<QString, QByteArray> expected = writeTo.isEmpty() ? expectedSums() : QMap<QString, QByteArray>();
    QByteArray written;
    for (const QString& locale : locales) {
        for (const QStringList& form : forms) {
            const QByteArray out = run(locale, form, temp.path());
            const QByteArray sum = QCryptographicHash::hash(out, QCryptographicHash::Sha256).toHex();
            if (!writeTo.isEmpty()) {
                written += sum + "  " + key(locale, form).toUtf8() + '\n';
                continue;
            }
            if (sum != expected.value(key(locale, form))) {
                // Kept for a look with diff against the output of a build before the change.
                QFile kept(QDir::temp().filePath(QStringLiteral("report-golden-%1.out")
                                                     .arg(key(locale, form))
                                                     .replace(QLatin1Char(' '), QLatin1Char('_'))));
                if (kept.open(QIODevice::WriteOnly))
                    kept.write(out);
                ADD_FAILURE() << "output differs for " << key(locale, form).toStdString() << ", kept in "
                              << kept.fileName().toStdString();
            }
        }
    }
    if (!writeTo.isEmpty()) {
        QFile file(writeTo);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(written);
    }
}

// The sums above would also match a command that prints nothing in some form; these are the lines a user
// reads, in two locales, so the sums stand for real output.
TEST_F(ReportGolden, TheSumsStandForTheWindowsLines)
{
    goldenFile();
    const QByteArray german = run(QStringLiteral("de_DE.UTF-8"), {}, temp.path());
    EXPECT_TRUE(german.contains("\nstart: 01.03.24, 12:00:07 am\n_end: 01.03.24, 12:01:07 am\ntime: 00:01:00\n"
                                "downloaded bytes: 0,00 B\nuploaded bytes: 0,00 B\n \n"));
    EXPECT_TRUE(german.contains("\nstart: 20.03.24, 11:00:00 pm *\n_end: 20.03.24, 10:00:00 pm *\n"));
    EXPECT_TRUE(german.contains("downloaded bytes: 1,00 GB\nuploaded bytes: 1.024,00 KB\n"));
    const QByteArray json = run(QStringLiteral("C.UTF-8"), {QStringLiteral("--json")}, temp.path());
    EXPECT_TRUE(json.startsWith("[\n{\"file\":\"golden \\\"q\\\" \\\\ ,\\u0009\xc3\xa9.rvl\",\"record_count\":10005,"));
    EXPECT_TRUE(json.contains("\"start\":\"2024-03-31T01:59:30+01:00\",\"end\":\"2024-03-31T03:10:05+02:00\""));
}

} // namespace
