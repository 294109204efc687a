#pragma once
// The design the benchmarks render: 800 x 480 landscape, every element kind on every screen.
#include "assets/Bmp.h"
#include "data/modOrvel.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QGuiApplication>

#include <functional>
#include <memory>
#include <string>

namespace kx4::bench {

// A picture of `w` x `h` pixels, red rising to the right, green downwards, blue `blue` throughout.
BmpImage Gradient(int w, int h, int blue);

// Fills `m` with the design and writes its background picture under `paths`; the logo it shows is
// the installation's (WriteLogoBackgrounds).
void MakeRichDesign(modOrvel& m, const Paths& paths);

// Pieces of such designs. Their background picture, smaller than the screen, written under `paths`:
// its file. The background of screen `screen`: a colour, the logo or `picture`. On the current
// screen: 32 picture Buttons of every face in four columns, with captions caption(slot); 16 Texts
// of types type(slot) in two rows, every font size and colour, reading text(slot).
std::filesystem::path WriteRichPicture(const Paths& paths);
std::string RichBackground(int screen, const std::filesystem::path& picture);
void PutButtons(modOrvel& m, const std::function<std::string(int slot)>& caption);
void PutTexts(modOrvel& m, const std::function<int(int slot)>& type, const std::function<std::string(int slot)>& text);

// Counts message boxes instead of showing them.
struct CountingPrompts final : Prompts {
    int messages = 0;
    MsgAnswer Message(MsgIcon, std::string_view, std::string_view, MsgButtons) override;
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest&) override { return std::nullopt; }
};

// The application object of a benchmark that draws: the offscreen platform unless another is
// chosen, the program's font substitutions.
std::unique_ptr<QGuiApplication> StartGui(int& argc, char** argv);

} // namespace kx4::bench
