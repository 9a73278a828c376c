// qovruvela-report: totals personal data files from the command line with the program's own totalling pass.
#include "report/RecordFileCalculator.h"
#include "report/ReportExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

enum ExitCode
{
    allReported = 0,
    fileFailed = 1,
    usageError = 2
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qovruvela-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.2.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Totals Qov Ruvela personal data files: period, first and last session, total time, bytes "
                       "downloaded and uploaded, and every session.\n"
                       "Without options the output is what the Calculation tab and the Message Output window "
                       "show. --json prints an array with one object per file; --csv prints rows of kind "
                       "\"period\", \"session\" and \"total\".\n"
                       "Exit status: 0 when every file was totalled, 1 when a file is missing, unreadable, too "
                       "short, not tagged as a personal data file or has a damaged record, 2 for wrong usage."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print the data as JSON."));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Print the data as CSV."));
    parser.addOption(json);
    parser.addOption(csv);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Personal data files (*.rvl)."),
                                 QStringLiteral("FILE..."));
    parser.process(app);

    QTextStream err(stderr);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() || (parser.isSet(json) && parser.isSet(csv))) {
        err << (files.isEmpty() ? "qovruvela-report: no file given\n"
                                : "qovruvela-report: choose either --json or --csv\n");
        err << parser.helpText();
        return usageError;
    }

    QTextStream out(stdout);
    int exitCode = allReported;
    bool firstShown = true;
    if (parser.isSet(json))
        out << '[';
    if (parser.isSet(csv))
        ReportExport::writeCsvHeader(out);
    for (const QString& file : files) {
        const std::shared_ptr<CalculationResult> result = RecordFileCalculator().CalculateRecordFile(file);
        if (const QString problem = ReportExport::fileProblem(*result); !problem.isEmpty()) {
            out.flush();
            err << "qovruvela-report: " << problem << '\n';
            err.flush();
            exitCode = fileFailed;
            continue;
        }
        if (parser.isSet(json)) {
            out << (firstShown ? "\n" : ",\n");
            ReportExport::writeJsonObject(out, *result);
        } else if (parser.isSet(csv)) {
            ReportExport::writeCsvRows(out, *result);
        } else {
            if (!firstShown)
                out << '\n';
            ReportExport::writeText(out, *result);
        }
        firstShown = false;
        if (result->outcome == CalculationResult::Outcome::RecordError) {
            out.flush();
            err << "qovruvela-report: " << result->path << ": " << result->problem << '\n';
            err.flush();
            exitCode = fileFailed;
        }
    }
    if (parser.isSet(json))
        out << "\n]\n";
    return exitCode;
}
