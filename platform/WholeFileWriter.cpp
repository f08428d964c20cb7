#include "platform/WholeFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/PlatformMessages.h"

namespace {

QString ExpandedPath(const QString& fileName) {
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

[[noreturn]] void ThrowCreateError(const QString& fileName, const QString& cause) {
    throw EFCreateError(PlatformMessages::CannotCreateFile().arg(ExpandedPath(fileName), cause));
}

[[noreturn]] void ThrowWriteError(const QString& fileName, const QString& cause) {
    throw EWriteError(PlatformMessages::CannotWriteFile().arg(ExpandedPath(fileName), cause));
}

}  // namespace

void WriteAll(QIODevice& device, const char* data, qint64 size) {
    while (size > 0) {
        const qint64 written = device.write(data, size);
        if (written <= 0) throw EWriteError(PlatformMessages::StreamWriteError());
        data += written;
        size -= written;
    }
}

QString FileErrorCause(const QFileDevice& file) {
    // Qt keeps only the text of the system error, made from its number by qt_error_string;
    // making the same texts here tells which number it was.
    using namespace PlatformMessages;
    static const struct {
        int code;
        QString (*text)();
    } kKnown[] = {
        {ENOSPC, DiskFull},     {EDQUOT, DiskFull},      {EFBIG, FileTooLarge},
        {EACCES, AccessDenied}, {EPERM, AccessDenied},   {EROFS, AccessDenied},
        {ENOENT, PathNotFound}, {ENOTDIR, PathNotFound},
    };
    const QString system = file.errorString();
    for (const auto& known : kKnown) {
        if (system == qt_error_string(known.code)) return known.text();
    }
    return system;
}

void WriteWholeFile(const QString& fileName, const std::function<void(QIODevice&)>& write) {
    // Renaming over a pipe or a device would put a regular file in its place.
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile())
        ThrowCreateError(fileName, PlatformMessages::NotRegularFile());
    if (target.exists() && !target.isWritable())
        ThrowCreateError(fileName, PlatformMessages::AccessDenied());
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        ThrowCreateError(fileName, FileErrorCause(file));
    try {
        write(file);  // an exception here discards the temporary file
    } catch (const EWriteError& error) {
        // A refusal of the file carries its cause; the writer's own (a value too long for
        // the format) carries its message.
        ThrowWriteError(fileName, file.error() != QFileDevice::NoError ? FileErrorCause(file)
                                                                       : error.Message());
    }
    if (!file.commit()) ThrowWriteError(fileName, FileErrorCause(file));
}
