#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Keeps every run's real and CPU time, so that each figure can be printed after the table as
// a ratio against a baseline measured in the same run. Runs are named by their function
// name ("BM_SetText"), without arguments or options.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    struct TTimes {
        double Real;
        double Cpu;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            fTimes[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                  run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }

    std::optional<TTimes> Times(const std::string& name) const {
        const auto it = fTimes.find(name);
        if (it == fTimes.end()) return std::nullopt;
        return it->second;
    }

    // "what  real 1.23x  cpu 1.20x  (target)"; nothing when either run is missing.
    void PrintRatio(const char* what, const std::string& measured, const std::string& baseline,
                    const char* target) const {
        const auto m = Times(measured);
        const auto b = Times(baseline);
        if (!m || !b) return;
        std::printf("%-46s real %5.2fx  cpu %5.2fx  (%s)\n", what, m->Real / b->Real,
                    m->Cpu / b->Cpu, target);
    }

private:
    std::map<std::string, TTimes> fTimes;
};
