#pragma once

#include <QString>

// What the platform's QtCore part tells the user, in one place. Placeholders are filled by the
// caller with arg().
namespace PlatformMessages {

inline QString InvalidPathCharacters() {
    return QStringLiteral("パスに無効な文字が含まれています");
}
// %1 the file's full path, %2 the cause
inline QString CannotCreateFile() {
    return QStringLiteral("ファイル \"%1\" を作成できません。%2");
}
// %1 the file's full path, %2 the cause
inline QString CannotWriteFile() {
    return QStringLiteral("ファイル \"%1\" に書き込めません。%2");
}
inline QString StreamWriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}

// Causes, as the second placeholder of the two above.
inline QString NotRegularFile() {
    return QStringLiteral("通常のファイルではありません。");
}
inline QString AccessDenied() {
    return QStringLiteral("アクセスが拒否されました。");
}
inline QString DiskFull() {
    return QStringLiteral("ディスクに十分な空き領域がありません。");
}
inline QString FileTooLarge() {
    return QStringLiteral("ファイルが大きすぎます。");
}
inline QString PathNotFound() {
    return QStringLiteral("指定されたパスが見つかりません。");
}

}  // namespace PlatformMessages
