// Scanning throughput of the highlighters over 10 MB of generated C++ and Pascal source,
// beside a loop that only classifies each character through a 128-entry table. The text is
// ASCII, so one character is one byte of source: the MB/s are those of the file.
#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdio>
#include <map>
#include <string>

#include "bench/support/RatioReporter.h"
#include "highlighters/HighlighterCpp.h"
#include "highlighters/HighlighterPas.h"

namespace {

constexpr qsizetype kTargetChars = 10 * 1024 * 1024;

// Picks words and numbers for the generated lines.
class TSource {
public:
    explicit TSource(quint32 seed) : fRandom(seed) {}
    int Below(int n) { return int(fRandom.bounded(n)); }
    const char* Pick(std::initializer_list<const char*> words) {
        return words.begin()[Below(int(words.size()))];
    }
    QString Ident() {
        static const char* const parts[] = {"value", "count", "node", "buffer", "index", "total",
                                            "name",  "item",  "next", "result", "line",  "size"};
        QString s = QLatin1String(parts[Below(12)]);
        if (Below(2)) {
            QString part = QLatin1String(parts[Below(12)]);
            part[0] = part[0].toUpper();
            s += part;
        }
        if (Below(4) == 0) s += QString::number(Below(10));
        return s;
    }
    QString Indent(int depth) { return QString(depth * 4, u' '); }

private:
    QRandomGenerator fRandom;
};

QStringList GenerateCpp() {
    TSource r(11);
    QStringList lines;
    qsizetype chars = 0;
    auto add = [&](const QString& line) {
        lines << line;
        chars += line.size();
    };
    while (chars < kTargetChars) {
        add(QStringLiteral("#include <%1>").arg(r.Pick({"vector", "string", "map", "memory"})));
        add(QStringLiteral("#define MAX_%1(a, b) \\").arg(r.Ident().toUpper()));
        add(QStringLiteral("    ((a) > (b) ? (a) : (b))"));
        add(QString());
        add(QStringLiteral("/* %1 keeps the %2 of every %3.").arg(r.Ident(), r.Ident(), r.Ident()));
        add(QStringLiteral(" * It is rebuilt when the %1 changes. */").arg(r.Ident()));
        add(QStringLiteral("static %1 %2(const std::string& %3, int %4) {")
                .arg(r.Pick({"int", "bool", "double", "size_t"}), r.Ident(), r.Ident(), r.Ident()));
        const int statements = 6 + r.Below(12);
        for (int s = 0; s < statements; ++s) {
            const QString a = r.Ident(), b = r.Ident(), c = r.Ident();
            switch (r.Below(9)) {
                case 0:
                    add(r.Indent(1) +
                        QStringLiteral("for (int i = 0; i < %1.size(); ++i) {").arg(a));
                    add(r.Indent(2) + QStringLiteral("%1 += %2[i] * %3;")
                                          .arg(b, c, r.Pick({"2.5f", "0x1F", "017", "10UL"})));
                    add(r.Indent(1) + u'}');
                    break;
                case 1:
                    add(r.Indent(1) + QStringLiteral("if (%1 != nullptr && %2->%3) return %4;")
                                          .arg(a, b, c, QString::number(r.Below(1000))));
                    break;
                case 2:
                    add(r.Indent(1) +
                        QStringLiteral("printf(\"%1 = %d, \\\"%2\\\"\\n\", %3);").arg(a, b, c));
                    break;
                case 3:
                    add(r.Indent(1) + QStringLiteral("// %1 must not be larger than %2").arg(a, b));
                    break;
                case 4:
                    add(r.Indent(1) +
                        QStringLiteral("char %1 = '\\n'; auto %2 = %3 << 2;").arg(a, b, c));
                    break;
                case 5:
                    add(r.Indent(1) +
                        QStringLiteral("std::vector<int> %1{1, 2, 3}; // %2").arg(a, b));
                    break;
                case 6:
                    add(r.Indent(1) +
                        QStringLiteral("while (%1-- > 0 || %2 >= 1.5e-3) {").arg(a, b));
                    add(r.Indent(2) + QStringLiteral("%1 = %2 ? %3 : %1; /* keep */").arg(c, a, b));
                    add(r.Indent(1) + u'}');
                    break;
                case 7:
                    add(r.Indent(1) +
                        QStringLiteral("const auto& %1 = %2.at(%3 % 16);").arg(a, b, c));
                    break;
                default:
                    add(r.Indent(1) +
                        QStringLiteral("%1 = static_cast<int>(%2 / %3);").arg(a, b, c));
                    break;
            }
        }
        add(QStringLiteral("    return %1;").arg(r.Ident()));
        add(QStringLiteral("}"));
        add(QString());
    }
    return lines;
}

QStringList GeneratePascal() {
    TSource r(13);
    QStringList lines;
    qsizetype chars = 0;
    auto add = [&](const QString& line) {
        lines << line;
        chars += line.size();
    };
    while (chars < kTargetChars) {
        const QString cls = QStringLiteral("T") + r.Ident();
        add(QStringLiteral("{ %1 keeps the %2 of every %3 }").arg(cls, r.Ident(), r.Ident()));
        add(QStringLiteral("type"));
        add(QStringLiteral("  %1 = class(TObject)").arg(cls));
        add(QStringLiteral("  private"));
        add(QStringLiteral("    F%1: %2;").arg(r.Ident(), r.Pick({"Integer", "string", "Double"})));
        add(QStringLiteral("  public"));
        add(QStringLiteral("    property %1: Integer read F%1 write Set%1;").arg(r.Ident()));
        add(QStringLiteral("  end;"));
        add(QString());
        add(QStringLiteral("(* %1 is rebuilt").arg(r.Ident()));
        add(QStringLiteral("   when the %1 changes. *)").arg(r.Ident()));
        add(QStringLiteral("procedure %1.%2(Sender: TObject; const %3: string);")
                .arg(cls, r.Ident(), r.Ident()));
        add(QStringLiteral("var"));
        add(QStringLiteral("  I, %1: Integer;").arg(r.Ident()));
        add(QStringLiteral("begin"));
        const int statements = 6 + r.Below(12);
        for (int s = 0; s < statements; ++s) {
            const QString a = r.Ident(), b = r.Ident(), c = r.Ident();
            switch (r.Below(8)) {
                case 0:
                    add(QStringLiteral("  for I := 0 to %1 - 1 do").arg(a));
                    add(QStringLiteral("    %1 := %1 + %2[I] * %3;")
                            .arg(b, c, r.Pick({"2.5", "$1F", "1.5e-3", "42"})));
                    break;
                case 1:
                    add(QStringLiteral("  if (%1 <> nil) and (%2 >= 10) then Exit;").arg(a, b));
                    break;
                case 2:
                    add(QStringLiteral("  %1 := 'it''s ' + IntToStr(%2) + #13#10;").arg(a, b));
                    break;
                case 3:
                    add(QStringLiteral("  // %1 must not be larger than %2").arg(a, b));
                    break;
                case 4:
                    add(QStringLiteral("  {$IFDEF DEBUG} WriteLn(%1); {$ENDIF}").arg(a));
                    break;
                case 5:
                    add(QStringLiteral("  while %1 > 0 do begin Dec(%1); Inc(%2, %3); end;")
                            .arg(a, b, c));
                    break;
                case 6:
                    add(QStringLiteral("  asm"));
                    add(QStringLiteral("    mov eax, %1").arg(r.Below(100)));
                    add(QStringLiteral("  end;"));
                    break;
                default:
                    add(QStringLiteral("  %1 := %2 div 16 + Length(%3);").arg(a, b, c));
                    break;
            }
        }
        add(QStringLiteral("end;"));
        add(QString());
    }
    return lines;
}

const QStringList& CppLines() {
    static const QStringList lines = GenerateCpp();
    return lines;
}

const QStringList& PascalLines() {
    static const QStringList lines = GeneratePascal();
    return lines;
}

qsizetype CharCount(const QStringList& lines) {
    qsizetype n = 0;
    for (const QString& line : lines)
        n += line.size();
    return n;
}

// The baseline: one table lookup and one counter per character, nothing else.
void ClassifyLines(benchmark::State& state, const QStringList& lines) {
    static const std::array<quint8, 128> table = [] {
        std::array<quint8, 128> t{};
        for (int c = 0; c < 128; ++c) {
            if (c <= ' ')
                t[c] = 1;
            else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
                t[c] = 2;
            else if (c >= '0' && c <= '9')
                t[c] = 3;
            else if (c == '"' || c == '\'')
                t[c] = 4;
            else
                t[c] = 5;
        }
        return t;
    }();
    for (auto _ : state) {
        std::array<quint64, 8> counts{};
        for (const QString& line : lines) {
            const QChar* p = line.constData();
            for (qsizetype i = 0, n = line.size(); i < n; ++i) {
                const char16_t c = p[i].unicode();
                ++counts[table[c < 128 ? c : 0]];
            }
        }
        benchmark::DoNotOptimize(counts);
    }
    state.SetBytesProcessed(state.iterations() * CharCount(lines));
}

// The editor's painting loop: every token's position, kind and attribute, range carried.
void ScanLines(benchmark::State& state, TCustomHighlighter& h, const QStringList& lines) {
    quint64 tokens = 0;
    for (auto _ : state) {
        tokens = 0;
        quint64 sum = 0;
        h.ResetRange();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            h.SetRange(h.GetRange());
            h.SetLine(lines[i], qint32(i));
            while (!h.GetEol()) {
                sum += quint64(h.GetTokenPos()) + quint64(h.GetTokenKind()) +
                       quint64(h.GetTokenAttribute() != nullptr);
                ++tokens;
                h.Next();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * CharCount(lines));
    state.counters["tokens"] = double(tokens);
}

void BM_Cpp_Baseline_Table(benchmark::State& state) {
    ClassifyLines(state, CppLines());
}
void BM_Cpp_Scan(benchmark::State& state) {
    TCppHighlighter h;
    ScanLines(state, h, CppLines());
}
void BM_Pascal_Baseline_Table(benchmark::State& state) {
    ClassifyLines(state, PascalLines());
}
void BM_Pascal_Scan(benchmark::State& state) {
    TPasHighlighter h;
    ScanLines(state, h, PascalLines());
}

BENCHMARK(BM_Cpp_Baseline_Table)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Cpp_Scan)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Pascal_Baseline_Table)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Pascal_Scan)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The scan against the table loop, with both throughputs; times are milliseconds per pass.
void PrintThroughput(const TRatioReporter& reporter, const char* what, const std::string& measured,
                     const std::string& baseline, qsizetype chars) {
    const auto m = reporter.Times(measured);
    const auto b = reporter.Times(baseline);
    if (!m || !b) return;
    const double mb = double(chars) / (1024.0 * 1024.0);
    std::printf(
        "%-10s real %5.2fx  cpu %5.2fx  (target <= 4)   scan %7.1f MB/s, table %7.1f MB/s\n", what,
        m->Real / b->Real, m->Cpu / b->Cpu, mb / (m->Cpu / 1000.0), mb / (b->Cpu / 1000.0));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("C++: %lld lines, %.1f MB; Pascal: %lld lines, %.1f MB\n",
                static_cast<long long>(CppLines().size()),
                double(CharCount(CppLines())) / (1024.0 * 1024.0),
                static_cast<long long>(PascalLines().size()),
                double(CharCount(PascalLines())) / (1024.0 * 1024.0));
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nRatios (time of the scan / time of the table loop over the same lines):\n");
    PrintThroughput(reporter, "C++", "BM_Cpp_Scan", "BM_Cpp_Baseline_Table", CharCount(CppLines()));
    PrintThroughput(reporter, "Pascal", "BM_Pascal_Scan", "BM_Pascal_Baseline_Table",
                    CharCount(PascalLines()));
    benchmark::Shutdown();
    return 0;
}
