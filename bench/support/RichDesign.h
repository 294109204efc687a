#pragma once
// The design the benchmarks render: 800 x 480 landscape, every element kind on every screen.
#include "assets/Bmp.h"
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

namespace kx4::bench {

// A picture of `w` x `h` pixels, red rising to the right, green downwards, blue `blue` throughout.
BmpImage Gradient(int w, int h, int blue);

// Fills `m` with the design and writes its background picture and the logo under `paths`.
void MakeRichDesign(modOrvel& m, const Paths& paths);

// Counts message boxes instead of showing them.
struct CountingPrompts final : Prompts {
    int messages = 0;
    MsgAnswer Message(MsgIcon, std::string_view, std::string_view, MsgButtons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

// The offscreen platform unless another is chosen; call before the QGuiApplication is made.
void UseOffscreenPlatform();
// The program's font substitutions; call after.
void UseProgramFonts();

} // namespace kx4::bench
