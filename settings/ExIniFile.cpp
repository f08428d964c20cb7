#include "settings/ExIniFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <exception>

#include "platform/AppPaths.h"
#include "platform/Errors.h"
#include "settings/IniMessages.h"
#include "settings/IniValues.h"

namespace {

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

// Whether the file could be written where it is: the file itself when it exists, otherwise
// its folder.
bool CanWriteAt(const QString& path) {
    const QFileInfo file(path);
    if (file.exists()) return file.isWritable();
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable();
}

QString Fenced(const QString& value, TFence fence) {
    switch (fence) {
        case fcDoubleQuote:
            return u'"' + value + u'"';
        case fcSingleQuote:
            return u'\'' + value + u'\'';
        case fcNone:
            break;
    }
    return value;
}

}  // namespace

TIniFolders TIniFolders::Platform() {
    return TIniFolders{ApplicationDir(), UserAppDataDir(), SystemConfigDir(),
                       ApplicationBaseName()};
}

TExIniFile::TExIniFile(std::optional<TIniFolders> folders)
    : FIniFile(std::make_unique<TIniDocument>()), FFolders(std::move(folders)) {
    SetBaseDir(bdApplication);
    SetFence(fcNone);
    SetCaseSensitive(false);
    SetAutoUpdate(true);
}

// The document is dropped without writing it, like a change of file name.
TExIniFile::~TExIniFile() = default;

TIniFolders TExIniFile::Folders() const {
    return FFolders ? *FFolders : TIniFolders::Platform();
}

void TExIniFile::Loaded() {
    if (FFileName.isEmpty()) SetFileName(Folders().ExecutableBaseName + QStringLiteral(".ini"));
}

void TExIniFile::SetBaseDir(TBaseDir value) {
    FBaseDir = value;
    SetFileName(FFileName);
}

QString TExIniFile::ResolvePath(const QString& name, QString& fallback, bool& createFolder) const {
    fallback.clear();
    createFolder = false;
    // A name with a folder part is used as it is; "\" separates folders as "/" does.
    if (ExtractFileName(name) != name) return QString(name).replace(u'\\', u'/');
    const TIniFolders folders = Folders();
    switch (FBaseDir) {
        case bdWindows:
            return JoinPath(folders.System, name);
        case bdApplication: {
            const QString path = JoinPath(folders.Application, name);
            if (name.isEmpty() || folders.AppData.isEmpty()) return path;
            const QString user = JoinPath(folders.AppData, name);
            if (user == path) return path;
            // An installation the user cannot write to keeps its settings per user; once that
            // copy exists it is the one to read.
            fallback = user;
            if (!CanWriteAt(path) && QFileInfo(user).isFile()) {
                createFolder = true;
                return user;
            }
            return path;
        }
        case bdAppData:
            if (folders.AppData.isEmpty()) throw EFOpenError(IniMessages::NoUserSettingsFolder());
            createFolder = true;
            return JoinPath(folders.AppData, name);
        case bdNone:
            break;
    }
    return name;
}

void TExIniFile::SetFileName(const QString& value) {
    FFileName = value;
    // The old document is dropped unsaved; the letter-case rule stays as the owner set it.
    const bool caseSensitive = FIniFile->CaseSensitive();
    FIniFile = std::make_unique<TIniDocument>();
    FIniFile->SetCaseSensitive(caseSensitive);
    FFallbackPath.clear();
    FCreateFolder = false;
    const QString path = ResolvePath(value, FFallbackPath, FCreateFolder);
    FIniFile->SetFileName(path);
    FIniFile->Load();
}

QString TExIniFile::ReadFenced(const QString& Section, const QString& Ident, TFence fence,
                               const QString& Default) const {
    QString result = FIniFile->Value(Section, Ident).value_or(Fenced(Default, fence));
    // Quotes come off by the store's own fence, whichever fence the caller asked for.
    const QChar quote = FFence == fcDoubleQuote   ? QChar(u'"')
                        : FFence == fcSingleQuote ? QChar(u'\'')
                                                  : QChar();
    if (!quote.isNull() && result.size() >= 2 && result.front() == quote && result.back() == quote)
        result = result.sliced(1, result.size() - 2);
    return result;
}

void TExIniFile::WriteFenced(const QString& Section, const QString& Ident, TFence fence,
                             const QString& Value) {
    Store(Section, Ident, Fenced(Value, fence));
    DoAutoUpdate();
}

void TExIniFile::Store(const QString& Section, const QString& Ident, const QString& Value) {
    FIniFile->SetValue(Section, Ident, Value);
}

void TExIniFile::DoAutoUpdate() {
    if (FAutoUpdate) UpdateFile();
}

void TExIniFile::UpdateFile() {
    const QString path = FIniFile->FileName();
    if (FCreateFolder) QDir().mkpath(QFileInfo(path).absolutePath());
    std::exception_ptr failure;
    try {
        FIniFile->SaveToFile(path);
        return;
    } catch (const EFCreateError&) {
        if (FFallbackPath.isEmpty() || FFallbackPath == path) throw;
        failure = std::current_exception();
    }
    // The executable's folder cannot be written: keep the settings per user from now on.
    QDir().mkpath(QFileInfo(FFallbackPath).absolutePath());
    try {
        FIniFile->SaveToFile(FFallbackPath);
    } catch (const EMarrowpadError&) {
        std::rethrow_exception(failure);
    }
    FIniFile->SetFileName(FFallbackPath);
    FCreateFolder = true;
}

QString TExIniFile::ReadString(const QString& Section, const QString& Ident,
                               const QString& Default) const {
    return ReadFenced(Section, Ident, FFence, Default);
}

void TExIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    WriteFenced(Section, Ident, FFence, Value);
}

qint32 TExIniFile::ReadInteger(const QString& Section, const QString& Ident, qint32 Default) const {
    const std::optional<QString> text = FIniFile->Value(Section, Ident);
    if (!text) return Default;
    return ParseIniInteger(*text).value_or(Default);
}

void TExIniFile::WriteInteger(const QString& Section, const QString& Ident, qint32 Value) {
    Store(Section, Ident, QString::number(Value));
    DoAutoUpdate();
}

bool TExIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TExIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

qint32 TExIniFile::ReadHex(const QString& Section, const QString& Item, qint32 Default) const {
    const QString text = ReadFenced(Section, Item, fcNone, IniHexText(quint32(Default)));
    // The first two characters are taken to be "0x", whatever they are.
    const QString digits = text.mid(2, 8);
    const std::optional<quint32> value = ParseIniHexDigits(digits);
    if (!value) throw EConvertError(IniMessages::NotAnInteger().arg(u'$' + digits));
    return qint32(*value);
}

void TExIniFile::WriteHex(const QString& Section, const QString& Item, qint32 Value) {
    WriteFenced(Section, Item, fcNone, IniHexText(quint32(Value)));
}

quint32 TExIniFile::ReadColor(const QString& Section, const QString& Item, quint32 Default) const {
    return quint32(ReadHex(Section, Item, qint32(Default)));
}

void TExIniFile::WriteColor(const QString& Section, const QString& Item, quint32 Value) {
    WriteHex(Section, Item, qint32(Value));
}

void TExIniFile::ReadList(const QString& Section, const QString& Item, QStringList& List) const {
    const qsizetype defaults = List.size();
    qsizetype count = ReadInteger(Section, Item + QStringLiteral(".Count"),
                                  qint32(std::min<qsizetype>(defaults, INT32_MAX)));
    // Each item is one entry of the section, so a count beyond the entries and the caller's
    // own defaults could only produce empty strings: it is a damaged count, not a list.
    count = std::clamp<qsizetype>(count, 0, std::max(defaults, FIniFile->EntryCount(Section)));
    QStringList result;
    result.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        result.append(ReadFenced(Section, Item + u'.' + QString::number(i), fcNone,
                                 i < defaults ? List.at(i) : QString()));
    }
    List = std::move(result);
}

void TExIniFile::WriteList(const QString& Section, const QString& Item, const QStringList& Value) {
    // Items of a longer list written earlier stay in the file; the count tells them apart.
    Store(Section, Item + QStringLiteral(".Count"),
          QString::number(std::min<qsizetype>(Value.size(), INT32_MAX)));
    for (qsizetype i = 0; i < Value.size(); ++i)
        Store(Section, Item + u'.' + QString::number(i), Value.at(i));
    DoAutoUpdate();
}

bool TExIniFile::SectionExists(const QString& Section) const {
    return FIniFile->SectionExists(Section);
}

bool TExIniFile::ValueExists(const QString& Section, const QString& Ident) const {
    return FIniFile->ValueExists(Section, Ident);
}

void TExIniFile::ReadSection(const QString& Section, QStringList& Strings) const {
    Strings = FIniFile->Keys(Section);
}

void TExIniFile::ReadSections(QStringList& Strings) const {
    Strings = FIniFile->SectionNames();
}

void TExIniFile::ReadSectionValues(const QString& Section, QStringList& Strings) const {
    Strings = FIniFile->Lines(Section);
}

void TExIniFile::EraseSection(const QString& Section) {
    FIniFile->EraseSection(Section);
    DoAutoUpdate();
}

void TExIniFile::DeleteKey(const QString& Section, const QString& Ident) {
    FIniFile->DeleteKey(Section, Ident);
    DoAutoUpdate();
}
