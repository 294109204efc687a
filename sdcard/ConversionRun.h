#pragma once
// The conversion run of the SD card writer: the pictures chosen for this write, converted and
// packed into their slots, then the configuration block and the device map.
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "sdcard/PictureConversion.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kx4 {

// The choices of the writer window that decide which rows a run writes.
struct CompileOptions {
    int DispCode = 1;               // the panel's display, 1-6 (DispCodeOf)
    bool chkActiveOnly = true;      // Raw: write every row, standard pictures included
    bool chkBuildBaseImage = false; // SFC: base build, every row, standard pictures from RawImages
};

// How the window follows the run.
struct CompileCallbacks {
    std::function<void(const std::string& text)> showStatus; // lblFiles: the file being read, then the configuration text
    std::function<bool(int row)> rowDone; // after every row, written or not; false cancels the run
};

// A picture that was not written; its slot keeps the bytes it held.
struct SkippedPicture {
    int row = 0;
    std::filesystem::path file;
    std::string message; // names the file and the reason
};

struct CompileResult {
    IoResult write;          // a failed write: the run stopped there and the configuration is not written
    bool cancelled = false;  // rowDone asked to stop; the configuration was still written
    int lastRow = -1;        // the last row finished
    int picturesWritten = 0;
    std::vector<SkippedPicture> skipped;

    // Every chosen picture and the configuration written, nothing cancelled.
    bool Complete() const { return write.ok && !cancelled && skipped.empty(); }
};

// The panel's display code: GetScnRes + 1, plus 3 when GetLayout is above 0.
int DispCodeOf(const modOrvel& m);

// Raw mode: PanelSettings.SDFormat is not 0.
bool RawMode(const modOrvel& m);

// Whether the run writes row `row`.
bool RowSelected(int row, const CompileOptions& opt, bool raw);

// The source BMP of row `row`: RawImages for standard pictures in Raw mode or a base build,
// otherwise BMPImages (always for the screen pictures).
std::filesystem::path SourceFile(int row, const Paths& paths, const CompileOptions& opt, bool raw);

// Converts and writes the chosen rows in order through `sink`, then runs QVRBuild and WriteDat (also
// after a cancel) and flushes the sink. A source that is missing, unreadable, not a 24-bit
// uncompressed BMP or too large for its slot is skipped and listed; a failed write stops the run.
CompileResult CompileAll(modOrvel& m, const Paths& paths, const CompileOptions& opt, SectorSink& sink,
                         PicBuffers& buf, const CompileCallbacks& callbacks = {});

} // namespace kx4
