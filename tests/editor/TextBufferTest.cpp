#include <gtest/gtest.h>

#include <QBuffer>
#include <QList>
#include <functional>

#include "editor/CodeEditTextBuffer.h"
#include "platform/CodePage.h"
#include "tests/support/TestFiles.h"

namespace {

QStringList Lines(const TCodeEditStringList& list) {
    QStringList lines;
    for (qsizetype i = 0; i < list.Count(); ++i)
        lines.append(list.Strings(i));
    return lines;
}

// Runs Body and returns the message of the ECodeEditStringList it raises.
QString IndexError(const std::function<void()>& Body) {
    try {
        Body();
    } catch (const ECodeEditStringList& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

// Records the list's events as short strings, in order.
struct TEventLog {
    QStringList events;
    explicit TEventLog(TCodeEditStringList& list) {
        list.OnChanging = [this](TCodeEditStringList*) { events << "changing"; };
        list.OnChange = [this](TCodeEditStringList*) { events << "change"; };
        list.OnCleared = [this](TCodeEditStringList*) { events << "cleared"; };
        auto named = [this](const char* name) {
            return [this, name](TCodeEditStringList*, qsizetype index, qsizetype count) {
                events << QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(index).arg(count);
            };
        };
        list.OnInserted = named("inserted");
        list.OnDeleted = named("deleted");
        list.OnPutted = named("putted");
    }
};

void Load(TCodeEditStringList& list, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    list.LoadFromStream(buffer);
}

QByteArray Save(TCodeEditStringList& list) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    list.SaveToStream(buffer);
    return buffer.data();
}

}  // namespace

TEST(TextBuffer, TextSetterCutsAtEveryLineBreakForm) {
    struct TCase {
        QString text;
        QStringList lines;
        QString readBack;
    };
    const TCase cases[] = {
        {"a\r\nb\r\n", {"a", "b"}, "a\r\nb"},
        {"a\r\n\r\n", {"a", ""}, "a\r\n"},
        {"a\rb\nc", {"a", "b", "c"}, "a\r\nb\r\nc"},
        {"a\n\rb", {"a", "", "b"}, "a\r\n\r\nb"},  // LF CR is two breaks
        {"a\r\r\nb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"\r\n", {""}, ""},
        {"\n\n", {"", ""}, "\r\n"},
        {"", {}, ""},
        {"no break", {"no break"}, "no break"},
    };
    for (const TCase& c : cases) {
        TCodeEditStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text.toStdString();
        EXPECT_EQ(list.Text(), c.readBack) << c.text.toStdString();
    }
}

TEST(TextBuffer, TextSetterClearsAndAddsInsideOneBracket) {
    TCodeEditStringList list;
    list.SetText("old");
    TEventLog log(list);
    list.SetText("a\nb");
    EXPECT_EQ(log.events,
              QStringList({"changing", "cleared", "inserted 0 1", "inserted 1 1", "change"}));
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TextBuffer, PutAtCountAppends) {
    TCodeEditStringList list;
    TEventLog log(list);
    list.Put(0, "first");
    list.Put(list.Count(), "second");
    list.Put(0, "FIRST");
    EXPECT_EQ(Lines(list), QStringList({"FIRST", "second"}));
    EXPECT_EQ(log.events,
              QStringList({"changing", "inserted 0 1", "change", "changing", "inserted 1 1",
                           "change", "changing", "putted 0 1", "change"}));
    EXPECT_EQ(IndexError([&] { list.Put(3, "x"); }), "Invalid stringlist index 3");
}

TEST(TextBuffer, IndexErrorsNameTheIndexAndReadsOutsideAreEmpty) {
    TCodeEditStringList list;
    list.SetText("a\nb");
    EXPECT_EQ(IndexError([&] { list.Delete(2); }), "Invalid stringlist index 2");
    EXPECT_EQ(IndexError([&] { list.Insert(3, "x"); }), "Invalid stringlist index 3");
    EXPECT_EQ(IndexError([&] { list.Insert(-1, "x"); }), "Invalid stringlist index -1");
    EXPECT_EQ(IndexError([&] { list.DeleteLines(2, 1); }), "Invalid stringlist index 2");
    EXPECT_EQ(IndexError([&] { list.InsertLines(5, 1); }), "Invalid stringlist index 5");
    EXPECT_EQ(IndexError([&] { list.Exchange(0, 7); }), "Invalid stringlist index 7");
    EXPECT_EQ(IndexError([&] { list.PutObject(2, nullptr); }), "Invalid stringlist index 2");
    EXPECT_EQ(IndexError([&] { list.PutRange(-3, 0); }), "Invalid stringlist index -3");
    EXPECT_EQ(Lines(list), QStringList({"a", "b"}));  // nothing changed on the way
    EXPECT_EQ(list.UpdateCount(), 0);

    EXPECT_EQ(list.Strings(list.Count() + 5), QString());
    EXPECT_EQ(list.Strings(-1), QString());
    EXPECT_EQ(list.Objects(9), nullptr);
    EXPECT_EQ(list.ExpandedStrings(9), QString());
    EXPECT_EQ(list.ExpandedStringLengths(9), 0);
    EXPECT_EQ(list.LineCharLength(9), 0);
    EXPECT_EQ(list.LineCharIndex(9), 0);

    try {
        list.SetCapacity(1);
        FAIL() << "capacity below count accepted";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "Stringlist capacity cannot be smaller than count");
    }
    // Nothing to do is not an error, whatever the index.
    list.DeleteLines(99, 0);
    list.InsertLines(99, -1);
    EXPECT_EQ(list.Count(), 2);
}

TEST(TextBuffer, LineRecordsKeepRangeAndObjectWhenTheirTextIsReplaced) {
    TCodeEditStringList list;
    list.Add("x");
    EXPECT_EQ(list.Ranges(0), kNoRange);
    int marker = 0;
    list.PutObject(0, &marker);
    list.PutRange(0, 7);
    list.Put(0, "y");
    EXPECT_EQ(list.Objects(0), &marker);
    EXPECT_EQ(list.Ranges(0), 7);

    TCodeEditStringList copy;
    copy.AddStrings(list);
    EXPECT_EQ(copy.Objects(0), &marker);
    EXPECT_EQ(copy.Ranges(0), kNoRange);  // ranges belong to the scan of each list
}

TEST(TextBuffer, CapacityGrowsBySixteenThenByAQuarter) {
    TCodeEditStringList list;
    QList<qsizetype> capacities;
    for (int i = 0; i < 101; ++i) {
        list.Add(QString());
        if (capacities.isEmpty() || capacities.last() != list.Capacity())
            capacities.append(list.Capacity());
    }
    EXPECT_EQ(capacities, QList<qsizetype>({16, 32, 48, 64, 80, 100, 125}));

    TCodeEditStringList lines;
    lines.Add("a");
    lines.AddStrings(QStringList({"b", "c", "d"}));
    EXPECT_EQ(lines.Capacity(), 16);
    lines.AddStrings(QStringList(20, "x"));
    EXPECT_EQ(lines.Capacity(), 32);  // 24 lines rounded up to a multiple of 16
    lines.InsertLines(0, 10);
    EXPECT_EQ(lines.Capacity(), 34);  // exactly what the new lines need
}

TEST(TextBuffer, MultiLineOperationsReportOnceAndDeleteLinesIsCut) {
    TCodeEditStringList list;
    list.SetText("a\nb\nc");
    TEventLog log(list);
    list.InsertStrings(1, {"x", "y"});
    EXPECT_EQ(log.events,
              QStringList({"changing", "inserted 1 2", "putted 1 1", "putted 2 1", "change"}));
    log.events.clear();
    list.DeleteLines(3, 100);
    EXPECT_EQ(log.events, QStringList({"changing", "deleted 3 2", "change"}));
    EXPECT_EQ(Lines(list), QStringList({"a", "x", "y"}));
    list.InsertText(3, "p\r\nq\r\n");
    EXPECT_EQ(Lines(list), QStringList({"a", "x", "y", "p", "q"}));
    list.Exchange(0, 4);
    EXPECT_EQ(Lines(list), QStringList({"q", "x", "y", "p", "a"}));
    log.events.clear();
    list.Clear();
    list.Clear();  // an empty list stays quiet
    EXPECT_EQ(log.events, QStringList({"changing", "cleared", "change"}));
}

TEST(TextBuffer, OwnLinesCanBeFedBackIn) {
    TCodeEditStringList list;
    list.Add("seed");
    for (int i = 0; i < 40; ++i)
        list.Add(list.Strings(0));  // grows the array on the way
    list.Insert(0, list.Strings(40));
    list.Put(list.Count(), list.Strings(1));
    EXPECT_EQ(list.Count(), 43);
    EXPECT_EQ(list.Strings(42), "seed");
    list.SetText(list.Strings(0) + "\nx");
    list.SetText(list.Strings(0));
    EXPECT_EQ(list.Text(), "seed");
    list.SetTextAndFileFormat(list.Strings(0));
    EXPECT_EQ(list.Text(), "seed");
}

TEST(TextBuffer, AFailingHandlerDoesNotLeaveTheBracketOpen) {
    TCodeEditStringList list;
    list.OnInserted = [](TCodeEditStringList*, qsizetype, qsizetype) {
        throw EMarrowpadError("handler");
    };
    EXPECT_THROW(list.Add("x"), EMarrowpadError);
    EXPECT_EQ(list.UpdateCount(), 0);
    EXPECT_EQ(list.Count(), 1);
    try {
        TCodeEditStringList::TUpdateGuard guard(list);
        list.Add("y");
    } catch (const EMarrowpadError&) {
    }
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TextBuffer, TabsExpandToTheNextStop) {
    TCodeEditStringList list;
    list.SetText("a\tb\n\tx\nab\tc\nplain");
    auto tabs = [](int n) { return QString(n, u'\t'); };

    list.SetTabWidth(4);
    EXPECT_EQ(list.ExpandedStrings(0), "a" + tabs(3) + "b");
    EXPECT_EQ(list.ExpandedStringLengths(0), 5);
    EXPECT_EQ(list.ExpandedStrings(1), tabs(4) + "x");
    EXPECT_EQ(list.LengthOfLongestLine(), 5);

    list.SetTabWidth(8);
    EXPECT_EQ(list.ExpandedStrings(0), "a" + tabs(7) + "b");
    EXPECT_EQ(list.ExpandedStringLengths(2), 9);
    EXPECT_EQ(list.LengthOfLongestLine(), 9);
    EXPECT_EQ(list.IndexOfLongestLine(), 0);  // ties keep the earlier line

    list.SetTabWidth(1);
    EXPECT_EQ(list.ExpandedStrings(0), "a b");
    EXPECT_EQ(list.ExpandedStringLengths(1), 2);

    list.SetTabWidth(3);  // not a power of two
    EXPECT_EQ(list.ExpandedStrings(2), "ab" + tabs(1) + "c");
    EXPECT_EQ(list.ExpandedStrings(3), "plain");
    EXPECT_EQ(list.LengthOfLongestLine(), 5);
}

TEST(TextBuffer, AWideGlyphTakesTheCellsTheEditorMeasures) {
    TCodeEditStringList list;
    int calls = 0;
    // Two cells for everything from U+0100 up, as a CJK font measures them.
    list.SetExpandAtWideGlyphsFunc([&](const QString& s) {
        ++calls;
        QString out;
        for (QChar c : s) {
            if (c.unicode() >= 0x100) out += QChar(0xE000);
            out += c;
        }
        return out;
    });
    list.SetTabWidth(4);
    list.SetText(QStringLiteral("漢\n\t漢x\nascii only"));
    EXPECT_EQ(list.ExpandedStringLengths(0), 2);  // the first answer is the cached one too
    EXPECT_EQ(list.ExpandedStringLengths(0), 2);
    EXPECT_EQ(list.ExpandedStrings(0), QStringLiteral("漢"));
    EXPECT_EQ(list.ExpandedStringLengths(1), 7);
    EXPECT_EQ(list.ExpandedStrings(1), QStringLiteral("\t\t\t\t漢x"));
    EXPECT_EQ(list.ExpandedStringLengths(2), 10);
    EXPECT_EQ(calls, 2);  // lines below U+0100 never reach the hook
    list.FontChanged();
    EXPECT_EQ(list.LengthOfLongestLine(), 10);
    EXPECT_EQ(calls, 4);
}

TEST(TextBuffer, LongestLineFollowsEdits) {
    TCodeEditStringList list;
    list.SetText("aaa\nbbbbb\ncc\nddddd");
    EXPECT_EQ(list.IndexOfLongestLine(), 1);
    list.Put(1, "b");  // the longest shrinks: the other line of five takes over
    EXPECT_EQ(list.IndexOfLongestLine(), 3);
    list.Insert(0, "eeeeee");
    EXPECT_EQ(list.IndexOfLongestLine(), 0);
    EXPECT_EQ(list.LengthOfLongestLine(), 6);
    list.Delete(0);
    EXPECT_EQ(list.LengthOfLongestLine(), 5);
    list.Exchange(3, 0);
    EXPECT_EQ(list.IndexOfLongestLine(), 0);
    list.Clear();
    EXPECT_EQ(list.LengthOfLongestLine(), 0);
}

TEST(TextBuffer, FileFormatFollowsTheLineBreaksFound) {
    struct TCase {
        QString text;
        QStringList lines;
        TCodeEditFileFormat format;
    };
    const TCase cases[] = {
        {"a\nb", {"a", "b"}, sffUnix},
        {"a\r\nb\r\n", {"a", "b", ""}, sffDos},  // the final break keeps its line
        {"a\rb", {"a", "b"}, sffMac},
        {QStringLiteral("a\u2028b"), {"a", "b"}, sffUnicode},
        {"a\nb\r\n", {"a", "b", ""}, sffDos},  // mixed
        {"a", {"a"}, sffDos},
        {QString::fromLatin1("a\0b\0", 4), {"a", "b"}, sffDos},
        {"", {}, sffDos},
    };
    for (const TCase& c : cases) {
        TCodeEditStringList list;
        list.SetFileFormat(sffMac);
        TEventLog log(list);
        list.SetTextAndFileFormat(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text.toStdString();
        EXPECT_EQ(list.FileFormat(), c.format) << c.text.toStdString();
        if (!c.lines.isEmpty()) {
            EXPECT_TRUE(log.events.contains(QStringLiteral("inserted 0 %1").arg(c.lines.size())));
        }
    }
}

TEST(TextBuffer, LoadingDetectsByteOrderMarksAndUtf8) {
    struct TCase {
        const char* name;
        QByteArray bytes;
        TTextEncoding encoding;
        bool bom;
        QString text;
    };
    const QByteArray ascii(100, 'a');
    const TCase cases[] = {
        {"utf-8 bom", Hex("EF BB BF 61 E6 96 B0"), teUTF8, true, QStringLiteral("a新")},
        {"utf-16le bom", Hex("FF FE 61 00 B0 65"), teUTF16LE, true, QStringLiteral("a新")},
        {"utf-16be bom", Hex("FE FF 00 61 65 B0"), teUTF16BE, true, QStringLiteral("a新")},
        {"utf-8 found", ascii + Hex("E6 96 B0"), teUTF8, false, ascii + QStringLiteral("新")},
        {"cp932", Hex("82 A0 0D 0A 41"), teAnsi, false, QStringLiteral("あ\r\nA")},
        {"lone continuation", Hex("41 80 41"), teAnsi, false, DecodeAnsi(Hex("41 80 41"))},
        {"overlong lead", Hex("C0 80"), teAnsi, false, DecodeAnsi(Hex("C0 80"))},
        {"surrogate range", Hex("ED A0 80"), teAnsi, false, DecodeAnsi(Hex("ED A0 80"))},
        {"cut sequence", Hex("61 E6 96"), teAnsi, false, DecodeAnsi(Hex("61 E6 96"))},
        {"ascii only", "abc", teAnsi, false, "abc"},
        // A second mark after the first one is text.
        {"utf-8 twice", Hex("EF BB BF EF BB BF 61"), teUTF8, true, QStringLiteral("\uFEFFa")},
        {"utf-16be twice", Hex("FE FF FE FF 00 61"), teUTF16BE, true, QStringLiteral("\uFEFFa")},
        {"utf-16le twice", Hex("FF FE FF FE 61 00"), teUTF16LE, true, QStringLiteral("\uFEFFa")},
    };
    for (const TCase& c : cases) {
        TCodeEditStringList list;
        Load(list, c.bytes);
        EXPECT_EQ(list.Encoding(), c.encoding) << c.name;
        EXPECT_EQ(list.WriteBOM(), c.bom) << c.name;
        EXPECT_EQ(list.Text(), c.text) << c.name;
    }
}

TEST(TextBuffer, Utf8IsLookedForInTheFirst16384BytesOnly) {
    const QByteArray utf8 = Hex("E6 96 B0");
    TCodeEditStringList list;
    Load(list, QByteArray(16384, 'a') + utf8);
    EXPECT_EQ(list.Encoding(), teAnsi);
    Load(list, QByteArray(16383, 'a') + utf8);  // the lead byte is the window's last
    EXPECT_EQ(list.Encoding(), teUTF8);
    Load(list, Hex("EF BB BF") + QByteArray(16383, 'a') + utf8);  // counted after the BOM
    EXPECT_EQ(list.Encoding(), teUTF8);
    list.SetDetectUTF8(false);
    Load(list, utf8);
    EXPECT_EQ(list.Encoding(), teAnsi);
}

TEST(TextBuffer, SavingKeepsLineBreaksEncodingAndMark) {
    TCodeEditStringList list;
    Load(list, "a\nb\n");
    EXPECT_EQ(list.FileFormat(), sffUnix);
    EXPECT_EQ(ToHex(Save(list)), ToHex("a\nb\n"));

    Load(list, Hex("EF BB BF 61 0D 0A E6 96 B0"));
    EXPECT_EQ(ToHex(Save(list)), ToHex(Hex("EF BB BF 61 0D 0A E6 96 B0")));

    // Found as UTF-8 without a mark: written back as UTF-8, not squeezed into the code page.
    Load(list, Hex("E2 82 AC 0D 0A"));
    EXPECT_EQ(ToHex(Save(list)), ToHex(Hex("E2 82 AC 0D 0A")));
}

TEST(TextBuffer, InfoLossLetsTheCallerPickAnotherEncoding) {
    TCodeEditStringList list;
    list.SetText(QStringLiteral("あ"));
    int asked = 0;
    list.OnInfoLoss = [&](TTextEncoding& encoding) {
        ++asked;
        encoding = teUTF8;
    };
    EXPECT_EQ(ToHex(Save(list)), ToHex(Hex("82 A0")));  // fits the code page: not asked
    list.Put(0, QStringLiteral("€ 한"));
    EXPECT_EQ(ToHex(Save(list)), ToHex(QStringLiteral("€ 한").toUtf8()));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(list.Encoding(), teUTF8);
}
