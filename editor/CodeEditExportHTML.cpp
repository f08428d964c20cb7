#include "editor/CodeEditExportHTML.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "highlighters/HighlighterRegistry.h"

namespace {

const char kStartFragment[] = "<!--StartFragment--><pre><code>";
const char kEndFragment[] = "</code></pre><!--EndFragment-->";
const char kDocumentEnd[] = "</body>\r\n</html>";

// The registry's export name of the highlighter's language ("Pas", "Cpp"); a highlighter
// the registry does not know goes by its language name.
QString ExportNameOf(const TCustomHighlighter& Highlighter) {
    static const std::vector<std::type_index> kTypes = [] {
        std::vector<std::type_index> types;
        for (const THighlighterEntry& entry : HighlighterRegistry()) {
            const auto sample = entry.Create();
            const TCustomHighlighter& made = *sample;
            types.emplace_back(typeid(made));
        }
        return types;
    }();
    const std::span<const THighlighterEntry> entries = HighlighterRegistry();
    for (size_t i = 0; i < kTypes.size() && i < entries.size(); ++i)
        if (kTypes[i] == std::type_index(typeid(Highlighter)))
            return QString::fromLatin1(entries[i].ExportName);
    return Highlighter.GetLanguageName();
}

QByteArray ClassNameRule(const QString& Text) {
    QByteArray name;
    for (const QChar c : Text.toLower()) {
        const char16_t u = c.unicode();
        if (u == u'.' || u == u'_' || u == u'-')
            name += '-';
        else if ((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9'))
            name += char(u);
    }
    return name;
}

}  // namespace

TExporterHTML::TExporterHTML() {
    fCreateHTMLFragment = true;
}

QByteArray TExporterHTML::HTMLDocument() const {
    if (!fCreateHTMLFragment || fBuffer.size() < kDescriptionLength) return fBuffer;
    return fBuffer.sliced(kDescriptionLength);
}

QByteArray TExporterHTML::AttributeClassName(const THighlighterAttributes& Attribute) const {
    const QString exportName = fHighlighter ? ExportNameOf(*fHighlighter) : QString();
    return ClassNameRule(exportName + QStringLiteral("1.") + Attribute.Name());
}

QByteArray TExporterHTML::ColorText(quint32 Color) const {
    // 0x00BBGGRR to #RRGGBB.
    static const char kDigits[] = "0123456789ABCDEF";
    QByteArray text("#");
    for (const int shift : {0, 8, 16}) {
        const quint32 byte = (Color >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

QByteArray TExporterHTML::StyleRules() const {
    QByteArray rules = "body { color: " + ColorText(FontColor()) +
                       "; background-color: " + ColorText(PageColor()) + "; }\r\n";
    if (!fHighlighter) return rules;
    for (qint32 i = 0; i < fHighlighter->AttrCount(); ++i) {
        const THighlighterAttributes& attribute = *fHighlighter->GetAttribute(i);
        rules += '.' + AttributeClassName(attribute) + " { ";
        if (fUseBackground && attribute.Background() != kHighlighterNoColor)
            rules +=
                "background-color: " + ColorText(ResolveColor(attribute.Background(), 0)) + "; ";
        if (attribute.Foreground() != kHighlighterNoColor)
            rules += "color: " + ColorText(ResolveColor(attribute.Foreground(), 0)) + "; ";
        const quint8 style = attribute.Style();
        if (style & hsBold) rules += "font-weight: bold; ";
        if (style & hsItalic) rules += "font-style: italic; ";
        // One declaration for both lines: a second text-decoration would replace the first.
        if ((style & hsUnderline) && (style & hsStrikeOut))
            rules += "text-decoration: underline line-through; ";
        else if (style & hsUnderline)
            rules += "text-decoration: underline; ";
        else if (style & hsStrikeOut)
            rules += "text-decoration: line-through; ";
        rules += "}\r\n";
    }
    return rules;
}

QByteArray TExporterHTML::Head() const {
    QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
        "<head>\r\n"
        "<title>";
    head += EscapeTitle(fTitle);
    head +=
        "</title>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
        "<meta name=\"generator\" content=\"CodeEdit HTML exporter\" />\r\n"
        "<style type=\"text/css\">\r\n"
        "<!--\r\n";
    head += StyleRules();
    head +=
        "-->\r\n"
        "</style>\r\n"
        "</head>\r\n"
        "<body>\r\n";
    return head;
}

QByteArray TExporterHTML::GetHeader(qsizetype BodyLength) const {
    const QByteArray head = Head();
    if (!fCreateHTMLFragment) return head + "<pre><code>";
    const qint64 startFragment = kDescriptionLength + head.size();
    const qint64 endFragment = startFragment + qint64(sizeof kStartFragment - 1) + BodyLength +
                               qint64(sizeof kEndFragment - 1);
    const qint64 endHTML = endFragment + qint64(sizeof kDocumentEnd - 1);
    // Ten digits hold any offset below 10 GB, far beyond what a QByteArray holds.
    char description[2 * kDescriptionLength];
    const int length = std::snprintf(
        description, sizeof description,
        "Version:0.9\r\nStartHTML:%.10lld\r\nEndHTML:%.10lld\r\nStartFragment:%.10lld\r\n"
        "EndFragment:%.10lld\r\n",
        static_cast<long long>(kDescriptionLength), static_cast<long long>(endHTML),
        static_cast<long long>(startFragment), static_cast<long long>(endFragment));
    QByteArray header(description, std::clamp(length, 0, int(sizeof description) - 1));
    header += head;
    header += kStartFragment;
    return header;
}

QByteArray TExporterHTML::GetFooter() const {
    if (!fCreateHTMLFragment) return QByteArray("</code></pre>") + kDocumentEnd;
    return QByteArray(kEndFragment) + kDocumentEnd;
}

void TExporterHTML::FormatAttributeInit(const THighlighterAttributes& Attribute) {
    if (fTagsHighlighter != fHighlighter) {
        fOpenTags.Clear();
        fTagsHighlighter = fHighlighter;
    }
    Write(fOpenTags.Get(&Attribute,
                        [&] { return "<span class=\"" + AttributeClassName(Attribute) + "\">"; }));
}

void TExporterHTML::FormatAttributeDone() {
    Write("</span>", 7);
}

void TExporterHTML::FormatNewLine() {
    Write("<br>", 4);
}

void TExporterHTML::FormatToken(QStringView Token) {
    // Room for the longest form: an entity of six bytes for every character.
    char* d = Room(6 * Token.size());
    auto put = [&d](const char* s, int length) {
        std::memcpy(d, s, size_t(length));
        d += length;
    };
    const char16_t* p = Token.utf16();
    const qsizetype n = Token.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = p[i];
        if (c < 0x80) {
            switch (c) {
                case u' ':
                    put("&nbsp;", 6);
                    break;
                case u'"':
                    put("&quot;", 6);
                    break;
                case u'&':
                    put("&amp;", 5);
                    break;
                case u'<':
                    put("&lt;", 4);
                    break;
                case u'>':
                    put("&gt;", 4);
                    break;
                default:
                    *d++ = char(c);
                    break;
            }
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), p[++i]);
        } else if (QChar::isSurrogate(c)) {
            c = 0xFFFD;  // half a pair has no UTF-8 form
        }
        if (c < 0x800) {
            *d++ = char(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *d++ = char(0xE0 | (c >> 12));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
        } else {
            *d++ = char(0xF0 | (c >> 18));
            *d++ = char(0x80 | ((c >> 12) & 0x3F));
            *d++ = char(0x80 | ((c >> 6) & 0x3F));
        }
        *d++ = char(0x80 | (c & 0x3F));
    }
    Wrote(d);
}

QByteArray TExporterHTML::EscapeTitle(QStringView Text) {
    return Text.toString().toHtmlEscaped().toUtf8();
}
