// Arbitrary bytes into the line store's file loading. Whatever the bytes, loading must not
// fail, and a text that was read as UTF-8 or UTF-16 must come back unchanged after saving.
#include <QBuffer>
#include <cstdint>
#include <cstdlib>

#include "editor/CodeEditTextBuffer.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the options; the rest is the file.
    const uint8_t options = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    TCodeEditStringList list;
    list.SetDetectUTF8((options & 1) == 0);
    list.SetUTF8CheckLen((options & 2) ? 4 : -1);
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    list.LoadFromStream(in);

    const QString text = list.Text();
    for (qsizetype i = 0; i < list.Count(); ++i) {
        const QString& line = list.Strings(i);
        Check(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)) &&
              !line.contains(QChar(0x2028)));
        Check(list.LineCharIndex(i) + line.size() <= text.size());
        list.ExpandedStringLengths(i);
    }
    list.LengthOfLongestLine();

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    list.SaveToStream(out);
    if (list.Encoding() == teAnsi) return 0;  // the code page does not hold every character
    TCodeEditStringList again;
    QBuffer back;
    back.setData(out.data());
    back.open(QIODevice::ReadOnly);
    again.LoadFromStream(back);
    Check(again.Text() == text);
    return 0;
}
