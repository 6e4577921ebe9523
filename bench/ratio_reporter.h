// A console reporter that ends with how many times its yardstick each measured benchmark takes.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

// Printed as "<label>: 1.23x <yardstickLabel>", the times being those of the benchmarks named
// measured and yardstick.
struct BenchRatio {
    std::string label;
    std::string measured;
    std::string yardstick;
    std::string yardstickLabel;
};

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that figures piped into a file stay plain text.
    explicit RatioReporter(std::vector<BenchRatio> ratios)
        : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_Defaults : OO_Tabular),
          m_ratios(std::move(ratios)) {}

    // With repetitions the median stands for a benchmark; without, its one run does.
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") {
                    m_times[name] = run.GetAdjustedRealTime();
                    m_fromMedian[name] = true;
                }
            } else if (!m_fromMedian[name]) {
                m_times[name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const BenchRatio& ratio : m_ratios) {
            const double measured = m_times[ratio.measured];
            const double yardstick = m_times[ratio.yardstick];
            if (measured > 0 && yardstick > 0) {
                // Tiny ratios keep four decimals rather than showing as 0.00x.
                const double value = measured / yardstick;
                std::printf(value < 0.01 ? "%s: %.4fx %s\n" : "%s: %.2fx %s\n", ratio.label.c_str(),
                            value, ratio.yardstickLabel.c_str());
            }
        }
    }

private:
    std::vector<BenchRatio> m_ratios;
    std::map<std::string, double> m_times;
    std::map<std::string, bool> m_fromMedian;
};
