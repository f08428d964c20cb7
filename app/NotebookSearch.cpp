#include "app/NotebookSearch.h"

#include <QStringList>
#include <algorithm>

#include "editor/CodeEditSearch.h"

namespace {

inline const char16_t* Units(const QString& s) {
    return reinterpret_cast<const char16_t*>(s.constData());
}

inline bool IsBreak(char16_t c) {
    return c == u'\n' || c == u'\r';
}

// Line breaks in [from, to), a CR LF pair counting once. Branch-free, so the compiler can
// run it over many units at a time: on a large notebook this walk, not the skip search,
// would otherwise set the pace. Needs to < the text's length (t[i + 1] is read).
qsizetype CountBreaks(const char16_t* t, qsizetype from, qsizetype to) {
    qsizetype n = 0;
    while (from < to) {
        // Counted in 16 bits a stretch at a time, so each vector lane adds 16-bit values.
        const qsizetype end = std::min(to, from + qsizetype(0xFFFF));
        quint16 stretch = 0;
        for (qsizetype i = from; i < end; ++i)
            stretch +=
                static_cast<quint16>((t[i] == u'\n') | ((t[i] == u'\r') & (t[i + 1] != u'\n')));
        n += stretch;
        from = end;
    }
    return n;
}

qsizetype StartOfLine(const char16_t* t, qsizetype pos) {
    while (pos > 0 && !IsBreak(t[pos - 1]))
        --pos;
    return pos;
}

qsizetype EndOfLine(const char16_t* t, qsizetype len, qsizetype pos) {
    while (pos < len && !IsBreak(t[pos]))
        ++pos;
    return pos;
}

}  // namespace

TSearchSnapshot SnapshotNotebook(const TNotebook& notebook, const TNotebookNode* current,
                                 const QString& currentText) {
    TSearchSnapshot snapshot;
    snapshot.reserve(static_cast<size_t>(notebook.Count()));
    std::vector<int> slotAtLevel;  // the latest slot of every level on the way down
    int level = 0;
    for (TNotebookNode* node = notebook.First(); node;) {
        const int slot = static_cast<int>(snapshot.size());
        const int parent = level > 0 ? slotAtLevel[static_cast<size_t>(level - 1)] : -1;
        const QString& text = node == current ? currentText
                              : node->Data()  ? node->Data()->text
                                              : QString();
        snapshot.push_back({node, parent, node->Title(), text});
        slotAtLevel.resize(static_cast<size_t>(level) + 1);
        slotAtLevel[static_cast<size_t>(level)] = slot;
        node = node->GetNext(level);
    }
    return snapshot;
}

QString TitlePath(const TSearchSnapshot& snapshot, int slot) {
    QStringList titles;
    for (int s = slot; s >= 0 && s < static_cast<int>(snapshot.size());
         s = snapshot[static_cast<size_t>(s)].Parent)
        titles.prepend(snapshot[static_cast<size_t>(s)].Title);
    return titles.join(QStringLiteral(" › "));
}

QStringView LineAt(const QString& text, qsizetype lineStart) {
    if (lineStart < 0 || lineStart > text.size()) return {};
    const qsizetype end = EndOfLine(Units(text), text.size(), lineStart);
    return QStringView(text).mid(lineStart, end - lineStart);
}

TNotebookSearcher::TNotebookSearcher(const TNotebookSearchQuery& query) : fQuery(query) {
    if (query.Pattern.isEmpty()) return;
    if (query.RegularExpression) {
        QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
        if (!query.MatchCase) options |= QRegularExpression::CaseInsensitiveOption;
        fRegex = QRegularExpression(query.Pattern, options);
        if (!fRegex.isValid()) {
            fError = fRegex.errorString();
            return;
        }
    } else {
        fEngine = std::make_unique<TCodeEditSearch>();
        TSearchOptions options;
        if (query.MatchCase) options |= ssoMatchCase;
        if (query.WholeWord) options |= ssoWholeWord;
        fEngine->SetOptions(options);
        fEngine->SetPattern(query.Pattern);
    }
    fValid = true;
}

TNotebookSearcher::~TNotebookSearcher() = default;

bool TNotebookSearcher::Search(const QString& text, int snippet, std::vector<TSearchHit>& hits,
                               const std::function<bool()>& cancelled) {
    if (!fValid) return true;
    if (fQuery.RegularExpression) return SearchRegex(text, snippet, hits, cancelled);
    SearchPlain(text, snippet, hits);
    return true;
}

void TNotebookSearcher::SearchPlain(const QString& text, int snippet,
                                    std::vector<TSearchHit>& hits) {
    // Lines are searched one at a time in the editor, so a line break never matches.
    if (fQuery.Pattern.contains(u'\n') || fQuery.Pattern.contains(u'\r')) return;
    // The whole text goes through the engine at once; line breaks are delimiters of the word
    // rule, so this finds exactly what a line-by-line search would.
    const qsizetype count = fEngine->FindAll(text);
    const char16_t* t = Units(text);
    qsizetype line = 1;
    qsizetype lineStart = 0;
    qsizetype counted = 0;  // line breaks are counted up to here
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype pos = fEngine->Results(k) - 1;
        const qsizetype breaks = CountBreaks(t, counted, pos);
        counted = pos;
        // A hit on the line of the one before shares its start.
        if (breaks > 0) {
            line += breaks;
            lineStart = StartOfLine(t, pos);
        }
        hits.push_back(
            {snippet, static_cast<int>(line), pos - lineStart + 1, fEngine->Lengths(k), lineStart});
    }
}

bool TNotebookSearcher::SearchRegex(const QString& text, int snippet, std::vector<TSearchHit>& hits,
                                    const std::function<bool()>& cancelled) {
    const char16_t* t = Units(text);
    const qsizetype len = text.size();
    qsizetype start = 0;
    for (int line = 1;; ++line) {
        if (cancelled && cancelled()) return false;
        const qsizetype end = EndOfLine(t, len, start);
        QStringView view = QStringView(text).mid(start, end - start);
        QString repaired;
        if (!view.isValidUtf16()) {
            // The engine refuses broken UTF-16 outright; a lone surrogate becomes U+FFFD,
            // one unit for one, so the rest of the line can still match at its own columns.
            repaired = view.toString();
            for (qsizetype i = 0; i < repaired.size(); ++i) {
                const bool pair = i + 1 < repaired.size() && repaired[i].isHighSurrogate() &&
                                  repaired[i + 1].isLowSurrogate();
                if (pair)
                    ++i;
                else if (repaired[i].isSurrogate())
                    repaired[i] = QChar::ReplacementCharacter;
            }
            view = repaired;
        }
        qsizetype offset = 0;
        while (offset < view.size()) {
            const QRegularExpressionMatch match = fRegex.match(view, offset);
            if (!match.hasMatch()) break;
            const qsizetype first = match.capturedStart();
            const qsizetype last = match.capturedEnd();
            const bool whole =
                !fQuery.WholeWord ||
                ((first == 0 || TCodeEditSearch::IsDelimiter(view[first - 1].unicode())) &&
                 (last >= view.size() || TCodeEditSearch::IsDelimiter(view[last].unicode())));
            if (last > first && whole) {
                hits.push_back({snippet, line, first + 1, last - first, start});
                offset = last;
            } else {
                // An empty match or one inside a word: look again from the next character.
                if (cancelled && cancelled()) return false;
                offset = first + 1;
                if (offset < view.size() && view[offset].isLowSurrogate()) ++offset;
            }
        }
        if (end >= len) break;
        start = end + ((t[end] == u'\r' && end + 1 < len && t[end + 1] == u'\n') ? 2 : 1);
    }
    return true;
}

bool SearchSnapshot(const TSearchSnapshot& snapshot, TNotebookSearcher& searcher,
                    const std::function<void(std::vector<TSearchHit>&)>& found,
                    const std::function<bool()>& cancelled) {
    std::vector<TSearchHit> hits;
    for (size_t slot = 0; slot < snapshot.size(); ++slot) {
        if (cancelled && cancelled()) return false;
        hits.clear();
        if (!searcher.Search(snapshot[slot].Text, static_cast<int>(slot), hits, cancelled))
            return false;
        if (!hits.empty()) found(hits);
    }
    return true;
}
