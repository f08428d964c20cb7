#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How an ini file's text is stored. A file read with a byte-order mark is written back with
// the same mark; a file without one is UTF-8, unless its bytes are not valid UTF-8, in which
// case they are taken as the legacy code page so that an old file survives a save intact.
enum class TIniEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Ansi };

// Detects the encoding by byte-order mark (and, without one, by UTF-8 validity) and decodes
// the text after the mark.
QString DecodeIniText(QByteArrayView bytes, TIniEncoding& encoding);

// Encodes text with the mark of its encoding. Text the legacy code page cannot hold is written
// as UTF-8 instead, so a value the user entered is never replaced by '?'.
QByteArray EncodeIniText(const QString& text, TIniEncoding encoding);
