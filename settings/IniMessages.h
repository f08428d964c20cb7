#pragma once

#include <QString>

// What the ini store tells the user, in one place. Placeholders are filled by the caller with
// arg().
namespace IniMessages {

// %1 the file's full path, %2 the cause
inline QString CannotOpenFile() {
    return QStringLiteral("ファイル %1 は開けません。 %2 ");
}
inline QString FileTooLarge() {
    return QStringLiteral("ファイルが大きすぎます");
}
// %1 the file's full path, %2 the cause
inline QString CannotCreateFile() {
    return QStringLiteral("ファイル \"%1\" を作成できません。%2");
}
inline QString StreamReadError() {
    return QStringLiteral("ストリームからの読み取りエラー");
}
inline QString StreamWriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}
inline QString NoUserSettingsFolder() {
    return QStringLiteral("ユーザーの設定フォルダが見つかりません");
}
// %1 the value as read, after a "$"
inline QString NotAnInteger() {
    return QStringLiteral("'%1' は整数ではありません");
}

}  // namespace IniMessages
