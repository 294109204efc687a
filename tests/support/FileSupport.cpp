#include "FileSupport.h"

#include "TempDir.h"

#include <fcntl.h>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace kx4::test {

FifoRescue::FifoRescue(std::filesystem::path fifo, std::chrono::milliseconds patience)
    : fifo_(std::move(fifo)), patience_(patience), thread_([this] { Watch(); })
{
}

FifoRescue::~FifoRescue()
{
    Rescued();
}

bool FifoRescue::Rescued()
{
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
    return rescued_;
}

void FifoRescue::Watch()
{
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, patience_, [this] { return done_; }))
        return;
    while (!done_) {
        // A non-blocking open for writing succeeds only while someone has the FIFO open for reading.
        const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            rescued_ = true;
            ::close(fd);
        }
        wake_.wait_for(lock, std::chrono::milliseconds(20), [this] { return done_; });
    }
}

bool RunningAsRoot() { return ::geteuid() == 0; }

int RunUnprivileged(const std::function<int()>& check)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("cannot fork");
    if (pid == 0) {
        if (RunningAsRoot() && (::setgroups(0, nullptr) != 0 || ::setresgid(kOtherUser, kOtherUser, kOtherUser) != 0 ||
                                ::setresuid(kOtherUser, kOtherUser, kOtherUser) != 0))
            ::_exit(255);
        ::_exit(check());
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

QImage ColourPattern(int w, int h, const std::vector<QRgb>& colours)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, colours[static_cast<std::size_t>(x * 3 + y * 5 + x * y) % colours.size()]);
    return img;
}

std::vector<std::uint8_t> BmpOfDepth(const QImage& source, int bits, bool bitFields, bool topDown)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const int w = picture.width();
    const int h = picture.height();
    std::vector<QRgb> palette;
    if (bits <= 8) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (std::find(palette.begin(), palette.end(), picture.pixel(x, y)) == palette.end())
                    palette.push_back(picture.pixel(x, y));
        if (palette.size() > (1u << bits))
            throw std::runtime_error("too many colours for the depth");
    }
    const bool masks = bitFields && (bits == 16 || bits == 32);
    const std::size_t stride = static_cast<std::size_t>((w * bits + 31) / 32 * 4);
    const std::size_t offset = 14 + 40 + (masks ? 12 : 0) + palette.size() * 4;
    std::vector<std::uint8_t> f(offset + stride * static_cast<std::size_t>(h), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, static_cast<std::uint32_t>(f.size()));
    Put32(f, 10, static_cast<std::uint32_t>(offset));
    Put32(f, 14, 40);
    Put32(f, 18, static_cast<std::uint32_t>(w));
    Put32(f, 22, static_cast<std::uint32_t>(topDown ? -h : h));
    Put16(f, 26, 1);
    Put16(f, 28, static_cast<std::uint32_t>(bits));
    Put32(f, 30, masks ? 3 : 0);
    Put32(f, 34, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(h)));
    Put32(f, 46, static_cast<std::uint32_t>(palette.size()));
    if (masks) {
        const bool six = bits == 16;
        Put32(f, 54, six ? 0xF800 : 0xFF0000);
        Put32(f, 58, six ? 0x07E0 : 0x00FF00);
        Put32(f, 62, six ? 0x001F : 0x0000FF);
    }
    for (std::size_t i = 0; i < palette.size(); ++i)
        Put32(f, offset - palette.size() * 4 + i * 4, palette[i] & 0xFFFFFF);

    for (int y = 0; y < h; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            const std::uint32_t r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (bits <= 8) {
                const auto index = static_cast<std::uint32_t>(std::find(palette.begin(), palette.end(), c) - palette.begin());
                const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
                f[row + bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
            } else if (bits == 16) {
                Put16(f, row + 2 * static_cast<std::size_t>(x),
                      masks ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3 : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
            } else {
                const std::size_t at = row + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
                f[at] = static_cast<std::uint8_t>(b);
                f[at + 1] = static_cast<std::uint8_t>(g);
                f[at + 2] = static_cast<std::uint8_t>(r);
            }
        }
    }
    return f;
}

} // namespace kx4::test
