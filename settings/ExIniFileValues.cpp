#include <QBuffer>
#include <QIODevice>
#include <QLocale>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
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
    if (Value.write(bytes) != bytes.size())
        throw EWriteError(QStringLiteral("ストリームへの書き込みエラー"));
    if (auto* buffer = qobject_cast<QBuffer*>(&Value)) {
        buffer->seek(start);
        return buffer->size() - start;
    }
    return bytes.size();
}

void TExIniFile::WriteBinaryStream(const QString& Section, const QString& Name, QIODevice& Value) {
    if (!Value.isReadable()) throw EReadError(QStringLiteral("ストリームからの読み取りエラー"));
    WriteString(Section, Name, IniBytesText(Value.readAll()));
}
