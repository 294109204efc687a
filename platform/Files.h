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

// Copies the regular file `source` whole as the file `name` of the open folder `dir`, as
// WriteFileInFolder writes: a symbolic link of that name is refused, not followed.
IoResult CopyFileInto(const std::filesystem::path& source, const FolderHandle& dir, const std::string& name,
                      WriteOptions options = {});

// Makes `target` another name of the file `existing` on the same file system, replacing the file
// `target` named: a hard link made beside it and renamed over it. A failure changes nothing: a
// file system without hard links, or a target that is a symbolic link, read-only or not a file,
// which the caller then writes as WriteFileThrough does.
IoResult LinkFileOver(const std::filesystem::path& existing, const std::filesystem::path& target);

} // namespace kx4
