#include "multiprofile/MPProfileDrawing.h"

#include "multiprofile/MPImageLayout.h"
#include "platform/Files.h"
#include "sdcard/ConfigFinishing.h"
#include "sdcard/ConversionRun.h"

#include <algorithm>
#include <chrono>

namespace kx4 {

MsgAnswer HeldPrompts::Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons)
{
    messages.push_back({icon, std::string(title), std::string(text)});
    return MsgAnswer::Ok;
}

std::optional<std::filesystem::path> HeldPrompts::FileDialog(const FileDialogRequest&) { return std::nullopt; }

IoResult DrawProfileScreens(ScreenRenderer& renderer, modOrvel& m, RenderTarget& target, int dispCode,
                            const std::function<IoResult(int screen, const QImage& picture)>& drawn)
{
    const PicSize size = DispCodeScreenSize(dispCode);
    target.picLayout.Resize(size.width, size.height);
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        renderer.RenderDLImage();
        if (IoResult r = drawn(s, target.picLayout.Image()); !r)
            return r;
    }
    return IoResult::Ok();
}

DrawnProfile DrawProfile(const modOrvel& start, const Paths& paths, const std::string& file, DrawingStorage& storage,
                         const std::function<void(const CarriedState&)>& leaves,
                         const std::function<std::optional<CarriedState>()>& entry, bool keepScreens)
{
    DrawnProfile d;
    d.project = start;
    modOrvel& m = d.project;
    m.DataFile = file;
    if (!PathExists(m.DataFile)) {
        d.missing = true;
        return d;
    }
    if (d.load = m.LoadData(); !d.load)
        return d;
    d.DispCode = DispCodeOf(m);

    // A renderer per profile: each profile's background files are looked at afresh, and read and
    // decoded again when they changed.
    HeldPrompts prompts;
    ScreenRenderer renderer(m, paths, storage.target, prompts, &storage.shelf);
    // The next profile may start before this one is drawn; most profiles draw the same whatever
    // was drawn before them and need not wait for the one before.
    d.carried = renderer.CardScreensLeave();
    leaves(d.carried);
    if (renderer.CardScreensUseCarried(DispCodeScreenSize(d.DispCode))) {
        const std::optional<CarriedState> left = entry();
        if (!left)
            return d; // the build stopped
        left->ApplyTo(storage.target);
    }

    d.pictureBytes = MPPictureBytes(d.DispCode);
    // Every byte is packed anew: storage that held another profile needs no clearing.
    d.pictures = std::move(storage.pictures);
    d.pictures.resize(static_cast<std::size_t>(kScreenCount) * d.pictureBytes);
    (void)DrawProfileScreens(renderer, m, storage.target, d.DispCode, [&](int s, const QImage& picture) {
        PackDrawnPicture(picture, true,
                         std::span(d.pictures).subspan(static_cast<std::size_t>(s) * d.pictureBytes, d.pictureBytes));
        if (keepScreens)
            d.screens.push_back(picture.copy());
        return IoResult::Ok();
    });
    storage.shelf.KeepOnlyUsed();
    d.messages = std::move(prompts.messages);
    m.SetMPFlag(255);
    QVRBuild(m); // the card writer's own finishing of the configuration, for this profile
    return d;
}

ProfileDrawers::ProfileDrawers(const modOrvel& start, const Paths& paths, std::vector<std::string> files,
                               const CarriedState& first, int workers, int ahead)
    : start_(start), paths_(paths), files_(std::move(files)), first_(first), ahead_(std::max(ahead, 1)),
      carried_(files_.size())
{
    const int n = std::clamp(workers, 1, std::max(static_cast<int>(files_.size()), 1));
    for (int i = 0; i < n; ++i)
        workers_.emplace_back([this](const std::stop_token& stop) { Work(stop); });
}

ProfileDrawers::~ProfileDrawers()
{
    for (std::jthread& w : workers_)
        w.request_stop();
    workers_.clear();
}

int ProfileDrawers::DefaultWorkers()
{
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 1, 6);
}

std::optional<CarriedState> ProfileDrawers::LeftBefore(int p) const
{
    CarriedState left;
    for (int q = p - 1; q >= 0 && !left.Whole(); --q) {
        const std::optional<CarriedState>& set = carried_[static_cast<std::size_t>(q)];
        if (!set)
            return std::nullopt;
        left = left.After(*set);
    }
    return left.After(first_);
}

void ProfileDrawers::Work(const std::stop_token& stop)
{
    const int count = static_cast<int>(files_.size());
    DrawingStorage storage;
    for (;;) {
        int p = 0;
        {
            std::unique_lock lock(mutex_);
            if (!changed_.wait(lock, stop, [&] { return next_ >= count || next_ < taken_ + ahead_; }) || next_ >= count)
                return;
            p = next_++;
            if (storage.pictures.empty() && !spare_.empty()) {
                storage.pictures = std::move(spare_.back());
                spare_.pop_back();
            }
        }
        // Every profile tells what it leaves, also one that fails, or those after it would wait.
        const auto leaves = [&](const CarriedState& state) {
            {
                const std::lock_guard lock(mutex_);
                carried_[static_cast<std::size_t>(p)] = state;
            }
            changed_.notify_all();
        };
        const auto entry = [&]() -> std::optional<CarriedState> {
            std::unique_lock lock(mutex_);
            std::optional<CarriedState> left;
            changed_.wait(lock, stop, [&] { return (left = LeftBefore(p)).has_value(); });
            return left;
        };
        DrawnProfile d;
        try {
            d = DrawProfile(start_, paths_, files_[static_cast<std::size_t>(p)], storage, leaves, entry, p == count - 1);
        } catch (...) {
            d.error = std::current_exception();
        }
        if (stop.stop_requested())
            return;
        {
            const std::lock_guard lock(mutex_);
            if (!carried_[static_cast<std::size_t>(p)])
                carried_[static_cast<std::size_t>(p)] = CarriedState{};
            done_.emplace(p, std::move(d));
        }
        changed_.notify_all();
    }
}

void ProfileDrawers::GiveBack(std::vector<std::uint8_t> pictures)
{
    const std::lock_guard lock(mutex_);
    spare_.push_back(std::move(pictures));
}

DrawnProfile ProfileDrawers::Take(int p, const std::function<void()>& waiting)
{
    using namespace std::chrono_literals;
    std::unique_lock lock(mutex_);
    const auto ready = [&] { return done_.contains(p); };
    while (!ready()) {
        if (!waiting) {
            changed_.wait(lock, ready);
        } else if (!changed_.wait_for(lock, 10ms, ready)) {
            lock.unlock();
            waiting();
            lock.lock();
        }
    }
    const auto it = done_.find(p);
    DrawnProfile d = std::move(it->second);
    done_.erase(it);
    d.carried = *LeftBefore(p + 1);
    taken_ = p + 1;
    lock.unlock();
    changed_.notify_all();
    if (d.error)
        std::rethrow_exception(d.error);
    return d;
}

} // namespace kx4
