#pragma once
// A synthetic installation under a "C:\" folder: the standard pictures in RawImages, the logo
// backgrounds and the dark grey screen bitmaps in BMPImages and the core image built from them, for
// tests and benchmarks.
#include "assets/ArtworkSizes.h"
#include "assets/Bmp.h"
#include "designer/render/Canvas.h"
#include "platform/Paths.h"

namespace kx4 {

// The colour of the screen bitmaps of displays not in use: the renderer's filler, 0xRRGGBB.
constexpr std::uint32_t kFillerColor = kFiller & 0xFFFFFF;

// The size of the synthetic picture of standard row `row`: a whole screen for the rows without
// header, otherwise as near square as fits the slot and filling its last sector.
PicSize StandardPicSize(int row);

// The synthetic picture of standard row `row`: its top left pixel converts to the RGB565 word
// `row`, the others follow a pattern of the row and the position.
BmpImage StandardPicture(int row);

// Writes one BMP file per standard row (every row outside the 96 screen rows) into RawImages.
IoResult WriteStandardPictures(const Paths& paths);

// Writes the six logo backgrounds "QVRS…" into BMPImages too, where the designer reads them.
IoResult WriteLogoBackgrounds(const Paths& paths);

// Writes the 96 screen bitmaps into BMPImages, each filled with kFillerColor at its display's size.
IoResult WriteScreenFillers(const Paths& paths);

// Builds the core image by a base build of every row into an empty file.
IoResult BuildCoreImage(const Paths& paths);

// All of the above, creating the folders first.
IoResult MakeInstallation(const Paths& paths);

} // namespace kx4
