#pragma once

#include <sys/resource.h>
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

// While it lives, file access from this thread obeys the permission bits even when the
// tests run as root, who otherwise passes every check: the capabilities that override them
// are lowered, and raised again at the end.
class TObeyFilePermissions {
public:
    TObeyFilePermissions();
    ~TObeyFilePermissions();
    TObeyFilePermissions(const TObeyFilePermissions&) = delete;
    TObeyFilePermissions& operator=(const TObeyFilePermissions&) = delete;

private:
    unsigned fSaved[2] = {0, 0};  // the effective sets before
    bool fLowered = false;
};

// Makes every write past `bytes` fail, as a full disk would, while it lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    struct rlimit fSaved {};
    void (*fOldHandler)(int) = nullptr;
};
