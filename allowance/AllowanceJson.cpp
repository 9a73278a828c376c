// Seconds and bytes as whole numbers, the share in percent with one decimal.
#include "allowance/AllowanceJson.h"

#include "allowance/AllowanceStatus.h"
#include "allowance/UsageFromFile.h"
#include "report/CalculationResult.h"

#include <QStringList>

namespace AllowanceJson {

namespace {

QString kindObject(const std::optional<AllowanceForecast>& f, const QString& unit)
{
    if (!f)
        return QStringLiteral("null");
    const QString perDay = f->leftPerDay ? QString::number(*f->leftPerDay) : QStringLiteral("null");
    return QStringLiteral("{\"allowance_%1\":%2,\"used_%1\":%3,\"share_percent\":%4,\"left_%1\":%5,"
                          "\"estimate_%1\":%6,\"left_per_day_%1\":%7}")
        .arg(unit)
        .arg(f->allowance)
        .arg(f->used)
        .arg(QString::number(f->share * 100.0, 'f', 1))
        .arg(f->left)
        .arg(f->estimate)
        .arg(perDay);
}

} // namespace

QString members(const AllowanceSettings& settings, const CalculationResult& result, const QDateTime& now)
{
    const QDate start = UsageFromFile::periodStart(result);
    const QDate next = UsageFromFile::periodNext(result);
    if (!settings.isSet() || !start.isValid() || !next.isValid())
        return {};
    const AllowanceStatus status =
        AllowanceStatus::of(UsageFromFile::of(result, now.date()), settings, start, next, now);
    QStringList thresholds;
    for (const int percent : settings.thresholds)
        thresholds.append(QString::number(percent));
    const std::optional<AllowanceForecast>& any = status.time ? status.time : status.data;
    return QStringLiteral(",\"allowance\":{\"hours\":%1,\"bytes\":%2,\"thresholds\":[%3],\"days_left\":%4,"
                          "\"time\":%5,\"data\":%6}")
        .arg(settings.hours ? QString::number(*settings.hours) : QStringLiteral("null"),
             settings.bytes ? QString::number(*settings.bytes) : QStringLiteral("null"),
             thresholds.join(QLatin1Char(',')), QString::number(any ? any->daysLeft : 0),
             kindObject(status.time, QStringLiteral("seconds")), kindObject(status.data, QStringLiteral("bytes")));
}

} // namespace AllowanceJson
