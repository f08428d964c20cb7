#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

// Dates and times as the user's locale writes them: the short date format and the long time
// format, the way settings files and the "insert date" command show them.

// The locale's short date format as Qt gives it (it may have two-digit years).
QString LocaleShortDateFormat(const QLocale& locale);
// The locale's long time format without the time zone, which a time of day does not have.
QString LocaleLongTimeFormat(const QLocale& locale);
// The format with every two-digit year ("yy") widened to four, so a date keeps its century.
QString FourDigitYears(const QString& format);
bool HasTwoDigitYear(const QString& format);

// Short date (with four-digit years) and long time.
QString DateToStr(const QDate& value, const QLocale& locale = QLocale());
QString TimeToStr(const QTime& value, const QLocale& locale = QLocale());
// Short date, a space and long time; the time is left out when it is exactly midnight.
QString DateTimeToStr(const QDateTime& value, const QLocale& locale = QLocale());
