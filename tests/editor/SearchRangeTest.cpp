// Which hits a selection-only search takes: the same ones whichever way it runs (search,
// single replace, prompted replace, replace-all in one pass), forwards and backwards, and
// whatever the replacement does to the lines it lands in.
#include "tests/editor/CodeEditFixture.h"

namespace {

// The ways one search can be run over the same selection.
enum class TWay { SearchOnly, Replace, ReplaceAll, PromptEach, PromptThenAll };

const char* NameOf(TWay Way) {
    switch (Way) {
        case TWay::SearchOnly:
            return "search only";
        case TWay::Replace:
            return "single replace";
        case TWay::ReplaceAll:
            return "replace all";
        case TWay::PromptEach:
            return "prompted, each hit replaced";
        case TWay::PromptThenAll:
            return "prompted, answered replace all";
    }
    return "";
}

class SearchRangeTest : public CodeEditTest {
protected:
    // Two lines, each with "xa" at 1, 3, 6, 9 and 11. The selection (2, 1)-(10, 2) leaves out,
    // by one column, the hit at (1, 1) before it and the hit at (9, 2) after it.
    void SelectAcrossTwoLines(TSelectionMode Mode) {
        SetText(QStringLiteral("xaxa xa xaxa\nxaxa xa xaxa"));
        Edit.SetSelectionMode(Mode);
        Select(2, 1, 10, 2);
    }

    int Run(TWay Way, const QString& Replacement, bool Backward) {
        TSearchOptions options = ssoSelectedOnly;
        if (Backward) options |= ssoBackwards;
        int asked = 0;
        Edit.OnReplaceText = nullptr;
        switch (Way) {
            case TWay::SearchOnly:
                break;
            case TWay::Replace:
                options |= ssoReplace;
                break;
            case TWay::ReplaceAll:
                options |= ssoReplaceAll;
                break;
            case TWay::PromptEach:
            case TWay::PromptThenAll:
                options |= ssoReplaceAll | ssoPrompt;
                Edit.OnReplaceText = [&, Way](TCustomCodeEdit*, const QString&, const QString&, int,
                                              int, TReplaceAction& Action) {
                    ++asked;
                    Action = Way == TWay::PromptEach ? raReplace : raReplaceAll;
                };
                break;
        }
        const int count = Edit.SearchReplace(QStringLiteral("xa"), Replacement, options);
        Edit.OnReplaceText = nullptr;
        if (Way == TWay::PromptEach) {
            EXPECT_EQ(asked, count) << "one question per hit";
        }
        return count;
    }
};

}  // namespace

TEST_F(SearchRangeTest, HitsJustOutsideTheSelectionAreLeftAloneEveryWay) {
    struct TCase {
        TSelectionMode Mode;
        QString Replacement;
        int Count;
        QString Text;
    };
    const TCase cases[] = {
        {smNormal, QStringLiteral("Y"), 7, QStringLiteral("xaY Y YY\nYY Y xaxa")},
        {smColumn, QStringLiteral("Y"), 4, QStringLiteral("xaY Y xaxa\nxaY Y xaxa")},
        // A replacement that breaks lines moves the rest of the line down; the bounds stay
        // where they were in the text as it was.
        {smNormal, QStringLiteral("\r\n"), 7, QStringLiteral("xa\n \n \n\n\n\n\n \n xaxa")},
        {smColumn, QStringLiteral("\r\n"), 4, QStringLiteral("xa\n \n xaxa\nxa\n \n xaxa")},
        {smColumn, QStringLiteral("\n<\r"), 4,
         QStringLiteral("xa\n<\n \n<\n xaxa\nxa\n<\n \n<\n xaxa")},
    };
    for (const TCase& c : cases) {
        for (TWay way : {TWay::ReplaceAll, TWay::PromptEach, TWay::PromptThenAll}) {
            for (bool backward : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << NameOf(way) << (backward ? ", backwards" : ", forwards")
                             << (c.Mode == smColumn ? ", column mode" : ", normal mode")
                             << ", replacement "
                             << QString(c.Replacement)
                                    .replace(u'\r', QStringLiteral("\\r"))
                                    .replace(u'\n', QStringLiteral("\\n"))
                                    .toStdString());
                SelectAcrossTwoLines(c.Mode);
                EXPECT_EQ(Run(way, c.Replacement, backward), c.Count);
                EXPECT_EQ(Text(), c.Text);
                // Each prompted replacement is a step of its own; otherwise all are one.
                if (way == TWay::PromptEach)
                    UndoAll();
                else
                    Edit.Undo();
                EXPECT_EQ(Text(), QStringLiteral("xaxa xa xaxa\nxaxa xa xaxa"));
            }
        }
    }
}

TEST_F(SearchRangeTest, ASingleHitIsTheFirstOrLastInsideTheSelection) {
    for (TSelectionMode mode : {smNormal, smColumn}) {
        SCOPED_TRACE(mode == smColumn ? "column mode" : "normal mode");
        // Forwards the first hit in range is (3, 1); backwards the last is (6, 2), the hit
        // at (9, 2) sticking out of both selections.
        SelectAcrossTwoLines(mode);
        EXPECT_EQ(Run(TWay::SearchOnly, QString(), false), 1);
        EXPECT_EQ(Edit.BlockBegin(), BC(3, 1));
        SelectAcrossTwoLines(mode);
        EXPECT_EQ(Run(TWay::SearchOnly, QString(), true), 1);
        EXPECT_EQ(Edit.BlockBegin(), BC(6, 2));
        SelectAcrossTwoLines(mode);
        EXPECT_EQ(Run(TWay::Replace, QStringLiteral("Y"), false), 1);
        EXPECT_EQ(Text(), QStringLiteral("xaY xa xaxa\nxaxa xa xaxa"));
        SelectAcrossTwoLines(mode);
        EXPECT_EQ(Run(TWay::Replace, QStringLiteral("Y"), true), 1);
        EXPECT_EQ(Text(), QStringLiteral("xaxa xa xaxa\nxaxa Y xaxa"));
    }
}
