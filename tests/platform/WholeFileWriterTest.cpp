#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include "platform/Errors.h"
#include "platform/WholeFileWriter.h"
#include "tests/support/TestFiles.h"

namespace {

auto Bytes(const QByteArray& bytes) {
    return [bytes](QIODevice& device) { WriteAll(device, bytes.constData(), bytes.size()); };
}

// The message of the error a write raises, or "no error".
template <typename Error>
QString FailureOf(const QString& path, const std::function<void(QIODevice&)>& write) {
    try {
        WriteWholeFile(path, write);
    } catch (const Error& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

QString CreateError(const QString& path, const char* cause) {
    return QStringLiteral("ファイル \"%1\" を作成できません。%2")
        .arg(path, QString::fromUtf8(cause));
}

QString WriteError(const QString& path, const char* cause) {
    return QStringLiteral("ファイル \"%1\" に書き込めません。%2")
        .arg(path, QString::fromUtf8(cause));
}

struct stat Stat(const QString& path) {
    struct stat info {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &info), 0);
    return info;
}

ino_t Inode(const QString& path) {
    return Stat(path).st_ino;
}

mode_t Mode(const QString& path) {
    return Stat(path).st_mode & 07777;
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

}  // namespace

TEST(WholeFileWriter, RefusesAndKeepsATargetThatIsNotARegularFile) {
    TTestDir dir;
    const QString pipe = dir.Path(QStringLiteral("pipe.mrp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString link = dir.Path(QStringLiteral("link.mrp"));
    ASSERT_TRUE(QFile::link(pipe, link));
    const QString folder = dir.Path(QStringLiteral("folder.mrp"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QStringList before = Entries(dir.Root());

    bool written = false;
    for (const QString& path : {pipe, link, folder}) {
        EXPECT_EQ(FailureOf<EFCreateError>(path, [&written](QIODevice&) { written = true; }),
                  CreateError(path, "通常のファイルではありません。"));
    }
    EXPECT_FALSE(written);
    struct stat info {};
    ASSERT_EQ(lstat(QFile::encodeName(pipe).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is still a pipe";
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(Entries(dir.Root()), before) << "nothing was left beside them";
}

TEST(WholeFileWriter, ReplacesThroughATemporaryFileKeepingThePermissionBits) {
    TTestDir dir;
    const QString path = dir.Path(QStringLiteral("a.mrp"));
    WriteFileBytes(path, "old");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
    const ino_t old = Inode(path);

    WriteWholeFile(path, Bytes("new"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("new"));
    EXPECT_NE(Inode(path), old) << "a new file took the old one's place";
    EXPECT_EQ(Mode(path), 0640u);
    EXPECT_EQ(Entries(dir.Root()), QStringList{QStringLiteral("a.mrp")});
}

TEST(WholeFileWriter, WritesInPlaceOnlyWhenTheFolderIsReadOnlyAndTheFileIsNot) {
    TTestDir dir;
    const QString folder = dir.Path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/a.mrp");
    WriteFileBytes(path, "old notebook");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
    const QString readOnly = folder + QStringLiteral("/b.mrp");
    WriteFileBytes(readOnly, "kept");
    ASSERT_EQ(chmod(QFile::encodeName(readOnly).constData(), 0400), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const ino_t old = Inode(path);
    {
        TObeyFilePermissions obey;
        WriteWholeFile(path, Bytes("new"));
        EXPECT_EQ(ReadFileBytes(path), QByteArray("new"));
        EXPECT_EQ(Inode(path), old) << "the same file, written in place";
        EXPECT_EQ(Mode(path), 0640u);

        // No other file there can be made or written.
        const QString fresh = folder + QStringLiteral("/c.mrp");
        EXPECT_EQ(FailureOf<EFCreateError>(fresh, Bytes("x")),
                  CreateError(fresh, "アクセスが拒否されました。"));
        EXPECT_EQ(FailureOf<EFCreateError>(readOnly, Bytes("x")),
                  CreateError(readOnly, "アクセスが拒否されました。"));
    }
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0);
    EXPECT_EQ(ReadFileBytes(readOnly), QByteArray("kept"));
    EXPECT_EQ(Entries(folder), (QStringList{QStringLiteral("a.mrp"), QStringLiteral("b.mrp")}));
}

TEST(WholeFileWriter, AFailureNamesTheFileAndItsCause) {
    TTestDir dir;
    const QString missing = dir.Path(QStringLiteral("none/a.mrp"));
    EXPECT_EQ(FailureOf<EFCreateError>(missing, Bytes("x")),
              CreateError(missing, "指定されたパスが見つかりません。"));

    const QString path = dir.Path(QStringLiteral("a.mrp"));
    WriteFileBytes(path, "old");
    {
        TFileSizeLimit limit(1024);
        EXPECT_EQ(FailureOf<EWriteError>(path, Bytes(QByteArray(4096, 'z'))),
                  WriteError(path, "ファイルが大きすぎます。"));
    }
    // A refusal of the writer's own keeps its message as the cause.
    EXPECT_EQ(
        FailureOf<EWriteError>(
            path,
            [](QIODevice&) { throw EWriteError(QStringLiteral("ストリームへの書き込みエラー")); }),
        WriteError(path, "ストリームへの書き込みエラー"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old"));
    EXPECT_EQ(Entries(dir.Root()), QStringList{QStringLiteral("a.mrp")});
}
