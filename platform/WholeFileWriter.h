#pragma once

#include <QString>
#include <functional>

class QFileDevice;
class QIODevice;

// Writes a whole document to fileName. `write` puts the bytes on the device it is given and
// raises EWriteError when the device refuses them.
//
// The bytes go to a temporary file beside the target that replaces it only once all of them
// are on disk, so a failure leaves the old file as it was; the replacement keeps the old
// file's permission bits. One case writes in place instead: the folder cannot be written
// but the file itself can, where a temporary file cannot be made at all.
//
// A target that exists and is not a regular file (a pipe, a device, a folder) is refused
// and left alone. Failures raise EFCreateError ("ファイル "%s" を作成できません。%s") when
// the file cannot be made and EWriteError ("ファイル "%s" に書き込めません。%s") when
// writing or the final replacement fails; both name the expanded path and the cause.
void WriteWholeFile(const QString& fileName, const std::function<void(QIODevice&)>& write);

// Writes all of data to the device, going on after a short write: a file reports the cause
// of a failure only on the write that puts no byte at all. Raises EWriteError
// "ストリームへの書き込みエラー" when the device refuses.
void WriteAll(QIODevice& device, const char* data, qint64 size);

// The cause of a file's last failure for a message: a Japanese text for the causes a user
// can act on (disk full, no permission, folder missing), the system's own text otherwise.
QString FileErrorCause(const QFileDevice& file);
