// Feeds arbitrary bytes to the settings store as an ini file, then runs every typed read over
// whatever sections and keys it finds and checks that a saved document reads back to itself.
// The store is QtCore only, so this runs without an application object; the window's side of
// the store (QFont fonts, placement, the window's settings) has its own target, ini_window.

#include <QBuffer>
#include <QTemporaryDir>
#include <cstdint>

#include "fuzz/settings/IniFuzzSupport.h"
#include "platform/Errors.h"
#include "settings/ExIniFile.h"

namespace {

QTemporaryDir* gDir = nullptr;

// The keys given the heavier reads (lists, fonts); the cheap ones see every key.
constexpr int MaxHeavyReads = 256;

using fuzz::Check;

void ReadTyped(const TExIniFile& ini, const QString& section, const QString& key, bool heavy) {
    ini.ReadString(section, key, QStringLiteral("d"));
    ini.ReadInteger(section, key, 7);
    ini.ReadBool(section, key, true);
    try {
        ini.ReadHex(section, key, -1);
        ini.ReadColor(section, key, 0x808000);
    } catch (const EConvertError& e) {
        Check(e.Message().endsWith(QStringLiteral(" は整数ではありません")));
    }
    ini.ReadFloat(section, key, 1.5);
    ini.ReadDate(section, key, QDate(2000, 1, 1));
    ini.ReadTime(section, key, QTime(1, 2, 3));
    ini.ReadDateTime(section, key, QDateTime());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    const qint64 count = ini.ReadBinaryStream(section, key, buffer);
    Check(count >= 0 && count <= buffer.size());
    if (!heavy) return;

    const QString prefix = fuzz::KeyPrefix(key);
    QStringList list{QStringLiteral("a"), QStringLiteral("b")};
    ini.ReadList(section, prefix, list);
    Check(list.size() <= std::max<qsizetype>(2, ini.Document().EntryCount(section)));
    TIniFontValue font{QStringLiteral("Mono"), 9, fsBold, 0x123456};
    try {
        ini.ReadFont(section, prefix, font);
    } catch (const EConvertError&) {
        Check(font.Name == QStringLiteral("Mono") && font.Color == 0x123456);
    }
    Check(font.Size >= 0);
    QString colorError;
    ini.ReadFont(section, prefix, font, &colorError);
}

// Saving is a fixed point: what was saved once reads and saves to the same bytes.
void CheckRoundTrip(const TIniDocument& doc) {
    const QByteArray once = doc.SaveToBytes();
    TIniDocument again;
    again.SetCaseSensitive(doc.CaseSensitive());
    again.LoadFromBytes(once);
    // Legacy code page bytes that happen to be valid UTF-8 read as UTF-8 the next time, and
    // control characters then trim differently; the file itself was written as read.
    if (doc.Encoding() == TIniEncoding::Ansi && again.Encoding() != TIniEncoding::Ansi) return;
    Check(again.SaveToBytes() == once);
    Check(again.SectionNames().size() <= doc.SectionNames().size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(fuzz::Quiet);
    gDir = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::WriteIniInput(*gDir, data, size);
    if (path.isEmpty()) return 0;
    const quint8 options = size > 0 ? data[0] : 0;
    TExIniFile ini(TIniFolders{gDir->path(), gDir->path(), gDir->path(), QStringLiteral("fuzz")});
    ini.SetAutoUpdate(false);
    ini.SetCaseSensitive((options & 1) != 0);
    ini.SetFence(TFence((options >> 1) % 3));
    ini.SetFileName(path);

    QStringList sections;
    ini.ReadSections(sections);
    int heavyReads = 0;
    for (const QString& section : sections) {
        Check(ini.SectionExists(section));
        QStringList keys;
        QStringList lines;
        ini.ReadSection(section, keys);
        ini.ReadSectionValues(section, lines);
        Check(keys.size() == lines.size());
        for (const QString& key : keys) {
            Check(ini.ValueExists(section, key));
            ReadTyped(ini, section, key, heavyReads++ < MaxHeavyReads);
        }
    }
    CheckRoundTrip(ini.Document());

    // Edits keep the lookups consistent.
    if (!sections.isEmpty()) {
        QStringList keys;
        ini.ReadSection(sections.front(), keys);
        if (!keys.isEmpty()) {
            ini.WriteString(sections.front(), keys.front(), QStringLiteral("v"));
            Check(ini.ValueExists(sections.front(), keys.front()));
            ini.DeleteKey(sections.front(), keys.back());
            Check(!ini.ValueExists(sections.front(), keys.back()));
        }
        ini.WriteList(sections.back(), QStringLiteral("L"), {QStringLiteral("x")});
        ini.EraseSection(sections.front());
        Check(!ini.SectionExists(sections.front()));
    }
    CheckRoundTrip(ini.Document());
    ini.UpdateFile();
    return 0;
}
