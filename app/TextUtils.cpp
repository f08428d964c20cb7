#include "app/TextUtils.h"

#include <algorithm>

QString TrimLeadingSpaces(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && (s.at(i) == u' ' || s.at(i) == QChar(0x3000)))
        ++i;
    return s.mid(i);
}

QString TrimTrailingLineBreaks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && (s.at(n - 1) == u'\r' || s.at(n - 1) == u'\n'))
        --n;
    return s.left(n);
}

QString BoundedPrefix(const QString& s, qsizetype maxLength) {
    if (s.size() <= maxLength) return s;
    qsizetype cut = std::max<qsizetype>(maxLength - 1, 0);
    if (cut > 0 && s.at(cut - 1).isHighSurrogate()) --cut;
    return s.left(cut) + QChar(0x2026);
}
