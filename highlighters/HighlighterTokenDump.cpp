#include "highlighters/HighlighterTokenDump.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "highlighters/HighlighterMessages.h"
#include "platform/CodePage.h"
#include "platform/LineBreaks.h"

QStringList SplitIntoLines(const QString& Text) {
    return SplitLines(Text, TFinalBreak::EndsText);
}

QByteArray DumpTokens(TCustomHighlighter& Highlighter, const QStringList& Lines) {
    QByteArray out;
    Highlighter.ResetRange();
    for (qsizetype i = 0; i < Lines.size(); ++i) {
        QJsonArray tokens;
        Highlighter.SetLine(Lines[i], qint32(i));
        while (!Highlighter.GetEol()) {
            const qint32 kind = Highlighter.GetTokenKind();
            const char* kindName = Highlighter.GetTokenKindName(kind);
            const THighlighterAttributes* attribute = Highlighter.GetTokenAttribute();
            tokens.append(QJsonArray{
                Highlighter.GetTokenPos(),
                Highlighter.GetTokenLen(),
                kindName ? QJsonValue(QString::fromLatin1(kindName)) : QJsonValue(kind),
                attribute ? QJsonValue(attribute->Name()) : QJsonValue(QJsonValue::Null),
            });
            Highlighter.Next();
        }
        const QJsonObject line{
            {QStringLiteral("line"), qint64(i + 1)},
            {QStringLiteral("range"), qint64(Highlighter.GetRange())},
            {QStringLiteral("tokens"), tokens},
        };
        out += QJsonDocument(line).toJson(QJsonDocument::Compact);
        out += '\n';
    }
    return out;
}

QString ReadUtf8TextFile(const QString& Path) {
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(HighlighterMessages::CannotOpenFile().arg(
            QFileInfo(Path).absoluteFilePath(), file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError(HighlighterMessages::CannotReadFile().arg(
            QFileInfo(Path).absoluteFilePath(), file.errorString()));
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QString text;
    if (!DecodeUtf8Strict(bytes, text))
        throw EConvertError(
            HighlighterMessages::NotUtf8Text().arg(QFileInfo(Path).absoluteFilePath()));
    return text;
}

QByteArray DumpFileTokens(TCustomHighlighter& Highlighter, const QString& Path) {
    return DumpTokens(Highlighter, SplitIntoLines(ReadUtf8TextFile(Path)));
}
