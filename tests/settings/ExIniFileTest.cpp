#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <climits>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
#include "tests/settings/IniTestSupport.h"

namespace {

QString ConvertErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

TEST(ExIniFile, EveryTypedWriteLandsInTheFileAsTheFormatSaysAndReadsBack) {
    TLocaleGuard c(QLocale::c());
    TIniScratch scratch;
    {
        auto ini = scratch.Open();
        ini->WriteString("Style", "Name", "Sky");
        ini->WriteInteger("Form", "Top", 100);
        ini->WriteInt("Form", "Left", -20);
        ini->WriteBool("Memo", "WordWrap", false);
        ini->WriteBool("Memo", "Gutter", true);
        ini->WriteColor("Memo", "BG", 0x808000);
        ini->WriteColor("Memo", "FG", 0xFF000008);
        ini->WriteHex("Memo", "Mask", -1);
        TIniFont font;
        font.Font.setFamily("DejaVu Sans Mono");
        font.Font.setPointSize(10);
        font.Font.setBold(true);
        font.Font.setStrikeOut(true);
        font.Color = 0x0000FF00;
        ini->WriteFont("Syn", "Comment", font);
        ini->WriteList("List", "Recent", {"a.mrp", "b c.mrp"});
        ini->WriteFloat("Num", "Ratio", 0.125);
        ini->WriteFloat("Num", "Big", 1234567.5);
        ini->WriteDate("When", "Date", QDate(2024, 3, 5));
        ini->WriteTime("When", "Time", QTime(13, 4, 5));
        ini->WriteDateTime("When", "Midnight", QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
        ini->WriteDateTime("When", "Stamp", QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)));
        QBuffer bytes;
        bytes.setData(QByteArray("\x00\x7f\xff", 3));
        bytes.open(QIODevice::ReadOnly);
        ini->WriteBinaryStream("Raw", "Data", bytes);
        ini->WriteString("Form", "Top", "120");  // rewritten in place
    }
    EXPECT_EQ(scratch.Text(),
              "[Style]\r\nName=Sky\r\n\r\n"
              "[Form]\r\nTop=120\r\nLeft=-20\r\n\r\n"
              "[Memo]\r\nWordWrap=0\r\nGutter=1\r\nBG=0x00808000\r\nFG=0xFF000008\r\n"
              "Mask=0xFFFFFFFF\r\n\r\n"
              "[Syn]\r\nComment.Name=DejaVu Sans Mono\r\nComment.Size=10\r\nComment.Style=9\r\n"
              "Comment.Color=0x0000FF00\r\n\r\n"
              "[List]\r\nRecent.Count=2\r\nRecent.0=a.mrp\r\nRecent.1=b c.mrp\r\n\r\n"
              "[Num]\r\nRatio=0.125\r\nBig=1234567.5\r\n\r\n"
              "[When]\r\nDate=5 Mar 2024\r\nTime=13:04:05\r\nMidnight=5 Mar 2024\r\n"
              "Stamp=5 Mar 2024 07:08:09\r\n\r\n"
              "[Raw]\r\nData=007FFF\r\n\r\n");

    auto ini = scratch.Open();
    EXPECT_EQ(ini->ReadString("style", "NAME", "x"), "Sky");
    EXPECT_EQ(ini->ReadInteger("Form", "Top", 0), 120);
    EXPECT_EQ(ini->ReadInt("Form", "Left", 0), -20);
    EXPECT_FALSE(ini->ReadBool("Memo", "WordWrap", true));
    EXPECT_TRUE(ini->ReadBool("Memo", "Gutter", false));
    EXPECT_EQ(ini->ReadColor("Memo", "BG", 0), 0x808000u);
    EXPECT_EQ(ini->ReadColor("Memo", "FG", 0), 0xFF000008u);
    EXPECT_EQ(ini->ReadHex("Memo", "Mask", 0), -1);
    TIniFont font;
    ini->ReadFont("Syn", "Comment", font);
    EXPECT_EQ(font.Font.family(), "DejaVu Sans Mono");
    EXPECT_EQ(font.Font.pointSize(), 10);
    EXPECT_EQ(FontStyleBits(font.Font), fsBold | fsStrikeOut);
    EXPECT_EQ(font.Color, 0x0000FF00u);
    QStringList recent;
    ini->ReadList("List", "Recent", recent);
    EXPECT_EQ(recent, QStringList({"a.mrp", "b c.mrp"}));
    EXPECT_EQ(ini->ReadFloat("Num", "Ratio", 0), 0.125);
    EXPECT_EQ(ini->ReadFloat("Num", "Big", 0), 1234567.5);
    EXPECT_EQ(ini->ReadDate("When", "Date", {}), QDate(2024, 3, 5));
    EXPECT_EQ(ini->ReadTime("When", "Time", {}), QTime(13, 4, 5));
    EXPECT_EQ(ini->ReadDateTime("When", "Midnight", {}), QDateTime(QDate(2024, 3, 5), QTime()));
    EXPECT_EQ(ini->ReadDateTime("When", "Stamp", {}), QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9)));
    QBuffer raw;
    raw.open(QIODevice::ReadWrite);
    EXPECT_EQ(ini->ReadBinaryStream("Raw", "Data", raw), 3);
    EXPECT_EQ(raw.data(), QByteArray("\x00\x7f\xff", 3));
}

TEST(ExIniFile, FencesWrapStringsAndComeOffByTheStoresFence) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    ini->SetFence(fcDoubleQuote);
    ini->WriteString("S", "k", "a b");
    ini->WriteInteger("S", "n", 5);  // numbers are never fenced
    ini->WriteHex("S", "h", 16);
    EXPECT_EQ(scratch.Text(), "[S]\r\nk=\"a b\"\r\nn=5\r\nh=0x00000010\r\n\r\n");
    EXPECT_EQ(ini->ReadString("S", "k", ""), "a b");
    EXPECT_EQ(ini->ReadString("S", "missing", "d"), "d");
    EXPECT_EQ(ini->ReadInteger("S", "n", 0), 5);
    ini->SetFence(fcNone);
    EXPECT_EQ(ini->ReadString("S", "k", ""), "\"a b\"");
    ini->SetFence(fcSingleQuote);
    EXPECT_EQ(ini->ReadString("S", "k", ""), "\"a b\"");
    ini->WriteStr("S", "q", "x");
    EXPECT_EQ(ini->Document().Value(u"S", u"q"), "'x'");
    EXPECT_EQ(ini->ReadStr("S", "q", ""), "x");
    // the quotes come off whichever fence the read asked for
    QStringList list{"'quoted'"};
    ini->WriteList("L", "i", list);
    ini->ReadList("L", "i", list);
    EXPECT_EQ(list, QStringList({"quoted"}));
}

TEST(ExIniFile, BadIntegersAndBooleansGiveTheDefault) {
    TIniScratch scratch;
    scratch.Write(
        "[N]\r\nhex=0x1F\r\nHEX=0X1f\r\ndollar=$1f\r\nletters=12abc\r\nneg=-5\r\nplus=+5\r\n"
        "bare=0x\r\nbaredollar=$\r\nempty=\r\nmax=2147483647\r\nover=2147483648\r\n"
        "min=-2147483648\r\nallbits=$FFFFFFFF\r\nwide=0x100000000\r\ninner=1 2\r\n"
        "fullwidth=１２\r\nnovalue\r\n"
        "[B]\r\ntwo=2\r\nzero=0\r\nword=True\r\nempty=\r\n");
    auto ini = scratch.Open();
    const std::pair<const char*, qint32> cases[] = {
        {"hex", 31},      {"HEX", 31},      {"dollar", 31},    {"letters", 7}, {"neg", -5},
        {"plus", 5},      {"bare", 7},      {"baredollar", 7}, {"empty", 7},   {"max", INT_MAX},
        {"over", 7},      {"min", INT_MIN}, {"allbits", -1},   {"wide", 7},    {"inner", 7},
        {"fullwidth", 7}, {"novalue", 7},   {"missing", 7}};
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(ini->ReadInteger("N", key, 7), expected) << key;
    EXPECT_TRUE(ini->ReadBool("B", "two", false));
    EXPECT_FALSE(ini->ReadBool("B", "zero", true));
    for (const char* key : {"word", "empty", "missing"}) {
        EXPECT_TRUE(ini->ReadBool("B", key, true)) << key;
        EXPECT_FALSE(ini->ReadBool("B", key, false)) << key;
    }
}

TEST(ExIniFile, HexReadsTakeCharactersThreeToTenOrRaiseTheConversionError) {
    TIniScratch scratch;
    scratch.Write(
        "[H]\r\nnoprefix=00808000\r\nshort=FF0000\r\nfull=0xFFFFFFFF\r\nother=#x1234\r\n"
        "long=0x123456789\r\nlower=0xabcdef\r\none=1\r\nletters=0xGG\r\nspace=0x 12\r\n"
        "quoted=\"0x10\"\r\n");
    auto ini = scratch.Open();
    EXPECT_EQ(ini->ReadHex("H", "missing", qint32(0x80000001)), qint32(0x80000001));
    EXPECT_EQ(ini->ReadColor("H", "missing", 0xFF000008), 0xFF000008u);
    EXPECT_EQ(ini->ReadHex("H", "noprefix", 0), 0x808000);
    EXPECT_EQ(ini->ReadHex("H", "short", 5), 0);
    EXPECT_EQ(ini->ReadHex("H", "full", 0), -1);
    EXPECT_EQ(ini->ReadHex("H", "other", 0), 0x1234);
    EXPECT_EQ(ini->ReadHex("H", "long", 0), 0x12345678);
    EXPECT_EQ(ini->ReadHex("H", "lower", 0), 0xABCDEF);
    EXPECT_EQ(ConvertErrorOf([&] { ini->ReadHex("H", "one", 0); }), "'$' は整数ではありません");
    EXPECT_EQ(ConvertErrorOf([&] { ini->ReadColor("H", "letters", 0); }),
              "'$GG' は整数ではありません");
    EXPECT_EQ(ConvertErrorOf([&] { ini->ReadHex("H", "space", 0); }),
              "'$ 12' は整数ではありません");
    // characters 3 to 10 of the stored text, quotes included, unless the store's fence
    // takes them off
    EXPECT_EQ(ConvertErrorOf([&] { ini->ReadHex("H", "quoted", 0); }),
              "'$x10\"' は整数ではありません");
    ini->SetFence(fcDoubleQuote);
    EXPECT_EQ(ini->ReadHex("H", "quoted", 0), 16);
}

TEST(ExIniFile, ListsKeepOldItemsAndSurviveDamagedCounts) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    ini->WriteList("L", "Item", {"1", "2", "3", "4", "5"});
    ini->WriteList("L", "Item", {"a", "b"});
    QStringList keys;
    ini->ReadSection("L", keys);
    EXPECT_EQ(keys, QStringList({"Item.Count", "Item.0", "Item.1", "Item.2", "Item.3", "Item.4"}));
    QStringList list{"x"};
    ini->ReadList("L", "Item", list);
    EXPECT_EQ(list, QStringList({"a", "b"}));

    // without keys the caller's strings are the defaults
    list = QStringList{"d0", "d1", "d2"};
    ini->ReadList("L", "Other", list);
    EXPECT_EQ(list, QStringList({"d0", "d1", "d2"}));
    ini->WriteInteger("L", "Other.Count", 4);
    ini->WriteString("L", "Other.1", "one");
    ini->ReadList("L", "Other", list);
    EXPECT_EQ(list, QStringList({"d0", "one", "d2", ""}));

    ini->WriteInteger("L", "Item.Count", -3);
    ini->ReadList("L", "Item", list);
    EXPECT_TRUE(list.isEmpty());
    // a huge count reads no more strings than the section could hold
    ini->WriteInteger("L", "Item.Count", INT_MAX);
    ini->ReadList("L", "Item", list);
    EXPECT_EQ(list.size(), ini->Document().EntryCount(u"L"));
    EXPECT_EQ(list.mid(0, 6), QStringList({"a", "b", "3", "4", "5", ""}));
}

TEST(ExIniFile, FontsReadWithTheirCurrentValuesAsDefaults) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    TIniFont font;
    font.Font.setFamily("Noto Sans Mono CJK JP");
    font.Font.setPointSize(12);
    font.Font.setItalic(true);
    font.Color = 0x123456;
    TIniFont copy = font;
    ini->ReadFont("Syn", "Key", copy);  // nothing stored: unchanged
    EXPECT_EQ(copy.Font.family(), font.Font.family());
    EXPECT_EQ(copy.Font.pointSize(), 12);
    EXPECT_EQ(FontStyleBits(copy.Font), fsItalic);
    EXPECT_EQ(copy.Color, 0x123456u);

    ini->WriteString("Syn", "Key.Name", "Name With  Spaces");
    ini->WriteInteger("Syn", "Key.Size", 0);
    ini->WriteInteger("Syn", "Key.Style", 0x1F5);  // only the low byte counts
    ini->ReadFont("Syn", "Key", copy);
    EXPECT_EQ(copy.Font.family(), "Name With  Spaces");
    EXPECT_EQ(copy.Font.pointSize(), QFont().pointSize());
    EXPECT_EQ(FontStyleBits(copy.Font), fsBold | fsUnderline);
    EXPECT_EQ(copy.Color, 0x123456u);

    // a bad colour raises before the font changes
    ini->WriteString("Syn", "Key.Color", "0xZZ");
    EXPECT_THROW(ini->ReadFont("Syn", "Key", font), EConvertError);
    EXPECT_EQ(font.Font.family(), "Noto Sans Mono CJK JP");
}

TEST(ExIniFile, BinaryStreamsFollowTheMemoryStreamRule) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    ini->WriteString("B", "v", "3132");
    ini->WriteString("B", "bad", "41zz42");
    ini->WriteString("B", "odd", "4");

    QBuffer memory;
    memory.setData("ABCDEF");
    memory.open(QIODevice::ReadWrite);
    memory.seek(2);
    EXPECT_EQ(ini->ReadBinaryStream("B", "v", memory), 4);
    EXPECT_EQ(memory.data(), "AB12EF");
    EXPECT_EQ(memory.pos(), 2);
    EXPECT_EQ(ini->ReadBinaryStream("B", "missing", memory), 0);
    EXPECT_EQ(memory.pos(), 2);
    EXPECT_EQ(ini->ReadBinaryStream("B", "odd", memory), 4);

    QFile file(scratch.Path("bytes.bin"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    EXPECT_EQ(ini->ReadBinaryStream("B", "bad", file), 3);
    EXPECT_EQ(file.pos(), 3);
    file.seek(0);
    EXPECT_EQ(file.readAll(), QByteArray("A\0\0", 3));

    // writing takes the bytes from the current position on
    file.seek(1);
    ini->WriteBinaryStream("B", "tail", file);
    EXPECT_EQ(ini->ReadString("B", "tail", "x"), "0000");
    QBuffer closed;
    EXPECT_THROW(ini->WriteBinaryStream("B", "c", closed), EReadError);
    EXPECT_THROW(ini->ReadBinaryStream("B", "v", closed), EWriteError);
}

TEST(ExIniFile, SectionQueriesAndDeletesReachTheFile) {
    TIniScratch scratch;
    scratch.Write("[A]\r\nx=1\r\nflag\r\n[b]\r\n[C]\r\ny=2\r\n");
    auto ini = scratch.Open();
    QStringList strings{"stale"};
    ini->ReadSections(strings);
    EXPECT_EQ(strings, QStringList({"A", "b", "C"}));
    ini->ReadSectionValues("a", strings);
    EXPECT_EQ(strings, QStringList({"x=1", "flag"}));
    ini->ReadSection("missing", strings);
    EXPECT_TRUE(strings.isEmpty());
    EXPECT_TRUE(ini->SectionExists("B"));
    EXPECT_TRUE(ini->ValueExists("A", "FLAG"));
    EXPECT_EQ(ini->ReadString("A", "flag", "def"), "def");
    ini->WriteString("A", "Flag", "on");  // a no-value line becomes a pair, keeping its case
    ini->DeleteKey("A", "x");
    ini->EraseSection("B");
    EXPECT_EQ(scratch.Text(), "[A]\r\nflag=on\r\n\r\n[C]\r\ny=2\r\n\r\n");
}

TEST(ExIniFile, WithoutAutoUpdateNothingIsWrittenUntilUpdateFile) {
    TIniScratch scratch;
    scratch.Write("[S]\r\nk=old\r\n");
    {
        auto ini = scratch.Open();
        ini->SetAutoUpdate(false);
        ini->WriteString("S", "k", "new");
        EXPECT_EQ(scratch.Text(), "[S]\r\nk=old\r\n");
    }  // dropped unsaved
    EXPECT_EQ(scratch.Text(), "[S]\r\nk=old\r\n");
    auto ini = scratch.Open();
    ini->SetAutoUpdate(false);
    ini->WriteString("S", "k", "new");
    ini->UpdateFile();
    EXPECT_EQ(scratch.Text(), "[S]\r\nk=new\r\n\r\n");
    EXPECT_FALSE(ini->Document().Modified());
}

TEST(ExIniFile, LocaleFormatsRoundTripWithFourDigitYears) {
    TIniScratch scratch;
    auto ini = scratch.Open();
    {
        TLocaleGuard us(QLocale(QLocale::English, QLocale::UnitedStates));
        ini->WriteDate("D", "date", QDate(2024, 3, 5));
        ini->WriteFloat("D", "float", 1234567.125);
        ini->WriteDateTime("D", "stamp", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)));
        EXPECT_EQ(ini->ReadString("D", "date", ""), "3/5/2024");
        EXPECT_EQ(ini->ReadString("D", "float", ""), "1234567.125");
        EXPECT_EQ(ini->ReadDate("D", "date", {}), QDate(2024, 3, 5));
        EXPECT_EQ(ini->ReadDateTime("D", "stamp", {}),
                  QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58)));
        ini->WriteString("D", "yy", "3/5/24");
        EXPECT_EQ(ini->ReadDate("D", "yy", {}), QDate(2024, 3, 5));
        ini->WriteString("D", "grouped", "1,234.5");
        EXPECT_EQ(ini->ReadFloat("D", "grouped", -1), -1);
        ini->WriteString("D", "junk", "tomorrow");
        EXPECT_EQ(ini->ReadDate("D", "junk", QDate(2000, 1, 1)), QDate(2000, 1, 1));
        EXPECT_EQ(ini->ReadTime("D", "junk", QTime(1, 2)), QTime(1, 2));
        EXPECT_EQ(ini->ReadDateTime("D", "junk", {}), QDateTime());
    }
    {
        TLocaleGuard de(QLocale(QLocale::German, QLocale::Germany));
        ini->WriteFloat("D", "half", 0.5);
        EXPECT_EQ(ini->ReadString("D", "half", ""), "0,5");
        EXPECT_EQ(ini->ReadFloat("D", "half", 0), 0.5);
        ini->WriteTime("D", "time", QTime(8, 9, 10));
        EXPECT_EQ(ini->ReadTime("D", "time", {}), QTime(8, 9, 10));
        EXPECT_EQ(ini->ReadFloat("D", "empty", 2.5), 2.5);
    }
}

TEST(ExIniFile, HandEditedFilesKeepTheirByteOrderMarkOnDisk) {
    TIniScratch scratch;
    QStringEncoder utf16(QStringConverter::Utf16LE);
    scratch.Write(Hex("FF FE") +
                  QByteArray(utf16.encode(u"[memo]\r\n Font.Name = 游ゴシック \r\n")));
    auto ini = scratch.Open();
    EXPECT_EQ(ini->ReadString("Memo", "font.name", ""), "游ゴシック");
    ini->WriteInteger("MEMO", "Font.Size", 9);
    EXPECT_EQ(ReadFileBytes(scratch.Path("test.ini")),
              Hex("FF FE") + QByteArray(utf16.encode(
                                 u"[memo]\r\nFont.Name=游ゴシック\r\nFont.Size=9\r\n\r\n")));
}

// A disk that fills up half way through a rewrite: the write fails with the store's message
// and the file keeps what it held. The file-size limit stands in for a full disk.
TEST(ExIniFile, TheFileSurvivesAFailedRewrite) {
    TIniScratch scratch;
    const QByteArray before = "[S]\r\nKey=old\r\n";
    scratch.Write(before);
    auto ini = scratch.Open();
    QString message;
    try {
        TFileSizeLimit limit(1024);
        ini->WriteString(QStringLiteral("S"), QStringLiteral("Key"), QString(4096, u'x'));
    } catch (const EMarrowpadError& e) {
        message = e.Message();
    }
    EXPECT_EQ(message, QStringLiteral("ストリームへの書き込みエラー"));
    EXPECT_EQ(ReadFileBytes(scratch.Path(QStringLiteral("test.ini"))), before);
    // With room again, the next write goes through.
    ini->WriteString(QStringLiteral("S"), QStringLiteral("Key"), QStringLiteral("new"));
    EXPECT_EQ(scratch.Open()->ReadString(QStringLiteral("S"), QStringLiteral("Key"), QString()),
              QStringLiteral("new"));
}
