#include "platform/LineBreaks.h"

QStringList SplitLines(QStringView Text, TFinalBreak Final) {
    QStringList lines;
    ForEachLine(Text, Final, [&](qsizetype start, qsizetype length) {
        lines.append(Text.sliced(start, length).toString());
    });
    return lines;
}

bool HasLineBreak(QStringView Text) {
    return Text.contains(u'\r') || Text.contains(u'\n');
}
