#pragma once

#include <QString>

// The texts the line store, the undo lists, the search engine and the exporter raise, in one
// place. %1 is filled in by the caller.
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
inline QString ReadError() {
    return QStringLiteral("ストリームからの読み取りエラー");
}
inline QString WriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}

}  // namespace CodeEditMessages
