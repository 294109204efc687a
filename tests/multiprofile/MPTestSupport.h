#pragma once
// A temporary "C:\" with the program's folders, a small core image, profiles made in code, and
// reads of the image file at byte offsets.
#include "data/modOrvel.h"
#include "platform/DisplaySize.h"
#include "platform/Paths.h"
#include "platform/ScriptedPrompts.h"
#include "sdcard/PictureTable.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace kx4::test {

// Bytes of the test's core image: a whole card layout.
constexpr std::uint32_t kTestCoreSize = kCardImageSize;

// Core image byte k.
inline std::uint8_t CoreByte(std::uint32_t k) { return static_cast<std::uint8_t>((k * 7 + k / 251) & 0xFF); }

struct MPRoot {
    TempDir dir;
    Paths paths{dir.path()};
    ScriptedPrompts prompts;
    FixedDisplaySize display{{1366 * 15, 768 * 15}};

    MPRoot()
    {
        for (const auto& d : {paths.SDImageDir(), paths.BMPImagesDir(), paths.PreviewDir()})
            std::filesystem::create_directories(d);
        prompts.OnUnscripted = [](const std::string& what) { ADD_FAILURE() << "unexpected " << what; };
    }

    void WriteCore(std::uint32_t size = kTestCoreSize) const
    {
        std::vector<std::uint8_t> bytes(size);
        for (std::uint32_t k = 0; k < size; ++k)
            bytes[k] = CoreByte(k);
        WriteBytes(paths.CoreImageFile(), bytes);
    }

    // A panel data file of a fresh project of panel size `scnRes` and layout `layout`, changed by
    // `edit`, saved as `name` in the program folder.
    std::filesystem::path Profile(const std::string& name, int scnRes, int layout,
                                  const std::function<void(modOrvel&)>& edit = {}) const
    {
        modOrvel m;
        m.ResetAll();
        m.SetScnRes(scnRes);
        m.SetLayout(layout);
        if (edit)
            edit(m);
        m.SetScreen(0);
        m.DataFile = (paths.ProgramDir() / name).string();
        const IoResult r = m.SaveData();
        EXPECT_TRUE(r) << r.message;
        return m.DataFile;
    }
};

// `n` bytes of `file` from byte `at`.
inline std::vector<std::uint8_t> BytesAt(const std::filesystem::path& file, std::uint64_t at, std::size_t n)
{
    std::ifstream in(file, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(at));
    std::vector<std::uint8_t> out(n);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(n));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return out;
}

} // namespace kx4::test
