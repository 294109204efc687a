#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kx4::test {

// A fresh folder under the system's temporary folder, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file);
// The names in a folder, sorted.
std::vector<std::string> Entries(const std::filesystem::path& dir);
void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
// Little-endian fields at byte `at` of `b`, as BMP headers hold them.
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v);
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v);

} // namespace kx4::test
