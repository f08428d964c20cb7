#pragma once

#include <QString>

// What the highlighters tell the user, in one place. Placeholders are filled by the caller with
// arg().
namespace HighlighterMessages {

// %1 the attribute's name
inline QString DuplicateAttribute() {
    return QStringLiteral("属性名 %1 が重複しています");
}
// %1 the file's full path, %2 the cause
inline QString CannotOpenFile() {
    return QStringLiteral("ファイル %1 は開けません。 %2 ");
}
// %1 the file's full path, %2 the cause
inline QString CannotReadFile() {
    return QStringLiteral("ファイル %1 を読めません。 %2 ");
}
// %1 the file's full path
inline QString NotUtf8Text() {
    return QStringLiteral("ファイル %1 はUTF-8のテキストではありません。");
}

}  // namespace HighlighterMessages
