#pragma once
// The rendering half of "Create SD Card": every card screen picture and the previews, for the SD
// card writer to convert.
#include "designer/render/Renderer.h"

namespace kx4 {

enum class CreateCardResult {
    Refused, // Raw mode without the RawImages folder: nothing rendered, nothing changed
    Failed,  // a picture could not be written: the writer must not run over missing or stale files
    Done,    // all 96 card screen pictures and 16 previews written
};

// Writes SR0L00.BMP to SR2P15.BMP into the BMPImages folder (the design's size and orientation
// drawn, the other five families as fillers) and the 16 previews of the design, then makes the
// screen that was current before current again. Its message boxes go through `prompts`.
CreateCardResult CreateCardBitmaps(modOrvel& project, const Paths& paths, Prompts& prompts);

} // namespace kx4
