#include "app/NotebookFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

#include "app/NotebookMessages.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "platform/WholeFileWriter.h"

namespace {

// The tag byte in front of every value; integers and lengths follow little-endian.
enum : uint8_t {
    kTagEnd = 0x00,
    kTagList = 0x01,
    kTagInt8 = 0x02,
    kTagInt16 = 0x03,
    kTagInt32 = 0x04,
    kTagBytes = 0x06,
    kTagLongBytes = 0x0C,
    kTagUtf16 = 0x12,
    kTagUtf8 = 0x14,
};

[[noreturn]] void ThrowReadError() {
    throw EReadError(NotebookMessages::ReadError());
}

[[noreturn]] void ThrowInvalidValue() {
    throw EReadError(NotebookMessages::InvalidValue());
}

[[noreturn]] void ThrowWriteError() {
    throw EWriteError(NotebookMessages::WriteError());
}

QString ExpandedPath(const QString& fileName) {
    return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

// ---- writing ---------------------------------------------------------------------------

// What the writer needs to know about a string to pick its tag, found in one pass without
// encoding it.
struct TStringShape {
    qsizetype utf8Length = 0;
    bool ascii = true;
    // False when the string holds a lone surrogate, which UTF-8 cannot carry.
    bool utf8Exact = true;
};

TStringShape ShapeOf(const QString& s) {
    const ushort* p = s.utf16();
    const qsizetype n = s.size();
    // Branch-free counts, so the compiler can vectorise the pass over long texts. Every
    // unit from U+0080 takes one byte more and every unit from U+0800 two; a surrogate pair
    // takes four bytes, not the six its two units would count.
    qsizetype from80 = 0, from800 = 0, surrogates = 0;
    // 16-bit counters over blocks that cannot overflow them keep the vectors wide.
    constexpr qsizetype kBlock = 0xFFFF;
    for (qsizetype start = 0; start < n; start += kBlock) {
        const qsizetype end = std::min(n, start + kBlock);
        uint16_t b80 = 0, b800 = 0, bSurrogates = 0;
        for (qsizetype i = start; i < end; ++i) {
            const ushort c = p[i];
            b80 += c >= 0x80;
            b800 += c >= 0x800;
            bSurrogates += (c & 0xF800) == 0xD800;
        }
        from80 += b80;
        from800 += b800;
        surrogates += bSurrogates;
    }
    TStringShape shape;
    shape.utf8Length = n + from80 + from800 - surrogates;
    shape.ascii = from80 == 0;
    if (surrogates > 0) {
        for (qsizetype i = 0; i < n && shape.utf8Exact; ++i) {
            if (QChar::isHighSurrogate(p[i]) && i + 1 < n && QChar::isLowSurrogate(p[i + 1]))
                ++i;
            else if (QChar::isSurrogate(p[i]))
                shape.utf8Exact = false;
        }
    }
    return shape;
}

// Collects the output in a buffer that goes to the device whenever it fills; large
// payloads bypass it.
class TTagWriter {
public:
    explicit TTagWriter(QIODevice& device) : fDevice(device) { fBuffer.resize(kBufferSize); }

    void PutTag(uint8_t tag) { PutByte(tag); }

    void PutInteger(int32_t v) {
        if (v >= -128 && v <= 127) {
            PutByte(kTagInt8);
            PutByte(static_cast<uint8_t>(v));
        } else if (v >= -32768 && v <= 32767) {
            PutByte(kTagInt16);
            PutLE<int16_t>(static_cast<int16_t>(v));
        } else {
            PutByte(kTagInt32);
            PutLE<int32_t>(v);
        }
    }

    // UTF-8 only when it is strictly shorter than UTF-16 and carries every character;
    // pure ASCII as a byte string.
    void PutString(const QString& s) {
        const qsizetype n = s.size();
        const TStringShape shape = ShapeOf(s);
        if (shape.utf8Length >= 2 * n || !shape.utf8Exact) {
            PutByte(kTagUtf16);
            PutLength(n);
            if constexpr (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
                Put(reinterpret_cast<const char*>(s.utf16()), 2 * n);
            } else {
                QByteArray le(2 * n, Qt::Uninitialized);
                qToLittleEndian<uint16_t>(s.utf16(), n, le.data());
                Put(le.constData(), le.size());
            }
        } else if (!shape.ascii) {
            const QByteArray utf8 = s.toUtf8();
            PutByte(kTagUtf8);
            PutLength(utf8.size());
            Put(utf8.constData(), utf8.size());
        } else {
            if (n <= 255) {
                PutByte(kTagBytes);
                PutByte(static_cast<uint8_t>(n));
            } else {
                PutByte(kTagLongBytes);
                PutLength(n);
            }
            PutLatin1(s);
        }
    }

    void Flush() {
        if (fUsed > 0) WriteOut(fBuffer.constData(), fUsed);
        fUsed = 0;
    }

private:
    static constexpr qsizetype kBufferSize = 256 * 1024;

    void PutByte(uint8_t b) {
        if (fUsed == kBufferSize) Flush();
        fBuffer.data()[fUsed++] = static_cast<char>(b);
    }

    template <typename T>
    void PutLE(T v) {
        char bytes[sizeof(T)];
        qToLittleEndian<T>(v, bytes);
        Put(bytes, sizeof(T));
    }

    void PutLength(qsizetype n) {
        // A length the 32-bit field cannot hold must not be written truncated.
        if (n > std::numeric_limits<int32_t>::max()) ThrowWriteError();
        PutLE<int32_t>(static_cast<int32_t>(n));
    }

    void Put(const char* data, qsizetype size) {
        if (size <= kBufferSize - fUsed) {
            std::memcpy(fBuffer.data() + fUsed, data, static_cast<size_t>(size));
            fUsed += size;
            return;
        }
        Flush();
        if (size >= kBufferSize) {
            WriteOut(data, size);
        } else {
            std::memcpy(fBuffer.data(), data, static_cast<size_t>(size));
            fUsed = size;
        }
    }

    // Narrows an all-ASCII string straight into the buffer.
    void PutLatin1(const QString& s) {
        const ushort* p = s.utf16();
        qsizetype left = s.size();
        while (left > 0) {
            if (fUsed == kBufferSize) Flush();
            const qsizetype chunk = std::min(left, kBufferSize - fUsed);
            char* out = fBuffer.data() + fUsed;
            for (qsizetype i = 0; i < chunk; ++i)
                out[i] = static_cast<char>(p[i]);
            fUsed += chunk;
            p += chunk;
            left -= chunk;
        }
    }

    void WriteOut(const char* data, qsizetype size) { ::WriteAll(fDevice, data, size); }

    QIODevice& fDevice;
    QByteArray fBuffer;
    qsizetype fUsed = 0;
};

// ---- reading ---------------------------------------------------------------------------

// One branch-free pass the compiler can vectorise.
bool IsAscii(QByteArrayView bytes) {
    uint8_t any = 0;
    for (const char c : bytes)
        any |= static_cast<uint8_t>(c);
    return any < 0x80;
}

// Reads the device through a buffer. Every length is checked against the bytes that are
// left before anything is allocated for it, so no field can make the reader ask for more
// memory than the data holds.
class TTagReader {
public:
    explicit TTagReader(QIODevice& device)
        : fDevice(device), fDeviceLeft(std::max<qint64>(0, device.size() - device.pos())) {}

    uint8_t PeekTag() {
        Require(1);
        return static_cast<uint8_t>(fBuffer.constData()[fPos]);
    }

    uint8_t ReadTag() { return static_cast<uint8_t>(*Take(1)); }

    void ExpectTag(uint8_t expected) {
        const uint8_t tag = ReadTag();
        if (tag == expected) return;
        // Step over the value the stray tag introduces; a value cut short by the end of
        // the data reports that instead.
        SkipPayload(tag);
        ThrowInvalidValue();
    }

    int32_t ReadInteger() {
        switch (ReadTag()) {
            case kTagInt8:
                return static_cast<int8_t>(*Take(1));
            case kTagInt16:
                return qFromLittleEndian<int16_t>(Take(2));
            case kTagInt32:
                return qFromLittleEndian<int32_t>(Take(4));
            default:
                ThrowInvalidValue();
        }
    }

    QString ReadString() {
        switch (ReadTag()) {
            case kTagBytes:
                return DecodeBytes(static_cast<uint8_t>(*Take(1)));
            case kTagLongBytes:
                return DecodeBytes(ReadLength(1));
            case kTagUtf16:
                return ReadUtf16(ReadLength(2));
            case kTagUtf8:
                return ReadUtf8(ReadLength(1));
            default:
                ThrowInvalidValue();
        }
    }

private:
    static constexpr qint64 kChunk = 256 * 1024;

    qint64 Remaining() const { return (fEnd - fPos) + fDeviceLeft; }

    // A 32-bit length field counting units of unitSize bytes, checked against the data.
    qint64 ReadLength(qint64 unitSize) {
        const qint64 n = qFromLittleEndian<int32_t>(Take(4));
        if (n < 0 || n > Remaining() / unitSize) ThrowReadError();
        return n;
    }

    // Makes n bytes available at fPos, or fails when the data holds fewer.
    void Require(qint64 n) {
        if (fEnd - fPos >= n) return;
        if (n > Remaining()) ThrowReadError();
        const qsizetype held = fEnd - fPos;
        const qsizetype want = static_cast<qsizetype>(std::min(std::max(n, kChunk), Remaining()));
        if (fBuffer.size() < want) {
            QByteArray grown(want, Qt::Uninitialized);
            if (held > 0) std::memcpy(grown.data(), fBuffer.constData() + fPos, size_t(held));
            fBuffer = std::move(grown);
        } else if (held > 0 && fPos > 0) {
            std::memmove(fBuffer.data(), fBuffer.constData() + fPos, static_cast<size_t>(held));
        }
        fPos = 0;
        fEnd = held;
        const qsizetype room = std::min<qint64>(fBuffer.size() - fEnd, fDeviceLeft);
        FillFromDevice(fBuffer.data() + fEnd, room);
        fEnd += room;
    }

    const char* Take(qint64 n) {
        Require(n);
        const char* p = fBuffer.constData() + fPos;
        fPos += static_cast<qsizetype>(n);
        return p;
    }

    void FillFromDevice(char* out, qint64 size) {
        while (size > 0) {
            const qint64 got = fDevice.read(out, size);
            if (got <= 0) ThrowReadError();
            out += got;
            size -= got;
            fDeviceLeft -= got;
        }
    }

    // Byte strings come from the legacy code page; ASCII, all our writer puts there, takes
    // the fast path. A long one is widened piece by piece straight into the string, so the
    // buffer never has to hold it whole.
    QString DecodeBytes(qint64 n) {
        if (n <= kChunk) {
            const QByteArrayView bytes(Take(n), static_cast<qsizetype>(n));
            if (IsAscii(bytes)) return QString::fromLatin1(bytes);
            return DecodeAnsi(bytes);
        }
        QString s(static_cast<qsizetype>(n), Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(s.data());
        qint64 done = 0;
        while (done < n) {
            const qint64 size = std::min(n - done, kChunk);
            const QByteArrayView piece(Take(size), static_cast<qsizetype>(size));
            if (!IsAscii(piece)) {
                fPos -= static_cast<qsizetype>(size);
                break;
            }
            for (qsizetype i = 0; i < piece.size(); ++i)
                out[done + i] = static_cast<uchar>(piece[i]);
            done += size;
        }
        if (done == n) return s;
        // The rest holds double-byte characters. The pieces so far were all ASCII, so the
        // rest starts on a character boundary.
        QByteArray rest(static_cast<qsizetype>(n - done), Qt::Uninitialized);
        for (qint64 at = 0; at < rest.size();) {
            const qint64 size = std::min(rest.size() - at, kChunk);
            std::memcpy(rest.data() + at, Take(size), static_cast<size_t>(size));
            at += size;
        }
        s.truncate(static_cast<qsizetype>(done));
        return s + DecodeAnsi(rest);
    }

    // A long UTF-8 string is decoded piece by piece. Each piece ends before the start of a
    // character, where decoding the pieces apart gives what decoding the whole would.
    QString ReadUtf8(qint64 n) {
        if (n <= kChunk) return QString::fromUtf8(Take(n), static_cast<qsizetype>(n));
        // Never more UTF-16 units than UTF-8 bytes.
        QString s(static_cast<qsizetype>(n), Qt::Uninitialized);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QChar* out = s.data();
        while (n > 0) {
            qint64 size = std::min(n, kChunk);
            const char* p = Take(size);
            if (size < n) {
                qint64 cut = size - 1;
                while (cut > size - 4 && (static_cast<uchar>(p[cut]) & 0xC0) == 0x80)
                    --cut;
                if ((static_cast<uchar>(p[cut]) & 0xC0) != 0x80) {
                    fPos -= static_cast<qsizetype>(size - cut);
                    size = cut;
                }
            }
            out = decoder.appendToBuffer(out, QByteArrayView(p, static_cast<qsizetype>(size)));
            n -= size;
        }
        s.truncate(out - s.constData());
        if (s.capacity() - s.size() > s.size() / 4) s.squeeze();
        return s;
    }

    void Skip(qint64 n) {
        while (n > 0) {
            const qint64 size = std::min(n, kChunk);
            Take(size);
            n -= size;
        }
    }

    // UTF-16LE, copied straight from the buffer, or for a long string straight from the
    // device into the string.
    QString ReadUtf16(qint64 units) {
        const qint64 bytes = 2 * units;
        QString s(static_cast<qsizetype>(units), Qt::Uninitialized);
        char* out = reinterpret_cast<char*>(s.data());
        const qint64 fromBuffer = std::min<qint64>(bytes, fEnd - fPos);
        std::memcpy(out, fBuffer.constData() + fPos, static_cast<size_t>(fromBuffer));
        fPos += static_cast<qsizetype>(fromBuffer);
        if (bytes - fromBuffer > kChunk) {
            FillFromDevice(out + fromBuffer, bytes - fromBuffer);
        } else if (bytes > fromBuffer) {
            std::memcpy(out + fromBuffer, Take(bytes - fromBuffer),
                        static_cast<size_t>(bytes - fromBuffer));
        }
        if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
            qFromLittleEndian<uint16_t>(out, units, out);
        return s;
    }

    void SkipPayload(uint8_t tag) {
        switch (tag) {
            case kTagInt8:
                Take(1);
                break;
            case kTagInt16:
                Take(2);
                break;
            case kTagInt32:
                Take(4);
                break;
            case kTagBytes:
                Skip(static_cast<uint8_t>(*Take(1)));
                break;
            case kTagLongBytes:
            case kTagUtf8:
                Skip(ReadLength(1));
                break;
            case kTagUtf16:
                Skip(2 * ReadLength(2));
                break;
            default:
                break;
        }
    }

    QIODevice& fDevice;
    qint64 fDeviceLeft;
    QByteArray fBuffer;
    qsizetype fPos = 0;
    qsizetype fEnd = 0;
};

// Keeps the notebook's views quiet while it is rebuilt, however the rebuild ends.
class TUpdateGuard {
public:
    explicit TUpdateGuard(TNotebook& notebook) : fNotebook(notebook) { fNotebook.BeginUpdate(); }
    ~TUpdateGuard() { fNotebook.EndUpdate(); }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    TNotebook& fNotebook;
};

void ReadRecords(TNotebook& notebook, TTagReader& reader) {
    reader.ExpectTag(kTagList);
    TLevelPlacer placer(notebook);
    while (reader.PeekTag() != kTagEnd) {
        const int32_t level = reader.ReadInteger();
        // The record is read whole before its node is placed, so the tree never holds a
        // node without its title, icon or text.
        QString title = reader.ReadString();
        const int32_t imageIndex = reader.ReadInteger();
        auto data = std::make_unique<TStext>();
        data->text = reader.ReadString();
        placer.Place(level, title, imageIndex, std::move(data));
    }
    reader.ExpectTag(kTagEnd);
}

}  // namespace

TNotebookNode* TLevelPlacer::Place(int level, const QString& title, int32_t imageIndex,
                                   std::unique_ptr<TStext> data) {
    TNotebookNode* node;
    const int prevLevel = static_cast<int>(fPath.size()) - 1;
    if (fPath.empty() || level < 0) {
        node = fNotebook.AddChild(nullptr, title, imageIndex, std::move(data));
        fPath.clear();
    } else if (level > prevLevel) {
        node = fNotebook.AddChild(fPath.back(), title, imageIndex, std::move(data));
    } else {
        node = fNotebook.AddAfter(fPath[static_cast<size_t>(level)], title, imageIndex,
                                  std::move(data));
        fPath.resize(static_cast<size_t>(level));
    }
    fPath.push_back(node);
    return node;
}

void WriteNotebook(const TNotebook& notebook, QIODevice& device) {
    TTagWriter writer(device);
    writer.PutTag(kTagList);
    int level = 0;
    TNotebookNode* node = notebook.First();
    while (node) {
        writer.PutInteger(level);
        writer.PutString(node->Title());
        writer.PutInteger(node->ImageIndex());
        writer.PutString(node->Data() ? node->Data()->text : QString());
        node = node->GetNext(level);
    }
    writer.PutTag(kTagEnd);
    writer.Flush();
}

void ReadNotebook(TNotebook& notebook, QIODevice& device, TReadFailure onFailure) {
    TUpdateGuard guard(notebook);
    notebook.Clear();
    try {
        if (device.isSequential()) {
            // A pipe has no size to check lengths against: take it whole first.
            QBuffer whole;
            whole.setData(device.readAll());
            whole.open(QIODevice::ReadOnly);
            TTagReader reader(whole);
            ReadRecords(notebook, reader);
        } else {
            TTagReader reader(device);
            ReadRecords(notebook, reader);
        }
    } catch (...) {
        // No half-read notebook may be saved over a good file later, unless the caller
        // takes care of that itself.
        if (onFailure == TReadFailure::rfClear) notebook.Clear();
        throw;
    }
}

void SaveNotebook(const TNotebook& notebook, const QString& fileName) {
    WriteWholeFile(fileName, [&notebook](QIODevice& device) { WriteNotebook(notebook, device); });
}

void LoadNotebook(TNotebook& notebook, const QString& fileName, TReadFailure onFailure) {
    // Opening a pipe would wait, with the window frozen, for a writer that may never come.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        throw EFOpenError(NotebookMessages::NotARegularFile().arg(ExpandedPath(fileName)));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw EFOpenError(
            NotebookMessages::CannotOpen().arg(ExpandedPath(fileName), file.errorString()));
    ReadNotebook(notebook, file, onFailure);
}
