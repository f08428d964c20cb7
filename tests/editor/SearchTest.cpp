#include <gtest/gtest.h>

#include <QList>
#include <QRandomGenerator>

#include "editor/CodeEditSearch.h"

namespace {

QList<qsizetype> FindAll(TCodeEditSearch& engine, const QString& pattern, const QString& text,
                         TSearchOptions options = {}) {
    engine.SetOptions(options);
    engine.SetPattern(pattern);
    engine.FindAll(text);
    QList<qsizetype> hits;
    for (qsizetype i = 0; i < engine.ResultCount(); ++i)
        hits.append(engine.Results(i));
    return hits;
}

// Leftmost, non-overlapping hits found the slow way.
QList<qsizetype> NaiveFindAll(const QString& pattern, const QString& text, TSearchOptions options) {
    const bool matchCase = options.testFlag(ssoMatchCase);
    auto fold = [&](QChar c) { return matchCase ? c : c.toLower(); };
    QList<qsizetype> hits;
    const qsizetype m = pattern.size();
    for (qsizetype i = 0; i + m <= text.size();) {
        bool match = true;
        for (qsizetype j = 0; j < m && match; ++j)
            match = fold(text[i + j]) == fold(pattern[j]);
        if (match && options.testFlag(ssoWholeWord)) {
            match = (i == 0 || TCodeEditSearch::IsDelimiter(text[i - 1].unicode())) &&
                    (i + m == text.size() || TCodeEditSearch::IsDelimiter(text[i + m].unicode()));
        }
        if (match) {
            hits.append(i + 1);
            i += m;
        } else {
            ++i;
        }
    }
    return hits;
}

}  // namespace

TEST(Search, HitsDoNotOverlap) {
    TCodeEditSearch engine;
    EXPECT_EQ(FindAll(engine, "ab", "abab"), QList<qsizetype>({1, 3}));
    EXPECT_EQ(FindAll(engine, "aa", "aaa"), QList<qsizetype>({1}));
    EXPECT_EQ(FindAll(engine, "aa", "aaaa"), QList<qsizetype>({1, 3}));
    EXPECT_EQ(FindAll(engine, "abc", "ab"), QList<qsizetype>());
    EXPECT_EQ(FindAll(engine, "a\r\nb", "a b"), QList<qsizetype>());
    EXPECT_EQ(FindAll(engine, QStringLiteral("日本"), QStringLiteral("にっぽん日本と日本")),
              QList<qsizetype>({5, 8}));
    EXPECT_EQ(engine.Lengths(0), 2);
    EXPECT_EQ(engine.Results(2), 0);
    EXPECT_EQ(engine.Results(-1), 0);
}

TEST(Search, WholeWordsEndAtDelimitersOnly) {
    TCodeEditSearch engine;
    EXPECT_EQ(FindAll(engine, "foo", "foo_bar foo", ssoWholeWord), QList<qsizetype>({9}));
    EXPECT_EQ(FindAll(engine, "foo", "(foo)", ssoWholeWord), QList<qsizetype>({2}));
    EXPECT_EQ(FindAll(engine, "foo", QStringLiteral("foo漢 漢foo"), ssoWholeWord),
              QList<qsizetype>());
    EXPECT_EQ(FindAll(engine, "foo", QStringLiteral("foo§foo\u00B0"), ssoWholeWord),
              QList<qsizetype>({1, 5}));
    EXPECT_EQ(FindAll(engine, "foo", "foofoo foo", ssoWholeWord), QList<qsizetype>({8}));
}

TEST(Search, CaseIsFoldedUnitByUnit) {
    TCodeEditSearch engine;
    EXPECT_EQ(FindAll(engine, "ABC", "xabcXABC"), QList<qsizetype>({2, 6}));
    EXPECT_EQ(FindAll(engine, "ABC", "xabcXABC", ssoMatchCase), QList<qsizetype>({6}));
    EXPECT_EQ(FindAll(engine, QStringLiteral("ΣΑ"), QStringLiteral("σα-ΣΑ")),
              QList<qsizetype>({1, 4}));
}

TEST(Search, PatternKeepsItsSpellingAcrossCaseModes) {
    TCodeEditSearch engine;
    engine.SetPattern("abc");
    engine.SetPattern("ABC");  // equal once folded, but a different pattern
    EXPECT_EQ(engine.Pattern(), "ABC");
    engine.SetOptions(ssoMatchCase);
    engine.FindAll("abc ABC");
    EXPECT_EQ(engine.ResultCount(), 1);
    EXPECT_EQ(engine.Results(0), 5);
}

TEST(Search, EmptyPatternIsAnError) {
    TCodeEditSearch engine;
    try {
        engine.FindAll("text");
        FAIL() << "no error for an empty pattern";
    } catch (const EMarrowpadError& e) {
        EXPECT_EQ(e.Message(), "Pattern is empty");
    }
    engine.SetPattern("x");
    engine.SetPattern("");
    EXPECT_THROW(engine.FindFirst("x"), EMarrowpadError);
}

TEST(Search, FindFirstAndNextWalkTheHitsAndCount) {
    TCodeEditSearch engine;
    EXPECT_EQ(engine.Next(), 0);  // nothing searched yet
    engine.SetPattern("x");
    QString text = "x-x";
    EXPECT_EQ(engine.FindFirst(text), 1);
    text = "changed";  // the engine keeps its own copy
    EXPECT_EQ(engine.Next(), 3);
    EXPECT_EQ(engine.Next(), 0);
    EXPECT_EQ(engine.Next(), 0);
    EXPECT_EQ(engine.Count(), 2);
    engine.SetPattern("x");
    EXPECT_EQ(engine.Count(), 0);
    EXPECT_EQ(engine.FindFirst(""), 0);
}

TEST(Search, FixResultsShiftsTheHitsAfterAReplacement) {
    TCodeEditSearch engine;
    FindAll(engine, "a", "a.a.a.a");
    engine.FixResults(3, -2);  // a replacement at 3 grew the line by two
    QList<qsizetype> hits;
    for (qsizetype i = 0; i < engine.ResultCount(); ++i)
        hits.append(engine.Results(i));
    EXPECT_EQ(hits, QList<qsizetype>({1, 3, 7, 9}));
    engine.FixResults(0, 0);
    EXPECT_EQ(engine.Results(3), 9);
    EXPECT_EQ(engine.Replace("a", "bb"), "bb");
    EXPECT_EQ(engine.PreprocessReplaceExpression("\\n"), "\\n");
}

TEST(Search, SkipSearchAgreesWithASlowScan) {
    // Small alphabets make near-misses and repeated units common, which is where skip
    // distances go wrong.
    const QString alphabet = QStringLiteral("aAb_ .(漢");
    QRandomGenerator random(20240605);
    auto randomText = [&](int maxLength) {
        QString s;
        const int n = random.bounded(maxLength + 1);
        for (int i = 0; i < n; ++i)
            s += alphabet[random.bounded(alphabet.size())];
        return s;
    };
    TCodeEditSearch engine;
    for (int round = 0; round < 4000; ++round) {
        QString pattern = randomText(4);
        if (pattern.isEmpty()) pattern = "a";
        const QString text = randomText(40);
        TSearchOptions options;
        if (random.bounded(2)) options |= ssoMatchCase;
        if (random.bounded(2)) options |= ssoWholeWord;
        ASSERT_EQ(FindAll(engine, pattern, text, options), NaiveFindAll(pattern, text, options))
            << "pattern '" << pattern.toStdString() << "' text '" << text.toStdString()
            << "' options " << options.toInt();
    }
}
