#pragma once
// A file written at byte offsets under a temporary name beside its target, which it replaces only
// when committed: a failed or abandoned build leaves the target as it was and no temporary file.
#include "sdcard/ImageFileSink.h"

#include <filesystem>

namespace kx4 {

class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile(); // removes the temporary file unless committed
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the empty temporary file in `target`'s folder.
    IoResult Create(const std::filesystem::path& target);
    // Where the contents go; bytes never written read as zero.
    SectorSink& Sink() { return sink_; }
    // Flushes the file to the device, gives it the old target's permissions (or the usual ones for
    // a new file) and renames it over the target.
    IoResult Commit();

private:
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    ImageFileSink sink_;
};

} // namespace kx4
