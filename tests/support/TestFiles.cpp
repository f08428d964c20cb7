#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

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

namespace {
// Capabilities live per thread; these calls change only the calling one.
bool CapabilitySets(__user_cap_data_struct (&data)[2], bool set) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
}  // namespace

TObeyFilePermissions::TObeyFilePermissions() {
    __user_cap_data_struct data[2] = {};
    if (!CapabilitySets(data, false)) return;
    fSaved[0] = data[0].effective;
    fSaved[1] = data[1].effective;
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        data[cap / 32].effective &= ~(1u << (cap % 32));
    fLowered = CapabilitySets(data, true);
}

TObeyFilePermissions::~TObeyFilePermissions() {
    __user_cap_data_struct data[2] = {};
    if (!fLowered || !CapabilitySets(data, false)) return;
    data[0].effective = fSaved[0];
    data[1].effective = fSaved[1];
    CapabilitySets(data, true);
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
