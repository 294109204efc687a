#pragma once
// The one method of every benchmark: the user's work and its baseline (the same bytes read and
// written the same way by plain system calls) run back to back in alternating order, and the
// ratio taken pair by pair.
#include "data/FileIO.h"

#include <filesystem>
#include <functional>
#include <string>

namespace kx4::bench {

struct PairedStats {
    int pairs = 0;
    double ratioMedian = 0; // work / baseline, per pair
    double ratioLow = 0;
    double ratioHigh = 0;
    double workMedian = 0;  // seconds
    double baselineMedian = 0;
};

// The pairs a benchmark runs: KX4_BENCH_PAIRS from the environment, at least 7, 9 by default.
int PairCount();

// Runs an untimed warm-up pair and then `pairs` pairs (at least 7), the work first in even pairs
// and the baseline first in odd ones. Before every timed run the file system of `folder` is flushed
// (untimed), so that no run pays for the writes of the one before it. Both sides replace the files
// of their own previous run; neither deletes anything while it is timed.
PairedStats MeasurePairs(const std::filesystem::path& folder, const std::function<void()>& work,
                         const std::function<void()>& baseline, int pairs = PairCount());

// Prints `title`, the median ratio against `baseline` with its range and the target, then the
// absolute medians.
void Report(const std::string& title, const std::string& baseline, const PairedStats& s, double target);

[[noreturn]] void Die(const std::string& message);
void Check(const IoResult& r);

// The folder a benchmark works in: `wanted` when given (created when absent, kept afterwards), or a
// new empty folder under the temporary folder, removed with everything in it at the end.
class WorkFolder {
public:
    WorkFolder(const char* wanted, const std::string& prefix);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    bool temporary_ = false;
};

// Seconds that `f` takes.
double Seconds(const std::function<void()>& f);

} // namespace kx4::bench
