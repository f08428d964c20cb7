#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "tests/support/QtPrinters.h"

namespace {

struct TEditRun {
    int exitCode = -1;
    QJsonObject json;
    QString err;
};

TEditRun CodeEditRun(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(CODEEDIT_RUN_EXE), args);
    EXPECT_TRUE(process.waitForStarted()) << CODEEDIT_RUN_EXE;
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    TEditRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.json = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QJsonArray Pos(int c, int l) {
    return QJsonArray{c, l};
}

}  // namespace

TEST(CodeEditRun, PrintsTheEditorStateAfterTheSteps) {
    const TEditRun run = CodeEditRun(
        {"--text", "    abc", "--", "caret:7,1", "ecLineBreak", "ecChar:x", "ecSelLeft"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("    ab\r\n    xc"));
    EXPECT_EQ(run.json["caret"].toArray(), Pos(5, 2));
    EXPECT_EQ(run.json["blockBegin"].toArray(), Pos(5, 2));
    EXPECT_EQ(run.json["blockEnd"].toArray(), Pos(6, 2));
    EXPECT_TRUE(run.json["selAvail"].toBool());
    EXPECT_EQ(run.json["selText"].toString(), QStringLiteral("x"));
    EXPECT_EQ(run.json["mode"].toString(), QStringLiteral("normal"));
    EXPECT_TRUE(run.json["canUndo"].toBool());
    EXPECT_FALSE(run.json["canRedo"].toBool());
    EXPECT_TRUE(run.json["modified"].toBool());
    EXPECT_TRUE(run.json["result"].isNull());
}

TEST(CodeEditRun, KeysGoThroughTheBindingTable) {
    const TEditRun run = CodeEditRun({"--text", "some words", "--", "key:Ctrl+Shift+Right",
                                      "key:Ctrl+K", "key:Ctrl+U", "key:End", "key:Shift+A"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("SOME wordsA"));
}

TEST(CodeEditRun, PasteReplaceAndOptions) {
    TEditRun run =
        CodeEditRun({"--text", "ab\r\ncd", "--mode", "line", "--", "caret:2,1",
                     "paste:column:X\r\nY", "replace:ssoReplaceAll,ssoEntireScope:b:BB"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("aXBB\r\ncYd"));
    EXPECT_EQ(run.json["result"].toInt(), 1);
    EXPECT_EQ(run.json["mode"].toString(), QStringLiteral("line"));

    run = CodeEditRun({"--text", "x", "--tabwidth", "4", "--option", "eoTabsToSpaces=off",
                       "--option", "eoSmartTabs=off", "--", "ecTab", "ecUndo", "ecRedo"});
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("\tx"));
    EXPECT_TRUE(run.json["canUndo"].toBool());

    run = CodeEditRun({"--text", "x", "--readonly", "--", "ecChar:y", "ecDeleteChar"});
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("x"));
    EXPECT_FALSE(run.json["canUndo"].toBool());

    run = CodeEditRun({"--text", "abc", "--overwrite", "--", "ecChar:X"});
    EXPECT_EQ(run.json["text"].toString(), QStringLiteral("Xbc"));
}

TEST(CodeEditRun, BadStepsFailWithAMessage) {
    for (const QStringList& args :
         {QStringList{"--", "ecNoSuchCommand"}, QStringList{"--", "caret:1"},
          QStringList{"--", "ecChar:xy"}, QStringList{"--", "key:Hyper+Q"},
          QStringList{"--", "paste:sideways:x"}, QStringList{"--", "replace:ssoBogus:a:b"},
          QStringList{"--", "ecLeft:3"}, QStringList{"--option", "eoNothing=on", "--"},
          QStringList{"--tabwidth", "0", "--"}, QStringList{"stray"}}) {
        const TEditRun run = CodeEditRun(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.json.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("codeedit-run: "))) << run.err.toStdString();
    }
}
