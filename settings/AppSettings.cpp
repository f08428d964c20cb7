#include "settings/AppSettings.h"

#include <algorithm>

#include <QApplication>

#include "platform/Errors.h"
#include "settings/ExIniFileQt.h"

namespace {

const QString kStyle = QStringLiteral("Style");
const QString kForm = QStringLiteral("Form");
const QString kMemo = QStringLiteral("Memo");
const QString kSyn = QStringLiteral("Syn");
const QString kTree = QStringLiteral("Tree");

// The seven token fonts in the file's order, with their keys.
template <class TSettings, class TFn>
void ForEachTokenFont(TSettings& s, TFn fn) {
    fn(QStringLiteral("Comment"), s.CommentFont);
    fn(QStringLiteral("Ident"), s.IdentFont);
    fn(QStringLiteral("Float"), s.FloatFont);
    fn(QStringLiteral("Key"), s.KeyFont);
    fn(QStringLiteral("Number"), s.NumberFont);
    fn(QStringLiteral("String"), s.StringFont);
    fn(QStringLiteral("Symbol"), s.SymbolFont);
}

quint32 ReadColorOrDefault(const TExIniFile& ini, const QString& key, quint32 fallback,
                           QStringList& errors) {
    try {
        return ini.ReadColor(kMemo, key, fallback);
    } catch (const EConvertError& error) {
        errors << error.Message();
        return fallback;
    }
}

}  // namespace

TAppSettings::TAppSettings() {
    const QString face = QApplication::font().family();
    MemoFont = NewFont(face);
    ForEachTokenFont(*this, [&face](const QString&, TIniFont& font) { font = NewFont(face); });
}

int TAppSettings::ValidFontSize(int points) {
    return points >= 1 && points <= kMaxFontSize ? points : kDefaultFontSize;
}

TIniFont TAppSettings::NewFont(const QString& face) {
    TIniFont font;
    font.Font = QFont(face);
    font.Font.setPointSize(kDefaultFontSize);
    return font;
}

void TAppSettings::Read(const TExIniFileQt& ini, QStringList& errors) {
    StyleName = ini.ReadString(kStyle, QStringLiteral("Name"), QStringLiteral("Sky"));
    FTop = ini.ReadInteger(kForm, QStringLiteral("Top"), 100);
    FLeft = ini.ReadInteger(kForm, QStringLiteral("Left"), 200);
    FWidth = ini.ReadInteger(kForm, QStringLiteral("Width"), 600);
    FHeight = ini.ReadInteger(kForm, QStringLiteral("Height"), 400);
    ScaleValue = ini.ReadInteger(kForm, QStringLiteral("Scale"), 96);
    SearchPanelHeight =
        std::clamp(ini.ReadInteger(kForm, QStringLiteral("SearchPanelHeight"), 200), 60, 4000);
    isWordWrap = ini.ReadBool(kMemo, QStringLiteral("WordWrap"), false);
    isGutter = ini.ReadBool(kMemo, QStringLiteral("Gutter"), true);
    isShowLineNumber = ini.ReadBool(kMemo, QStringLiteral("LineNumbers"), false);
    isIndent = ini.ReadBool(kMemo, QStringLiteral("Indent"), true);
    TabWidth = ini.ReadInteger(kMemo, QStringLiteral("TabWidth"), 8);
    SelectSynNumber = ini.ReadInteger(kMemo, QStringLiteral("Hiliter"), 0);
    TreeWidth = ini.ReadInteger(kMemo, QStringLiteral("Tree"), 160);
    QString colorError;
    ini.ReadFont(kMemo, QStringLiteral("Font"), MemoFont, &colorError);
    if (!colorError.isEmpty()) errors << colorError;
    MemoFont.Font.setPointSize(ValidFontSize(
        ini.ReadInteger(kMemo, QStringLiteral("Font.Size"), MemoFont.Font.pointSize())));
    BGColor = ReadColorOrDefault(ini, QStringLiteral("BG"), 0x808000, errors);
    FGColor = ReadColorOrDefault(ini, QStringLiteral("FG"), 0xFFFFFF, errors);
    isDark = ini.ReadBool(kMemo, QStringLiteral("Dark"), false);
    ForEachTokenFont(*this, [&](const QString& key, TIniFont& font) {
        QString error;
        ini.ReadFont(kSyn, key, font, &error);
        if (!error.isEmpty()) errors << error;
    });
    isDragMode = ini.ReadBool(kTree, QStringLiteral("DragMode"), false);
}

void TAppSettings::Write(TExIniFileQt& ini, const QString& styleName) const {
    {
        // One write of the file at the end rather than one per key; the file ends the same.
        TAutoUpdatePause pause(ini);
        ini.WriteString(kStyle, QStringLiteral("Name"), styleName);
        ini.WriteInteger(kForm, QStringLiteral("Top"), FTop);
        ini.WriteInteger(kForm, QStringLiteral("Left"), FLeft);
        ini.WriteInteger(kForm, QStringLiteral("Width"), FWidth);
        ini.WriteInteger(kForm, QStringLiteral("Height"), FHeight);
        ini.WriteInteger(kForm, QStringLiteral("Scale"), ScaleValue);
        ini.WriteInteger(kForm, QStringLiteral("SearchPanelHeight"), SearchPanelHeight);
        ini.WriteBool(kMemo, QStringLiteral("WordWrap"), isWordWrap);
        ini.WriteBool(kMemo, QStringLiteral("Gutter"), isGutter);
        ini.WriteBool(kMemo, QStringLiteral("LineNumbers"), isShowLineNumber);
        ini.WriteBool(kMemo, QStringLiteral("Indent"), isIndent);
        ini.WriteInteger(kMemo, QStringLiteral("TabWidth"), TabWidth);
        ini.WriteInteger(kMemo, QStringLiteral("Hiliter"), SelectSynNumber);
        ini.WriteInteger(kMemo, QStringLiteral("Tree"), TreeWidth);
        ini.WriteFont(kMemo, QStringLiteral("Font"), MemoFont);
        ini.WriteColor(kMemo, QStringLiteral("BG"), BGColor);
        ini.WriteColor(kMemo, QStringLiteral("FG"), FGColor);
        ini.WriteBool(kMemo, QStringLiteral("Dark"), isDark);
        ForEachTokenFont(*this, [&ini](const QString& key, const TIniFont& font) {
            ini.WriteFont(kSyn, key, font);
        });
        ini.WriteBool(kTree, QStringLiteral("DragMode"), isDragMode);
    }
    ini.UpdateFile();
}
