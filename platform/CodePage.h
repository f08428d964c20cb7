#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The legacy 8-bit code page of the files and clipboards we exchange with: Windows-31J
// (CP932). Bytes it cannot map decode to a substitute character (U+001A); characters it
// cannot hold encode to a substitute byte.
QString DecodeAnsi(QByteArrayView bytes);
QByteArray EncodeAnsi(QStringView text);

// Strict UTF-8 decoding: returns false on any malformed sequence.
bool DecodeUtf8Strict(QByteArrayView bytes, QString& out);
