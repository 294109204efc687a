#pragma once
// Help for tests of the file layer: a rescue for operations that block on a FIFO, a forked child
// that runs as a user without privileges, and BMP files of every depth.
#include <QImage>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace kx4::test {

// Watches a FIFO while the test runs: when something of the test still waits on it for reading
// after `patience`, opens it for writing and closes it again, so that a hang fails the test
// instead of stopping the run.
class FifoRescue {
public:
    explicit FifoRescue(std::filesystem::path fifo, std::chrono::milliseconds patience = std::chrono::seconds(1));
    ~FifoRescue();
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

    // Stops watching; true when a reader had to be set free.
    bool Rescued();

private:
    void Watch();

    std::filesystem::path fifo_;
    std::chrono::milliseconds patience_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    bool rescued_ = false;
    std::thread thread_;
};

// The user a test switches to when it runs as root.
constexpr uid_t kOtherUser = 65534;

bool RunningAsRoot();

// Runs `check` in a forked child as a user without privileges (kOtherUser when the tests run as
// root, the tests' own user otherwise); the child's exit status: what `check` returned, 255 when
// the child could not switch users or did not end normally.
int RunUnprivileged(const std::function<int()>& check);

// A picture of `w` x `h` pixels that repeats `colours` in a pattern without long runs.
QImage ColourPattern(int w, int h, const std::vector<QRgb>& colours);

// A BMP file of `picture` with `bits` per pixel: 1, 4 and 8 with a colour table of the picture's
// colours (at most 2^bits), 16 as 5-5-5 or, with `bitFields`, 5-6-5 masks, 24, and 32 with or
// without masks; rows bottom-up, or top-down (negative height).
std::vector<std::uint8_t> BmpOfDepth(const QImage& picture, int bits, bool bitFields = false, bool topDown = false);

} // namespace kx4::test
