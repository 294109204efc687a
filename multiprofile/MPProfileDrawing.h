#pragma once
// The drawing half of the multi-profile build: each profile loaded into its own copy of the
// project, its 16 screens drawn and converted into packed pictures and its configuration finished,
// on worker threads that run a few profiles ahead of the writing.
#include "data/modOrvel.h"
#include "designer/render/Renderer.h"
#include "platform/Prompts.h"
#include "sdcard/PictureConversion.h"

#include <QImage>

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

namespace kx4 {

// A message box that drawing a profile met, shown when the build reaches that profile.
struct HeldMessage {
    MsgIcon icon = MsgIcon::Information;
    std::string title;
    std::string text;
};

// Prompts that keep each message box, answered OK, instead of showing it; no file dialog opens.
class HeldPrompts final : public Prompts {
public:
    MsgAnswer Message(MsgIcon icon, std::string_view title, std::string_view text, MsgButtons buttons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request) override;

    std::vector<HeldMessage> messages;
};

// Draws the 16 screens of the profile loaded into `m` (display code `dispCode`) with `renderer`,
// which draws on `target`, sized to the display, and hands each to `drawn` while it stands on the
// canvas; stops at the first failure `drawn` returns. Leaves the current screen at 15.
IoResult DrawProfileScreens(ScreenRenderer& renderer, modOrvel& m, RenderTarget& target, int dispCode,
                            const std::function<IoResult(int screen, const QImage& picture)>& drawn);

// One profile made ready for writing.
struct DrawnProfile {
    bool missing = false;   // its file does not exist
    IoResult load;          // its file could not be read as a panel data file
    modOrvel project;       // loaded, drawn, flagged and finished, as the build leaves it
    int DispCode = 0;
    std::vector<HeldMessage> messages;  // the boxes its drawing met, in order
    std::uint32_t pictureBytes = 0;     // packed bytes of one screen picture
    std::vector<std::uint8_t> pictures; // the 16 packed screen pictures, end to end
    std::vector<QImage> screens;        // the 16 screen pictures, when asked for
    CarriedState carried;               // what its drawing leaves on the target
    std::exception_ptr error;           // what the drawing threw
};

// What a worker keeps from profile to profile: its target, the background pictures it read last,
// and storage for the next profile's pictures.
struct DrawingStorage {
    RenderTarget target;
    PictureShelf shelf;
    std::vector<std::uint8_t> pictures;
};

// Loads `file` into a copy of `start`, then draws and converts its 16 screens on storage.target,
// sets its profile flag and finishes its configuration; the pictures take over storage.pictures.
// `leaves` hears what the drawing will leave on the target as soon as that is known, before the
// drawing; the drawing starts from what `entry` gives, asked only when its pictures depend on
// it (none: give up). `keepScreens` keeps the screen pictures.
DrawnProfile DrawProfile(const modOrvel& start, const Paths& paths, const std::string& file, DrawingStorage& storage,
                         const std::function<void(const CarriedState&)>& leaves,
                         const std::function<std::optional<CarriedState>()>& entry, bool keepScreens);

// Worker threads that draw the profiles `files` (mapped paths, in build order) with DrawProfile, at
// most `ahead` profiles beyond the last one taken, each starting from what the one before it left
// (the first from `first`); the last profile keeps its screen pictures.
class ProfileDrawers {
public:
    ProfileDrawers(const modOrvel& start, const Paths& paths, std::vector<std::string> files, const CarriedState& first,
                   int workers, int ahead);
    // Stops the workers once each has finished the profile it is drawing, and waits for them.
    ~ProfileDrawers();
    ProfileDrawers(const ProfileDrawers&) = delete;
    ProfileDrawers& operator=(const ProfileDrawers&) = delete;

    // Profile `p`, taken in order from 0, with `carried` made whole; waits until it is drawn,
    // calling `waiting` (when given) every few milliseconds meanwhile. Rethrows what its drawing
    // threw.
    DrawnProfile Take(int p, const std::function<void()>& waiting);
    // The mapped path of profile `p`.
    const std::string& File(int p) const { return files_[static_cast<std::size_t>(p)]; }
    // The storage of pictures that have been written, for the workers to draw into again.
    void GiveBack(std::vector<std::uint8_t> pictures);

    // Workers for a build on this machine: the cores but one, at least one, at most six.
    static int DefaultWorkers();
    // Profiles they may draw ahead: enough that the writing never waits, few enough to keep
    // memory small.
    static int DefaultAhead() { return DefaultWorkers() + 2; }

private:
    void Work(const std::stop_token& stop);
    // What the target holds after profile p - 1, once it is known for every profile before p;
    // none before. Called with the mutex held.
    std::optional<CarriedState> LeftBefore(int p) const;

    const modOrvel start_; // the project as the build found it: each profile is loaded into a copy
    const Paths& paths_;
    const std::vector<std::string> files_;
    const CarriedState first_;
    const int ahead_;

    std::mutex mutex_;
    std::condition_variable_any changed_;
    int next_ = 0;  // the next profile a worker takes up
    int taken_ = 0; // profiles handed to the writing
    std::vector<std::optional<CarriedState>> carried_; // what each profile leaves, once known
    std::map<int, DrawnProfile> done_;
    std::vector<std::vector<std::uint8_t>> spare_; // storage of written pictures
    std::vector<std::jthread> workers_; // last, so stopped and joined before the state above goes
};

} // namespace kx4
