#include "settings/IniEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/CodePage.h"

namespace {

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16LEMark[] = "\xFF\xFE";
constexpr char Utf16BEMark[] = "\xFE\xFF";

// The mark is stripped by the caller; a second mark right after it is text and stays.
QString Decode(QByteArrayView bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray Encode(const QString& text, QStringConverter::Encoding encoding) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

}  // namespace

QString DecodeIniText(QByteArrayView bytes, TIniEncoding& encoding) {
    if (bytes.startsWith(QByteArrayView(Utf8Mark, 3))) {
        encoding = TIniEncoding::Utf8Bom;
        return Decode(bytes.sliced(3), QStringConverter::Utf8);
    }
    if (bytes.startsWith(QByteArrayView(Utf16LEMark, 2))) {
        encoding = TIniEncoding::Utf16LE;
        return Decode(bytes.sliced(2), QStringConverter::Utf16LE);
    }
    if (bytes.startsWith(QByteArrayView(Utf16BEMark, 2))) {
        encoding = TIniEncoding::Utf16BE;
        return Decode(bytes.sliced(2), QStringConverter::Utf16BE);
    }
    QString text;
    if (DecodeUtf8Strict(bytes, text)) {
        encoding = TIniEncoding::Utf8;
        return text;
    }
    encoding = TIniEncoding::Ansi;
    return DecodeAnsi(bytes);
}

QByteArray EncodeIniText(const QString& text, TIniEncoding encoding) {
    switch (encoding) {
        case TIniEncoding::Utf8Bom:
            return QByteArray(Utf8Mark, 3) + Encode(text, QStringConverter::Utf8);
        case TIniEncoding::Utf16LE:
            return QByteArray(Utf16LEMark, 2) + Encode(text, QStringConverter::Utf16LE);
        case TIniEncoding::Utf16BE:
            return QByteArray(Utf16BEMark, 2) + Encode(text, QStringConverter::Utf16BE);
        case TIniEncoding::Ansi: {
            QByteArray bytes = EncodeAnsi(text);
            if (DecodeAnsi(bytes) == text) return bytes;
            break;
        }
        case TIniEncoding::Utf8:
            break;
    }
    return Encode(text, QStringConverter::Utf8);
}
