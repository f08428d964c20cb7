#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

#include "settings/IniEncoding.h"

// One ini file held in memory: sections in order of first appearance, each with its entries
// in file order. Lookups of sections and keys ignore letter case unless CaseSensitive is set;
// of two entries with the same key the later one is found.
class TIniDocument {
public:
    explicit TIniDocument(QString fileName = {});

    const QString& FileName() const noexcept { return fFileName; }
    void SetFileName(QString fileName) { fFileName = std::move(fileName); }
    bool CaseSensitive() const noexcept { return fCaseSensitive; }
    void SetCaseSensitive(bool value);
    // None until a file has been read.
    std::optional<TIniEncoding> Encoding() const noexcept { return fEncoding; }
    bool Modified() const noexcept { return fModified; }

    // Replaces the content with the file FileName() names, or empties the document when no
    // such file exists. Raises EFOpenError or EReadError when the file cannot be read.
    void Load();
    // Replaces the content with the parsed bytes and remembers their encoding.
    void LoadFromBytes(QByteArrayView bytes);
    // The whole file as it is written: text in the remembered encoding, mark included.
    QByteArray SaveToBytes() const;
    // Writes SaveToBytes() to path through a temporary file, so a failure leaves the old file
    // in place. Raises EFCreateError when the file cannot be created, EWriteError when it
    // cannot be written completely.
    void SaveToFile(const QString& path);
    // The serialised text: CR LF line ends, one empty line after every section.
    QString Text() const;

    bool SectionExists(QStringView section) const;
    // True for a pair and for a no-value entry with that text.
    bool ValueExists(QStringView section, QStringView key) const;
    // The value of a pair; none for a missing key or section and for a no-value entry.
    std::optional<QString> Value(QStringView section, QStringView key) const;
    // Rewrites the entry in place (a no-value entry becomes a pair), or appends a new one,
    // creating the section at the end when it is missing.
    void SetValue(QStringView section, QStringView key, const QString& value);
    // Removes every entry with that key, so no earlier duplicate comes back into view.
    void DeleteKey(QStringView section, QStringView key);
    void EraseSection(QStringView section);

    QStringList SectionNames() const;
    // Keys in order; no-value entries give their whole text.
    QStringList Keys(QStringView section) const;
    // Entries as whole lines: key=value, or the bare text of a no-value entry.
    QStringList Lines(QStringView section) const;
    // The number of entries of a section (0 when missing).
    qsizetype EntryCount(QStringView section) const;

    // Files larger than this are refused: a settings file is a few kilobytes, and reading an
    // arbitrary large file whole would only exhaust memory.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

private:
    struct TEntry {
        QString Key;  // the whole text for a no-value entry
        QString Value;
        bool HasValue = false;
    };
    struct TSection {
        QString Name;
        QList<TEntry> Entries;
        QHash<QString, qsizetype> Index;  // lookup name -> position of the last such entry
    };

    QString LookupName(QStringView name) const;
    TSection* FindSection(QStringView name);
    const TSection* FindSection(QStringView name) const;
    TSection& AddSection(const QString& name);
    const TEntry* FindEntry(const TSection& section, QStringView key) const;
    void AppendEntry(TSection& section, TEntry entry);
    void RebuildIndex(TSection& section) const;
    void RebuildIndexes();
    void Clear();
    void Parse(QStringView text);

    QString fFileName;
    bool fCaseSensitive = false;
    std::optional<TIniEncoding> fEncoding;
    bool fModified = false;
    QList<TSection> fSections;
    QHash<QString, qsizetype> fSectionIndex;
};
