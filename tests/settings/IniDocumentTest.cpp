#include <gtest/gtest.h>

#include <QStringDecoder>

#include "platform/CodePage.h"
#include "settings/IniDocument.h"
#include "tests/support/TestFiles.h"

namespace {

TIniDocument Parse(const QByteArray& bytes) {
    TIniDocument doc;
    doc.LoadFromBytes(bytes);
    return doc;
}

QString Utf8(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

}  // namespace

TEST(IniDocument, HandEditedFileIsReadAndWrittenBackInItsOwnLayout) {
    const QByteArray file =
        "; written by hand\r\n"
        "orphan=before any section\r\n"
        "\r\n"
        "  [ memo ]  \r\n"
        "  Font.Name  =  DejaVu Sans Mono  \n"
        "WordWrap=0\r"
        "just some text\r\n"
        "\t; a comment inside\r\n"
        "Empty=\r\n"
        "=no key\r\n"
        "[Form]\r\n"
        "Top=1\r\n"
        "[MEMO]\r\n"
        "wordwrap=1\r\n";
    TIniDocument doc = Parse(file);

    EXPECT_EQ(doc.SectionNames(), QStringList({"memo", "Form"}));
    EXPECT_EQ(doc.Value(u"Memo", u"FONT.name"), QStringLiteral("DejaVu Sans Mono"));
    // the later of two equal keys wins, also across a reopened section
    EXPECT_EQ(doc.Value(u"Memo", u"WordWrap"), QStringLiteral("1"));
    EXPECT_TRUE(doc.ValueExists(u"memo", u"just some text"));
    EXPECT_EQ(doc.Value(u"memo", u"just some text"), std::nullopt);
    EXPECT_EQ(doc.Value(u"memo", u"Empty"), QString());
    EXPECT_EQ(doc.Value(u"memo", u""), QStringLiteral("no key"));
    EXPECT_FALSE(doc.ValueExists(u"memo", u"orphan"));
    EXPECT_EQ(doc.Keys(u"MEMO"),
              QStringList({"Font.Name", "WordWrap", "just some text", "Empty", "", "wordwrap"}));

    // names keep their letter case from the file when values are written into them
    doc.SetValue(u"MEMO", u"WORDWRAP", QStringLiteral("0"));
    doc.SetValue(u"MEMO", u"Just Some Text", QStringLiteral("now a pair"));
    doc.SetValue(u"Syn", u"Key", QStringLiteral("x"));
    EXPECT_EQ(Utf8(doc.SaveToBytes()),
              "[memo]\r\n"
              "Font.Name=DejaVu Sans Mono\r\n"
              "WordWrap=0\r\n"
              "just some text=now a pair\r\n"
              "Empty=\r\n"
              "=no key\r\n"
              "wordwrap=0\r\n"
              "\r\n"
              "[Form]\r\n"
              "Top=1\r\n"
              "\r\n"
              "[Syn]\r\n"
              "Key=x\r\n"
              "\r\n");
}

TEST(IniDocument, OnlyControlCharactersAndSpacesAreTrimmed) {
    // U+3000 is a character of the value, not a blank; NUL and tab are blanks
    const char raw[] = "[S]\r\n\tk\x01 =\x1f\xe3\x80\x80v\xe3\x80\x80 \0";
    TIniDocument doc = Parse(QByteArray(raw, sizeof raw - 1));
    EXPECT_EQ(doc.Value(u"S", u"k"), QStringLiteral("\u3000v\u3000"));
    EXPECT_EQ(Parse("[]\r\n=\r\n").Lines(u""), QStringList({"="}));
    EXPECT_EQ(Parse("[a]b]\r\nx").SectionNames(), QStringList({"a]b"}));
}

TEST(IniDocument, ByteOrderMarksAreDetectedAndWrittenBack) {
    const QString text = QStringLiteral("[名前]\r\n鍵=値\r\n\r\n");
    struct TCase {
        const char* mark;
        QStringConverter::Encoding encoding;
        TIniEncoding expected;
    };
    for (const TCase& c : {TCase{"EF BB BF", QStringConverter::Utf8, TIniEncoding::Utf8Bom},
                           TCase{"FF FE", QStringConverter::Utf16LE, TIniEncoding::Utf16LE},
                           TCase{"FE FF", QStringConverter::Utf16BE, TIniEncoding::Utf16BE}}) {
        QStringEncoder encoder(c.encoding);
        const QByteArray file = Hex(c.mark) + QByteArray(encoder.encode(text));
        TIniDocument doc = Parse(file);
        EXPECT_EQ(doc.Encoding(), c.expected) << c.mark;
        EXPECT_EQ(doc.Value(u"名前", u"鍵"), QStringLiteral("値"));
        EXPECT_EQ(doc.SaveToBytes(), file) << ToHex(doc.SaveToBytes());
    }
}

TEST(IniDocument, FilesWithoutMarkAreUtf8UnlessTheyAreNot) {
    TIniDocument fresh;
    EXPECT_EQ(fresh.Encoding(), std::nullopt);
    fresh.SetValue(u"S", u"k", QStringLiteral("é"));
    EXPECT_EQ(fresh.SaveToBytes(), QByteArray("[S]\r\nk=\xc3\xa9\r\n\r\n"));

    TIniDocument utf8 = Parse("[S]\r\nk=\xc3\xa9\r\n");
    EXPECT_EQ(utf8.Encoding(), TIniEncoding::Utf8);
    EXPECT_EQ(utf8.Value(u"S", u"k"), QStringLiteral("é"));

    // an old file in the legacy code page is read as such and saved without damage
    const QByteArray legacy = "[Memo]\r\nFont.Name=" + EncodeAnsi(u"ＭＳ ゴシック") + "\r\n\r\n";
    TIniDocument old = Parse(legacy);
    EXPECT_EQ(old.Encoding(), TIniEncoding::Ansi);
    EXPECT_EQ(old.Value(u"Memo", u"Font.Name"), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(old.SaveToBytes(), legacy);
    // text that code page cannot hold is saved as UTF-8 rather than as '?'
    old.SetValue(u"Memo", u"Note", QStringLiteral("€ ✓"));
    EXPECT_EQ(Utf8(old.SaveToBytes()),
              QStringLiteral("[Memo]\r\nFont.Name=ＭＳ ゴシック\r\nNote=€ ✓\r\n\r\n"));
}

TEST(IniDocument, EditsKeepOrderAndRemoveWholeKeys) {
    TIniDocument doc = Parse("[A]\r\nk=1\r\nK=2\r\nflag\r\n[B]\r\nx=1\r\n");
    doc.DeleteKey(u"a", u"k");
    // both entries go, so the earlier value does not come back
    EXPECT_FALSE(doc.ValueExists(u"A", u"k"));
    doc.DeleteKey(u"A", u"FLAG");
    EXPECT_TRUE(doc.SectionExists(u"a"));
    EXPECT_EQ(doc.EntryCount(u"A"), 0);
    doc.EraseSection(u"b");
    EXPECT_FALSE(doc.SectionExists(u"B"));
    doc.SetValue(u"B", u"y", QStringLiteral("2"));
    EXPECT_EQ(Utf8(doc.SaveToBytes()), "[A]\r\n\r\n[B]\r\ny=2\r\n\r\n");
    EXPECT_TRUE(doc.Modified());
}

TEST(IniDocument, CaseSensitiveLookupCanBeSwitched) {
    TIniDocument doc = Parse("[S]\r\nKey=upper\r\nkey=lower\r\n");
    EXPECT_EQ(doc.Value(u"s", u"KEY"), QStringLiteral("lower"));
    doc.SetCaseSensitive(true);
    EXPECT_EQ(doc.Value(u"S", u"Key"), QStringLiteral("upper"));
    EXPECT_EQ(doc.Value(u"S", u"key"), QStringLiteral("lower"));
    EXPECT_FALSE(doc.SectionExists(u"s"));
    doc.SetValue(u"s", u"key", QStringLiteral("new section"));
    EXPECT_EQ(doc.SectionNames(), QStringList({"S", "s"}));
    doc.SetCaseSensitive(false);
    EXPECT_EQ(doc.Value(u"s", u"KEY"), QStringLiteral("lower"));
}

TEST(IniDocument, EmptyInputGivesAnEmptyFile) {
    EXPECT_EQ(Parse("").SaveToBytes(), QByteArray());
    EXPECT_EQ(Parse(Hex("EF BB BF")).SaveToBytes(), Hex("EF BB BF"));
    // an odd trailing byte of UTF-16 does not lose the lines before it
    EXPECT_EQ(Parse(Hex("FF FE 5B 00 53 00 5D 00 0A 00 6B 00 3D 00 31 00 0A")).Value(u"S", u"k"),
              QStringLiteral("1"));
}
