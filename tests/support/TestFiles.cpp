#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <csignal>

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return file.readAll();
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray Hex(const char* spaced) {
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

std::string ToHex(const QByteArray& bytes) {
    return bytes.toHex(' ').toUpper().toStdString();
}

TTestDir::TTestDir() {
    EXPECT_TRUE(fDir.isValid());
}

TFileSizeLimit::TFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &fSaved);
    fOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = fSaved;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) ADD_FAILURE() << "cannot set the file-size limit";
}

TFileSizeLimit::~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &fSaved);
    std::signal(SIGXFSZ, fOldHandler);
}
