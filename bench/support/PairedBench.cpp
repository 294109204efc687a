#include "bench/support/PairedBench.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace kx4::bench {
namespace fs = std::filesystem;

namespace {

void Settle(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        Die("cannot open " + folder.string());
    if (::syncfs(fd) != 0)
        Die("cannot flush the file system of " + folder.string());
    ::close(fd);
}

double Timed(const fs::path& folder, const std::function<void()>& run)
{
    Settle(folder);
    return Seconds(run);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int PairCount()
{
    const char* text = std::getenv("KX4_BENCH_PAIRS");
    const int n = text ? std::atoi(text) : 9;
    return std::max(n, 7);
}

PairedStats MeasurePairs(const fs::path& folder, const std::function<void()>& work, const std::function<void()>& baseline,
                         int pairs)
{
    PairedStats s;
    Timed(folder, work);
    Timed(folder, baseline);
    s.pairs = std::max(pairs, 7);
    std::vector<double> works, baselines, ratios;
    for (int i = 0; i < s.pairs; ++i) {
        double w = 0, b = 0;
        if (i % 2 == 0) {
            w = Timed(folder, work);
            b = Timed(folder, baseline);
        } else {
            b = Timed(folder, baseline);
            w = Timed(folder, work);
        }
        works.push_back(w);
        baselines.push_back(b);
        ratios.push_back(w / b);
    }
    s.ratioMedian = Median(ratios);
    s.ratioLow = *std::min_element(ratios.begin(), ratios.end());
    s.ratioHigh = *std::max_element(ratios.begin(), ratios.end());
    s.workMedian = Median(works);
    s.baselineMedian = Median(baselines);
    return s;
}

void Report(const std::string& title, const std::string& baseline, const PairedStats& s, double target)
{
    std::printf("%s\n  %.2f x %s (median of %d paired ratios, range %.2f to %.2f; target < %.1f%s)\n"
                "  medians %.1f ms against %.1f ms\n",
                title.c_str(), s.ratioMedian, baseline.c_str(), s.pairs, s.ratioLow, s.ratioHigh, target,
                s.ratioMedian < target ? "" : ", MISSED", s.workMedian * 1e3, s.baselineMedian * 1e3);
    std::fflush(stdout);
}

void Die(const std::string& message)
{
    std::fprintf(stderr, "benchmark: %s\n", message.c_str());
    std::exit(1);
}

void Check(const IoResult& r)
{
    if (!r)
        Die(r.message);
}

double Seconds(const std::function<void()>& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

WorkFolder::WorkFolder(const char* wanted, const std::string& prefix)
{
    if (wanted) {
        fs::create_directories(wanted);
        path_ = wanted;
        return;
    }
    std::string tmpl = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(tmpl.data()))
        Die("cannot create a temporary folder");
    path_ = tmpl;
    temporary_ = true;
}

WorkFolder::~WorkFolder()
{
    std::error_code ec;
    if (temporary_)
        fs::remove_all(path_, ec);
}

} // namespace kx4::bench
