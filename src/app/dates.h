#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// Dates as the report writes them. The report speaks Spanish: the system's own short
// form where the system speaks Spanish, the Spanish (Spain) one elsewhere — never
// "6 Dec 2026" in a Spanish report.
namespace Dates {

QLocale reportLocale(const QLocale &system = QLocale::system());
QString shortDate(const QDate &date, const QLocale &system = QLocale::system());
// The short date and the time with its seconds.
QString shortDateTime(const QDateTime &when, const QLocale &system = QLocale::system());

} // namespace Dates
