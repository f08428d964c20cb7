// What every language of the highlighter registry must do; a new entry is covered here
// without a line of its own.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <set>

#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

class TRegistryTest : public testing::TestWithParam<const THighlighterEntry*> {};

}  // namespace

TEST(HighlighterRegistry, ChoicesAreDistinctAndInOrder) {
    int previous = 0;
    for (const THighlighterEntry& entry : HighlighterRegistry()) {
        EXPECT_GT(entry.Choice, previous) << entry.Name;
        EXPECT_LT(entry.Choice, kHighlighterChoices) << entry.Name;
        EXPECT_EQ(FindHighlighterEntry(entry.Choice), &entry);
        EXPECT_EQ(HighlighterChoiceName(entry.Choice), QString::fromUtf8(entry.Name));
        previous = entry.Choice;
    }
    EXPECT_EQ(FindHighlighterEntry(0), nullptr);
    EXPECT_EQ(CreateHighlighterForChoice(0), nullptr);
    EXPECT_EQ(CreateHighlighterForChoice(kHighlighterChoices), nullptr);
    EXPECT_EQ(HighlighterChoiceName(0), QStringLiteral("テキスト"));
    EXPECT_TRUE(HighlighterChoiceName(-1).isEmpty());
    EXPECT_EQ(CreateHighlighterForChoice(1)->GetLanguageName(), QStringLiteral("ObjectPascal"));
    EXPECT_EQ(CreateHighlighterForChoice(5)->GetLanguageName(), QStringLiteral("CandCPlusPlus"));
}

TEST_P(TRegistryTest, EveryTokenFontReachesAnAttribute) {
    const THighlighterEntry& entry = *GetParam();
    const auto h = entry.Create();
    const auto targets = TokenFontTargets(entry, *h);
    for (int role = 0; role < kTokenFontRoles; ++role) {
        if (entry.TokenFontAttributes[size_t(role)])
            EXPECT_NE(targets[size_t(role)], nullptr)
                << "no attribute " << entry.TokenFontAttributes[size_t(role)];
        else
            EXPECT_EQ(targets[size_t(role)], nullptr);
    }
    // Only Pascal, Python and C++ take the float colour; all take the six others.
    const bool takesFloat = entry.Choice == 1 || entry.Choice == 3 || entry.Choice == 5;
    EXPECT_EQ(targets[tfFloat] != nullptr, takesFloat);
    // The token fonts go to the attributes that paint comments, identifiers and so on.
    EXPECT_EQ(targets[tfComment], h->GetDefaultAttribute(0));
    EXPECT_EQ(targets[tfKey], h->GetDefaultAttribute(2));
}

TEST_P(TRegistryTest, SampleSourceTilesAndClosesWhatItOpens) {
    const auto h = GetParam()->Create();
    const QStringList lines = SplitIntoLines(h->GetSampleSource());
    ASSERT_GE(lines.size(), 20) << "the benchmark scans the sample: it must be real code";
    std::set<std::string> kinds;
    for (const TScannedLine& line : ScanLines(*h, lines))
        for (const std::string& token : line.Tokens)
            kinds.insert(token.substr(token.find(' ') + 1));
    EXPECT_GE(kinds.size(), 8u) << "the sample shows too few kinds of token";
    h->ResetRange();
    const TCodeEditRange start = h->GetRange();
    EXPECT_EQ(ScanLines(*h, lines).back().Range, start);
}

TEST_P(TRegistryTest, RandomLinesTileAndEveryRangeIsTakenBack) {
    // Lines of the characters scanners care about, plus a few from other scripts, scanned
    // with the range carried as the editor does (the fuzz target goes much further).
    const THighlighterEntry& entry = *GetParam();
    const auto h = entry.Create();
    static const char16_t alphabet[] =
        u" \t\"'`#$@\\/*(){}[]<>=!&|+-.,:;?%^~_09aexXlLuUfFjJrRbB"
        u"\u00e9\u3042\u00a7\U0001F600";
    QRandomGenerator random(entry.Choice);
    for (int options = 0; options < 4; ++options) {
        if (entry.SetOptions) entry.SetOptions(*h, quint8(options * 0x41));
        h->ResetRange();
        TCodeEditRange range = h->GetRange();
        for (int n = 0; n < 2000; ++n) {
            QString line;
            for (int i = random.bounded(24); i > 0; --i)
                line += QChar(alphabet[random.bounded(int(std::size(alphabet)) - 1)]);
            range = ScanLine(*h, line, range).Range;
            h->SetRange(range);
            ASSERT_EQ(h->GetRange(), range) << "a range the scanner gave is not taken back";
        }
    }
    // A range no scanner gives starts afresh.
    h->ResetRange();
    const TCodeEditRange start = h->GetRange();
    h->SetRange(TCodeEditRange(-7));
    EXPECT_EQ(h->GetRange(), start);
    h->SetRange(TCodeEditRange(1000));
    EXPECT_EQ(h->GetRange(), start);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, TRegistryTest, testing::ValuesIn(RegistryEntries()),
                         RegistryEntryName);
