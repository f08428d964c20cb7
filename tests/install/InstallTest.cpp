// Installs the build into a scratch DESTDIR and checks what lands there with the desktop's
// own validators.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <algorithm>
#include <memory>

#include "tests/support/TestFiles.h"

namespace {

const QString kAppId = QStringLiteral("org.marrowpad.Marrowpad");
const QString kMimeType = QStringLiteral("application/x-marrowpad-notebook");

struct TRun {
    int exitCode = -1;
    QString out;  // standard output and error together
};

TRun RunTool(const QString& program, const QStringList& args,
             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    TRun run;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        run.out = program + QStringLiteral(": ") + process.errorString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAll());
    return run;
}

// The path of a validator. CI installs every one of them, so there a missing tool fails
// the test; on a developer's machine the test is skipped with a note instead.
#define REQUIRE_TOOL(var, name)                                                          \
    const QString var = QStandardPaths::findExecutable(QStringLiteral(name));            \
    if (var.isEmpty()) {                                                                 \
        if (qgetenv("CI") == "true") FAIL() << name << " is not installed";              \
        GTEST_SKIP() << name << " is not installed (cmake/install-deps.sh installs it)"; \
    }

class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fDestDir = std::make_unique<TTestDir>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), fDestDir->Root());
        fInstall = RunTool(QStringLiteral(CMAKE_COMMAND_PATH),
                           {QStringLiteral("--install"), QStringLiteral(MARROWPAD_BINARY_DIR),
                            QStringLiteral("--prefix"), QStringLiteral("/usr")},
                           env);
    }
    static void TearDownTestSuite() { fDestDir.reset(); }

    void SetUp() override { ASSERT_EQ(fInstall.exitCode, 0) << fInstall.out.toStdString(); }

    static QString Root() { return fDestDir->Root(); }
    static QString Installed(const QString& path) {
        return Root() + QStringLiteral("/usr/") + path;
    }

    static QStringList InstalledFiles() {
        QStringList files;
        QDirIterator it(Root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(Root()).relativeFilePath(it.next());
        files.sort();
        return files;
    }

    // A fresh environment that sees the installed data folder and nothing of the machine's.
    static QProcessEnvironment DesktopEnvironment(const QString& home) {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/share"));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), Installed(QStringLiteral("share")));
        return env;
    }

    static std::unique_ptr<TTestDir> fDestDir;
    static TRun fInstall;
};

std::unique_ptr<TTestDir> InstallTest::fDestDir;
TRun InstallTest::fInstall;

}  // namespace

TEST_F(InstallTest, InstallsEachFileUnderThePrefixAndNothingElse) {
    const QStringList expected = {
        "usr/bin/marrowpad",
        "usr/bin/mrp",
        "usr/share/applications/" + kAppId + ".desktop",
        "usr/share/doc/marrowpad/changelog.gz",
        "usr/share/doc/marrowpad/copyright",
        "usr/share/icons/hicolor/scalable/apps/marrowpad.svg",
        "usr/share/icons/hicolor/scalable/mimetypes/application-x-marrowpad-notebook.svg",
        "usr/share/man/man1/marrowpad.1.gz",
        "usr/share/man/man1/mrp.1.gz",
        "usr/share/metainfo/" + kAppId + ".metainfo.xml",
        "usr/share/mime/packages/marrowpad.xml",
    };
    EXPECT_EQ(InstalledFiles(), expected);
    for (const char* program : {"bin/marrowpad", "bin/mrp"}) {
        const QFileInfo info(Installed(QString::fromLatin1(program)));
        EXPECT_TRUE(info.isExecutable()) << program;
    }
    for (const char* icon :
         {"apps/marrowpad.svg", "mimetypes/application-x-marrowpad-notebook.svg"}) {
        QSvgRenderer svg(
            Installed(QStringLiteral("share/icons/hicolor/scalable/") + QString::fromLatin1(icon)));
        EXPECT_TRUE(svg.isValid()) << icon;
    }
}

TEST_F(InstallTest, InstalledProgramsAnswerHelpAndVersionWithoutADisplay) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    const QString version = QStringLiteral(MARROWPAD_VERSION);
    TRun run =
        RunTool(Installed(QStringLiteral("bin/marrowpad")), {QStringLiteral("--version")}, env);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("marrowpad %1\n").arg(version));
    run = RunTool(Installed(QStringLiteral("bin/marrowpad")), {QStringLiteral("--help")}, env);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("使い方: marrowpad"))) << run.out.toStdString();
    // An unknown option may be one of Qt's, so it is told only once Qt has taken its own.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    run = RunTool(Installed(QStringLiteral("bin/marrowpad")), {QStringLiteral("--nonsense")}, env);
    EXPECT_EQ(run.exitCode, 2) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("不明なオプションです: nonsense")))
        << run.out.toStdString();
    run = RunTool(Installed(QStringLiteral("bin/mrp")), {QStringLiteral("--version")}, env);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("mrp %1\n").arg(version));
}

TEST_F(InstallTest, DesktopEntryValidatesAndOpensNotebooksWithTheProgram) {
    REQUIRE_TOOL(validate, "desktop-file-validate");
    const QString entry = Installed(QStringLiteral("share/applications/") + kAppId + ".desktop");
    const TRun run = RunTool(validate, {entry});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("error"))) << run.out.toStdString();

    const QStringList lines = QString::fromUtf8(ReadFileBytes(entry)).split(u'\n');
    for (const char* line : {"Exec=marrowpad %f", "Icon=marrowpad", "Name=Marrowpad",
                             "MimeType=application/x-marrowpad-notebook;"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;
    for (const char* key : {"GenericName[ja]=", "Comment=", "Comment[ja]=", "Categories="}) {
        const QString prefix = QString::fromLatin1(key);
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& l) {
            return l.startsWith(prefix);
        })) << key;
    }
}

TEST_F(InstallTest, MetainfoValidatesAndNamesTheDesktopEntry) {
    REQUIRE_TOOL(appstreamcli, "appstreamcli");
    const QString metainfo =
        Installed(QStringLiteral("share/metainfo/") + kAppId + ".metainfo.xml");
    const TRun run = RunTool(appstreamcli, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                            QStringLiteral("--explain"), metainfo});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    const QString xml = QString::fromUtf8(ReadFileBytes(metainfo));
    EXPECT_TRUE(
        xml.contains("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"));
    EXPECT_TRUE(xml.contains(QStringLiteral("<screenshot type=\"default\">")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<release version=\"%1\"").arg(MARROWPAD_VERSION)));
    EXPECT_FALSE(xml.contains(u'@')) << "a placeholder was not filled in";
}

TEST_F(InstallTest, TheMimePackageMakesMrpFilesNotebooks) {
    REQUIRE_TOOL(xmllint, "xmllint");
    REQUIRE_TOOL(updateMime, "update-mime-database");
    REQUIRE_TOOL(xdgMime, "xdg-mime");
    const QString package = Installed(QStringLiteral("share/mime/packages/marrowpad.xml"));
    TRun run = RunTool(xmllint, {QStringLiteral("--noout"), package});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();

    run = RunTool(updateMime, {Installed(QStringLiteral("share/mime"))});
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString();
    TTestDir home;
    const QString sample = home.Path(QStringLiteral("sample.mrp"));
    WriteFileBytes(sample, Hex("01 02 00 06 01 61 02 01 06 01 61"));
    run = RunTool(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), sample},
                  DesktopEnvironment(home.Root()));
    EXPECT_EQ(run.out.trimmed(), kMimeType);
    // The type's icon is the one installed beside it.
    const QString icon = Installed(QStringLiteral("share/icons/hicolor/scalable/mimetypes/")) +
                         QString(kMimeType).replace(u'/', u'-') + QStringLiteral(".svg");
    EXPECT_TRUE(QFileInfo(icon).isFile()) << icon.toStdString();
}

TEST_F(InstallTest, ManualPagesAreCompressedAndFilledIn) {
    REQUIRE_TOOL(gzip, "gzip");
    for (const char* page : {"marrowpad", "mrp"}) {
        const QString name = QString::fromLatin1(page);
        const TRun run = RunTool(
            gzip,
            {QStringLiteral("-dc"), Installed(QStringLiteral("share/man/man1/") + name + ".1.gz")});
        EXPECT_EQ(run.exitCode, 0) << page;
        EXPECT_TRUE(run.out.startsWith(QStringLiteral(".TH %1 1 ").arg(name.toUpper()))) << page;
        EXPECT_TRUE(run.out.contains(QStringLiteral("Marrowpad %1").arg(MARROWPAD_VERSION)))
            << page;
        EXPECT_FALSE(run.out.contains(u'@')) << page;
    }
}
