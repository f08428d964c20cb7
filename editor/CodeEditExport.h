#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <cstring>

#include "editor/CodeEditAttributeTable.h"
#include "editor/CodeEditTokenRuns.h"
#include "editor/CodeEditTypes.h"
#include "platform/SystemColors.h"

class QIODevice;
class TCodeEditStringList;

// System colour numbers the exporter's defaults name.
inline constexpr quint32 kSystemWindowColor = 0xFF000005;
inline constexpr quint32 kSystemWindowTextColor = 0xFF000008;

enum TExporterEncoding : quint8 { seUTF8 };

// The face, size, colour and style the text is written in when a token has none of its own.
struct TExporterFont {
    QString Name = QStringLiteral("DejaVu Sans Mono");  // the editor's first choice of face
    int Size = 10;
    quint32 Color = kSystemWindowTextColor;
    quint8 Style = 0;
};

// Writes a range of lines with the colours a highlighter gives their tokens, in a format of
// its descendant's. The range is walked once: tokens of one look become one run, and the
// format hooks open, fill and close runs.
class TCustomExporter {
public:
    TCustomExporter();
    virtual ~TCustomExporter();
    TCustomExporter(const TCustomExporter&) = delete;
    TCustomExporter& operator=(const TCustomExporter&) = delete;

    // Forgets what was exported.
    void Clear();
    // Exports the stream from Start up to Stop (Stop's character is not included), whatever
    // the editor's selection mode, and wraps it in the format's header and footer. A range
    // that is empty after clamping exports nothing. Lines' stored ranges, where it has them,
    // must be those of the exporter's highlighter: the editor keeps them so.
    void ExportRange(const TCodeEditStringList& Lines, TBufferCoord Start, TBufferCoord Stop);
    // The body alone, without header and footer (empty for an empty range).
    QByteArray ExportBody(const TCodeEditStringList& Lines, TBufferCoord Start, TBufferCoord Stop);
    // Writes what was exported; raises EWriteError when the stream fails.
    void SaveToStream(QIODevice& Stream) const;
    // The bytes SaveToStream writes; empty when nothing was exported.
    const QByteArray& Data() const noexcept { return fBuffer; }

    TCustomHighlighter* Highlighter() const noexcept { return fHighlighter; }
    // With UseBackground set, the whitespace attribute's background, when it has one, becomes
    // the background colour: set UseBackground first.
    void SetHighlighter(TCustomHighlighter* Value);
    bool UseBackground() const noexcept { return fUseBackground; }
    void SetUseBackground(bool Value) { fUseBackground = Value; }
    const QString& Title() const noexcept { return fTitle; }
    void SetTitle(const QString& Value) { fTitle = Value; }
    const TExporterFont& Font() const noexcept { return fFont; }
    void SetFont(const TExporterFont& Value) { fFont = Value; }
    quint32 BackgroundColor() const noexcept { return fBackgroundColor; }
    void SetBackgroundColor(quint32 Value) { fBackgroundColor = Value; }
    bool CreateHTMLFragment() const noexcept { return fCreateHTMLFragment; }
    void SetCreateHTMLFragment(bool Value) { fCreateHTMLFragment = Value; }
    // Whether the result is offered as plain text rather than in the format's own clipboard
    // format; the editor offers its HTML as HTML.
    bool ExportAsText() const noexcept { return fExportAsText; }
    void SetExportAsText(bool Value) { fExportAsText = Value; }
    TExporterEncoding Encoding() const noexcept { return FEncoding; }
    // System colours are resolved from this table; the default is a light desktop's, so
    // exports from scripts are the same everywhere.
    const TSystemColorTable& SystemColors() const noexcept { return fSystemColors; }
    void SetSystemColors(const TSystemColorTable& Value) { fSystemColors = Value; }

    // 0x00BBGGRR of a colour value with system colours resolved; none, and a value that
    // names no colour, give Fallback.
    quint32 ResolveColor(quint32 Color, quint32 Fallback) const;
    // The font colour and the background colour, resolved; none stands for the system's
    // window text and window colours.
    quint32 FontColor() const;
    quint32 PageColor() const;

protected:
    // Opens the look of a run whose first token has Attribute.
    virtual void FormatAttributeInit(const THighlighterAttributes& Attribute) = 0;
    // Closes the open look.
    virtual void FormatAttributeDone() = 0;
    // Writes text of the line.
    virtual void FormatToken(QStringView Token) = 0;
    virtual void FormatNewLine() = 0;
    // The document around a finished body.
    virtual QByteArray GetHeader(qsizetype BodyLength) const = 0;
    virtual QByteArray GetFooter() const = 0;

    // The look a token of Attribute is written in: colours resolved, the background only
    // with UseBackground. Tokens without an attribute are left out.
    TTokenLook LookOf(const THighlighterAttributes* Attribute) const;

    // While a body is written, fBuffer is kept longer than what it holds (fLength bytes), so
    // the hooks write with plain copies. Room gives space for at least N more bytes; Wrote
    // takes the end of what was written there.
    char* Room(qsizetype N) {
        if (fLength + N > fBuffer.size()) Grow(N);
        return fBuffer.data() + fLength;
    }
    void Wrote(const char* End) { fLength = End - fBuffer.constData(); }
    void Write(const char* Bytes, qsizetype N) {
        std::memcpy(Room(N), Bytes, size_t(N));
        fLength += N;
    }
    void Write(const QByteArray& Bytes) { Write(Bytes.constData(), Bytes.size()); }

    QByteArray fBuffer;
    TExporterEncoding FEncoding = seUTF8;
    TExporterFont fFont;
    quint32 fBackgroundColor = kSystemWindowColor;
    bool fUseBackground = false;
    TCustomHighlighter* fHighlighter = nullptr;
    QString fTitle = QStringLiteral("Untitled");
    // The look of the open run; fFirstAttribute until the first run is opened.
    bool fFirstAttribute = true;
    quint32 fLastBG = 0;
    quint32 fLastFG = 0;
    quint8 fLastStyle = 0;
    bool fCreateHTMLFragment = false;
    bool fExportAsText = false;
    TSystemColorTable fSystemColors;

private:
    // Appends the body of the range; false, having written nothing, when the range is empty.
    bool WriteBody(const TCodeEditStringList& Lines, TBufferCoord Start, TBufferCoord Stop);
    // The highlighter's state at the end of the line before Line (1-based).
    void StartRangeBefore(const TCodeEditStringList& Lines, qsizetype Line);
    void ExportLine(const QString& Text, qint32 From, qint32 To, qint32 Limit);
    void WriteRun(QStringView Text, const TTokenRun& Run);

    void Grow(qsizetype N);

    qsizetype fLength = 0;
    TAttributeTable<TTokenLook> fLooks;  // worked out once per export
};
