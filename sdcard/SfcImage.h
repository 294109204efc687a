#pragma once
// The card image of an SFC write as a file on the PC: "SDImage\QVRTOUCH.DAT".
#include "sdcard/ConversionRun.h"

namespace kx4 {

// Refuses a core image `file` of `size` bytes that ends before the last picture slot does.
IoResult CheckCoreImageSize(const std::filesystem::path& file, std::uintmax_t size);

// Makes the SFC image file of one write: the SDImage folder is made when missing; the image file
// is replaced by a copy of the core image (by an empty file for a base build); CompileAll writes
// the chosen pictures, the configuration block and the device map into it; the file is flushed
// once, at the end. The core image is only read: a base build that completes is the caller's to
// store as the new core image. A core image that cannot be read, or an image file that cannot be
// made, ends the write before anything is converted, with a message that names the file; so does a
// core image shorter than the card layout, before the image file is touched.
CompileResult WriteSfcImage(modOrvel& m, const Paths& paths, const CompileOptions& opt, PicBuffers& buf,
                            const CompileCallbacks& callbacks = {});

} // namespace kx4
