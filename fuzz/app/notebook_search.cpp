// Feeds an arbitrary pattern and text to the full-text search: the input is UTF-16, its first
// unit the option bits, then the pattern up to the first U+0001, then the text. Every hit
// must lie inside one line of the text, and a plain hit must be the pattern itself. Runaway
// regular expressions end through the engine's match limit.
#include <QChar>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/NotebookSearch.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

QString Fold(QStringView s) {
    QString out = s.toString();
    for (QChar& c : out)
        c = c.toLower();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* units = reinterpret_cast<const char16_t*>(data);
    const qsizetype count = static_cast<qsizetype>(size / 2);
    if (count < 1) return 0;
    const char16_t flags = units[0];
    const QStringView rest(units + 1, count - 1);
    const qsizetype split = rest.indexOf(QChar(u'\x01'));
    const QString pattern = (split < 0 ? rest : rest.left(split)).toString();
    const QString text = split < 0 ? QString() : rest.mid(split + 1).toString();

    TNotebookSearchQuery query{pattern, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0};
    TNotebookSearcher searcher(query);
    std::vector<TSearchHit> hits;
    Check(searcher.Search(text, 0, hits));
    if (!searcher.IsValid()) Check(hits.empty());
    qsizetype previous = -1;
    for (const TSearchHit& h : hits) {
        Check(h.Line >= 1 && h.Column >= 1 && h.Length >= 1);
        Check(h.LineStart >= 0 && h.LineStart <= text.size());
        const QStringView line = LineAt(text, h.LineStart);
        Check(h.Column - 1 + h.Length <= line.size());
        const qsizetype at = h.LineStart + h.Column - 1;
        Check(at > previous);  // in order, never twice
        previous = at;
        const QStringView found = line.mid(h.Column - 1, h.Length);
        if (!query.RegularExpression)
            Check(query.MatchCase ? found == pattern : Fold(found) == Fold(pattern));
    }
    return 0;
}
