#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
#include "tests/settings/IniTestSupport.h"

TEST(IniFileName, BareNamesAreResolvedByBaseFolder) {
    TIniScratch scratch;
    const TIniFolders folders = scratch.Folders();
    QDir().mkpath(folders.Application);
    WriteFileBytes(folders.Application + "/marrowpad.ini", "[Style]\r\nName=Glow\r\n");

    TExIniFile ini(folders);
    EXPECT_EQ(ini.BaseDir(), bdApplication);
    EXPECT_TRUE(ini.FileName().isEmpty());
    EXPECT_FALSE(ini.SectionExists("Style"));
    ini.Loaded();
    EXPECT_EQ(ini.FileName(), "marrowpad.ini");
    EXPECT_EQ(ini.FilePath(), folders.Application + "/marrowpad.ini");
    EXPECT_EQ(ini.ReadString("Style", "Name", "Sky"), "Glow");
    ini.Loaded();  // a name once set stays
    EXPECT_EQ(ini.FileName(), "marrowpad.ini");

    ini.SetBaseDir(bdWindows);
    EXPECT_EQ(ini.FilePath(), folders.System + "/marrowpad.ini");
    EXPECT_FALSE(ini.SectionExists("Style"));
    ini.SetBaseDir(bdNone);
    EXPECT_EQ(ini.FilePath(), "marrowpad.ini");

    // the per-user folder is created by the first write
    ini.SetBaseDir(bdAppData);
    EXPECT_EQ(ini.FilePath(), folders.AppData + "/marrowpad.ini");
    ini.WriteInteger("Form", "Top", 1);
    EXPECT_EQ(ReadFileBytes(folders.AppData + "/marrowpad.ini"), "[Form]\r\nTop=1\r\n\r\n");
}

TEST(IniFileName, NamesWithAFolderAreTakenAsTheyAreWithEitherSeparator) {
    TIniScratch scratch;
    TExIniFile ini(scratch.Folders());
    ini.SetFileName(scratch.Path("a.ini"));
    EXPECT_EQ(ini.FilePath(), scratch.Path("a.ini"));
    ini.SetFileName("conf\\my.ini");
    EXPECT_EQ(ini.FileName(), "conf\\my.ini");
    EXPECT_EQ(ini.FilePath(), "conf/my.ini");
    QString withNul = scratch.Path("a");
    withNul += QChar(0);
    EXPECT_THROW(ini.SetFileName(withNul), EArgumentError);
}

TEST(IniFileName, AMissingPerUserFolderIsReported) {
    TIniScratch scratch;
    TIniFolders folders = scratch.Folders();
    folders.AppData.clear();
    TExIniFile ini(folders);
    ini.SetFileName("x.ini");
    try {
        ini.SetBaseDir(bdAppData);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ユーザーの設定フォルダが見つかりません");
    }
}

TEST(IniFileName, AnUnwritableProgramFolderMovesTheSettingsToTheUser) {
    TIniScratch scratch;
    TIniFolders folders = scratch.Folders();
    // a folder that does not exist cannot be written, even by the superuser
    folders.Application = scratch.Path("readonly/bin");
    const QString userFile = folders.AppData + "/marrowpad.ini";
    {
        TExIniFile ini(folders);
        ini.Loaded();
        EXPECT_EQ(ini.FilePath(), folders.Application + "/marrowpad.ini");
        ini.WriteString("Style", "Name", "Luna");
        EXPECT_EQ(ini.FileName(), "marrowpad.ini");
        EXPECT_EQ(ini.FilePath(), userFile);
        EXPECT_EQ(ReadFileBytes(userFile), "[Style]\r\nName=Luna\r\n\r\n");
    }
    // the next run reads the per-user copy
    TExIniFile ini(folders);
    ini.Loaded();
    EXPECT_EQ(ini.FilePath(), userFile);
    EXPECT_EQ(ini.ReadString("Style", "Name", "Sky"), "Luna");

    // other base folders do not move
    ini.SetFileName(scratch.Path("missing/x.ini"));
    EXPECT_THROW(ini.WriteInteger("S", "k", 1), EFCreateError);
    EXPECT_EQ(ini.FilePath(), scratch.Path("missing/x.ini"));
}

TEST(IniFileName, AFailedWriteRaisesAndKeepsTheChangeInMemory) {
    TIniScratch scratch;
    QDir().mkpath(scratch.Path("folder.ini"));
    TExIniFile ini(scratch.Folders());
    ini.SetFileName(scratch.Path("folder.ini"));  // a folder is no file: nothing to read
    try {
        ini.WriteString("S", "k", "v");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("ファイル \"%1\" を作成できません。").arg(scratch.Path("folder.ini"))))
            << e.what();
    }
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    EXPECT_TRUE(ini.Document().Modified());
}

TEST(IniFileName, ChangingTheNameDropsUnsavedChangesButKeepsTheCaseRule) {
    TIniScratch scratch;
    scratch.Write("[S]\r\nk=file\r\n");
    auto ini = scratch.Open();
    ini->SetAutoUpdate(false);
    ini->SetCaseSensitive(true);
    ini->WriteString("S", "k", "memory");
    ini->SetFileName(scratch.Path("test.ini"));
    EXPECT_EQ(ini->ReadString("S", "k", ""), "file");
    EXPECT_TRUE(ini->CaseSensitive());
    EXPECT_EQ(ini->ReadString("s", "k", "none"), "none");
}

TEST(IniFileName, AnOversizedFileIsRefused) {
    TIniScratch scratch;
    QFile big(scratch.Path("big.ini"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(TIniDocument::MaxFileSize + 1));
    big.close();
    TExIniFile ini(scratch.Folders());
    try {
        ini.SetFileName(scratch.Path("big.ini"));
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(e.Message().contains("ファイルが大きすぎます")) << e.what();
    }
}
