#pragma once
// The 112 pictures of "Create SD Card" and the baseline's copies of their bytes.
#include "platform/Paths.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kx4::bench {

struct RenderedFile {
    std::filesystem::path file;     // as the renderer writes it
    std::filesystem::path copy;     // the baseline's file beside it
    std::vector<std::uint8_t> bytes; // its content after a render
};

// SR0L00.BMP to SR2P15.BMP and the 16 previews, with their bytes as they are now on disk.
std::vector<RenderedFile> RenderedFiles(const Paths& paths);

// Writes every file's bytes over its copy the way the renderer replaces its pictures.
void ReplaceCopies(const std::vector<RenderedFile>& files);

} // namespace kx4::bench
