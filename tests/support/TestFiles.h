#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

// Byte-level helpers for tests that check what lands in files.
QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
// "01 02 0A" -> bytes; spaces are ignored.
QByteArray Hex(const char* spaced);
// bytes -> "01 02 0A", for readable failure messages.
std::string ToHex(const QByteArray& bytes);

// A scratch folder that disappears with the test.
class TTestDir {
public:
    TTestDir();
    QString Path(const QString& name) const { return fDir.filePath(name); }
    QString Root() const { return fDir.path(); }

private:
    QTemporaryDir fDir;
};
