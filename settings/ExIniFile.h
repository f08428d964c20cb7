#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <memory>
#include <optional>

#include "settings/IniDocument.h"
#include "settings/IniFontValue.h"

class QIODevice;

// Where a bare file name is placed.
enum TBaseDir : quint8 { bdWindows, bdApplication, bdAppData, bdNone };

// Quotes put around string values.
enum TFence : quint8 { fcNone, fcDoubleQuote, fcSingleQuote };

// The folders a bare file name is resolved against. By default they come from the platform;
// a caller may fix them, for instance to keep a test away from the real folders.
struct TIniFolders {
    QString Application;         // folder of the executable
    QString AppData;             // per-user configuration folder
    QString System;              // system-wide configuration folder
    QString ExecutableBaseName;  // executable name without extension, for the default name
    static TIniFolders Platform();
};

// Typed reads and writes on one ini file kept in memory. With AutoUpdate every change is
// written to the file at once; otherwise it waits for UpdateFile. Reads are always served from
// memory: the file is read once, when FileName or BaseDir is assigned.
class TExIniFile {
public:
    // Without folders, the platform's folders are asked each time a name is resolved.
    explicit TExIniFile(std::optional<TIniFolders> folders = std::nullopt);
    ~TExIniFile();
    TExIniFile(const TExIniFile&) = delete;
    TExIniFile& operator=(const TExIniFile&) = delete;

    // Properties. Assigning FileName or BaseDir drops the document without saving it and
    // reads the file the two now name.
    TBaseDir BaseDir() const noexcept { return FBaseDir; }
    void SetBaseDir(TBaseDir value);
    const QString& FileName() const noexcept { return FFileName; }
    void SetFileName(const QString& value);
    TFence Fence() const noexcept { return FFence; }
    void SetFence(TFence value) { FFence = value; }
    bool CaseSensitive() const noexcept { return FIniFile->CaseSensitive(); }
    void SetCaseSensitive(bool value) { FIniFile->SetCaseSensitive(value); }
    bool AutoUpdate() const noexcept { return FAutoUpdate; }
    void SetAutoUpdate(bool value) { FAutoUpdate = value; }
    // The file actually read and written. When the executable's folder cannot be written, the
    // settings go to the per-user configuration folder instead, and this names that file.
    const QString& FilePath() const noexcept { return FIniFile->FileName(); }

    // Called by the owner once its properties are assigned: without a file name, the file is
    // named after the executable, with ".ini".
    void Loaded();

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    QString ReadStr(const QString& Section, const QString& Ident, const QString& Default) const {
        return ReadString(Section, Ident, Default);
    }
    void WriteStr(const QString& Section, const QString& Ident, const QString& Value) {
        WriteString(Section, Ident, Value);
    }

    qint32 ReadInteger(const QString& Section, const QString& Ident, qint32 Default) const;
    void WriteInteger(const QString& Section, const QString& Ident, qint32 Value);
    qint32 ReadInt(const QString& Section, const QString& Ident, qint32 Default) const {
        return ReadInteger(Section, Ident, Default);
    }
    void WriteInt(const QString& Section, const QString& Ident, qint32 Value) {
        WriteInteger(Section, Ident, Value);
    }
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
    void WriteBool(const QString& Section, const QString& Ident, bool Value);

    // Numbers, dates and times in the formats of the default locale (the user's locale unless
    // the program set another).
    double ReadFloat(const QString& Section, const QString& Name, double Default) const;
    void WriteFloat(const QString& Section, const QString& Name, double Value);
    QDate ReadDate(const QString& Section, const QString& Name, const QDate& Default) const;
    void WriteDate(const QString& Section, const QString& Name, const QDate& Value);
    QTime ReadTime(const QString& Section, const QString& Name, const QTime& Default) const;
    void WriteTime(const QString& Section, const QString& Name, const QTime& Value);
    QDateTime ReadDateTime(const QString& Section, const QString& Name,
                           const QDateTime& Default) const;
    void WriteDateTime(const QString& Section, const QString& Name, const QDateTime& Value);

    // "0x" and 8 hex digits. A read takes characters 3 to 10 of the value whatever the first
    // two are, and raises EConvertError when they are not hexadecimal.
    qint32 ReadHex(const QString& Section, const QString& Item, qint32 Default) const;
    void WriteHex(const QString& Section, const QString& Item, qint32 Value);
    // Colours are 0x00BBGGRR values; system colours keep their high byte.
    quint32 ReadColor(const QString& Section, const QString& Item, quint32 Default) const;
    void WriteColor(const QString& Section, const QString& Item, quint32 Value);

    // Item".Count", then Item".0", Item".1", ...
    void ReadList(const QString& Section, const QString& Item, QStringList& List) const;
    void WriteList(const QString& Section, const QString& Item, const QStringList& Value);

    // Item".Name", ".Size", ".Style", ".Color", with the font's values as the defaults. With
    // colorError, a colour that is not hexadecimal keeps the font's colour and gives its
    // conversion message there instead of raising, and the rest of the font is still read.
    // A size of 0 or less reads as 0, and only the four style bits count. QFont fonts
    // and window placement go through TExIniFileQt (settings/ExIniFileQt.h).
    void ReadFont(const QString& Section, const QString& Item, TIniFontValue& Font,
                  QString* colorError = nullptr) const;
    void WriteFont(const QString& Section, const QString& Item, const TIniFontValue& Value);

    // Bytes as two upper-case hex digits each. A read writes them into Value at its position;
    // a QBuffer is left at the start of them and the result counts the bytes from there to its
    // end, any other device is left after them and the result is their count.
    qint64 ReadBinaryStream(const QString& Section, const QString& Name, QIODevice& Value) const;
    void WriteBinaryStream(const QString& Section, const QString& Name, QIODevice& Value);

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    void ReadSection(const QString& Section, QStringList& Strings) const;
    void ReadSections(QStringList& Strings) const;
    void ReadSectionValues(const QString& Section, QStringList& Strings) const;
    void EraseSection(const QString& Section);
    void DeleteKey(const QString& Section, const QString& Ident);

    // Writes the document now, whatever AutoUpdate says.
    void UpdateFile();

    // The document, for callers that need its encoding or serialised text.
    const TIniDocument& Document() const noexcept { return *FIniFile; }

private:
    QString ReadFenced(const QString& Section, const QString& Ident, TFence fence,
                       const QString& Default) const;
    void WriteFenced(const QString& Section, const QString& Ident, TFence fence,
                     const QString& Value);
    // Stores a value as it is (no quotes) without the auto-update step.
    void Store(const QString& Section, const QString& Ident, const QString& Value);
    void DoAutoUpdate();
    TIniFolders Folders() const;
    QString ResolvePath(const QString& name, QString& fallback, bool& createFolder) const;

    std::unique_ptr<TIniDocument> FIniFile;
    TBaseDir FBaseDir = bdApplication;
    QString FFileName;
    TFence FFence = fcNone;
    bool FAutoUpdate = true;

    std::optional<TIniFolders> FFolders;
    // The per-user file the settings move to when the executable's folder cannot be written.
    QString FFallbackPath;
    // Whether the file's folder is created on the first write (the per-user folder).
    bool FCreateFolder = false;
};

// Holds AutoUpdate off while several values are written, and puts it back when it ends. The
// file is not written here: the owner calls UpdateFile when the batch is done.
class TAutoUpdatePause {
public:
    explicit TAutoUpdatePause(TExIniFile& ini) : fIni(ini), fWas(ini.AutoUpdate()) {
        ini.SetAutoUpdate(false);
    }
    ~TAutoUpdatePause() { fIni.SetAutoUpdate(fWas); }
    TAutoUpdatePause(const TAutoUpdatePause&) = delete;
    TAutoUpdatePause& operator=(const TAutoUpdatePause&) = delete;

private:
    TExIniFile& fIni;
    bool fWas;
};
