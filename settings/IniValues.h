#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QTime>
#include <optional>

// Conversions between values and the text they have in an ini file.

// A 32-bit integer: optional leading spaces and sign, then decimal digits, or "$" or "0x"
// followed by up to 32 bits of hex digits (so $FFFFFFFF is -1). None for anything else.
std::optional<qint32> ParseIniInteger(QStringView text);
// One to eight hex digits and nothing else, as the full 32 bits.
std::optional<quint32> ParseIniHexDigits(QStringView digits);
// "0x" and exactly 8 upper-case hex digits.
QString IniHexText(quint32 value);

// Two upper-case hex digits per byte.
QString IniBytesText(const QByteArray& bytes);
// Half the text's length in bytes, rounded down; pairs are converted until the first one
// that is not hexadecimal, and the bytes after it stay zero.
QByteArray ParseIniBytes(QStringView text);

// Numbers in the locale's format without group separators, up to 15 significant digits.
QString IniFloatText(double value, const QLocale& locale);
std::optional<double> ParseIniFloat(QStringView text, const QLocale& locale);

// The locale's short date, always with four-digit years so a date reads back in the right
// century; two-digit years in a file are placed within 50 years of today.
QString IniDateText(const QDate& value, const QLocale& locale);
std::optional<QDate> ParseIniDate(QStringView text, const QLocale& locale);
// The locale's long time, without a time zone (a time of day has none).
QString IniTimeText(const QTime& value, const QLocale& locale);
std::optional<QTime> ParseIniTime(QStringView text, const QLocale& locale);
// Short date, a space and long time; the time is left out when it is midnight.
QString IniDateTimeText(const QDateTime& value, const QLocale& locale);
std::optional<QDateTime> ParseIniDateTime(QStringView text, const QLocale& locale);
