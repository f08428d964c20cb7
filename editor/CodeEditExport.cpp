#include "editor/CodeEditExport.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "editor/CodeEditMessages.h"
#include "editor/CodeEditTextBuffer.h"

namespace {

// A token without an attribute gets a look no attribute can have, so it never joins a run.
constexpr TTokenLook kNoAttributeLook{0xFFFFFFFF, 0xFFFFFFFF, 0xFF};

// The classic light desktop: white windows, black text, light grey faces, a blue selection.
constexpr TSystemColorTable kLightSystemColors = {
    0xF0F0F0, 0x9F9F9F,   0xD77800, 0xB8B8B8, 0xF0F0F0, 0xFFFFFF, 0x767676, 0x000000,  // 0..7
    0x000000, 0xFFFFFF,   0xF0F0F0, 0xF0F0F0, 0xB8B8B8, 0xD77800, 0xFFFFFF, 0xF0F0F0,  // 8..15
    0x9F9F9F, 0x000000,   0x000000, 0x000000, 0xFFFFFF, 0x767676, 0xCACACA, 0x000000,  // 16..23
    0xDCFFFF, kColorNone, 0xFF0000, 0xD77800, 0xB8B8B8, 0xD77800, 0xF0F0F0,            // 24..30
};

}  // namespace

TCustomExporter::TCustomExporter() : fSystemColors(kLightSystemColors) {}

TCustomExporter::~TCustomExporter() = default;

void TCustomExporter::Clear() {
    fBuffer.clear();
}

void TCustomExporter::SetHighlighter(TCustomHighlighter* Value) {
    fHighlighter = Value;
    if (!Value || !fUseBackground) return;
    // A whitespace background of none keeps the colour the text is shown on.
    if (const THighlighterAttributes* space = Value->GetDefaultAttribute(4))
        if (space->Background() != kColorNone) fBackgroundColor = space->Background();
}

quint32 TCustomExporter::ResolveColor(quint32 Color, quint32 Fallback) const {
    return ::ResolveColor(Color, fSystemColors, Fallback);
}

quint32 TCustomExporter::FontColor() const {
    return ResolveColor(fFont.Color, ResolveColor(kSystemWindowTextColor, 0x000000));
}

quint32 TCustomExporter::PageColor() const {
    return ResolveColor(fBackgroundColor, ResolveColor(kSystemWindowColor, 0xFFFFFF));
}

TTokenLook TCustomExporter::LookOf(const THighlighterAttributes* Attribute) const {
    if (!Attribute) return kNoAttributeLook;
    return {ResolveColor(Attribute->Foreground(), FontColor()),
            fUseBackground ? ResolveColor(Attribute->Background(), PageColor()) : 0u,
            Attribute->Style()};
}

void TCustomExporter::ExportRange(const TCodeEditStringList& Lines, TBufferCoord Start,
                                  TBufferCoord Stop) {
    // The header's length does not depend on the body: the body is written behind a header
    // made for an empty one, which is then overwritten, so the data is never copied.
    const QByteArray placeholder = GetHeader(0);
    fBuffer = placeholder;
    if (!WriteBody(Lines, Start, Stop)) {
        fBuffer.clear();
        return;
    }
    const qsizetype bodyLength = fBuffer.size() - placeholder.size();
    fBuffer += GetFooter();
    const QByteArray header = GetHeader(bodyLength);
    if (header.size() == placeholder.size())
        std::memcpy(fBuffer.data(), header.constData(), size_t(header.size()));
    else
        fBuffer.replace(0, placeholder.size(), header);
}

QByteArray TCustomExporter::ExportBody(const TCodeEditStringList& Lines, TBufferCoord Start,
                                       TBufferCoord Stop) {
    fBuffer.clear();
    WriteBody(Lines, Start, Stop);
    return std::exchange(fBuffer, {});
}

bool TCustomExporter::WriteBody(const TCodeEditStringList& Lines, TBufferCoord Start,
                                TBufferCoord Stop) {
    const qsizetype count = Lines.Count();
    if (count == 0) return false;
    auto clamp = [&](TBufferCoord& P) {
        P.Line = std::clamp<qint32>(
            P.Line, 1, qint32(std::min<qsizetype>(count, std::numeric_limits<qint32>::max())));
        P.Char = std::clamp<qint32>(P.Char, 1, qint32(Lines.Strings(P.Line - 1).size()) + 1);
    };
    clamp(Start);
    clamp(Stop);
    if (Stop <= Start) return false;
    // Room for what a text of ordinary code becomes, so a long export grows its buffer
    // seldom; the pages are touched only where written.
    qsizetype chars = 0;
    for (qint32 line = Start.Line; line <= Stop.Line; ++line)
        chars += Lines.Strings(line - 1).size() + 1;
    fLength = fBuffer.size();
    fBuffer.resize(fLength + 6 * chars + 64);

    fFirstAttribute = true;
    fLooks.Clear();
    const bool highlighted = fHighlighter && fHighlighter->Enabled();
    if (highlighted) StartRangeBefore(Lines, Start.Line);
    for (qint32 line = Start.Line; line <= Stop.Line; ++line) {
        const QString& text = Lines.Strings(line - 1);
        const qint32 from = line == Start.Line ? Start.Char - 1 : 0;
        const qint32 to = line == Stop.Line ? Stop.Char - 1 : qint32(text.size());
        // Lines before the last are scanned to their end, so the next starts in the range
        // the editor would give it.
        const qint32 limit = line == Stop.Line ? to : std::numeric_limits<qint32>::max();
        if (highlighted) {
            fHighlighter->SetLine(text, line - 1);
            ExportLine(text, from, to, limit);
        } else if (to > from) {
            FormatToken(QStringView(text).sliced(from, to - from));
        }
        FormatNewLine();
    }
    if (!fFirstAttribute) FormatAttributeDone();
    fBuffer.resize(fLength);
    return true;
}

void TCustomExporter::Grow(qsizetype N) {
    fBuffer.resize(std::max(fLength + N, 2 * fBuffer.size() + 256));
}

// The whole line is scanned, not only its selected part: a token cut by the selection keeps
// the colour it has on screen.
void TCustomExporter::ExportLine(const QString& Text, qint32 From, qint32 To, qint32 Limit) {
    const QStringView text(Text);
    auto lookOf = [this](const THighlighterAttributes* attribute) {
        return fLooks.Get(attribute, [&] { return LookOf(attribute); });
    };
    // Tokens before the range are passed over, so a run's class is that of its first token
    // in the range.
    while (!fHighlighter->GetEol() &&
           fHighlighter->GetTokenPos() + fHighlighter->GetTokenLen() <= From)
        fHighlighter->Next();
    WalkTokenRuns(*fHighlighter, qint32(text.size()), Limit, lookOf, [&](const TTokenRun& run) {
        const qint32 start = std::max(run.Start, From);
        const qint32 end = std::min(run.End, To);
        if (end > start && run.Attribute) WriteRun(text.sliced(start, end - start), run);
    });
}

void TCustomExporter::WriteRun(QStringView Text, const TTokenRun& Run) {
    const TTokenLook& look = Run.Look;
    const bool same = !fFirstAttribute && look.Background == fLastBG &&
                      look.Foreground == fLastFG && look.Style == fLastStyle;
    if (!same) {
        if (!fFirstAttribute) FormatAttributeDone();
        FormatAttributeInit(*Run.Attribute);
        fFirstAttribute = false;
        fLastBG = look.Background;
        fLastFG = look.Foreground;
        fLastStyle = look.Style;
    }
    FormatToken(Text);
}

// The editor keeps the range at the end of every line; a store that was never scanned has
// none, and the lines above are scanned here instead.
void TCustomExporter::StartRangeBefore(const TCodeEditStringList& Lines, qsizetype Line) {
    if (Line > 1) {
        const TCodeEditRange stored = Lines.Ranges(Line - 2);
        if (stored != kNoRange) {
            fHighlighter->SetRange(stored);
            return;
        }
    }
    fHighlighter->ResetRange();
    for (qsizetype i = 0; i + 1 < Line; ++i) {
        fHighlighter->SetLine(Lines.Strings(i), qint32(i));
        fHighlighter->NextToEol();
    }
}

void TCustomExporter::SaveToStream(QIODevice& Stream) const {
    if (Stream.write(fBuffer) != fBuffer.size()) throw EWriteError(CodeEditMessages::WriteError());
}
