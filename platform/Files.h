#pragma once
// The path test and the whole-file copy the program relies on.
#include "data/FileIO.h"

#include <filesystem>

namespace kx4 {

// True when the file or folder exists.
bool PathExists(const std::filesystem::path& path);

// Copies the regular file `source` whole over `destination` as WriteFileThrough writes, so that a
// failure leaves the old destination as it was.
IoResult CopyFileTo(const std::filesystem::path& source, const std::filesystem::path& destination,
                    WriteOptions options = {});

} // namespace kx4
