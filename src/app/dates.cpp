#include "dates.h"

namespace Dates {

QLocale reportLocale(const QLocale &system)
{
    return system.language() == QLocale::Spanish ? system : QLocale(QLocale::Spanish, QLocale::Spain);
}

QString shortDate(const QDate &date, const QLocale &system)
{
    return reportLocale(system).toString(date, QLocale::ShortFormat);
}

QString shortDateTime(const QDateTime &when, const QLocale &system)
{
    return shortDate(when.date(), system) + QLatin1Char(' ') +
           when.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace Dates
