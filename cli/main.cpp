// qovruvela-report: totals personal data files from the command line with the program's own totalling pass.
#include "allowance/AllowanceJson.h"
#include "cli/ActivePersonalFile.h"
#include "cli/FileArguments.h"
#include "platform/IniSettingsStore.h"
#include "report/DailyHistory.h"
#include "report/RecordFileCalculator.h"
#include "report/ReportExport.h"
#include "report/ReportJson.h"
#include "report/SessionSelection.h"
#include "settings/AllowanceSettings.h"
#include "settings/Settings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

enum ExitCode
{
    allReported = 0,
    fileFailed = 1,
    usageError = 2
};

enum class Format
{
    Text,
    Json,
    Csv
};

const char* const description =
    "Totals Qov Ruvela personal data files: period, first and last session, total time, bytes downloaded and "
    "uploaded, and every session. Without FILE it totals the active personal file, found as the program finds "
    "it: the \"Personal Account\" of its settings, in its own folder or in the per-user data folder.\n"
    "Without options the output is what the Calculation tab and the Message Output window show. --json prints "
    "an array with one object per file (moments in ISO 8601 with their UTC offset, durations also in seconds; a "
    "file that cannot be totalled gives an object with an \"error\"); --csv prints rows of kind \"period\", "
    "\"session\" and \"total\". --daily adds time, sessions and bytes per calendar day (rows of kind \"day\" "
    "and a \"sessions\" column in CSV); a session across midnight is shared between the days by clock time. "
    "--since and --until keep the sessions that began on or between those dates (YYYY-MM-DD), and the totals "
    "are theirs.\n"
    "When the program's settings hold an allowance per period, --json adds an \"allowance\" object to each file: "
    "the allowance, and for its time and data the use of the file's whole period, the share, what is left, the "
    "estimate at the period's end at the pace so far and what is left per remaining day, as of now.\n"
    "Files of more than 10,000,000 sessions are refused.\n"
    "A record that cannot be read is left out and the rest of the file is totalled; a session whose minute "
    "count is negative counts no time and its lines are marked \"*\". Each damaged record is told on standard "
    "error; --json lists them in \"damaged_records\" and gives the session's \"duration_seconds\" as null, "
    "--csv in rows of kind \"damaged\" and a \"damaged\" column.\n"
    "Exit status: 0 when every file was totalled; 1 when a file is missing, unreadable, too short, too large, "
    "not tagged as a personal data file or has damaged records, or no active personal file is set up; 2 for "
    "wrong usage.";

struct Options
{
    Format format = Format::Text;
    bool daily = false;
    SessionFilter filter;
    QStringList files;
};

// The options, or the reason they cannot be used.
std::optional<Options> readOptions(QCommandLineParser& parser, QString* problem)
{
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print the data as JSON."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Print the data as CSV."));
    const QCommandLineOption daily(QStringLiteral("daily"), QStringLiteral("Add the figures of every day."));
    const QCommandLineOption since(QStringLiteral("since"),
                                   QStringLiteral("Only sessions that began on DATE (YYYY-MM-DD) or later."),
                                   QStringLiteral("DATE"));
    const QCommandLineOption until(QStringLiteral("until"),
                                   QStringLiteral("Only sessions that began on DATE (YYYY-MM-DD) or earlier."),
                                   QStringLiteral("DATE"));
    parser.addOptions({json, csv, daily, since, until});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Personal data files (*.rvl); the active one when none is given."),
                                 QStringLiteral("[FILE...]"));
    // Not process(): it ends the program with status 1 on an unknown option, which is a usage error here.
    if (!parser.parse(QCoreApplication::arguments())) {
        *problem = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(allReported);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    Options options;
    if (parser.isSet(json) && parser.isSet(csv)) {
        *problem = QStringLiteral("choose either --json or --csv");
        return std::nullopt;
    }
    options.format = parser.isSet(json) ? Format::Json : parser.isSet(csv) ? Format::Csv : Format::Text;
    options.daily = parser.isSet(daily);
    for (const auto& [option, date] : {std::pair{&since, &options.filter.since}, {&until, &options.filter.until}}) {
        if (!parser.isSet(*option))
            continue;
        *date = QDate::fromString(parser.value(*option), Qt::ISODate);
        if (!date->isValid()) {
            *problem = QStringLiteral("--%1 wants a date as YYYY-MM-DD, not \"%2\"")
                           .arg(option->names().constFirst(), parser.value(*option));
            return std::nullopt;
        }
    }
    if (options.filter.since.isValid() && options.filter.until.isValid() &&
        options.filter.since > options.filter.until) {
        *problem = QStringLiteral("--since comes after --until");
        return std::nullopt;
    }
    options.files = parser.positionalArguments();
    return options;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qovruvela-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.2.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(description));
    parser.addHelpOption();
    parser.addVersionOption();
    QTextStream err(stderr);
    QString problem;
    const std::optional<Options> options = readOptions(parser, &problem);
    if (!options) {
        err << "qovruvela-report: " << problem << '\n' << parser.helpText();
        return usageError;
    }

    ReportOutput out(stdout);
    int exitCode = allReported;
    bool firstShown = true;
    const bool json = options->format == Format::Json;
    const auto fail = [&](const QString& file, const ReportExport::FileProblem& why) {
        if (json) {
            out << (firstShown ? "\n" : ",\n");
            ReportJson::writeFailure(out, file, why);
            firstShown = false;
        }
        out.flush();
        err << "qovruvela-report: " << ReportExport::printable(why.message) << '\n';
        err.flush();
        exitCode = fileFailed;
    };

    if (json)
        out << '[';
    if (options->format == Format::Csv)
        ReportExport::writeCsvHeader(out, options->daily);
    // Read only: the command never writes a setting.
    IniSettingsStore store(IniSettingsStore::defaultFilePath());
    Settings settings(store);
    settings.load();
    QList<QByteArray> rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments.append(QByteArray(argv[i]));
    QList<FileArgument> files = fileArguments(options->files, rawArguments);
    if (files.isEmpty()) {
        // The folder as the program and the headless recorder choose it, the stored name included: a portable
        // copy whose folder cannot be written still keeps the personal file found there.
        const ActivePersonalFile active =
            findActivePersonalFile(settings, ProgramDir::forThisProcess(Settings::storedPersonalAccount(store)));
        if (active.path.isEmpty())
            fail(QString(), {QStringLiteral("no_personal_file"), active.problem});
        else
            files.append({active.path, QFile::encodeName(active.path)});
    }
    const AllowanceSettings allowance = json ? settings.allowance() : AllowanceSettings();
    for (const auto& [file, native] : files) {
        std::shared_ptr<CalculationResult> result = RecordFileCalculator().CalculateRecordFile(file, native);
        if (const ReportExport::FileProblem why = ReportExport::fileProblem(*result); !why.isEmpty()) {
            fail(file, why);
            continue;
        }
        // The allowance counts the whole period, whatever dates the sessions are chosen by.
        const QString allowanceMembers =
            json ? AllowanceJson::members(allowance, *result, QDateTime::currentDateTime()) : QString();
        if (!options->filter.isOpen())
            result = selectSessions(*result, options->filter);
        // A large file's days are worked out while its sessions are written.
        std::optional<DailyHistory> days;
        if (options->daily)
            days = result->sessions.size() >= ReportOutput::parallelFrom ? DailyHistory::fromResultMeanwhile(*result)
                                                                         : DailyHistory::fromResult(*result);
        const DailyHistory* perDay = days ? &*days : nullptr;
        switch (options->format) {
        case Format::Json:
            out << (firstShown ? "\n" : ",\n");
            ReportJson::writeFile(out, *result, perDay, allowanceMembers);
            break;
        case Format::Csv:
            ReportExport::writeCsvRows(out, *result, perDay);
            break;
        case Format::Text:
            if (!firstShown)
                out << '\n';
            ReportExport::writeText(out, *result);
            if (perDay)
                ReportExport::writeDaysText(out, *perDay);
            break;
        }
        firstShown = false;
        if (result->outcome == CalculationResult::Outcome::DamagedRecords) {
            out.flush();
            for (const QString& line : result->damageDetails().split(QLatin1Char('\n')))
                err << "qovruvela-report: " << ReportExport::printable(result->path + QStringLiteral(": ") + line)
                    << '\n';
            err.flush();
            exitCode = fileFailed;
        }
    }
    if (json)
        out << "\n]\n";
    return exitCode;
}
