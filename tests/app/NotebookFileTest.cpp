#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>

#include "app/Notebook.h"
#include "app/NotebookFile.h"
#include "app/NotebookTextExport.h"
#include "platform/CodePage.h"
#include "platform/Errors.h"
#include "tests/support/TestFiles.h"

namespace {

const QString kInvalidValue = QStringLiteral("プロパティ値が無効です");
const QString kReadError = QStringLiteral("ストリームからの読み取りエラー");

QByteArray Write(const TNotebook& notebook) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteNotebook(notebook, buffer);
    return buffer.data();
}

void Read(TNotebook& notebook, const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ReadNotebook(notebook, buffer);
}

// The tree as one line per node in pre-order: level, title, icon and text.
std::string Describe(const TNotebook& notebook) {
    std::string out;
    notebook.ForEach([&out](TNotebookNode* node) {
        out += std::to_string(node->Level()) + "|" + node->Title().toStdString() + "|" +
               std::to_string(node->ImageIndex()) + "|" + node->Data()->text.toStdString() + "\n";
    });
    return out;
}

// The bytes of a string value, cut out of a one-snippet notebook that carries it as title.
QByteArray StringBytes(const QString& s) {
    TNotebook notebook;
    notebook.AddChild(nullptr, s, 0);
    const QByteArray all = Write(notebook);
    // 01, level 02 00, <title>, icon 02 00, text 12 00 00 00 00, 00
    return all.mid(3, all.size() - 3 - 2 - 5 - 1);
}

QByteArray IconBytes(int32_t icon) {
    TNotebook notebook;
    notebook.AddChild(nullptr, QString(), icon);
    const QByteArray all = Write(notebook);
    // 01, level 02 00, title 12 00 00 00 00, <icon>, text 12 00 00 00 00, 00
    return all.mid(8, all.size() - 8 - 5 - 1);
}

QString ReadError(const QByteArray& bytes, TNotebook& notebook) {
    try {
        Read(notebook, bytes);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return QStringLiteral("(no error)");
}

// A notebook file with one record per (level, title) pair, icon 1 and text "t".
QByteArray Records(std::initializer_list<std::pair<int, const char*>> records) {
    QByteArray bytes("\x01");
    for (const auto& [level, title] : records) {
        bytes += '\x02';
        bytes += static_cast<char>(level);
        bytes += '\x06';
        bytes += static_cast<char>(qstrlen(title));
        bytes += title;
        bytes += Hex("02 01 06 01 74");
    }
    return bytes + '\0';
}

}  // namespace

TEST(NotebookFile, WritesAndReadsTheSmallestExampleByteForByte) {
    TNotebook notebook;
    notebook.AddChild(nullptr, QStringLiteral("abc"), 1)->Data()->text = QStringLiteral("x");
    const QByteArray golden = Hex("01 02 00 06 03 61 62 63 02 01 06 01 78 00");
    EXPECT_EQ(ToHex(Write(notebook)), ToHex(golden));

    TNotebook read;
    Read(read, golden);
    EXPECT_EQ(Describe(read), "0|abc|1|x\n");
}

TEST(NotebookFile, PicksTheStringTagByEncodedLength) {
    EXPECT_EQ(ToHex(StringBytes(QString())), "12 00 00 00 00");
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("新規項目"))),
              "12 04 00 00 00 B0 65 8F 89 05 98 EE 76");
    // 3 UTF-8 bytes against 2 UTF-16 bytes, then 4 against 4: UTF-16 unless strictly longer.
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("新"))), "12 01 00 00 00 B0 65");
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("a新"))), "12 02 00 00 00 61 00 B0 65");
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("ab新"))), "14 05 00 00 00 61 62 E6 96 B0");
    // Two-byte UTF-8 characters and surrogate pairs count by their real encoded length.
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("aé"))), "14 03 00 00 00 61 C3 A9");
    EXPECT_EQ(ToHex(StringBytes(QStringLiteral("abc😀"))), "14 07 00 00 00 61 62 63 F0 9F 98 80");

    const QByteArray s255 = StringBytes(QString(255, QLatin1Char('a')));
    EXPECT_EQ(ToHex(s255.left(2)), "06 FF");
    EXPECT_EQ(s255.size(), 2 + 255);
    const QByteArray s256 = StringBytes(QString(256, QLatin1Char('a')));
    EXPECT_EQ(ToHex(s256.left(5)), "0C 00 01 00 00");
    EXPECT_EQ(s256.size(), 5 + 256);
}

TEST(NotebookFile, KeepsLoneSurrogatesThatUtf8CannotCarry) {
    // Shorter as UTF-8, but only UTF-16 holds the lone surrogate exactly.
    const QString s = QStringLiteral("abcdef") + QChar(0xD800);
    EXPECT_EQ(StringBytes(s).left(1), Hex("12"));
    TNotebook notebook;
    notebook.AddChild(nullptr, s, 0)->Data()->text = QChar(0xDC00) + QStringLiteral("xyz");
    TNotebook read;
    Read(read, Write(notebook));
    EXPECT_EQ(read.First()->Title(), s);
    EXPECT_EQ(read.First()->Data()->text, QChar(0xDC00) + QStringLiteral("xyz"));
}

TEST(NotebookFile, PicksTheIntegerTagByRangeAndKeepsEveryIconIndex) {
    EXPECT_EQ(ToHex(IconBytes(127)), "02 7F");
    EXPECT_EQ(ToHex(IconBytes(128)), "03 80 00");
    EXPECT_EQ(ToHex(IconBytes(-128)), "02 80");
    EXPECT_EQ(ToHex(IconBytes(-129)), "03 7F FF");
    EXPECT_EQ(ToHex(IconBytes(200)), "03 C8 00");
    EXPECT_EQ(ToHex(IconBytes(32767)), "03 FF 7F");
    EXPECT_EQ(ToHex(IconBytes(32768)), "04 00 80 00 00");
    EXPECT_EQ(ToHex(IconBytes(-32769)), "04 FF 7F FF FF");

    // Icons outside the icon list are not ours to correct: they go back as they came.
    TNotebook notebook;
    for (int32_t icon : {-1, 51, 127, -129, 32768, INT32_MIN, INT32_MAX})
        notebook.AddChild(nullptr, QString(), icon);
    TNotebook read;
    Read(read, Write(notebook));
    EXPECT_EQ(Describe(read), Describe(notebook));
}

TEST(NotebookFile, AnEmptyNotebookIsTheEmptyList) {
    TNotebook notebook;
    EXPECT_EQ(ToHex(Write(notebook)), "01 00");

    TNotebook read;
    read.AddChild(nullptr, QStringLiteral("old"), 1);
    Read(read, Hex("01 00"));
    EXPECT_TRUE(read.IsEmpty());
}

TEST(NotebookFile, RebuildsTheTreeFromRecordedLevels) {
    TNotebook notebook;
    // A level more than one deeper gives a child; a shallower one climbs back up.
    Read(notebook, Records({{0, "a"}, {3, "b"}, {1, "c"}}));
    EXPECT_EQ(Describe(notebook), "0|a|1|t\n1|b|1|t\n1|c|1|t\n");

    // The first record is always top level.
    Read(notebook, Records({{2, "a"}, {3, "b"}, {1, "c"}, {0, "d"}}));
    EXPECT_EQ(Describe(notebook), "0|a|1|t\n1|b|1|t\n1|c|1|t\n0|d|1|t\n");

    // Negative levels give top-level nodes.
    Read(notebook, Records({{0, "a"}, {1, "b"}, {2, "c"}, {-1, "d"}, {-128, "e"}}));
    EXPECT_EQ(Describe(notebook), "0|a|1|t\n1|b|1|t\n2|c|1|t\n0|d|1|t\n0|e|1|t\n");

    // Climbing several levels at once lands under the right ancestor.
    Read(notebook, Records({{0, "a"}, {1, "b"}, {2, "c"}, {3, "d"}, {1, "e"}, {2, "f"}}));
    EXPECT_EQ(Describe(notebook), "0|a|1|t\n1|b|1|t\n2|c|1|t\n3|d|1|t\n1|e|1|t\n2|f|1|t\n");
    EXPECT_EQ(notebook.NodeAt(4)->Parent(), notebook.NodeAt(0));
    EXPECT_EQ(notebook.NodeAt(5)->Parent(), notebook.NodeAt(4));
}

TEST(NotebookFile, ReadsEveryStringTagAndNothingAfterTheListEnd) {
    TNotebook notebook;
    // 0x06 and 0x0C bytes come from the legacy code page; 0x12 is UTF-16LE, 0x14 UTF-8.
    Read(notebook, Hex("01 02 00 06 02 82 A0 02 01 0C 03 00 00 00 61 87 40"
                       "02 00 12 01 00 00 00 B0 65 02 01 14 03 00 00 00 E6 96 B0"
                       "00 FF FF 01 02"));
    EXPECT_EQ(Describe(notebook), "0|あ|1|a①\n0|新|1|新\n");
}

TEST(NotebookFile, FailsWithTheRightMessageAndLeavesTheTreeEmpty) {
    const std::pair<const char*, QString> cases[] = {
        {"", kReadError},                   // nothing at all
        {"00", kInvalidValue},              // no list start
        {"02 05 01 00", kInvalidValue},     // a whole value where the list should start
        {"02", kReadError},                 // ... and one cut short
        {"0C 10 00 00 00 61", kReadError},  // ... whose length runs past the end
        {"01", kReadError},                 // ends where a tag is expected
        {"01 02 00 06 01 61 02 01 06 01 78", kReadError},  // no list end
        {"01 06 00", kInvalidValue},                       // a string where the level belongs
        {"01 02 00 02 00", kInvalidValue},                 // an integer where the title belongs
        {"01 02 00 06 00 06 00", kInvalidValue},           // a string where the icon belongs
        {"01 02 00 06 00 02 00 04 00", kInvalidValue},     // an integer where the text belongs
        {"01 02 00 07 00", kInvalidValue},                 // a tag the notebook never uses
        {"01 03 00", kReadError},                          // an integer cut short
        {"01 02 00 06 05 61 62", kReadError},              // a string cut short
        {"01 02 00 12 02 00 00 00 61 00 62", kReadError},  // half a UTF-16 unit missing
    };
    for (const auto& [hex, message] : cases) {
        TNotebook notebook;
        notebook.AddChild(nullptr, QStringLiteral("old"), 1);
        EXPECT_EQ(ReadError(Hex(hex), notebook), message) << hex;
        EXPECT_TRUE(notebook.IsEmpty()) << hex;
    }

    // Snippets read before the failure go too, so none can reach a later save.
    TNotebook notebook;
    QByteArray good = Records({{0, "a"}, {1, "b"}});
    good.chop(1);
    EXPECT_EQ(ReadError(good + Hex("02 00 06 01 63 02"), notebook), kReadError);
    EXPECT_TRUE(notebook.IsEmpty());
}

TEST(NotebookFile, RejectsHostileLengthFieldsBeforeAllocating) {
    const char* cases[] = {
        "01 02 00 0C FF FF FF FF",           // negative
        "01 02 00 0C 00 00 00 80",           // most negative
        "01 02 00 14 FE FF FF FF 61",        // negative UTF-8 length
        "01 02 00 0C FF FF FF 7F 61 62",     // far beyond the end
        "01 02 00 14 04 00 00 00 61 62 63",  // one byte beyond the end
        "01 02 00 12 FF FF FF 7F 61 00",     // a count whose byte size passes 2^32
        "01 02 00 12 00 00 00 40 61 00",     // ... and one that is exactly 2^31 bytes
        "01 02 00 12 00 00 00 C0 61 00",     // a negative count
        "01 02 00 06 00 02 00 12 03 00 00 00 61 00 62 00 63",  // the text's last unit cut
    };
    for (const char* hex : cases) {
        TNotebook notebook;
        EXPECT_EQ(ReadError(Hex(hex), notebook), kReadError) << hex;
        EXPECT_TRUE(notebook.IsEmpty()) << hex;
    }
}

TEST(NotebookFile, BracketsTheLoadAsOneResetEvenWhenItFails) {
    struct TCounter : TNotebookObserver {
        int aboutToReset = 0, reset = 0, perNode = 0;
        void NodeAboutToBeInserted(TNotebookNode*, int) override { ++perNode; }
        void NodeInserted(TNotebookNode*) override { ++perNode; }
        void NodeAboutToBeRemoved(TNotebookNode*) override { ++perNode; }
        void NodeRemoved(TNotebookNode*, int) override { ++perNode; }
        void NodeAboutToBeMoved(TNotebookNode*, TNotebookNode*, int) override { ++perNode; }
        void NodeMoved(TNotebookNode*) override { ++perNode; }
        void NodeChanged(TNotebookNode*) override { ++perNode; }
        void AboutToReset() override { ++aboutToReset; }
        void Reset() override { ++reset; }
    } counter;
    TNotebook notebook;
    notebook.SetObserver(&counter);
    Read(notebook, Records({{0, "a"}, {1, "b"}}));
    EXPECT_EQ(counter.aboutToReset, 1);
    EXPECT_EQ(counter.reset, 1);
    EXPECT_EQ(counter.perNode, 0);

    EXPECT_EQ(ReadError(Hex("01 02 00 06 01"), notebook), kReadError);
    EXPECT_EQ(counter.aboutToReset, 2);
    EXPECT_EQ(counter.reset, 2);
    // The bracket is closed: later edits are announced one by one again.
    notebook.AddChild(nullptr, QStringLiteral("c"), 1);
    EXPECT_EQ(counter.perNode, 2);
    notebook.SetObserver(nullptr);
}

TEST(NotebookFile, RoundTripsARandomTreeThroughAFile) {
    QRandomGenerator random(20240611);
    auto randomString = [&random](int maxLength) {
        static const QString pool = QStringLiteral("abcXYZ 09\r\n\t新規項目あいうé€") +
                                    QStringLiteral("😀") + QChar(0xD800) + QChar(0xDFFF) + QChar(0);
        QString s;
        const int length = static_cast<int>(random.bounded(maxLength + 1));
        const int style = static_cast<int>(random.bounded(3));  // ASCII, mixed, mostly wide
        for (int i = 0; i < length; ++i) {
            const int pick = style == 0   ? static_cast<int>(random.bounded(13))
                             : style == 1 ? (random.bounded(10) == 0
                                                 ? static_cast<int>(random.bounded(pool.size()))
                                                 : static_cast<int>(random.bounded(9)))
                                          : static_cast<int>(random.bounded(pool.size()));
            s += pool[pick];
        }
        return s;
    };
    TNotebook notebook;
    std::vector<TNotebookNode*> nodes;
    for (int i = 0; i < 400; ++i) {
        TNotebookNode* parent = nodes.empty() || random.bounded(4) == 0
                                    ? nullptr
                                    : nodes[random.bounded(static_cast<quint32>(nodes.size()))];
        TNotebookNode* node =
            notebook.AddChild(parent, randomString(20),
                              static_cast<int32_t>(random.generate()) >> random.bounded(32));
        node->Data()->text = randomString(i % 50 == 0 ? 2000 : 200);
        nodes.push_back(node);
    }
    // Strings longer than the read and write buffers, in every tag.
    notebook.AddChild(nullptr, QString(300000, QLatin1Char('a')), 1)->Data()->text =
        QString(700000, QChar(0x65B0));
    notebook.AddChild(nullptr, QString(300000, QLatin1Char('a')) + QStringLiteral("é"), 1)
        ->Data()
        ->text = QStringLiteral("x");

    TTestDir dir;
    const QString path = dir.Path(QStringLiteral("ランダム.mrp"));
    SaveNotebook(notebook, path);
    TNotebook read;
    LoadNotebook(read, path);
    EXPECT_EQ(read.Count(), notebook.Count());
    EXPECT_TRUE(Describe(read) == Describe(notebook));
    EXPECT_TRUE(Write(read) == ReadFileBytes(path)) << "writing what was read gives the same bytes";
}

TEST(NotebookFile, DecodesLongByteAndUtf8StringsAsTheShortOnesAre) {
    // Longer than the reader's buffer, with characters and broken sequences at every offset,
    // so some straddle the places where a long string is split for decoding.
    QRandomGenerator random(7);
    const QByteArray pieces[] = {"a",        "\xE6\x96\xB0", "\xC3\xA9", "\xF0\x9F\x98\x80",
                                 "\xE6\x96", "\x80",         "\xFF",     "\xF0\x9F"};
    QByteArray utf8;
    while (utf8.size() < 1200000)
        utf8 += pieces[random.bounded(static_cast<quint32>(std::size(pieces)))];
    QByteArray ansi(700000, 'a');
    ansi += "\x82\xA0\x87\x40" + QByteArray(300000, 'b') + "\x82";
    auto le32 = [](qsizetype n) {
        QByteArray bytes(4, '\0');
        qToLittleEndian<int32_t>(static_cast<int32_t>(n), bytes.data());
        return bytes;
    };
    TNotebook notebook;
    Read(notebook, Hex("01 02 00 14") + le32(utf8.size()) + utf8 + Hex("02 01 0C") +
                       le32(ansi.size()) + ansi + Hex("00"));
    ASSERT_EQ(notebook.Count(), 1);
    EXPECT_TRUE(notebook.First()->Title() == QString::fromUtf8(utf8));
    EXPECT_TRUE(notebook.First()->Data()->text == DecodeAnsi(ansi));
    EXPECT_TRUE(notebook.First()->Data()->text.startsWith(QString(700000, QLatin1Char('a')) +
                                                          QStringLiteral("あ①b")));
}

TEST(NotebookFile, ReadsFromAPipeLikeDevice) {
    // A device with no size, handing out its data a few bytes at a time.
    class TPipe : public QIODevice {
    public:
        explicit TPipe(QByteArray data) : fData(std::move(data)) { open(QIODevice::ReadOnly); }
        bool isSequential() const override { return true; }

    protected:
        qint64 readData(char* out, qint64 max) override {
            const qint64 n = std::min<qint64>({max, 3, fData.size() - fRead});
            std::memcpy(out, fData.constData() + fRead, static_cast<size_t>(n));
            fRead += n;
            return n;
        }
        qint64 writeData(const char*, qint64) override { return -1; }

    private:
        QByteArray fData;
        qint64 fRead = 0;
    };
    TPipe pipe(Records({{0, "a"}, {1, "b"}}));
    TNotebook notebook;
    ReadNotebook(notebook, pipe);
    EXPECT_EQ(Describe(notebook), "0|a|1|t\n1|b|1|t\n");
    TPipe cut(Hex("01 02 00 0C FF FF FF 7F 61"));
    EXPECT_THROW(ReadNotebook(notebook, cut), EReadError);
}

TEST(NotebookFile, ReportsFilesThatCannotBeOpenedOrCreated) {
    TTestDir dir;
    TNotebook notebook;
    notebook.AddChild(nullptr, QStringLiteral("kept"), 1);
    const QString missing = dir.Path(QStringLiteral("none.mrp"));
    try {
        LoadNotebook(notebook, missing);
        FAIL() << "no error for a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("ファイル %1 は開けません。 ").arg(missing)))
            << e.what();
        EXPECT_TRUE(e.Message().endsWith(QLatin1Char(' ')));
        EXPECT_GT(e.Message().size(),
                  QStringLiteral("ファイル %1 は開けません。  ").arg(missing).size())
            << "the system's reason is part of the message";
    }
    EXPECT_EQ(notebook.Count(), 1) << "a file that cannot be opened changes nothing";

    // A relative name is reported with its full path.
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.Root());
    try {
        SaveNotebook(notebook, QStringLiteral("no/such/folder/../x.mrp"));
        FAIL() << "no error for a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("ファイル \"%1\" を作成できません。").arg(dir.Path("no/such/x.mrp"))))
            << e.what();
    }
    QDir::setCurrent(old);

    // A folder is no notebook to load or to replace.
    EXPECT_THROW(LoadNotebook(notebook, dir.Root()), EMarrowpadError);
    EXPECT_THROW(SaveNotebook(notebook, dir.Root()), EFCreateError);
    EXPECT_TRUE(QFileInfo(dir.Root()).isDir());
}

TEST(NotebookFile, AFailedSaveLeavesTheOldFileAndNoTemporaryFile) {
    TTestDir dir;
    const QString path = dir.Path(QStringLiteral("old.mrp"));
    const QByteArray old = Hex("01 02 00 06 03 61 62 63 02 01 06 01 78 00");
    WriteFileBytes(path, old);

    // The disk fills up halfway.
    TNotebook notebook;
    notebook.AddChild(nullptr, QStringLiteral("big"), 1)->Data()->text =
        QString(1 << 20, QLatin1Char('z'));
    QString message;
    {
        TFileSizeLimit limit(64 * 1024);
        try {
            SaveNotebook(notebook, path);
        } catch (const EWriteError& e) {
            message = e.Message();
        }
    }

    EXPECT_EQ(
        message,
        QStringLiteral("ファイル \"%1\" に書き込めません。ファイルが大きすぎます。").arg(path));
    EXPECT_EQ(ToHex(ReadFileBytes(path)), ToHex(old));
    EXPECT_EQ(QDir(dir.Root()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("old.mrp")});

    // With room again the same save goes through and replaces the file.
    SaveNotebook(notebook, path);
    TNotebook read;
    LoadNotebook(read, path);
    EXPECT_EQ(read.First()->Data()->text.size(), 1 << 20);
}

TEST(NotebookTextExport, WritesEachTextAndAnEmptyLineAsUtf8) {
    TTestDir dir;
    const QString path = dir.Path(QStringLiteral("out.txt"));
    TNotebook notebook;
    TNotebookNode* a = notebook.AddChild(nullptr, QStringLiteral("title is not written"), 1);
    a->Data()->text = QStringLiteral("a");
    notebook.AddChild(a, QString(), 1)->Data()->text = QStringLiteral("é€😀\r\n");
    notebook.AddChild(nullptr, QString(), 1);
    ExportNotebookText(notebook, path);
    // Characters no legacy code page holds come through; there is no byte-order mark.
    EXPECT_EQ(
        ToHex(ReadFileBytes(path)),
        ToHex(Hex("61 0D 0A 0D 0A C3 A9 E2 82 AC F0 9F 98 80 0D 0A 0D 0A 0D 0A 0D 0A 0D 0A")));

    ExportNotebookText(TNotebook(), path);
    EXPECT_TRUE(ReadFileBytes(path).isEmpty()) << "an empty notebook exports an empty file";
}

TEST(NotebookTextExport, AFailedExportLeavesTheOldFile) {
    TTestDir dir;
    TNotebook notebook;
    notebook.AddChild(nullptr, QString(), 1)->Data()->text = QString(1 << 20, QLatin1Char('z'));
    try {
        ExportNotebookText(notebook, dir.Path(QStringLiteral("none/out.txt")));
        FAIL() << "no error for a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("ファイル \"%1\" を作成できません。")
                                               .arg(dir.Path(QStringLiteral("none/out.txt")))))
            << e.what();
    }

    const QString path = dir.Path(QStringLiteral("out.txt"));
    WriteFileBytes(path, "old");
    {
        TFileSizeLimit limit(64 * 1024);
        EXPECT_THROW(ExportNotebookText(notebook, path), EWriteError);
    }
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.Root()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("out.txt")});

    // A small export that would pass through a write buffer fails all the same.
    notebook.First()->Data()->text = QString(100, QLatin1Char('s'));
    {
        TFileSizeLimit limit(16);
        EXPECT_THROW(ExportNotebookText(notebook, path), EWriteError);
    }
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old"));
}
