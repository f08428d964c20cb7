#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kAnsiCodePage = "windows-31j";

// The converter maps a few ASCII control codes (0x1A, 0x1C, 0x7F) to other control codes,
// the way some mainframe tables do. ASCII must pass through unchanged, so only the runs of
// non-ASCII text go through the converter.
bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
}  // namespace

QString DecodeAnsi(QByteArrayView bytes) {
    QStringDecoder decoder(kAnsiCodePage);
    if (!decoder.isValid()) return QString::fromLatin1(bytes);  // no ICU: keep every byte
    QString text;
    text.reserve(bytes.size());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && static_cast<unsigned char>(bytes[i]) < 0x80)
            ++i;
        text += QLatin1StringView(bytes.data() + start, i - start);
        if (i == n) break;
        const qsizetype runStart = i;
        while (i < n && static_cast<unsigned char>(bytes[i]) >= 0x80)
            i += IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        i = std::min(i, n);
        QString run = decoder.decode(bytes.sliced(runStart, i - runStart));
        // A lead byte cut off at the end waits for its trail byte; a line feed pushes it
        // out as a substitute instead of letting it vanish.
        run += decoder.decode(QByteArrayView("\n", 1));
        run.chop(1);
        // The run held no ASCII, so any SUB in it is the converter's substitute.
        run.replace(QChar(0x1A), QChar::ReplacementCharacter);
        text += run;
    }
    return text;
}

QByteArray EncodeAnsi(QStringView text) {
    if (!QStringEncoder(kAnsiCodePage).isValid()) return text.toString().toLatin1();
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype start = i;
        while (i < n && text[i].unicode() < 0x80)
            ++i;
        bytes += text.sliced(start, i - start).toLatin1();
        if (i == n) break;
        const qsizetype runStart = i;
        while (i < n && text[i].unicode() >= 0x80)
            ++i;
        const QStringView run = text.sliced(runStart, i - runStart);
        QStringEncoder runEncoder(kAnsiCodePage);
        QByteArray encoded = runEncoder.encode(run);
        if (!runEncoder.hasError()) {
            bytes += encoded;
            continue;
        }
        // Some character has no code: go one character at a time and put '?' for those.
        for (qsizetype k = 0; k < run.size();) {
            const qsizetype width = (run[k].isHighSurrogate() && k + 1 < run.size()) ? 2 : 1;
            QStringEncoder one(kAnsiCodePage);
            const QByteArray code = one.encode(run.sliced(k, width));
            bytes += one.hasError() ? QByteArray("?") : code;
            k += width;
        }
    }
    return bytes;
}

bool DecodeUtf8Strict(QByteArrayView bytes, QString& out) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}
