// Arbitrary edit sequences on the line store, checked against a plain list of strings, and
// arbitrary patterns for the search engine, checked against a slow scan.
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "editor/CodeEditSearch.h"
#include "editor/CodeEditTextBuffer.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : fData(data), fSize(size) {}
    bool AtEnd() const { return fPos >= fSize; }
    uint8_t Byte() { return fPos < fSize ? fData[fPos++] : 0; }
    // Lines from a small alphabet, so that tabs, wide glyphs and repeats are common.
    QString Line() {
        static const char16_t units[] = u"ab\t \u6F22A_.(\u0130";
        QString s;
        for (int n = Byte() % 10; n > 0; --n)
            s += QChar(units[Byte() % 11]);
        return s;
    }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fPos = 0;
};

QString Glyphs(const QString& s) {
    QString out;
    for (QChar c : s) {
        if (c.unicode() >= 0x100) out += QChar(0xE000);
        out += c;
    }
    return out;
}

qsizetype Cells(const QString& line, int tabWidth) {
    qsizetype column = 0;
    qsizetype fillers = 0;
    for (QChar c : line) {
        if (c == u'\t') {
            column += tabWidth <= 1 ? 1 : tabWidth - column % tabWidth;
        } else {
            ++column;
            fillers += c.unicode() >= 0x100;
        }
    }
    return column + fillers;
}

void CheckAgainstModel(const TCodeEditStringList& list, const QStringList& model, int tabWidth) {
    Check(list.Count() == model.size());
    qsizetype sum = 0;
    qsizetype longest = 0;
    for (qsizetype i = 0; i < model.size(); ++i) {
        Check(list.Strings(i) == model[i]);
        Check(list.LineCharIndex(i) == sum);
        sum += model[i].size();
        longest = std::max(longest, Cells(model[i], tabWidth));
    }
    Check(list.LengthOfLongestLine() == longest);
    Check(list.Text() == model.join(QStringLiteral("\r\n")));
}

void CheckSearch(TCodeEditSearch& engine, const QString& pattern, const QString& text,
                 TSearchOptions options) {
    engine.SetOptions(options);
    engine.SetPattern(pattern);
    engine.FindAll(text);
    const bool matchCase = options.testFlag(ssoMatchCase);
    auto fold = [&](QChar c) { return matchCase ? c : c.toLower(); };
    qsizetype k = 0;
    const qsizetype m = pattern.size();
    for (qsizetype i = 0; i + m <= text.size();) {
        bool match = true;
        for (qsizetype j = 0; j < m && match; ++j)
            match = fold(text[i + j]) == fold(pattern[j]);
        if (match && options.testFlag(ssoWholeWord))
            match = (i == 0 || TCodeEditSearch::IsDelimiter(text[i - 1].unicode())) &&
                    (i + m == text.size() || TCodeEditSearch::IsDelimiter(text[i + m].unicode()));
        if (match) {
            Check(engine.Results(k++) == i + 1);
            i += m;
        } else {
            ++i;
        }
    }
    Check(engine.ResultCount() == k);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReader in(data, size);
    TCodeEditStringList list;
    list.SetExpandAtWideGlyphsFunc(Glyphs);
    TCodeEditSearch engine;
    QStringList model;
    int tabWidth = 8;
    for (int step = 0; step < 200 && !in.AtEnd(); ++step) {
        const qsizetype count = model.size();
        const uint8_t op = in.Byte() % 10;
        const qsizetype at = count == 0 ? 0 : in.Byte() % (count + 1);
        switch (op) {
            case 0: {
                const QString s = in.Line();
                list.Insert(at, s);
                model.insert(at, s);
                break;
            }
            case 1:
                if (at < count) {
                    list.Delete(at);
                    model.removeAt(at);
                }
                break;
            case 2: {
                const QString s = in.Line();
                list.Put(at, s);
                if (at == count)
                    model.append(s);
                else
                    model[at] = s;
                break;
            }
            case 3: {
                const qsizetype other = count == 0 ? 0 : in.Byte() % count;
                if (at < count) {
                    list.Exchange(at, other);
                    model.swapItemsAt(at, other);
                }
                break;
            }
            case 4: {
                QStringList lines;
                for (int n = in.Byte() % 5; n > 0; --n)
                    lines.append(in.Line());
                list.InsertStrings(at, lines);
                for (qsizetype i = 0; i < lines.size(); ++i)
                    model.insert(at + i, lines[i]);
                break;
            }
            case 5:
                if (at < count) {
                    const qsizetype n = in.Byte() % 6;
                    list.DeleteLines(at, n);
                    model.remove(at, std::min(n, count - at));
                }
                break;
            case 6:
                tabWidth = in.Byte() % 12 + 1;
                list.SetTabWidth(tabWidth);
                break;
            case 7: {
                QString text = in.Line();
                for (int n = in.Byte() % 4; n > 0; --n)
                    text += QStringLiteral("\r\n") + in.Line();
                list.InsertText(at, text);
                if (!text.isEmpty()) {
                    const QStringList lines = text.split(QStringLiteral("\r\n"));
                    const qsizetype keep = lines.last().isEmpty() ? lines.size() - 1 : lines.size();
                    for (qsizetype i = 0; i < keep; ++i)
                        model.insert(at + i, lines[i]);
                }
                break;
            }
            case 8: {
                QString pattern = in.Line();
                if (pattern.isEmpty()) pattern = QStringLiteral("a");
                CheckSearch(engine, pattern, list.Strings(at),
                            TSearchOptions::fromInt(in.Byte() & 3));
                break;
            }
            default:
                // Reading must never change anything.
                list.ExpandedStrings(at);
                list.Ranges(at);
                break;
        }
        CheckAgainstModel(list, model, tabWidth);
    }
    return 0;
}
