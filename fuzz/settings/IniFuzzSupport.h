#pragma once

// What the ini store's fuzz targets share: the input as a file in a scratch folder, and the
// checks they make of what they read from it.
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// The key a dotted key belongs to: "Font" for "Font.Size".
inline QString KeyPrefix(const QString& key) {
    const qsizetype dot = key.lastIndexOf(u'.');
    return dot < 0 ? key : key.first(dot);
}

// The input as "fuzz.ini" in Dir; empty when it cannot be written.
inline QString WriteIniInput(const QTemporaryDir& Dir, const uint8_t* data, size_t size) {
    const QString path = Dir.filePath(QStringLiteral("fuzz.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

}  // namespace fuzz
