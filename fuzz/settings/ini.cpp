// Feeds arbitrary bytes to the settings store as an ini file, then runs every typed read over
// whatever sections and keys it finds, checks that a saved document reads back to itself, and
// reads the window's settings from it.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <cstdlib>

#include "platform/Errors.h"
#include "settings/AppSettings.h"
#include "settings/ExIniFile.h"

namespace {

QTemporaryDir* gDir = nullptr;
QWidget* gForm = nullptr;

// The keys given the heavier reads (lists, fonts, placement); the cheap ones see every key.
constexpr int MaxHeavyReads = 256;

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void Check(bool condition) {
    if (!condition) std::abort();
}

QString Prefix(const QString& key) {
    const qsizetype dot = key.lastIndexOf(u'.');
    return dot < 0 ? key : key.first(dot);
}

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

    const QString prefix = Prefix(key);
    QStringList list{QStringLiteral("a"), QStringLiteral("b")};
    ini.ReadList(section, prefix, list);
    Check(list.size() <= std::max<qsizetype>(2, ini.Document().EntryCount(section)));
    TIniFont font;
    try {
        ini.ReadFont(section, prefix, font);
    } catch (const EConvertError&) {
    }
    ini.ReadForm(section, prefix, *gForm);
    ini.ReadFormPos(section, prefix, *gForm);
    ini.ReadFormSize(section, prefix, *gForm);
    Check(gForm->width() >= 0 && gForm->height() >= 0);
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(Quiet);
    static int argc = 1;
    static char name[] = "fuzz_ini";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    gDir = new QTemporaryDir();
    gForm = new QWidget();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = gDir->filePath(QStringLiteral("fuzz.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const quint8 options = size > 0 ? data[0] : 0;
    TExIniFile ini(TIniFolders{gDir->path(), gDir->path(), gDir->path(), QStringLiteral("fuzz")});
    ini.SetAutoUpdate(false);
    ini.SetCaseSensitive((options & 1) != 0);
    ini.SetFence(TFence((options >> 1) % 3));
    ini.SetFileName(path);
    gForm->setWindowState(Qt::WindowNoState);
    gForm->setGeometry(10, 20, 300, 200);

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

    // The window's settings read whatever the file holds without raising: a bad colour is a
    // message, and the sizes it keeps are within what the editor can show.
    TAppSettings settings;
    QStringList errors;
    settings.Read(ini, errors);
    const int points = settings.MemoFont.Font.pointSize();
    Check(points >= 1 && points <= TAppSettings::kMaxFontSize);

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
    // window state changes post events; without an event loop they would pile up
    QCoreApplication::processEvents();
    return 0;
}
