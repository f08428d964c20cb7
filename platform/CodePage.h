#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The legacy 8-bit code page of the files and clipboards we exchange with: Windows-31J
// (CP932). ASCII passes through unchanged; bytes the code page cannot map decode to U+FFFD,
// and characters it cannot hold encode to '?'.
QString DecodeAnsi(QByteArrayView bytes);
QByteArray EncodeAnsi(QStringView text);

// Strict UTF-8 decoding: returns false on any malformed sequence.
bool DecodeUtf8Strict(QByteArrayView bytes, QString& out);
