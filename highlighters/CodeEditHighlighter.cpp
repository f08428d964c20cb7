#include "highlighters/CodeEditHighlighter.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "highlighters/HighlighterMessages.h"
#include "settings/ExIniFile.h"

namespace {

bool IsBuiltInWordBreak(unsigned c) {
    return c <= 0x2F || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x5E) || c == 0x60 ||
           (c >= 0x7B && c <= 0x7E) || c == 0xA7 || c == 0xB0 || c == 0xB4;
}

bool IsBuiltInIdent(unsigned c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Lines are scanned with 32-bit positions; one past the end must still fit.
constexpr qsizetype kMaxLineLen = std::numeric_limits<qint32>::max() - 2;

// Lower-cases one UTF-16 unit for one: a mapping that changed the length would move every
// position of the lower-cased line away from the line as typed.
void LowerPerUnit(const QChar* From, QChar* To, qint32 Length) {
    const char16_t* in = reinterpret_cast<const char16_t*>(From);
    char16_t* out = reinterpret_cast<char16_t*>(To);
    // ASCII without branches first, so the compiler can vectorise it; the rare other
    // characters are mapped afterwards.
    char16_t high = 0;
    for (qint32 i = 0; i < Length; ++i) {
        const char16_t c = in[i];
        high |= c;
        out[i] = char16_t(c | (char16_t(c - u'A') < 26 ? 0x20 : 0));
    }
    if (high < 0x80) return;
    for (qint32 i = 0; i < Length; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) continue;
        const char32_t lower = QChar::toLower(char32_t(c));
        out[i] = lower <= 0xFFFF ? char16_t(lower) : c;
    }
}

// Restores the store's AutoUpdate when a batch of writes is over, even after a failure.
class TAutoUpdateGuard {
public:
    explicit TAutoUpdateGuard(TExIniFile& Ini) : fIni(Ini), fSaved(Ini.AutoUpdate()) {
        fIni.SetAutoUpdate(false);
    }
    ~TAutoUpdateGuard() { fIni.SetAutoUpdate(fSaved); }
    TAutoUpdateGuard(const TAutoUpdateGuard&) = delete;
    TAutoUpdateGuard& operator=(const TAutoUpdateGuard&) = delete;
    bool Saved() const { return fSaved; }

private:
    TExIniFile& fIni;
    bool fSaved;
};

}  // namespace

TCustomHighlighter::TCustomHighlighter(bool ACaseSensitive) : fCaseSensitive(ACaseSensitive) {
    RebuildCharFlags();
}

TCustomHighlighter::~TCustomHighlighter() = default;

// --- Attributes ---------------------------------------------------------------------------

THighlighterAttributes* TCustomHighlighter::GetAttribute(qint32 Index) const noexcept {
    if (Index < 0 || Index >= AttrCount()) return nullptr;
    return fAttributes[size_t(Index)].get();
}

THighlighterAttributes* TCustomHighlighter::AttributeByName(QStringView Name) const noexcept {
    const auto it = std::lower_bound(
        fAttributes.begin(), fAttributes.end(), Name, [](const auto& attribute, QStringView name) {
            return QStringView(attribute->Name()).compare(name, Qt::CaseInsensitive) < 0;
        });
    if (it == fAttributes.end() ||
        QStringView((*it)->Name()).compare(Name, Qt::CaseInsensitive) != 0)
        return nullptr;
    return it->get();
}

THighlighterAttributes* TCustomHighlighter::AddAttribute(const QString& Name,
                                                         const QString& FriendlyName) {
    const auto it = std::lower_bound(
        fAttributes.begin(), fAttributes.end(), Name, [](const auto& attribute, const QString& n) {
            return attribute->Name().compare(n, Qt::CaseInsensitive) < 0;
        });
    if (it != fAttributes.end() && (*it)->Name().compare(Name, Qt::CaseInsensitive) == 0)
        throw EHighlighterError(HighlighterMessages::DuplicateAttribute().arg(Name));
    return fAttributes.insert(it, std::make_unique<THighlighterAttributes>(Name, FriendlyName))
        ->get();
}

THighlighterAttributes* TCustomHighlighter::AddAttribute(TCommonAttribute Which) {
    // In the order of TCommonAttribute: the stored name, then the shown one.
    static constexpr const char16_t* kNames[][2] = {
        {u"Assembler", u"Assembler"},
        {u"Character", u"Character"},
        {u"Comment", u"Comment"},
        {u"DataType", u"Data Type"},
        {u"Documentation", u"Documentation"},
        {u"Float", u"Float"},
        {u"Hexadecimal", u"Hexadecimal"},
        {u"Identifier", u"Identifier"},
        {u"IllegalChar", u"Illegal Char"},
        {u"Number", u"Number"},
        {u"Octal", u"Octal"},
        {u"Preprocessor", u"Preprocessor"},
        {u"ReservedWord", u"Reserved Word"},
        {u"Space", u"Space"},
        {u"String", u"String"},
        {u"Symbol", u"Symbol"},
    };
    static_assert(std::size(kNames) == static_cast<std::size_t>(TCommonAttribute::Symbol) + 1);
    const auto& names = kNames[static_cast<int>(Which)];
    return AddAttribute(QString::fromUtf16(names[0]), QString::fromUtf16(names[1]));
}

void TCustomHighlighter::EndConstruction() {
    for (const auto& attribute : fAttributes) {
        attribute->OnChange = [this](THighlighterAttributes* Sender) {
            DefHighlightChange(Sender);
        };
        attribute->InternalSaveDefaultValues();
    }
}

// --- Change notification ------------------------------------------------------------------

TCustomHighlighter::THookId TCustomHighlighter::HookAttrChangeEvent(TChangeHook Hook) {
    const THookId id = fNextHookId++;
    fAttrChangeHooks.push_back({id, std::move(Hook)});
    return id;
}

void TCustomHighlighter::UnhookAttrChangeEvent(THookId Id) {
    std::erase_if(fAttrChangeHooks, [Id](const THook& hook) { return hook.Id == Id; });
}

void TCustomHighlighter::FireChange(THighlighterAttributes* Attribute) {
    // A subscriber may hook or unhook while it is told; the others are told all the same.
    const std::vector<THook> hooks = fAttrChangeHooks;
    for (const THook& hook : hooks) {
        const bool stillHooked = std::any_of(fAttrChangeHooks.begin(), fAttrChangeHooks.end(),
                                             [&](const THook& h) { return h.Id == hook.Id; });
        if (stillHooked && hook.Hook) hook.Hook(*this, Attribute);
    }
}

void TCustomHighlighter::DefHighlightChange(THighlighterAttributes* Sender) {
    if (fUpdateCount > 0) {
        fUpdateChange = true;
        return;
    }
    if (!fLoading) FireChange(Sender);
}

void TCustomHighlighter::EndUpdate() {
    if (fUpdateCount <= 0) return;
    if (--fUpdateCount == 0 && fUpdateChange) {
        fUpdateChange = false;
        DefHighlightChange(nullptr);
    }
}

void TCustomHighlighter::SetEnabled(bool Value) {
    if (fEnabled == Value) return;
    fEnabled = Value;
    DefHighlightChange(nullptr);
}

void TCustomHighlighter::Loaded() {
    fLoading = false;
    DefHighlightChange(nullptr);
}

// --- Scanning -----------------------------------------------------------------------------

void TCustomHighlighter::DoSetLine(const QString& Value, qint32 LineNumber) {
    const qint32 length = qint32(std::min(Value.size(), kMaxLineLen));
    if (fCaseSensitive) {
        fLineStr = Value;
        fCasedLineStr.clear();
        fLine = fLineStr.constData();
        fCasedLine = fLine;
    } else {
        fCasedLineStr = Value;
        fLineStr.resize(length);
        LowerPerUnit(fCasedLineStr.constData(), fLineStr.data(), length);
        fLine = fLineStr.constData();
        fCasedLine = fCasedLineStr.constData();
    }
    fLineLen = length;
    Run = 0;
    ExpandedRun = 0;
    fOldRun = 0;
    fTokenPos = 0;
    fExpandedTokenPos = 0;
    fToIdent = 0;
    fStringLen = 0;
    fLineNumber = LineNumber;
}

void TCustomHighlighter::SetLine(const QString& Value, qint32 LineNumber) {
    fExpandedLineStr.clear();
    fExpandedLine = nullptr;
    fExpandedLineLen = 0;
    DoSetLine(Value, LineNumber);
    Next();
}

void TCustomHighlighter::SetLineExpandedAtWideGlyphs(const QString& Line,
                                                     const QString& ExpandedLine,
                                                     qint32 LineNumber) {
    fExpandedLineStr = ExpandedLine;
    fExpandedLine = fExpandedLineStr.constData();
    fExpandedLineLen = qint32(std::min(ExpandedLine.size(), kMaxLineLen));
    DoSetLine(Line, LineNumber);
    Next();
}

void TCustomHighlighter::StepExpandedLine() noexcept {
    // Fillers after a wide glyph belong to the token that follows it.
    for (qint32 n = Run - fOldRun; n > 0; --n) {
        while (ExpandedRun < fExpandedLineLen && fExpandedLine[ExpandedRun].unicode() == 0xE000)
            ++ExpandedRun;
        if (ExpandedRun <= fExpandedLineLen) ++ExpandedRun;
    }
    fOldRun = Run;
}

void TCustomHighlighter::RepairToken() noexcept {
    // A scanner that took no character, or ran past the line, would stall or overrun the
    // editor's token loop. Neither should happen; if it does, the token is cut to size and
    // counted, so the line still ends and tests can see the fault.
    ++fStalledTokens;
    if (Run <= fTokenPos) Run = fTokenPos + 1;
    if (Run > fLineLen + 1) Run = fLineLen + 1;
}

QString TCustomHighlighter::GetToken() const {
    return GetTokenView().toString();
}

QStringView TCustomHighlighter::GetTokenView() const noexcept {
    const qint32 end = TokenEnd();
    if (!fCasedLine || fTokenPos >= end) return {};
    return QStringView(fCasedLine + fTokenPos, end - fTokenPos);
}

qint32 TCustomHighlighter::GetExpandedTokenPos() const noexcept {
    return fExpandedLine ? fExpandedTokenPos : fTokenPos;
}

QString TCustomHighlighter::GetExpandedToken() const {
    if (!fExpandedLine) return GetToken();
    const qint32 end = std::min(ExpandedRun, fExpandedLineLen);
    if (fExpandedTokenPos >= end) return {};
    return QString(fExpandedLine + fExpandedTokenPos, end - fExpandedTokenPos);
}

qint32 TCustomHighlighter::PosToExpandedPos(qint32 Pos) const noexcept {
    if (!fExpandedLine) return Pos;
    qint32 result = 0;
    for (qint32 i = 0; i < Pos && result < fExpandedLineLen; ++i) {
        while (result < fExpandedLineLen && fExpandedLine[result].unicode() == 0xE000)
            ++result;
        if (result < fExpandedLineLen) ++result;
    }
    return result;
}

bool TCustomHighlighter::IsKeyword(QStringView AKeyword) const {
    if (!fKeywordTable) return false;
    if (fCaseSensitive) return fKeywordTable->IndexOf(AKeyword) >= 0;
    return fKeywordTable->IndexOf(LowerCasePerUnit(AKeyword)) >= 0;
}

QString TCustomHighlighter::LowerCasePerUnit(QStringView Word) {
    const qint32 length = qint32(std::min(Word.size(), kMaxLineLen));
    QString lower(length, Qt::Uninitialized);
    LowerPerUnit(Word.data(), lower.data(), length);
    return lower;
}

// --- Character classes --------------------------------------------------------------------

void TCustomHighlighter::RebuildCharFlags() {
    for (unsigned c = 0; c < 256; ++c) {
        const bool wordBreak = (IsBuiltInWordBreak(c) || FAdditionalWordBreakChars.test(c)) &&
                               !FAdditionalIdentChars.test(c);
        const bool ident = (IsBuiltInIdent(c) || FAdditionalIdentChars.test(c)) && !wordBreak;
        fCharFlags[c] = quint8((ident ? kIdentFlag : 0) | (wordBreak ? kWordBreakFlag : 0));
    }
}

void TCustomHighlighter::SetAdditionalIdentChars(const THighlighterCharSet& Value) {
    FAdditionalIdentChars = Value;
    RebuildCharFlags();
}

void TCustomHighlighter::SetAdditionalWordBreakChars(const THighlighterCharSet& Value) {
    FAdditionalWordBreakChars = Value;
    RebuildCharFlags();
}

bool TCustomHighlighter::IsIdentChar(QChar AChar) const {
    return IsIdentCharFast(AChar.unicode());
}

bool TCustomHighlighter::IsWordBreakChar(QChar AChar) const {
    const char16_t c = AChar.unicode();
    return c < 256 && (fCharFlags[c] & kWordBreakFlag) != 0;
}

bool TCustomHighlighter::IsWhiteChar(QChar AChar) const {
    return AChar.unicode() <= 0x20 || (!IsIdentChar(AChar) && !IsWordBreakChar(AChar));
}

// --- Settings -----------------------------------------------------------------------------

bool TCustomHighlighter::LoadFromIniFile(const TExIniFile& Ini) {
    TUpdateGuard update(*this);
    bool allFound = true;
    for (const auto& attribute : fAttributes)
        allFound = attribute->LoadFromIniFile(Ini) && allFound;
    return allFound;
}

void TCustomHighlighter::SaveToIniFile(TExIniFile& Ini) const {
    // One write of the file for all attributes, not three per attribute.
    bool writeNow = false;
    {
        TAutoUpdateGuard batch(Ini);
        for (const auto& attribute : fAttributes)
            attribute->SaveToIniFile(Ini);
        writeNow = batch.Saved();
    }
    if (writeNow) Ini.UpdateFile();
}
