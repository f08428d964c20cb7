#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kAnsiCodePage = "windows-31j";
}

QString DecodeAnsi(QByteArrayView bytes) {
    QStringDecoder decoder(kAnsiCodePage);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);  // no ICU: keep every byte
    QString text = decoder.decode(bytes);
    // A lead byte cut off at the end waits in the decoder for its trail byte; a line feed
    // pushes it out as a substitute character instead of letting it vanish.
    text += decoder.decode(QByteArrayView("\n", 1));
    text.chop(1);
    return text;
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
