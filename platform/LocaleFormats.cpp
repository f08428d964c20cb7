#include "platform/LocaleFormats.h"

#include <QStringView>

namespace {

// Calls visit(letter, runLength, runText) for each run of one unquoted letter in a Qt
// date/time format, and visit(0, 0, text) for everything else, in order.
template <typename Visit>
void WalkFormat(const QString& format, Visit visit) {
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            qsizetype end = format.indexOf(u'\'', i + 1);
            end = end < 0 ? format.size() : end + 1;
            visit(QChar(), 0, QStringView(format).sliced(i, end - i));
            i = end;
            continue;
        }
        qsizetype end = i + 1;
        if (c.isLetter())
            while (end < format.size() && format[end] == c)
                ++end;
        visit(c.isLetter() ? c : QChar(), end - i, QStringView(format).sliced(i, end - i));
        i = end;
    }
}

}  // namespace

QString LocaleShortDateFormat(const QLocale& locale) {
    return locale.dateFormat(QLocale::ShortFormat);
}

QString LocaleLongTimeFormat(const QLocale& locale) {
    QString result;
    WalkFormat(locale.timeFormat(QLocale::LongFormat),
               [&](QChar letter, qsizetype, QStringView text) {
                   if (letter != u't') result += text;
               });
    return result.trimmed();
}

bool HasTwoDigitYear(const QString& format) {
    bool found = false;
    WalkFormat(format, [&](QChar letter, qsizetype length, QStringView) {
        if (letter == u'y' && length == 2) found = true;
    });
    return found;
}

QString FourDigitYears(const QString& format) {
    QString result;
    WalkFormat(format, [&](QChar letter, qsizetype length, QStringView text) {
        result += letter == u'y' && length == 2 ? QStringLiteral("yyyy") : text.toString();
    });
    return result;
}

QString DateToStr(const QDate& value, const QLocale& locale) {
    return locale.toString(value, FourDigitYears(LocaleShortDateFormat(locale)));
}

QString TimeToStr(const QTime& value, const QLocale& locale) {
    return locale.toString(value, LocaleLongTimeFormat(locale));
}

QString DateTimeToStr(const QDateTime& value, const QLocale& locale) {
    QString text = DateToStr(value.date(), locale);
    const QTime time = value.time();
    if (time.isValid() && time != QTime(0, 0)) text += u' ' + TimeToStr(time, locale);
    return text;
}
