// Random text and random ranges through the HTML exporter, with every language of the
// registry and without one. Whatever the input, the output must stay sound:
//   - an empty range gives no data; any other range gives a description whose offsets lie in
//     the data and point at the document, the fragment markers and the end;
//   - spans are balanced and never nested, and every "<" of the body opens a span, closes one
//     or breaks a line, so no text of the user's becomes markup;
//   - the data is valid UTF-8, and the body's text, unescaped, is the range's text (tokens
//     without an attribute, a NUL for instance, are left out, so texts holding NUL are not
//     compared);
//   - starting from the ranges the editor stores gives the same bytes as scanning from the top.
//
// Input bytes: byte 0 picks the language (modulo the registry size + 1, 0 is none) and, with
// its top bit, the language's options from byte 1; bytes 1..4 are Start (char, line) and Stop
// (char, line); the rest is the text: 0xFE is a line break, 0xFF takes the next two bytes as
// one raw UTF-16 code unit (little-endian), any other byte the code unit of the same value.
#include <QString>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "editor/CodeEditExportHTML.h"
#include "editor/CodeEditTextBuffer.h"
#include "highlighters/HighlighterRegistry.h"
#include "platform/CodePage.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

QString DecodeText(const uint8_t* data, size_t size) {
    QString text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFE) {
            text += QStringLiteral("\r\n");
        } else if (data[i] == 0xFF && i + 2 < size) {
            text += QChar(char16_t(data[i + 1] | (data[i + 2] << 8)));
            i += 2;
        } else {
            text += QChar(char16_t(data[i]));
        }
    }
    return text;
}

// UTF-8 read back as it is, a byte-order mark at the start included.
QString Utf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

qint64 Offset(const QByteArray& data, const char* key) {
    const qsizetype at = data.indexOf(key);
    Check(at >= 0 && at < TExporterHTML::kDescriptionLength);
    const QByteArray digits = data.mid(at + qsizetype(qstrlen(key)), 10);
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    Check(ok && digits.size() == 10);
    Check(value >= 0 && value <= data.size());
    return value;
}

// The body's text with the markup taken out and the entities read back.
QString Unescape(QByteArrayView body) {
    QByteArray text;
    int depth = 0;
    for (qsizetype i = 0; i < body.size();) {
        const QByteArrayView rest = body.sliced(i);
        if (rest.startsWith("<span class=\"")) {
            Check(depth == 0);
            ++depth;
            const qsizetype close = rest.indexOf("\">");
            Check(close > 13);
            for (const char c : rest.sliced(13, close - 13))
                Check((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-');
            i += close + 2;
        } else if (rest.startsWith("</span>")) {
            Check(depth == 1);
            --depth;
            i += 7;
        } else if (rest.startsWith("<br>")) {
            text += '\n';
            i += 4;
        } else if (rest[0] == '&') {
            static const std::pair<const char*, char> kEntities[] = {
                {"&nbsp;", ' '}, {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
            bool known = false;
            for (const auto& [entity, c] : kEntities)
                if (rest.startsWith(entity)) {
                    text += c;
                    i += qsizetype(qstrlen(entity));
                    known = true;
                    break;
                }
            Check(known);
        } else {
            Check(rest[0] != '<' && rest[0] != '>' && rest[0] != '"');
            text += rest[0];
            ++i;
        }
    }
    Check(depth == 0);
    return Utf8(text);
}

void Clamp(const TCodeEditStringList& lines, TBufferCoord& p) {
    p.Line = std::clamp(p.Line, 1, qint32(lines.Count()));
    p.Char = std::clamp(p.Char, 1, qint32(lines.Strings(p.Line - 1).size()) + 1);
}

// The stream text from Start to Stop (clamped), one LF after each line.
QString RangeText(const TCodeEditStringList& lines, TBufferCoord start, TBufferCoord stop) {
    QString text;
    for (qint32 line = start.Line; line <= stop.Line; ++line) {
        const QString& s = lines.Strings(line - 1);
        const qint32 from = line == start.Line ? start.Char - 1 : 0;
        const qint32 to = line == stop.Line ? stop.Char - 1 : qint32(s.size());
        text += s.mid(from, std::max(to - from, 0)) + u'\n';
    }
    return text;
}

void CheckDocument(const QByteArray& data, qsizetype& bodyStart, qsizetype& bodyEnd) {
    Check(data.startsWith("Version:0.9\r\n"));
    const qint64 startHTML = Offset(data, "StartHTML:");
    const qint64 endHTML = Offset(data, "EndHTML:");
    const qint64 startFragment = Offset(data, "StartFragment:");
    const qint64 endFragment = Offset(data, "EndFragment:");
    Check(startHTML == TExporterHTML::kDescriptionLength);
    Check(data.sliced(startHTML).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    Check(endHTML == data.size());
    Check(data.sliced(startFragment).startsWith("<!--StartFragment--><pre><code>"));
    Check(endFragment >= startFragment + 31 + 31 && endFragment <= endHTML);
    Check(data.sliced(endFragment - 31, 31) == "</code></pre><!--EndFragment-->");
    Check(data.sliced(endFragment) == "</body>\r\n</html>");
    bodyStart = startFragment + 31;
    bodyEnd = endFragment - 31;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const auto registry = HighlighterRegistry();
    const size_t language = data[0] % (registry.size() + 1);
    std::unique_ptr<TCustomHighlighter> highlighter;
    if (language > 0) {
        const THighlighterEntry& entry = registry[language - 1];
        highlighter = entry.Create();
        if ((data[0] & 0x80) && entry.SetOptions) entry.SetOptions(*highlighter, data[1]);
        // Attributes of different looks, so spans open and close.
        for (qint32 i = 0; i < highlighter->AttrCount(); ++i)
            highlighter->GetAttribute(i)->SetForeground(quint32(i % 3) * 0x402010);
    }
    const TBufferCoord start{qint32(data[1] % 40) - 2, qint32(data[2] % 12) - 1};
    const TBufferCoord stop{qint32(data[3] % 40) - 2, qint32(data[4] % 12) - 1};
    const QString text = DecodeText(data + 5, size - 5);

    TCodeEditStringList lines;
    lines.SetText(text);
    TExporterHTML exporter;
    exporter.SetUseBackground(true);
    exporter.SetHighlighter(highlighter.get());
    exporter.ExportRange(lines, start, stop);
    const QByteArray out = exporter.Data();

    if (lines.Count() == 0) {
        Check(out.isEmpty());
        return 0;
    }
    TBufferCoord from = start;
    TBufferCoord to = stop;
    Clamp(lines, from);
    Clamp(lines, to);
    // Only a range that is empty after clamping exports nothing.
    Check(out.isEmpty() == (to <= from));
    if (out.isEmpty()) return 0;
    QString decoded;
    Check(DecodeUtf8Strict(out, decoded));
    qsizetype bodyStart = 0;
    qsizetype bodyEnd = 0;
    CheckDocument(out, bodyStart, bodyEnd);
    const QString body = Unescape(QByteArrayView(out).sliced(bodyStart, bodyEnd - bodyStart));
    // Lone surrogates come out as replacement characters, and NUL tokens are left out.
    const bool comparable = !text.contains(QChar(0)) && Utf8(text.toUtf8()) == text;
    if (comparable) Check(body == RangeText(lines, from, to));

    if (highlighter) {
        // The editor's stored ranges give the same export as a scan from the top.
        highlighter->ResetRange();
        for (qsizetype i = 0; i < lines.Count(); ++i) {
            highlighter->SetLine(lines.Strings(i), qint32(i));
            highlighter->NextToEol();
            lines.PutRange(i, highlighter->GetRange());
        }
        exporter.ExportRange(lines, start, stop);
        Check(exporter.Data() == out);
    }
    return 0;
}
