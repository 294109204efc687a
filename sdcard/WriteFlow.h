#pragma once
// The write flow of the SD card writer: confirmation, the refusal of physical disk 0, the SFC image
// file and its copy onto the card or the raw card with its boot-record check, the backup on the
// card, the base build and the clean-up; the window lends it its controls through WriterView.
#include "data/modOrvel.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/RawDisk.h"

#include <filesystem>
#include <functional>
#include <string>

namespace kx4 {

class Prompts;

// The system the writer looks at and writes to; tests hand in a fake drive tree.
struct CardSystem {
    SystemTables tables;
    DeviceNodes nodes = DeviceNodes::Real(); // and the disk service that mounts and unmounts cards
    std::filesystem::path mountRoot = "/"; // where the mount points of the mount table are found
};

// What the flow needs of the window.
class WriterView {
public:
    virtual ~WriterView() = default;
    // The write button, Close, the check boxes and the drive options disabled, "Cancel Write"
    // shown, CancelFlag cleared.
    virtual void Lock() = 0;
    // The state before Lock, the chosen drive still chosen; "Cancel Write" hidden.
    virtual void Unlock() = 0;
    virtual void HideCancel() = 0;
    // lblFiles, repainted at once.
    virtual void ShowStatus(const std::string& text) = 0;
    // After every row of the picture table: the progress bar, then pending window messages; false
    // once "Cancel Write" was pressed.
    virtual bool RowDone(int row) = 0;
    // Runs long file work while the window keeps painting.
    virtual IoResult RunResponsive(const std::function<IoResult()>& work) = 0;
};

// The choices a write starts with, read once.
struct WriteRequest {
    char DriveLetter = 'D';
    int PhysDrive = -1;
    int DispCode = 1;
    bool chkActiveOnly = true;      // Raw: every picture, standard ones included
    bool baseBuild = false;         // SFC: chkBuildBaseImage checked when the write started
    bool bitmapsDeleted = false;    // a write of this opening deleted the screen bitmaps
};

enum class WriteEnd {
    NotStarted,  // refused before anything was touched, or "No" to the confirmation
    Refused,     // refused after the confirmation; nothing written
    Failed,      // a step failed and stopped the flow; its message was shown
    Initialized, // Raw: the card's boot record was wiped; the window closes
    Cancelled,   // "Cancel Write": the configuration written, no backup; the bitmaps deleted
    Incomplete,  // written, but pictures were skipped and listed; the bitmaps deleted
    Complete,    // "Write Data Complete"; the bitmaps deleted
};

// Whether a write that ended so deleted the screen bitmaps: one that reached the card.
constexpr bool DeletesScreenBitmaps(WriteEnd end)
{
    return end == WriteEnd::Cancelled || end == WriteEnd::Incomplete || end == WriteEnd::Complete;
}

// Runs the whole write flow for the drive chosen from `listed`, asking and telling through
// `prompts` (boxes without a title of their own show m.AppTitle).
WriteEnd RunWriteFlow(modOrvel& m, const Paths& paths, Prompts& prompts, const DriveScan& listed,
                      const CardSystem& system, const WriteRequest& request, WriterView& view);

} // namespace kx4
