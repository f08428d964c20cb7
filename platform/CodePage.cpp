#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kAnsiCodePage = "windows-31j";
}

QString DecodeAnsi(QByteArrayView bytes) {
    QStringDecoder decoder(kAnsiCodePage);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);  // no ICU: keep every byte
    return decoder.decode(bytes);
}

QByteArray EncodeAnsi(QStringView text) {
    QStringEncoder encoder(kAnsiCodePage);
    if (!encoder.isValid()) return text.toString().toLatin1();
    return encoder.encode(text);
}

bool DecodeUtf8Strict(QByteArrayView bytes, QString& out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}
