#pragma once

#include <QString>

// The texts the editor library raises its errors with. The window shows them in its error box.
namespace CodeEditMessages {

inline QString ReadError() {
    return QStringLiteral("ストリームからの読み取りエラー");
}
inline QString WriteError() {
    return QStringLiteral("ストリームへの書き込みエラー");
}
inline QString NoSearchEngine() {
    return QStringLiteral("No search engine has been assigned");
}
inline QString EmptyPattern() {
    return QStringLiteral("Pattern is empty");
}
// %1: the index asked for.
inline QString InvalidLineIndex() {
    return QStringLiteral("Invalid stringlist index %1");
}
inline QString CapacityBelowCount() {
    return QStringLiteral("Stringlist capacity cannot be smaller than count");
}

}  // namespace CodeEditMessages
