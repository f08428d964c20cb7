#include <QDir>
#include <QIcon>
#include <QImage>

#include "app/CommandLine.h"
#include "resources/Resources.h"
#include "tests/app/Form1Fixture.h"

namespace {

TCommandLine Parse(const QStringList& arguments) {
    return ParseCommandLine(QStringList{QStringLiteral("marrowpad")} + arguments);
}

}  // namespace

TEST(CommandLine, HelpAndVersionAnswerWithTextInsteadOfStarting) {
    for (const char* help : {"--help", "-h"}) {
        const TCommandLine line = Parse({QString::fromLatin1(help), QStringLiteral("a.mrp")});
        EXPECT_EQ(line.Action, clHelp) << help;
        EXPECT_TRUE(line.Output.startsWith(QStringLiteral("使い方: marrowpad"))) << help;
        EXPECT_TRUE(line.Output.contains(QStringLiteral("-h, --help")))
            << line.Output.toStdString();
        EXPECT_TRUE(line.Output.contains(QStringLiteral("-v, --version")))
            << line.Output.toStdString();
    }
    for (const char* version : {"--version", "-v"}) {
        const TCommandLine line = Parse({QString::fromLatin1(version)});
        EXPECT_EQ(line.Action, clVersion) << version;
        EXPECT_EQ(line.Output,
                  QStringLiteral("marrowpad %1\n").arg(QLatin1String(MARROWPAD_VERSION)));
    }
}

TEST(CommandLine, AnUnknownOptionIsAnErrorThatNamesItAndStartsNothing) {
    const TCommandLine line = Parse({QStringLiteral("--frobnicate"), QStringLiteral("a.mrp")});
    EXPECT_EQ(line.Action, clError);
    EXPECT_TRUE(line.FileName.isEmpty());
    EXPECT_EQ(line.Output, QStringLiteral("marrowpad: 不明なオプションです: frobnicate\n"
                                          "'marrowpad --help' で使い方を表示します。\n"));
}

TEST(CommandLine, TheFirstFileIsMadeAbsoluteAndADashedNameFollowsTheDoubleDash) {
    TTestDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.Root());
    const TCommandLine relative = Parse({QStringLiteral("sub/../ノート.mrp"), QStringLiteral("b")});
    const TCommandLine dashed = Parse({QStringLiteral("--"), QStringLiteral("-x.mrp")});
    QDir::setCurrent(old);
    EXPECT_EQ(relative.Action, clRun);
    EXPECT_EQ(relative.FileName, QDir(dir.Root()).filePath(QStringLiteral("ノート.mrp")));
    EXPECT_EQ(dashed.Action, clRun);
    EXPECT_EQ(dashed.FileName, QDir(dir.Root()).filePath(QStringLiteral("-x.mrp")));

    EXPECT_EQ(Parse({QStringLiteral("/tmp/a.mrp")}).FileName, QStringLiteral("/tmp/a.mrp"));
    EXPECT_TRUE(Parse({}).FileName.isEmpty());
    EXPECT_TRUE(Parse({QString()}).FileName.isEmpty());
}

// A notebook named relative to the folder the program started in is saved back to that
// file even after the working folder has changed.
TEST_F(Form1Test, ARelativeNotebookArgumentOpensAndSavesInPlace) {
    MakeNotebook(QStringLiteral("rel.mrp"), {{0, "one", 1, "one"}});
    const QByteArray before = ReadFileBytes(Dir.Path(QStringLiteral("rel.mrp")));
    Start(Parse({QStringLiteral("rel.mrp")}).FileName);
    EXPECT_EQ(Form->Notebook().Count(), 1);
    EXPECT_EQ(Form->PanelText(0), QStringLiteral("rel.mrp"));

    TTestDir elsewhere;
    QDir::setCurrent(elsewhere.Root());
    Form->AddBtnClick();
    Form->Memo().SetText(QStringLiteral("two"));
    Trigger("SaveOverWriteCmd");
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_FALSE(QFile::exists(elsewhere.Path(QStringLiteral("rel.mrp"))));
    EXPECT_NE(ReadFileBytes(Dir.Path(QStringLiteral("rel.mrp"))), before);
}

TEST_F(Form1Test, TheWindowShowsTheApplicationIcon) {
    Start();
    const QIcon expected(ApplicationIconPath());
    ASSERT_FALSE(expected.isNull());
    for (int size : {16, 32}) {
        EXPECT_EQ(Form->windowIcon().pixmap(size).toImage(), expected.pixmap(size).toImage())
            << size;
    }
}
