#include "settings/IniValues.h"

#include "platform/LocaleFormats.h"

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

QLocale PlainNumbers(QLocale locale) {
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

// "yy" reads as 19yy; move it into the 100 years around today.
QDate InCenturyWindow(QDate date) {
    const int earliest = QDate::currentDate().year() - 50;
    while (date.isValid() && date.year() < earliest)
        date = date.addYears(100);
    return date;
}

}  // namespace

std::optional<qint32> ParseIniInteger(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n) return std::nullopt;
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        if (hex) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) return std::nullopt;
            magnitude = magnitude * 16 + quint64(digit);
            if (magnitude > 0xFFFFFFFFu) return std::nullopt;
        } else {
            const char16_t u = text[i].unicode();
            if (u < u'0' || u > u'9') return std::nullopt;
            magnitude = magnitude * 10 + quint64(u - u'0');
            if (magnitude > 0x80000000u) return std::nullopt;
        }
    }
    if (!hex && !negative && magnitude > 0x7FFFFFFFu) return std::nullopt;
    // hex covers the full 32 bits, so $FFFFFFFF is -1; unsigned arithmetic wraps the same way
    quint32 bits = quint32(magnitude);
    if (negative) bits = 0u - bits;
    return qint32(bits);
}

std::optional<quint32> ParseIniHexDigits(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
    quint32 value = 0;
    for (const QChar c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + quint32(digit);
    }
    return value;
}

QString IniHexText(quint32 value) {
    return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 8, 16, QChar(u'0')).toUpper();
}

QString IniBytesText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray ParseIniBytes(QStringView text) {
    QByteArray bytes(text.size() / 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) break;
        bytes[i] = char(high * 16 + low);
    }
    return bytes;
}

QString IniFloatText(double value, const QLocale& locale) {
    return PlainNumbers(locale).toString(value, 'g', 15);
}

std::optional<double> ParseIniFloat(QStringView text, const QLocale& locale) {
    bool ok = false;
    const double value = PlainNumbers(locale).toDouble(text, &ok);
    if (!ok) return std::nullopt;
    return value;
}

QString IniDateText(const QDate& value, const QLocale& locale) {
    return DateToStr(value, locale);
}

std::optional<QDate> ParseIniDate(QStringView text, const QLocale& locale) {
    const QString format = LocaleShortDateFormat(locale);
    const QString textString = text.toString();
    if (HasTwoDigitYear(format)) {
        const QDate date = locale.toDate(textString, format);
        if (date.isValid()) return InCenturyWindow(date);
    }
    const QDate date = locale.toDate(textString, FourDigitYears(format));
    if (!date.isValid()) return std::nullopt;
    return date;
}

QString IniTimeText(const QTime& value, const QLocale& locale) {
    return TimeToStr(value, locale);
}

std::optional<QTime> ParseIniTime(QStringView text, const QLocale& locale) {
    const QTime time = locale.toTime(text.toString(), LocaleLongTimeFormat(locale));
    if (!time.isValid()) return std::nullopt;
    return time;
}

QString IniDateTimeText(const QDateTime& value, const QLocale& locale) {
    return DateTimeToStr(value, locale);
}

std::optional<QDateTime> ParseIniDateTime(QStringView text, const QLocale& locale) {
    const QString dateFormat = LocaleShortDateFormat(locale);
    const QString timeFormat = LocaleLongTimeFormat(locale);
    const QString textString = text.toString();
    if (HasTwoDigitYear(dateFormat)) {
        const QDateTime value = locale.toDateTime(textString, dateFormat + u' ' + timeFormat);
        if (value.isValid()) return QDateTime(InCenturyWindow(value.date()), value.time());
    }
    const QDateTime value =
        locale.toDateTime(textString, FourDigitYears(dateFormat) + u' ' + timeFormat);
    if (value.isValid()) return value;
    // a value at midnight holds the date alone
    if (const auto date = ParseIniDate(text, locale)) return QDateTime(*date, QTime(0, 0));
    return std::nullopt;
}
