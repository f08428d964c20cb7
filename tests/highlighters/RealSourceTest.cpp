// Real source of every language, as Debian's packages ship it, scanned line by line: the
// tokens of every line must tile it. A language whose sources are not installed is skipped.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>

#include "highlighters/HighlighterRegistry.h"
#include "highlighters/HighlighterTokenDump.h"
#include "tests/highlighters/HighlighterTestSupport.h"

namespace {

// Where packages put source: folders, and zip archives read through unzip with a member
// pattern (a JDK's src.zip, from openjdk-17-source).
struct TSourceRoot {
    const char* Path;
    const char* ZipMembers = nullptr;
};

const TSourceRoot kRoots[] = {
    {"/usr/include"},
    {"/usr/lib/python3"},
    {"/usr/lib/python3.11"},
    {"/usr/lib/ruby"},
    {"/usr/share/nodejs"},
    {"/usr/share/javascript"},
    {"/usr/share/fpcsrc"},
    {"/usr/lib/mono"},
    {"/usr/lib/jvm/openjdk-17/src.zip", "java.base/java/*.java"},
};

// Enough to meet every construct many times, few enough to keep the test short.
constexpr qsizetype kMaxBytes = 24 * 1024 * 1024;

struct TScanned {
    qsizetype Files = 0;
    qsizetype Lines = 0;
    qsizetype Bytes = 0;
    qsizetype BadLines = 0;
};

// "C/C++ Files (*.c;*.cpp)|*.c;*.cpp" -> the patterns after the bar.
QStringList FilePatterns(const TCustomHighlighter& h) {
    const QString filter = h.DefaultFilter();
    return filter.mid(filter.indexOf(u'|') + 1).split(u';', Qt::SkipEmptyParts);
}

void ScanText(TCustomHighlighter& h, const QByteArray& bytes, TScanned& scanned) {
    const QStringList lines = SplitIntoLines(QString::fromUtf8(bytes));
    h.ResetRange();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        h.SetRange(h.GetRange());
        h.SetLine(line, qint32(i));
        qint32 end = 0;
        bool good = true;
        while (!h.GetEol()) {
            good = good && h.GetTokenPos() == end && h.GetTokenLen() > 0;
            end = h.GetTokenPos() + h.GetTokenLen();
            h.Next();
        }
        if (!good || end != line.size()) {
            if (++scanned.BadLines <= 5)
                ADD_FAILURE() << "tokens do not tile: " << line.toStdString();
        }
    }
    ++scanned.Files;
    scanned.Lines += lines.size();
    scanned.Bytes += bytes.size();
}

class TRealSourceTest : public testing::TestWithParam<const THighlighterEntry*> {};

}  // namespace

TEST_P(TRealSourceTest, EveryLineTiles) {
    const auto h = GetParam()->Create();
    const QStringList patterns = FilePatterns(*h);
    TScanned scanned;
    for (const TSourceRoot& root : kRoots) {
        if (scanned.Bytes >= kMaxBytes) break;
        const QString path = QString::fromLatin1(root.Path);
        if (root.ZipMembers) {
            if (!QFile::exists(path)) continue;
            // Only archives whose members are of this language ("*.java" for "....java").
            const QString members = QString::fromLatin1(root.ZipMembers);
            const bool ours = std::any_of(patterns.begin(), patterns.end(), [&](const QString& p) {
                return members.endsWith(p.mid(1));
            });
            if (!ours) continue;
            QProcess unzip;
            unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, members});
            if (!unzip.waitForFinished(120000)) continue;
            ScanText(*h, unzip.readAllStandardOutput().left(kMaxBytes), scanned);
            continue;
        }
        QDirIterator it(path, patterns, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext() && scanned.Bytes < kMaxBytes) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly)) ScanText(*h, file.readAll(), scanned);
        }
    }
    if (scanned.Files == 0) GTEST_SKIP() << "no " << GetParam()->Name << " sources installed";
    std::printf("%s: %lld files, %lld lines, %.1f MB scanned\n", GetParam()->Name,
                static_cast<long long>(scanned.Files), static_cast<long long>(scanned.Lines),
                double(scanned.Bytes) / (1024.0 * 1024.0));
    RecordProperty("lines", int(scanned.Lines));
    RecordProperty("bytes", int(scanned.Bytes));
    EXPECT_EQ(scanned.BadLines, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, TRealSourceTest, testing::ValuesIn(RegistryEntries()),
                         RegistryEntryName);
