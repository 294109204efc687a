#pragma once
// The multi-profile build: each profile loaded, its 16 screens drawn by the screen renderer and
// converted, and written with its configuration block and device map into the multi-profile image
// file. Workers draw a few profiles ahead while the build writes; the profile bitmaps are those
// of the last profile.
#include "designer/render/Renderer.h"
#include "multiprofile/MPImageLayout.h"
#include "multiprofile/MPProfileDrawing.h"
#include "platform/Prompts.h"
#include "sdcard/PictureConversion.h"
#include "sdcard/SectorSink.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kx4 {

// "MP_S" + two-digit screen + ".BMP", the bitmap of screen `screen` (0-15) of the profile being built.
std::string ProfileBitmapName(int screen);

// How the builder window follows a build; every call is a chance for it to repaint.
struct MPBuildCallbacks {
    std::function<void(int lProfile)> profileStarted;        // profile index 0-127, before it is loaded
    std::function<void(const std::string& text)> showStatus; // lblFiles: the bitmap read, the configuration
    std::function<void(int screen)> pictureWritten;          // pbFiles
    std::function<void()> waiting;                           // every few ms while the next profile is being drawn
};

// Why a build stopped: the message box that says so.
struct MPBuildStop {
    MsgIcon icon = MsgIcon::Information;
    std::string title;
    std::string text;
};

class MPBuild {
public:
    // The steps draw on `canvas` and convert through `buffers`; a build starts from what `canvas`
    // carries and leaves on it what drawing the last profile left. A missing background's box goes
    // through `prompts`.
    MPBuild(modOrvel& project, const Paths& paths, Prompts& prompts, RenderTarget& canvas, PicBuffers& buffers,
            MPBuildCallbacks callbacks = {});

    // "Build Image File": QVRTOUCH.DAT in the SDImage folder made anew from the core image and the 128
    // profiles (an empty entry repeats profile 001) through the safe write, so a stopped build leaves
    // the previous file as it was. Nothing when done, else the reason it stopped. Leaves the last
    // profile loaded in the project.
    std::optional<MPBuildStop> Build(const ProfileList& sProfileFile);

    // The profiles written into `sink`, which holds the core image already, in list order as the
    // workers draw them; the project is left as each written profile left it.
    std::optional<MPBuildStop> BuildProfiles(const ProfileList& sProfileFile, SectorSink& sink);

    // The same steps one at a time through the bitmap files, for the profile loaded into the
    // project, index lProfile, display DispCode:
    // its 16 bitmaps MP_S00.BMP to MP_S15.BMP in BMPImages, drawn at the display's size;
    IoResult RenderDLImagesMP();
    // its pictures and then its configuration block and device map, written into `sink`;
    IoResult CompileAllMP(SectorSink& sink);
    // the bitmap of screen i converted, with the header words;
    IoResult CompilePicMP(int i);
    // that picture written into the slot of screen i;
    IoResult WritePicMP(int i, SectorSink& sink);
    // the configuration block and device map, for profile 001 also at the start of the file.
    IoResult WriteDatMP(SectorSink& sink);

    int lProfile = 0;
    int DispCode = 0;
    // Profiles built from the first: all 128 in the program; a benchmark may ask for fewer.
    int profileCount = kProfileCount;

private:
    std::optional<MPBuildStop> BuildImage(const ProfileList& sProfileFile);
    void Status(const std::string& text) const;
    // Workers begin to draw the profiles of `sProfileFile` (an empty entry repeats profile 001).
    void StartDrawing(const ProfileList& sProfileFile);
    // The drawn profile lProfile into `sink`: its pictures, then its configuration; the last
    // profile's bitmaps first.
    IoResult WriteDrawn(const DrawnProfile& d, SectorSink& sink);

    modOrvel& m_;
    const Paths& paths_;
    Prompts& prompts_;
    RenderTarget& canvas_; // left as drawing the last profile written left it
    PicBuffers& buf_;
    MPBuildCallbacks cb_;
    std::vector<std::uint8_t> bmp_; // the encoded bitmap, reused for every screen of every profile
    std::unique_ptr<ProfileDrawers> drawers_; // drawing ahead of BuildProfiles
};

} // namespace kx4
