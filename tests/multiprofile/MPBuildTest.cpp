// The multi-profile build through to the image file: its layout, the profile flag, the pictures,
// and the builds that stop.
#include "multiprofile/MPBuild.h"

#include "MPTestSupport.h"
#include "assets/Bmp.h"
#include "sdcard/ConfigFinishing.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace kx4;
using namespace kx4::test;
namespace fs = std::filesystem;

namespace {

struct Builder {
    MPRoot root;
    modOrvel m;
    RenderTarget canvas;
    PicBuffers buffers;
    std::vector<std::string> statuses;
    std::vector<int> started;

    std::optional<MPBuildStop> Build(const ProfileList& profiles)
    {
        MPBuildCallbacks cb;
        cb.profileStarted = [this](int p) { started.push_back(p); };
        cb.showStatus = [this](const std::string& s) { statuses.push_back(s); };
        MPBuild build(m, root.paths, root.prompts, canvas, buffers, cb);
        return build.Build(profiles);
    }
};

} // namespace

TEST(MPBuild, OnlyProfile001OfAThreePointFivePortraitDesign)
{
    Builder b;
    b.root.WriteCore();
    ProfileList profiles;
    profiles[0] = b.root.Profile("One.KQC", 1, 1, [](modOrvel& m) {
        m.SetScreen(5);
        m.ScreenBG[5] = "[&H0000FF&]"; // red
    }).string();
    const auto t0 = std::chrono::steady_clock::now();
    const auto stop = b.Build(profiles);
    std::printf("build %.3f s\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    ASSERT_FALSE(stop) << stop->text;
    const fs::path image = b.root.paths.SDImageFile();
    EXPECT_EQ(fs::file_size(image), 0x66765A00u);
    EXPECT_EQ(BytesAt(image, 0, 0x4200), BytesAt(image, 0x6000000, 0x4200));
    EXPECT_EQ(BytesAt(image, 0x21BC0000, 8), (std::vector<std::uint8_t>{0x00, 0xF0, 0x01, 0x40, 0x00, 0x00, 0xF8, 0x00}));
}
