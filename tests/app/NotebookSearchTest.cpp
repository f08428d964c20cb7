#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <atomic>

#include "app/NotebookSearch.h"
#include "app/NotebookSearchRunner.h"
#include "app/SearchResultModel.h"
#include "editor/CodeEditSearch.h"
#include "tests/support/QtPrinters.h"

namespace {

// "title path:line:column:length", one string per hit, in the order found.
QStringList Found(const TSearchSnapshot& snapshot, const TNotebookSearchQuery& query) {
    TNotebookSearcher searcher(query);
    QStringList out;
    SearchSnapshot(snapshot, searcher, [&](std::vector<TSearchHit>& hits) {
        for (const TSearchHit& h : hits)
            out << QStringLiteral("%1:%2:%3:%4")
                       .arg(TitlePath(snapshot, h.Snippet))
                       .arg(h.Line)
                       .arg(h.Column)
                       .arg(h.Length);
    });
    return out;
}

QStringList FoundIn(const QString& text, const TNotebookSearchQuery& query) {
    TSearchSnapshot snapshot{{nullptr, -1, QStringLiteral("t"), text}};
    return Found(snapshot, query);
}

TNotebookSearchQuery Plain(const QString& pattern, bool matchCase = false, bool word = false) {
    return {pattern, matchCase, word, false};
}

TNotebookSearchQuery Regex(const QString& pattern, bool matchCase = false, bool word = false) {
    return {pattern, matchCase, word, true};
}

// a(b(c)),d
struct TNestedNotebook {
    TNotebook notebook;
    TNotebookNode *a, *b, *c, *d;
    TNestedNotebook() {
        a = notebook.AddChild(nullptr, QStringLiteral("a"), 1);
        b = notebook.AddChild(a, QStringLiteral("b"), 1);
        c = notebook.AddChild(b, QStringLiteral("c"), 1);
        d = notebook.AddChild(nullptr, QStringLiteral("d"), 1);
        a->Data()->text = QStringLiteral("x QSaveFile\r\n");
        b->Data()->text = QStringLiteral("none");
        c->Data()->text = QStringLiteral("one\r\ntwo QSaveFile QSaveFile");
        d->Data()->text = QStringLiteral("qsavefile");
    }
};

TEST(NotebookSearch, FindsHitsOfNestedSnippetsInTreeOrderWithTheirTitlePaths) {
    TNestedNotebook n;
    const TSearchSnapshot snapshot = SnapshotNotebook(n.notebook);
    EXPECT_EQ(Found(snapshot, Plain(QStringLiteral("QSaveFile"), true)),
              QStringList({"a:1:3:9", "a › b › c:2:5:9", "a › b › c:2:15:9"}));
    EXPECT_EQ(Found(snapshot, Plain(QStringLiteral("QSaveFile"))).last(), "d:1:1:9");
    EXPECT_EQ(snapshot[2].Node, n.c);
    EXPECT_EQ(snapshot[2].Parent, 1);
}

TEST(NotebookSearch, TheCurrentSnippetIsSearchedWithTheEditorsUnsavedText) {
    TNestedNotebook n;
    const TSearchSnapshot snapshot =
        SnapshotNotebook(n.notebook, n.b, QStringLiteral("typed\r\nQSaveFile"));
    EXPECT_EQ(
        Found(snapshot, Plain(QStringLiteral("qsavefile"))),
        QStringList({"a:1:3:9", "a › b:2:1:9", "a › b › c:2:5:9", "a › b › c:2:15:9", "d:1:1:9"}));
    EXPECT_EQ(n.b->Data()->text, QStringLiteral("none"));  // the record is left as it was
}

TEST(NotebookSearch, CaseWholeWordAndRegularExpressionOptions) {
    const QString text = QStringLiteral("Foo foo_bar (foo) food\r\nFOO");
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("foo"))),
              QStringList({"t:1:1:3", "t:1:5:3", "t:1:14:3", "t:1:19:3", "t:2:1:3"}));
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("foo"), true)),
              QStringList({"t:1:5:3", "t:1:14:3", "t:1:19:3"}));
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("foo"), true, true)), QStringList({"t:1:14:3"}));
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("foo"), false, true)),
              QStringList({"t:1:1:3", "t:1:14:3", "t:2:1:3"}));
    // The regular expression takes the same case and word options.
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("f\\w+"), true)),
              QStringList({"t:1:5:7", "t:1:14:3", "t:1:19:4"}));
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("fo+"), false, true)),
              QStringList({"t:1:1:3", "t:1:14:3", "t:2:1:3"}));
    // A word hit inside a longer match is still found: the search steps on, not past it.
    EXPECT_EQ(FoundIn(QStringLiteral("foofoo foo"), Regex(QStringLiteral("foo"), true, true)),
              QStringList({"t:1:8:3"}));
}

TEST(NotebookSearch, LinesAreCutAsTheEditorCutsThem) {
    // CR LF, a lone CR and a lone LF each end a line.
    const QString text = QStringLiteral("a\r\nb\rc\nd x\r\n\r\nx");
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("x"))), QStringList({"t:4:3:1", "t:6:1:1"}));
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("x"))), QStringList({"t:4:3:1", "t:6:1:1"}));
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("^[a-d]$"))),
              QStringList({"t:1:1:1", "t:2:1:1", "t:3:1:1"}));
}

TEST(NotebookSearch, AHitNeverSpansALineBreak) {
    const QString text = QStringLiteral("ab\r\ncd");
    // The editor searches one line at a time; so does every search here.
    EXPECT_TRUE(FoundIn(text, Plain(QStringLiteral("b\r\nc"))).isEmpty());
    EXPECT_TRUE(FoundIn(text, Plain(QStringLiteral("b\nc"))).isEmpty());
    EXPECT_TRUE(FoundIn(text, Regex(QStringLiteral("b\\r?\\nc"))).isEmpty());
    EXPECT_TRUE(FoundIn(text, Regex(QStringLiteral("b\\s+c"))).isEmpty());
    // $ ends each line, before its CR LF.
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("b$"))), QStringList({"t:1:2:1"}));
}

TEST(NotebookSearch, JapaneseTextCountsUtf16Units) {
    // 𠮷 is one character of two UTF-16 units: the caret counts it as two columns.
    const QString text = QStringLiteral("日本語の𠮷テキスト\r\n全角　テキスト");
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("テキスト"))),
              QStringList({"t:1:7:4", "t:2:4:4"}));
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("テ.スト"))), QStringList({"t:1:7:4", "t:2:4:4"}));
    // Japanese characters are word characters; the ideographic space is one too.
    EXPECT_TRUE(FoundIn(text, Plain(QStringLiteral("テキスト"), false, true)).isEmpty());
    EXPECT_EQ(FoundIn(QStringLiteral("(テキスト)"), Plain(QStringLiteral("テキスト"), false, true)),
              QStringList({"t:1:2:4"}));
}

TEST(NotebookSearch, ALoneSurrogateDoesNotHideTheRestOfItsLine) {
    // Text read from an old file may hold half a surrogate pair.
    const QString text = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b x\r\n") +
                         QChar(0xDC00) + QStringLiteral("x");
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("b x"))), QStringList({"t:1:3:3"}));
    EXPECT_EQ(FoundIn(text, Regex(QStringLiteral("x"))), QStringList({"t:1:5:1", "t:2:2:1"}));
    EXPECT_EQ(FoundIn(text, Plain(QStringLiteral("x"))), QStringList({"t:1:5:1", "t:2:2:1"}));
}

TEST(NotebookSearch, EmptyAndBadPatternsSearchNothing) {
    TNestedNotebook n;
    const TSearchSnapshot snapshot = SnapshotNotebook(n.notebook);
    for (const TNotebookSearchQuery& query : {Plain(QString()), Regex(QString())}) {
        TNotebookSearcher searcher(query);
        EXPECT_FALSE(searcher.IsValid());
        EXPECT_TRUE(searcher.ErrorString().isEmpty());
        EXPECT_TRUE(Found(snapshot, query).isEmpty());
    }
    TNotebookSearcher bad(Regex(QStringLiteral("Save(")));
    EXPECT_FALSE(bad.IsValid());
    EXPECT_FALSE(bad.ErrorString().isEmpty());
    EXPECT_TRUE(Found(snapshot, Regex(QStringLiteral("Save("))).isEmpty());
    // Matches of no length would be a hit at every position: they are skipped.
    EXPECT_EQ(FoundIn(QStringLiteral("axxb"), Regex(QStringLiteral("x*"))),
              QStringList({"t:1:2:2"}));
}

TEST(NotebookSearch, ARunawayPatternEndsAndCanBeCancelled) {
    QString text;
    for (int i = 0; i < 20; ++i)
        text += QString(40, u'a') + QStringLiteral("!\r\n");
    // Backtracking on (a+)+$ doubles with every 'a'; the engine's limit ends each line.
    EXPECT_TRUE(FoundIn(text, Regex(QStringLiteral("(a+)+$"))).isEmpty());

    TNotebookSearcher searcher(Regex(QStringLiteral("(a+)+$")));
    std::vector<TSearchHit> hits;
    int asked = 0;
    EXPECT_FALSE(searcher.Search(text, 0, hits, [&] { return ++asked > 2; }));
    EXPECT_EQ(asked, 3);  // stopped at the third line
}

TEST(NotebookSearch, PlainBlockSearchEqualsALineByLineSearch) {
    // The plain search runs over a snippet's whole text at once; it must find exactly what
    // the engine finds line by line, at the same lines and columns.
    QRandomGenerator random(7);
    const QString alphabet = QStringLiteral("aAb_ .\r\n日");
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int len = static_cast<int>(random.bounded(60));
        for (int i = 0; i < len; ++i)
            text += alphabet[static_cast<qsizetype>(random.bounded(alphabet.size()))];
        const QString pattern = round % 3 == 0 ? QStringLiteral("a") : QStringLiteral("ab");
        const bool matchCase = round % 2 == 0;
        const bool word = round % 5 < 2;
        QStringList expected;
        TCodeEditSearch engine;
        TSearchOptions options;
        if (matchCase) options |= ssoMatchCase;
        if (word) options |= ssoWholeWord;
        engine.SetOptions(options);
        engine.SetPattern(pattern);
        const QStringList lines = QString(text)
                                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                      .replace(u'\r', u'\n')
                                      .split(u'\n');
        for (qsizetype l = 0; l < lines.size(); ++l) {
            const qsizetype count = engine.FindAll(lines[l]);
            for (qsizetype k = 0; k < count; ++k)
                expected << QStringLiteral("t:%1:%2:%3")
                                .arg(l + 1)
                                .arg(engine.Results(k))
                                .arg(pattern.size());
        }
        ASSERT_EQ(FoundIn(text, Plain(pattern, matchCase, word)), expected)
            << text.toStdString() << " / " << pattern.toStdString();
    }
}

TEST(NotebookSearch, LineAtGivesTheHitsLineWithoutItsBreak) {
    const QString text = QStringLiteral("one\r\ntwo x\rthree");
    TNotebookSearcher searcher(Plain(QStringLiteral("x")));
    std::vector<TSearchHit> hits;
    searcher.Search(text, 0, hits);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(LineAt(text, hits[0].LineStart).toString(), QStringLiteral("two x"));
    EXPECT_TRUE(LineAt(text, text.size() + 1).isEmpty());
}

// Runs the event loop until the runner reports the end of its latest search.
struct TRunnerProbe {
    TNotebookSearchRunner runner;
    QStringList delivered;
    int finished = 0;
    std::shared_ptr<TSearchSnapshot> snapshot;

    TRunnerProbe() {
        runner.OnHits = [this](std::vector<TSearchHit>& hits) {
            for (const TSearchHit& h : hits)
                delivered << LineAt((*snapshot)[static_cast<size_t>(h.Snippet)].Text, h.LineStart)
                                 .mid(h.Column - 1, h.Length)
                                 .toString();
        };
        runner.OnFinished = [this](bool) { ++finished; };
    }
};

TEST(NotebookSearchRunner, ANewerSearchLeavesNoResultsOfTheOlderOne) {
    TRunnerProbe probe;
    probe.snapshot = std::make_shared<TSearchSnapshot>();
    for (int i = 0; i < 3000; ++i)
        probe.snapshot->push_back({nullptr, -1, QStringLiteral("s"),
                                   QStringLiteral("old old old\r\nnew\r\n").repeated(20)});
    probe.runner.Start(probe.snapshot, Plain(QStringLiteral("old")));
    // The first search queues its batches (and maybe its end) while the event loop is held.
    QThread::msleep(150);
    probe.runner.Start(probe.snapshot, Plain(QStringLiteral("new")));
    probe.delivered.clear();
    probe.finished = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.finished > 0; }, 20000));
    // Batches of the first search still queued when the second started are dropped.
    QTest::qWait(50);
    EXPECT_EQ(probe.finished, 1);
    EXPECT_EQ(probe.delivered.size(), 3000 * 20);
    EXPECT_EQ(probe.delivered.count(QStringLiteral("new")), probe.delivered.size());
}

TEST(NotebookSearchRunner, CancelDropsEverythingStillToCome) {
    TRunnerProbe probe;
    probe.snapshot = std::make_shared<TSearchSnapshot>(
        TSearchSnapshot(2000, {nullptr, -1, QStringLiteral("s"), QString(3000, u'x')}));
    probe.runner.Start(probe.snapshot, Plain(QStringLiteral("x")));
    QThread::msleep(100);
    probe.runner.Cancel();
    QTest::qWait(300);
    EXPECT_TRUE(probe.delivered.isEmpty());
    EXPECT_EQ(probe.finished, 0);
    EXPECT_FALSE(probe.runner.IsRunning());
}

TEST(NotebookSearchRunner, StopsCollectingAtTheHitLimit) {
    TRunnerProbe probe;
    bool truncated = false;
    probe.runner.OnFinished = [&](bool t) {
        truncated = t;
        ++probe.finished;
    };
    probe.snapshot = std::make_shared<TSearchSnapshot>(
        TSearchSnapshot(100, {nullptr, -1, QStringLiteral("s"), QString(3000, u'x')}));
    probe.runner.Start(probe.snapshot, Plain(QStringLiteral("x")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.finished > 0; }, 20000));
    EXPECT_TRUE(truncated);
    EXPECT_EQ(static_cast<size_t>(probe.delivered.size()), TNotebookSearchRunner::kMaxHits);
}

}  // namespace

TEST(SearchResultModel, ShowsALongLineAroundItsHitAndCountsHitsSplitOverBatches) {
    auto snapshot = std::make_shared<TSearchSnapshot>();
    const QString line = QString(5000, u'a') + QStringLiteral("\tneedle") + QString(5000, u'b');
    snapshot->push_back({nullptr, -1, QStringLiteral("top"), QStringLiteral("x\r\n") + line});
    snapshot->push_back({nullptr, 0, QStringLiteral("child"), QStringLiteral("needle needle")});
    TSearchResultModel model;
    model.Reset(snapshot);
    std::vector<TSearchHit> hits;
    TNotebookSearcher searcher(Plain(QStringLiteral("needle")));
    searcher.Search((*snapshot)[0].Text, 0, hits);
    searcher.Search((*snapshot)[1].Text, 1, hits);
    ASSERT_EQ(hits.size(), 3u);
    model.Append({hits[0], hits[1]});
    model.Append({hits[2]});  // the child's second hit comes in the next batch
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.data(model.index(0)).toString(), QStringLiteral("top  (1)"));
    EXPECT_EQ(model.data(model.index(2)).toString(), QStringLiteral("top › child  (2)"));
    EXPECT_EQ(model.HitAt(2), nullptr);
    EXPECT_EQ(model.HitCount(), 3);
    EXPECT_EQ(model.SnippetCount(), 2);

    const QString shown = model.data(model.index(1)).toString();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("2: …a")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("b…")));
    EXPECT_LT(shown.size(), 400);
    const int start = model.data(model.index(1), TSearchResultModel::MarkStartRole).toInt();
    const int length = model.data(model.index(1), TSearchResultModel::MarkLengthRole).toInt();
    EXPECT_EQ(shown.mid(start, length), QStringLiteral("needle"));
    EXPECT_EQ(shown.mid(start - 1, 1), QStringLiteral(" "));  // the tab, shown as a space
    EXPECT_EQ(model.data(model.index(4)).toString(), QStringLiteral("1: needle needle"));
    EXPECT_EQ(model.data(model.index(4), TSearchResultModel::MarkStartRole).toInt(), 10);
}
