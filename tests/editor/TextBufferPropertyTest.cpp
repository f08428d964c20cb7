#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QStringList>

#include "editor/CodeEditTextBuffer.h"

namespace {

// Tab stops are counted in characters; each wide glyph then adds its filler cell.
qsizetype ModelCells(const QString& line, int tabWidth) {
    qsizetype column = 0;
    qsizetype fillers = 0;
    for (QChar c : line) {
        if (c == u'\t') {
            column += tabWidth <= 1 ? 1 : tabWidth - column % tabWidth;
        } else {
            ++column;
            fillers += c.unicode() >= 0x100 ? 1 : 0;
        }
    }
    return column + fillers;
}

// Two cells for everything from U+0100 up.
QString WideGlyphs(const QString& s) {
    QString out;
    for (QChar c : s) {
        if (c.unicode() >= 0x100) out += QChar(0xE000);
        out += c;
    }
    return out;
}

class TModelCheck {
public:
    TModelCheck(const TCodeEditStringList& list, const QStringList& model, const int& tabWidth)
        : fList(list), fModel(model), fTabWidth(tabWidth) {}

    // Compares everything the list derives from its lines. Character indexes are read in a
    // scattered order first, so that partly valid caches get exercised.
    void Check(QRandomGenerator& random) const {
        ASSERT_EQ(fList.Count(), fModel.size());
        qsizetype sum = 0;
        QList<qsizetype> starts;
        qsizetype longest = -1;
        qsizetype longestLength = 0;
        for (qsizetype i = 0; i < fModel.size(); ++i) {
            starts.append(sum);
            sum += fModel[i].size();
            const qsizetype cells = ModelCells(fModel[i], fTabWidth);
            if (longest < 0 || cells > longestLength) {
                longest = i;
                longestLength = cells;
            }
        }
        for (int k = 0; k < 3 && !fModel.isEmpty(); ++k) {
            const qsizetype i = random.bounded(fModel.size());
            ASSERT_EQ(fList.LineCharIndex(i), starts[i]) << "line " << i;
        }
        for (qsizetype i = 0; i < fModel.size(); ++i) {
            ASSERT_EQ(fList.Strings(i), fModel[i]) << "line " << i;
            ASSERT_EQ(fList.LineCharIndex(i), starts[i]) << "line " << i;
        }
        ASSERT_EQ(fList.Text(), fModel.join(QStringLiteral("\r\n")));
        ASSERT_EQ(fList.IndexOfLongestLine(), longest) << fModel.join('|').toStdString();
        ASSERT_EQ(fList.LengthOfLongestLine(), longestLength);
    }

private:
    const TCodeEditStringList& fList;
    const QStringList& fModel;
    const int& fTabWidth;
};

QString RandomLine(QRandomGenerator& random) {
    static const QString units = QStringLiteral("ab \t漢x");
    QString s;
    const int n = random.bounded(12);
    for (int i = 0; i < n; ++i)
        s += units[random.bounded(units.size())];
    return s;
}

void RunRandomEdits(quint32 seed, int steps) {
    QRandomGenerator random(seed);
    TCodeEditStringList list;
    list.SetExpandAtWideGlyphsFunc(WideGlyphs);
    QStringList model;
    int tabWidth = 8;
    const TModelCheck check(list, model, tabWidth);
    for (int step = 0; step < steps; ++step) {
        const qsizetype count = model.size();
        const int op = random.bounded(100);
        SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step << " op " << op);
        if (op < 25) {
            const qsizetype at = random.bounded(count + 1);
            const QString s = RandomLine(random);
            list.Insert(at, s);
            model.insert(at, s);
        } else if (op < 40) {
            if (count == 0) continue;
            const qsizetype at = random.bounded(count);
            list.Delete(at);
            model.removeAt(at);
        } else if (op < 65) {
            const qsizetype at = random.bounded(count + 1);  // Count itself appends
            const QString s = RandomLine(random);
            list.Put(at, s);
            if (at == count)
                model.append(s);
            else
                model[at] = s;
        } else if (op < 78) {
            if (count == 0) continue;
            const qsizetype a = random.bounded(count);
            const qsizetype b = random.bounded(count);
            list.Exchange(a, b);
            model.swapItemsAt(a, b);
        } else if (op < 86) {
            const qsizetype at = random.bounded(count + 1);
            QStringList lines;
            for (int n = random.bounded(6); n > 0; --n)
                lines.append(RandomLine(random));
            list.InsertStrings(at, lines);
            for (qsizetype i = 0; i < lines.size(); ++i)
                model.insert(at + i, lines[i]);
        } else if (op < 94) {
            if (count == 0) continue;
            const qsizetype at = random.bounded(count);
            const qsizetype n = random.bounded(1, 8);
            list.DeleteLines(at, n);
            model.remove(at, std::min(n, count - at));
        } else if (op < 97) {
            const int width = random.bounded(1, 10);
            list.SetTabWidth(width);
            tabWidth = width;
        } else if (op < 99) {
            QStringList lines;
            for (int n = random.bounded(40); n > 0; --n)
                lines.append(RandomLine(random));
            list.SetText(lines.join(u'\n'));
            model = lines;
            // A final line break does not start a further line.
            if (!model.isEmpty() && model.last().isEmpty()) model.removeLast();
        } else {
            list.Clear();
            model.clear();
        }
        check.Check(random);
        if (testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace

// Random edits against a plain list of strings, checked after every step. Set
// MARROWPAD_LONG_TESTS=1 for a much longer run.
TEST(TextBufferProperty, RandomEditsMatchAPlainList) {
    const bool longRun = qEnvironmentVariableIntValue("MARROWPAD_LONG_TESTS") == 1;
    const int seeds = longRun ? 40 : 4;
    const int steps = longRun ? 20000 : 1500;
    for (int seed = 1; seed <= seeds; ++seed) {
        RunRandomEdits(static_cast<quint32>(seed), steps);
        if (HasFatalFailure()) return;
    }
}
