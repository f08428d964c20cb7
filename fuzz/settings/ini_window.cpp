// Feeds arbitrary bytes to the settings store as an ini file and reads the window's side of it:
// QFont fonts and window placement under every key prefix it finds, and the window's settings.
// None of it may raise, except a font colour that is not hexadecimal when no message is asked.

#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdint>

#include "fuzz/settings/IniFuzzSupport.h"
#include "fuzz/support/OffscreenApplication.h"
#include "platform/Errors.h"
#include "settings/AppSettings.h"
#include "settings/ExIniFileQt.h"

namespace {

QTemporaryDir* gDir = nullptr;
QWidget* gForm = nullptr;

// Placement changes are slow (window state events): only the first keys are given them.
constexpr int MaxPlacementReads = 64;

using fuzz::Check;

void ReadWindowSide(const TExIniFileQt& ini, const QString& section, const QString& prefix) {
    TIniFont font;
    try {
        ini.ReadFont(section, prefix, font);
    } catch (const EConvertError&) {
    }
    QString colorError;
    ini.ReadFont(section, prefix, font, &colorError);
    Check(font.Font.pointSize() > 0 || font.Font.pixelSize() > 0);
    ini.ReadForm(section, prefix, *gForm);
    ini.ReadFormPos(section, prefix, *gForm);
    ini.ReadFormSize(section, prefix, *gForm);
    Check(gForm->width() >= 0 && gForm->height() >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qInstallMessageHandler(fuzz::Quiet);
    fuzz::StartOffscreenApplication(argc, argv);
    gDir = new QTemporaryDir();
    gForm = new QWidget();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = fuzz::WriteIniInput(*gDir, data, size);
    if (path.isEmpty()) return 0;
    TExIniFileQt ini(TIniFolders{gDir->path(), gDir->path(), gDir->path(), QStringLiteral("fuzz")});
    ini.SetAutoUpdate(false);
    ini.SetFileName(path);
    gForm->setWindowState(Qt::WindowNoState);
    gForm->setGeometry(10, 20, 300, 200);

    QStringList sections;
    ini.ReadSections(sections);
    int reads = 0;
    for (const QString& section : sections) {
        QStringList keys;
        ini.ReadSection(section, keys);
        for (const QString& key : keys) {
            if (reads++ >= MaxPlacementReads) break;
            ReadWindowSide(ini, section, fuzz::KeyPrefix(key));
        }
    }

    // The window's settings read whatever the file holds without raising: a bad colour is a
    // message, and the sizes it keeps are within what the editor can show.
    TAppSettings settings;
    QStringList errors;
    settings.Read(ini, errors);
    const int points = settings.MemoFont.Font.pointSize();
    Check(points >= 1 && points <= TAppSettings::kMaxFontSize);
    // window state changes post events; without an event loop they would pile up
    QCoreApplication::processEvents();
    return 0;
}
