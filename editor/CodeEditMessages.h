#pragma once

#include <QString>

// The texts the editor library raises its errors with, in one place; the window shows them
// in its error box. %1 is filled in by the caller.
namespace CodeEditMessages {

inline QString CapacityBelowCount() {
    return QStringLiteral("Stringlist capacity cannot be smaller than count");
}
inline QString EmptyPattern() {
    return QStringLiteral("Pattern is empty");
}
// %1: the index asked for.
inline QString ListIndexOutOfBounds() {
    return QStringLiteral("Invalid stringlist index %1");
}
inline QString NoSearchEngine() {
    return QStringLiteral("No search engine has been assigned");
}
inline QString ReadError() {
    return QStringLiteral("ストリームからの読み取りエラー");
}
inline QString WriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}

}  // namespace CodeEditMessages
