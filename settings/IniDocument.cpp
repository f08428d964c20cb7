#include "settings/IniDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/Errors.h"
#include "platform/LineBreaks.h"
#include "settings/IniMessages.h"

namespace {

bool IsBlank(QChar c) {
    return c.unicode() <= 32;
}

// Only codes 0..32 count as blanks here: a full-width space belongs to the value.
QStringView TrimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

QStringView TrimBlanksRight(QStringView text) {
    qsizetype last = text.size();
    while (last > 0 && IsBlank(text[last - 1]))
        --last;
    return text.first(last);
}

QStringView TrimBlanksLeft(QStringView text) {
    qsizetype first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    return text.sliced(first);
}

// Simple per-character upper-casing: a mapping that changes the length (such as sharp s to
// "SS") would make two different names equal.
QString UpperCase(QStringView name) {
    QString result;
    result.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(c, name[i + 1]));
            result += QChar(QChar::highSurrogate(upper));
            result += QChar(QChar::lowSurrogate(upper));
            ++i;
        } else {
            result += c.toUpper();
        }
    }
    return result;
}

const QString CrLf = QStringLiteral("\r\n");

}  // namespace

TIniDocument::TIniDocument(QString fileName) : fFileName(std::move(fileName)) {}

void TIniDocument::SetCaseSensitive(bool value) {
    if (value == fCaseSensitive) return;
    fCaseSensitive = value;
    RebuildIndexes();
}

QString TIniDocument::LookupName(QStringView name) const {
    return fCaseSensitive ? name.toString() : UpperCase(name);
}

void TIniDocument::Clear() {
    fSections.clear();
    fSectionIndex.clear();
}

void TIniDocument::Load() {
    Clear();
    fModified = false;
    const QFileInfo info(fFileName);
    if (fFileName.isEmpty() || !info.isFile()) return;
    auto cannotOpen = [&](const QString& reason) {
        return EFOpenError(IniMessages::CannotOpenFile().arg(info.absoluteFilePath(), reason));
    };
    QFile file(fFileName);
    if (!file.open(QIODevice::ReadOnly)) throw cannotOpen(file.errorString());
    const QString tooLarge = IniMessages::FileTooLarge();
    if (file.size() > MaxFileSize) throw cannotOpen(tooLarge);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw EReadError(IniMessages::StreamReadError());
    if (bytes.size() > MaxFileSize) throw cannotOpen(tooLarge);  // it grew while we read
    LoadFromBytes(bytes);
}

void TIniDocument::LoadFromBytes(QByteArrayView bytes) {
    Clear();
    TIniEncoding encoding = TIniEncoding::Utf8;
    const QString text = DecodeIniText(bytes, encoding);
    fEncoding = encoding;
    Parse(text);
    fModified = false;
}

void TIniDocument::Parse(QStringView text) {
    TSection* current = nullptr;
    ForEachLine(text, TFinalBreak::EndsText, [&](qsizetype start, qsizetype length) {
        const QStringView line = TrimBlanks(text.sliced(start, length));
        if (line.isEmpty() || line.front() == u';') return;
        if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
            const QStringView name = TrimBlanks(line.sliced(1, line.size() - 2));
            current = FindSection(name);
            if (!current) current = &AddSection(name.toString());
            return;
        }
        if (!current) return;  // lines before the first section header are not kept
        const qsizetype eq = line.indexOf(u'=');
        TEntry entry;
        if (eq < 0) {
            entry.Key = line.toString();
        } else {
            entry.Key = TrimBlanksRight(line.first(eq)).toString();
            entry.Value = TrimBlanksLeft(line.sliced(eq + 1)).toString();
            entry.HasValue = true;
        }
        AppendEntry(*current, std::move(entry));
    });
}

QString TIniDocument::Text() const {
    QString text;
    for (const TSection& section : fSections) {
        text += u'[' + section.Name + u']' + CrLf;
        for (const TEntry& entry : section.Entries) {
            text += entry.Key;
            if (entry.HasValue) text += u'=' + entry.Value;
            text += CrLf;
        }
        text += CrLf;
    }
    return text;
}

QByteArray TIniDocument::SaveToBytes() const {
    return EncodeIniText(Text(), fEncoding.value_or(TIniEncoding::Utf8));
}

void TIniDocument::SaveToFile(const QString& path) {
    const QByteArray bytes = SaveToBytes();
    QSaveFile file(path);
    // Unbuffered, so a disk that fills up shows as a short write here: through the buffer,
    // the failed flush in commit() goes unreported and a cut-off file replaces a whole one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw EFCreateError(IniMessages::CannotCreateFile().arg(QFileInfo(path).absoluteFilePath(),
                                                                file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        throw EWriteError(IniMessages::StreamWriteError());
    }
    fModified = false;
}

TIniDocument::TSection* TIniDocument::FindSection(QStringView name) {
    const auto it = fSectionIndex.constFind(LookupName(name));
    return it == fSectionIndex.cend() ? nullptr : &fSections[*it];
}

const TIniDocument::TSection* TIniDocument::FindSection(QStringView name) const {
    const auto it = fSectionIndex.constFind(LookupName(name));
    return it == fSectionIndex.cend() ? nullptr : &fSections[*it];
}

TIniDocument::TSection& TIniDocument::AddSection(const QString& name) {
    fSectionIndex.insert(LookupName(name), fSections.size());
    fSections.append(TSection{name, {}, {}});
    return fSections.back();
}

const TIniDocument::TEntry* TIniDocument::FindEntry(const TSection& section,
                                                    QStringView key) const {
    const auto it = section.Index.constFind(LookupName(key));
    return it == section.Index.cend() ? nullptr : &section.Entries[*it];
}

void TIniDocument::AppendEntry(TSection& section, TEntry entry) {
    // a later entry with the same key hides the earlier one
    section.Index.insert(LookupName(entry.Key), section.Entries.size());
    section.Entries.append(std::move(entry));
}

void TIniDocument::RebuildIndex(TSection& section) const {
    section.Index.clear();
    for (qsizetype i = 0; i < section.Entries.size(); ++i)
        section.Index.insert(LookupName(section.Entries[i].Key), i);
}

void TIniDocument::RebuildIndexes() {
    fSectionIndex.clear();
    for (qsizetype i = 0; i < fSections.size(); ++i) {
        // when names that differed only in case now meet, the first section keeps the name
        const QString name = LookupName(fSections[i].Name);
        if (!fSectionIndex.contains(name)) fSectionIndex.insert(name, i);
        RebuildIndex(fSections[i]);
    }
}

bool TIniDocument::SectionExists(QStringView section) const {
    return FindSection(section) != nullptr;
}

bool TIniDocument::ValueExists(QStringView section, QStringView key) const {
    const TSection* s = FindSection(section);
    return s && FindEntry(*s, key);
}

std::optional<QString> TIniDocument::Value(QStringView section, QStringView key) const {
    const TSection* s = FindSection(section);
    if (!s) return std::nullopt;
    const TEntry* entry = FindEntry(*s, key);
    if (!entry || !entry->HasValue) return std::nullopt;
    return entry->Value;
}

void TIniDocument::SetValue(QStringView section, QStringView key, const QString& value) {
    TSection* s = FindSection(section);
    if (!s) s = &AddSection(section.toString());
    fModified = true;
    const auto it = s->Index.constFind(LookupName(key));
    if (it != s->Index.cend()) {
        // the key keeps the letter case it has in the file
        TEntry& entry = s->Entries[*it];
        entry.Value = value;
        entry.HasValue = true;
        return;
    }
    AppendEntry(*s, TEntry{key.toString(), value, true});
}

void TIniDocument::DeleteKey(QStringView section, QStringView key) {
    TSection* s = FindSection(section);
    if (!s) return;
    const QString name = LookupName(key);
    const qsizetype removed =
        s->Entries.removeIf([&](const TEntry& entry) { return LookupName(entry.Key) == name; });
    if (removed == 0) return;
    fModified = true;
    RebuildIndex(*s);
}

void TIniDocument::EraseSection(QStringView section) {
    const auto it = fSectionIndex.constFind(LookupName(section));
    if (it == fSectionIndex.cend()) return;
    fSections.removeAt(*it);
    fModified = true;
    RebuildIndexes();
}

QStringList TIniDocument::SectionNames() const {
    QStringList names;
    names.reserve(fSections.size());
    for (const TSection& section : fSections)
        names.append(section.Name);
    return names;
}

QStringList TIniDocument::Keys(QStringView section) const {
    QStringList keys;
    if (const TSection* s = FindSection(section)) {
        keys.reserve(s->Entries.size());
        for (const TEntry& entry : s->Entries)
            keys.append(entry.Key);
    }
    return keys;
}

QStringList TIniDocument::Lines(QStringView section) const {
    QStringList lines;
    if (const TSection* s = FindSection(section)) {
        lines.reserve(s->Entries.size());
        for (const TEntry& entry : s->Entries)
            lines.append(entry.HasValue ? entry.Key + u'=' + entry.Value : entry.Key);
    }
    return lines;
}

qsizetype TIniDocument::EntryCount(QStringView section) const {
    const TSection* s = FindSection(section);
    return s ? s->Entries.size() : 0;
}
