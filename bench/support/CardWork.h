#pragma once
// The user's work the card benchmarks time, each ending the benchmark when it does not complete.
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "sdcard/ConversionRun.h"

namespace kx4::bench {

// "Create SD Card"'s rendering: the 96 card pictures and the 16 previews.
void RenderCard(modOrvel& m, const Paths& paths, Prompts& prompts);

// The SFC image written with `opt`, no row skipped.
void WriteImage(modOrvel& m, const Paths& paths, const CompileOptions& opt, PicBuffers& buf);

} // namespace kx4::bench
