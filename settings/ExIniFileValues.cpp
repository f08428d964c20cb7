#include <QBuffer>
#include <QIODevice>
#include <QLocale>
#include <algorithm>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
#include "settings/IniMessages.h"
#include "settings/IniValues.h"

// Numbers, dates, times and raw bytes are stored as strings, so they take the store's fence
// on the way in and lose it on the way out. QLocale() is the user's locale unless the program
// set another default.

double TExIniFile::ReadFloat(const QString& Section, const QString& Name, double Default) const {
    const QString text = ReadString(Section, Name, QString());
    if (text.isEmpty()) return Default;
    return ParseIniFloat(text, QLocale()).value_or(Default);
}

void TExIniFile::WriteFloat(const QString& Section, const QString& Name, double Value) {
    WriteString(Section, Name, IniFloatText(Value, QLocale()));
}

QDate TExIniFile::ReadDate(const QString& Section, const QString& Name,
                           const QDate& Default) const {
    const QString text = ReadString(Section, Name, QString());
    if (text.isEmpty()) return Default;
    return ParseIniDate(text, QLocale()).value_or(Default);
}

void TExIniFile::WriteDate(const QString& Section, const QString& Name, const QDate& Value) {
    WriteString(Section, Name, IniDateText(Value, QLocale()));
}

QTime TExIniFile::ReadTime(const QString& Section, const QString& Name,
                           const QTime& Default) const {
    const QString text = ReadString(Section, Name, QString());
    if (text.isEmpty()) return Default;
    return ParseIniTime(text, QLocale()).value_or(Default);
}

void TExIniFile::WriteTime(const QString& Section, const QString& Name, const QTime& Value) {
    WriteString(Section, Name, IniTimeText(Value, QLocale()));
}

QDateTime TExIniFile::ReadDateTime(const QString& Section, const QString& Name,
                                   const QDateTime& Default) const {
    const QString text = ReadString(Section, Name, QString());
    if (text.isEmpty()) return Default;
    return ParseIniDateTime(text, QLocale()).value_or(Default);
}

void TExIniFile::WriteDateTime(const QString& Section, const QString& Name,
                               const QDateTime& Value) {
    WriteString(Section, Name, IniDateTimeText(Value, QLocale()));
}

// The bytes go to the stream's current position. A QBuffer is then left at the start of
// them and the result counts the bytes from there to its end, so a caller can read on from
// where it stands; any other device is left after them and the result is their count.
qint64 TExIniFile::ReadBinaryStream(const QString& Section, const QString& Name,
                                    QIODevice& Value) const {
    const QString text = ReadString(Section, Name, QString());
    if (text.isEmpty()) return 0;
    const QByteArray bytes = ParseIniBytes(text);
    const qint64 start = Value.pos();
    if (Value.write(bytes) != bytes.size()) throw EWriteError(IniMessages::StreamWriteError());
    if (auto* buffer = qobject_cast<QBuffer*>(&Value)) {
        buffer->seek(start);
        return buffer->size() - start;
    }
    return bytes.size();
}

void TExIniFile::WriteBinaryStream(const QString& Section, const QString& Name, QIODevice& Value) {
    if (!Value.isReadable()) throw EReadError(IniMessages::StreamReadError());
    WriteString(Section, Name, IniBytesText(Value.readAll()));
}

void TExIniFile::ReadFont(const QString& Section, const QString& Item, TIniFontValue& Font,
                          QString* colorError) const {
    const QString name = ReadFenced(Section, Item + QStringLiteral(".Name"), fcNone, Font.Name);
    const qint32 size = ReadInteger(Section, Item + QStringLiteral(".Size"), Font.Size);
    const qint32 style = ReadInteger(Section, Item + QStringLiteral(".Style"), Font.Style);
    // read last: a bad colour raises before the font is touched
    quint32 color = Font.Color;
    try {
        color = ReadColor(Section, Item + QStringLiteral(".Color"), Font.Color);
    } catch (const EConvertError& error) {
        if (!colorError) throw;
        *colorError = error.Message();
    }
    Font.Name = name;
    Font.Size = std::max(size, 0);
    Font.Style = quint8(style & kFontStyleMask);
    Font.Color = color;
}

void TExIniFile::WriteFont(const QString& Section, const QString& Item,
                           const TIniFontValue& Value) {
    Store(Section, Item + QStringLiteral(".Name"), Value.Name);
    Store(Section, Item + QStringLiteral(".Size"), QString::number(Value.Size));
    Store(Section, Item + QStringLiteral(".Style"), QString::number(Value.Style));
    Store(Section, Item + QStringLiteral(".Color"), IniHexText(Value.Color));
    DoAutoUpdate();
}
