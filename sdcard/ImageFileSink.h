#pragma once
// The card image as a file on the PC: sectors written in place at their byte offsets.
#include "sdcard/SectorSink.h"

#include <filesystem>

namespace kx4 {

class ImageFileSink final : public SectorSink {
public:
    ImageFileSink() = default;
    ~ImageFileSink() override; // closes without reporting; call Close to learn of a failure
    ImageFileSink(const ImageFileSink&) = delete;
    ImageFileSink& operator=(const ImageFileSink&) = delete;

    // Opens `file` for positioned writes, creating it empty when absent and keeping what it holds.
    IoResult Open(const std::filesystem::path& file);
    // Writes through `fd`, which its owner keeps open until the sink is done; `file` names it in
    // messages. Close then only lets go of it.
    void Attach(int fd, const std::filesystem::path& file);
    bool IsOpen() const { return fd_ >= 0; }
    const std::filesystem::path& File() const { return file_; }

    // Writing beyond the end grows the file; the bytes between read as zero.
    IoResult WriteSector(std::uint32_t offset, const Sector& sector) override;
    IoResult WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> bytes) override;
    // fsync.
    IoResult Flush() override;
    IoResult Close();

private:
    IoResult Fail(const std::string& what) const;

    std::filesystem::path file_;
    int fd_ = -1;
    bool owned_ = true;
};

} // namespace kx4
