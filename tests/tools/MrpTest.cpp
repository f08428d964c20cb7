#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"
#include "tests/support/TestFiles.h"

namespace {

struct TRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

TRun Mrp(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess process;
    process.start(QStringLiteral(MRP_EXE), args);
    EXPECT_TRUE(process.waitForStarted()) << MRP_EXE;
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    TRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class MrpTest : public ::testing::Test {
protected:
    TTestDir Dir;

    QString WriteJson(const QByteArray& json) {
        const QString path = Dir.Path(QStringLiteral("in.json"));
        WriteFileBytes(path, json);
        return path;
    }

    // Runs a command that must fail, and returns its message.
    QString Failure(const QStringList& args, int expectedExit = 1) {
        const TRun run = Mrp(args);
        EXPECT_EQ(run.exitCode, expectedExit) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.trimmed().isEmpty()) << args.join(' ').toStdString();
        return run.err;
    }
};

}  // namespace

TEST_F(MrpTest, CreateThenDumpRoundTripsWithLevelsReadAsTheFileReaderDoes) {
    const QByteArray json = R"([
        {"level": 0, "title": "abc", "icon": 1, "text": "abc\r\nbody\r\n"},
        {"level": 3, "title": "新規項目", "icon": 200, "text": "新規項目"},
        {"level": 1, "title": "c", "icon": -1, "text": ""},
        {"level": -5, "title": "d", "icon": 32768, "text": "d\r\n"}
    ])";
    const QString mrp = Dir.Path(QStringLiteral("out.mrp"));
    const TRun create = Mrp({QStringLiteral("create"), WriteJson(json), mrp});
    ASSERT_EQ(create.exitCode, 0) << create.err.toStdString();

    const TRun dump = Mrp({QStringLiteral("dump"), mrp});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    QJsonArray expected = QJsonDocument::fromJson(json).array();
    // The deep level becomes one level down, the negative one top level.
    const int levels[] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
        QJsonObject item = expected[i].toObject();
        item[QStringLiteral("level")] = levels[i];
        expected[i] = item;
    }
    EXPECT_EQ(QJsonDocument::fromJson(dump.out), QJsonDocument(expected)) << dump.out.toStdString();

    // The same JSON from standard input gives the same file.
    const QString again = Dir.Path(QStringLiteral("again.mrp"));
    ASSERT_EQ(Mrp({QStringLiteral("create"), QStringLiteral("-"), again}, json).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(again), ReadFileBytes(mrp));
}

TEST_F(MrpTest, CreateWritesTheNotebookFormat) {
    const QString mrp = Dir.Path(QStringLiteral("x.mrp"));
    ASSERT_EQ(Mrp({QStringLiteral("create"),
                   WriteJson(R"([{"level":0,"title":"abc","icon":1,"text":"x"}])"), mrp})
                  .exitCode,
              0);
    EXPECT_EQ(ToHex(ReadFileBytes(mrp)), "01 02 00 06 03 61 62 63 02 01 06 01 78 00");

    ASSERT_EQ(Mrp({QStringLiteral("create"), WriteJson("[]"), mrp}).exitCode, 0);
    EXPECT_EQ(ToHex(ReadFileBytes(mrp)), "01 00");
    EXPECT_EQ(Mrp({QStringLiteral("dump"), mrp}).out.simplified(), "[ ]");
}

TEST_F(MrpTest, ExportTextWritesEachTextAndAnEmptyLine) {
    const QString mrp = Dir.Path(QStringLiteral("x.mrp"));
    WriteFileBytes(
        mrp, Hex("01 02 00 06 01 61 02 01 06 01 61 02 01 06 01 62 02 01 12 01 00 00 00 B0 65 00"));
    const QString txt = Dir.Path(QStringLiteral("x.txt"));
    const TRun run = Mrp({QStringLiteral("export-text"), mrp, txt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ToHex(ReadFileBytes(txt)), ToHex(Hex("61 0D 0A 0D 0A E6 96 B0 0D 0A 0D 0A")));
}

TEST_F(MrpTest, LoadErrorsExitWithTheNotebookMessage) {
    const QString bad = Dir.Path(QStringLiteral("bad.mrp"));
    WriteFileBytes(bad, Hex("01 02 00 06 05 61"));
    TRun run = Mrp({QStringLiteral("dump"), bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(run.err, QStringLiteral("ストリームからの読み取りエラー\n"));

    WriteFileBytes(bad, Hex("07"));
    EXPECT_EQ(Failure({QStringLiteral("dump"), bad}), QStringLiteral("プロパティ値が無効です\n"));
    EXPECT_TRUE(Failure({QStringLiteral("export-text"), bad, Dir.Path(QStringLiteral("x.txt"))})
                    .startsWith(QStringLiteral("プロパティ値が無効です")));
    EXPECT_FALSE(QFile::exists(Dir.Path(QStringLiteral("x.txt"))));

    const QString missing = Dir.Path(QStringLiteral("missing.mrp"));
    EXPECT_TRUE(Failure({QStringLiteral("dump"), missing})
                    .startsWith(QStringLiteral("ファイル %1 は開けません。 ").arg(missing)));
    EXPECT_TRUE(Failure({QStringLiteral("create"), WriteJson("[]"),
                         Dir.Path(QStringLiteral("no/such.mrp"))})
                    .startsWith(QStringLiteral("ファイル \"%1\" を作成できません。")
                                    .arg(Dir.Path(QStringLiteral("no/such.mrp")))));
}

// --salvage prints the snippets read before the damage, and still fails with the message.
TEST_F(MrpTest, DumpSalvagePrintsWhatCanBeRead) {
    const QString bad = Dir.Path(QStringLiteral("bad.mrp"));
    WriteFileBytes(bad, Hex("01 02 00 06 01 61 02 01 06 01 78 02 00 06 05 61"));
    TRun run = Mrp({QStringLiteral("dump"), QStringLiteral("--salvage"), bad});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("ストリームからの読み取りエラー\n"));
    const QJsonArray items = QJsonDocument::fromJson(run.out).array();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].toObject().value(QStringLiteral("title")).toString(), QStringLiteral("a"));
    EXPECT_EQ(items[0].toObject().value(QStringLiteral("text")).toString(), QStringLiteral("x"));

    const QString good = Dir.Path(QStringLiteral("good.mrp"));
    WriteFileBytes(good, Hex("01 02 00 06 01 61 02 01 06 01 78 00"));
    run = Mrp({QStringLiteral("dump"), QStringLiteral("--salvage"), good});
    EXPECT_EQ(run.exitCode, 0) << "a whole notebook salvages as a plain dump";
    EXPECT_EQ(QJsonDocument::fromJson(run.out).array().size(), 1);
}

TEST_F(MrpTest, RejectsBadJsonAndBadShapesWithoutWritingAFile) {
    const QString out = Dir.Path(QStringLiteral("out.mrp"));
    const QByteArray cases[] = {
        "[{\"level\": 0,",                                                      // not JSON
        "{\"level\": 0}",                                                       // not an array
        "[1]",                                                                  // not an object
        R"([{"level": 0, "title": "a", "icon": 1}])",                           // a key missing
        R"([{"level": 0, "title": "a", "icon": 1, "text": "", "titel": ""}])",  // unknown key
        R"([{"level": 0.5, "title": "a", "icon": 1, "text": ""}])",             // not an integer
        R"([{"level": 0, "title": "a", "icon": 4294967296, "text": ""}])",      // beyond 32 bits
        R"([{"level": 0, "title": "a", "icon": "1", "text": ""}])",             // a string number
        R"([{"level": 0, "title": 5, "icon": 1, "text": ""}])",                 // not a string
        R"([{"level": 0, "title": "a", "icon": 1, "text": null}])",
    };
    for (const QByteArray& json : cases) {
        Failure({QStringLiteral("create"), WriteJson(json), out});
        EXPECT_FALSE(QFile::exists(out)) << json.toStdString();
    }
    EXPECT_TRUE(Failure({QStringLiteral("create"), Dir.Path(QStringLiteral("none.json")), out})
                    .contains(QStringLiteral("開けません")));
}

TEST_F(MrpTest, ArgumentsAreCheckedAndHelpAndVersionAnswer) {
    Failure({}, 2);
    Failure({QStringLiteral("frobnicate")}, 2);
    Failure({QStringLiteral("dump")}, 2);
    Failure({QStringLiteral("create"), QStringLiteral("a.json")}, 2);
    Failure({QStringLiteral("export-text"), QStringLiteral("a"), QStringLiteral("b"),
             QStringLiteral("c")},
            2);

    const TRun help = Mrp({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("mrp dump FILE"));
    const TRun version = Mrp({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("mrp ")) << version.out.toStdString();
    EXPECT_TRUE(QChar(QLatin1Char(version.out.at(4))).isDigit()) << version.out.toStdString();
}

TEST_F(MrpTest, GrepPrintsEveryHitWithItsTitlePathLineAndColumn) {
    const QByteArray json = R"([
        {"level": 0, "title": "ファイル", "icon": 1, "text": "ファイル\r\n保存は QSaveFile で"},
        {"level": 1, "title": "100%2", "icon": 1, "text": "qsavefile\nx QSaveFile QSaveFile"},
        {"level": 0, "title": "other", "icon": 1, "text": "QSaveFiles"}
    ])";
    const QString mrp = Dir.Path(QStringLiteral("grep.mrp"));
    ASSERT_EQ(Mrp({QStringLiteral("create"), WriteJson(json), mrp}).exitCode, 0);

    TRun run = Mrp({QStringLiteral("grep"), QStringLiteral("QSaveFile"), mrp});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Columns count UTF-16 units, not the bytes of the output.
    EXPECT_EQ(QString::fromUtf8(run.out),
              QStringLiteral("ファイル:2:5: 保存は QSaveFile で\n"
                             "ファイル › 100%2:2:3: x QSaveFile QSaveFile\n"
                             "ファイル › 100%2:2:13: x QSaveFile QSaveFile\n"
                             "other:1:1: QSaveFiles\n"));
    run = Mrp({QStringLiteral("grep"), QStringLiteral("-iw"), QStringLiteral("qsavefile"), mrp});
    EXPECT_EQ(run.out.count('\n'), 4) << run.out.toStdString();
    run = Mrp({QStringLiteral("grep"), QStringLiteral("-E"), QStringLiteral("-w"),
               QStringLiteral("Q\\w+s$"), mrp});
    EXPECT_EQ(QString::fromUtf8(run.out), QStringLiteral("other:1:1: QSaveFiles\n"));

    // Nothing found is 1; errors are 2, with a message.
    run = Mrp({QStringLiteral("grep"), QStringLiteral("absent"), mrp});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(
        Failure({QStringLiteral("grep"), QStringLiteral("-E"), QStringLiteral("Q("), mrp}, 2)
            .contains(QStringLiteral("正規表現")));
    Failure({QStringLiteral("grep"), QStringLiteral("x"), Dir.Path(QStringLiteral("none.mrp"))}, 2);
    Failure({QStringLiteral("grep"), QStringLiteral("-x"), QStringLiteral("x"), mrp}, 2);
    Failure({QStringLiteral("grep"), QStringLiteral("x")}, 2);
    Failure({QStringLiteral("grep"), QString(), mrp}, 2);
    // After "--" a pattern may start with a dash.
    EXPECT_EQ(
        Mrp({QStringLiteral("grep"), QStringLiteral("--"), QStringLiteral("-w"), mrp}).exitCode, 1);
}

TEST_F(MrpTest, TokensSpeaksEveryLanguageOfTheRegistry) {
    for (int choice = 1; choice < kHighlighterChoices; ++choice) {
        const QString lang = QString::number(choice);
        const THighlighterEntry* entry = FindHighlighterEntry(choice);
        if (!entry) {
            Failure({QStringLiteral("tokens"), QStringLiteral("--lang"), lang, MRP_EXE});
            continue;
        }
        const auto h = entry->Create();
        const QString path = Dir.Path(QStringLiteral("sample.txt"));
        WriteFileBytes(path, h->GetSampleSource().toUtf8());
        const TRun run = Mrp({QStringLiteral("tokens"), QStringLiteral("--lang"), lang, path});
        EXPECT_EQ(run.exitCode, 0) << entry->Name << run.err.toStdString();
        EXPECT_EQ(run.out, DumpFileTokens(*h, path)) << entry->Name;
    }
    Failure({QStringLiteral("tokens"), QStringLiteral("--lang"), QStringLiteral("0"), MRP_EXE}, 2);
    Failure({QStringLiteral("tokens"), QStringLiteral("--lang"), QStringLiteral("8"), MRP_EXE}, 2);
}

TEST_F(MrpTest, HtmlPrintsTheClipboardBytesOrTheDocumentAlone) {
    const QString path = Dir.Path(QStringLiteral("a.pas"));
    WriteFileBytes(path, QStringLiteral("{ 日本語 } begin\r\n  x := 'a<b';\r\n").toUtf8());
    const TRun clip = Mrp({QStringLiteral("html"), QStringLiteral("--lang"), QStringLiteral("1"),
                           QStringLiteral("--clipboard"), path});
    ASSERT_EQ(clip.exitCode, 0) << clip.err.toStdString();
    const TRun doc =
        Mrp({QStringLiteral("html"), path, QStringLiteral("--lang"), QStringLiteral("1")});
    ASSERT_EQ(doc.exitCode, 0) << doc.err.toStdString();
    EXPECT_TRUE(clip.out.startsWith("Version:0.9\r\nStartHTML:0000000105\r\n"));
    EXPECT_EQ(doc.out, clip.out.sliced(105)) << "text/html is the data from StartHTML on";
    EXPECT_TRUE(doc.out.endsWith("<br></span></code></pre><!--EndFragment--></body>\r\n</html>"));
    EXPECT_TRUE(doc.out.contains("<span class=\"pas1-comment\">{&nbsp;日本語&nbsp;}</span>"));
    EXPECT_TRUE(doc.out.contains(".pas1-comment { color: #228B22; font-style: italic; }"))
        << "the light token colours";
    EXPECT_TRUE(doc.out.contains("'a&lt;b'"));

    const TRun plain =
        Mrp({QStringLiteral("html"), QStringLiteral("--lang"), QStringLiteral("0"), path});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_TRUE(plain.out.contains("<pre><code>{&nbsp;日本語&nbsp;}&nbsp;begin<br>"))
        << "no highlighter: text without spans";

    WriteFileBytes(path, QByteArray("bad \xff utf-8"));
    EXPECT_TRUE(
        Failure({QStringLiteral("html"), QStringLiteral("--lang"), QStringLiteral("1"), path})
            .contains(QStringLiteral("UTF-8のテキストではありません")));
    Failure({QStringLiteral("html"), path}, 2);
    Failure({QStringLiteral("html"), QStringLiteral("--lang"), QStringLiteral("8"), path}, 2);
    Failure({QStringLiteral("html"), QStringLiteral("--lang"), QStringLiteral("1"),
             QStringLiteral("--frob"), path},
            2);
}

TEST_F(MrpTest, ExportHtmlWritesTheNotebookPageOrNothing) {
    const QString mrp = Dir.Path(QStringLiteral("n.mrp"));
    ASSERT_EQ(
        Mrp({QStringLiteral("create"),
             WriteJson(R"([{"level": 0, "title": "<b>", "icon": 1, "text": "int x;"}])"), mrp})
            .exitCode,
        0);
    const QString html = Dir.Path(QStringLiteral("n.html"));
    const TRun run = Mrp(
        {QStringLiteral("export-html"), QStringLiteral("--lang"), QStringLiteral("5"), mrp, html});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray page = ReadFileBytes(html);
    EXPECT_TRUE(page.contains("<title>n.mrp</title>"));
    EXPECT_TRUE(page.contains("<h1 id=\"snippet-1\">&lt;b&gt;</h1>"));
    EXPECT_TRUE(page.contains("<span class=\"cpp1-reservedword\">int</span>"));

    const QString other = Dir.Path(QStringLiteral("other.html"));
    EXPECT_TRUE(
        Failure({QStringLiteral("export-html"), Dir.Path(QStringLiteral("none.mrp")), other})
            .contains(QStringLiteral("開けません")));
    EXPECT_FALSE(QFile::exists(other));
    Failure({QStringLiteral("export-html"), mrp}, 2);
}
