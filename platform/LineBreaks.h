#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The one rule for where text breaks into lines: at CR LF, at a lone CR and at a lone LF.

// What a line break at the very end of the text does.
enum class TFinalBreak {
    EndsText,         // "a\r\n" is one line, as a file's last line ends
    StartsEmptyLine,  // "a\r\n" is "a" and "", as text pasted into a line splits it
};

// Calls Emit(start, length) for each line of Text, in order.
template <class F>
void ForEachLine(QStringView Text, TFinalBreak Final, F&& Emit) {
    const char16_t* p = Text.utf16();
    const qsizetype n = Text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = p[i];
        if (c > u'\r' || (c != u'\r' && c != u'\n')) {
            ++i;
            continue;
        }
        Emit(start, i - start);
        if (c == u'\r' && i + 1 < n && p[i + 1] == u'\n') ++i;
        start = ++i;
    }
    if (start < n || Final == TFinalBreak::StartsEmptyLine) Emit(start, n - start);
}

// The lines of Text as strings.
QStringList SplitLines(QStringView Text, TFinalBreak Final);

// Whether Text holds a CR or an LF.
bool HasLineBreak(QStringView Text);
