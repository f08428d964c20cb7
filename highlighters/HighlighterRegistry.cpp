#include "highlighters/HighlighterRegistry.h"

#include "highlighters/HighlighterCS.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterJScript.h"
#include "highlighters/HighlighterJava.h"
#include "highlighters/HighlighterPas.h"
#include "highlighters/HighlighterPython.h"
#include "highlighters/HighlighterRuby.h"

namespace {

template <class THighlighter>
std::unique_ptr<TCustomHighlighter> Make() {
    return std::make_unique<THighlighter>();
}

void SetPascalOptions(TCustomHighlighter& Highlighter, quint8 Bits) {
    auto& h = static_cast<TPasHighlighter&>(Highlighter);
    h.SetLanguageLevel(quint8(Bits % (TPasHighlighter::kMaxLanguageLevel + 1)));
    h.SetPackageSource((Bits & 0x40) != 0);
}

void SetRubyOptions(TCustomHighlighter& Highlighter, quint8 Bits) {
    // A second list with a word of the first (the first wins) and words with capitals.
    static const QStringList second = {
        QStringLiteral("attr_accessor"), QStringLiteral("attr_reader"), QStringLiteral("lambda"),
        QStringLiteral("proc"),          QStringLiteral("puts"),        QStringLiteral("Struct"),
        QStringLiteral("__method__")};
    static_cast<TRubyHighlighter&>(Highlighter)
        .SetSecondKeyWords((Bits & 1) ? second : QStringList());
}

void SetCppOptions(TCustomHighlighter& Highlighter, quint8 Bits) {
    static_cast<TCppHighlighter&>(Highlighter).SetNewPreprocesorStyle((Bits & 1) != 0);
}

// Attribute names of the token fonts, in TTokenFontRole order.
constexpr std::array<const char*, kTokenFontRoles> kWithFloat = {
    "Comment", "Float", "ReservedWord", "Number", "String", "Symbol", "Identifier"};
constexpr std::array<const char*, kTokenFontRoles> kWithoutFloat = {
    "Comment", nullptr, "ReservedWord", "Number", "String", "Symbol", "Identifier"};

// In choice order.
const THighlighterEntry kRegistry[] = {
    {1, "Pascal", "PasHighlighter1", "Pas", Make<TPasHighlighter>, kWithFloat, SetPascalOptions},
    {2, "C#", "CSHighlighter1", "CS", Make<TCSHighlighter>, kWithoutFloat},
    {3, "Python", "PythonHighlighter1", "Python", Make<TPythonHighlighter>, kWithFloat},
    {4, "Ruby", "RubyHighlighter1", "Ruby", Make<TRubyHighlighter>, kWithoutFloat, SetRubyOptions},
    {5, "C++", "CppHighlighter1", "Cpp", Make<TCppHighlighter>, kWithFloat, SetCppOptions},
    {6, "JavaScript", "JScriptHighlighter1", "JScript", Make<TJScriptHighlighter>, kWithoutFloat},
    {7, "Java", "JavaHighlighter1", "Java", Make<TJavaHighlighter>, kWithoutFloat},
};

}  // namespace

std::span<const THighlighterEntry> HighlighterRegistry() {
    return kRegistry;
}

const THighlighterEntry* FindHighlighterEntry(int Choice) {
    for (const THighlighterEntry& entry : kRegistry)
        if (entry.Choice == Choice) return &entry;
    return nullptr;
}

std::unique_ptr<TCustomHighlighter> CreateHighlighterForChoice(int Choice) {
    const THighlighterEntry* entry = FindHighlighterEntry(Choice);
    return entry ? entry->Create() : nullptr;
}

QString HighlighterChoiceName(int Choice) {
    if (Choice == 0) return QStringLiteral("テキスト");
    const THighlighterEntry* entry = FindHighlighterEntry(Choice);
    return entry ? QString::fromUtf8(entry->Name) : QString();
}

std::array<THighlighterAttributes*, kTokenFontRoles> TokenFontTargets(
    const THighlighterEntry& Entry, const TCustomHighlighter& Highlighter) {
    std::array<THighlighterAttributes*, kTokenFontRoles> targets{};
    for (int role = 0; role < kTokenFontRoles; ++role)
        if (const char* name = Entry.TokenFontAttributes[size_t(role)])
            targets[size_t(role)] = Highlighter.AttributeByName(QString::fromLatin1(name));
    return targets;
}
