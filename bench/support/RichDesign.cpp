#include "bench/support/RichDesign.h"

#include "assets/Bmp.h"
#include "assets/DesignFonts.h"
#include "bench/support/PairedBench.h"

#include <cstdlib>
#include <string>

namespace kx4::bench {
namespace fs = std::filesystem;

BmpImage Gradient(int w, int h, int blue)
{
    BmpImage img;
    img.width = w;
    img.height = h;
    img.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>((x * 255 / w) << 16 | (y * 255 / h) << 8 | (blue & 0xFF));
    return img;
}

fs::path WriteRichPicture(const Paths& paths)
{
    const fs::path picture = paths.CDrive() / "Backgrounds" / "Wood.bmp";
    fs::create_directories(picture.parent_path());
    Check(WriteFileAtomic(picture, EncodeBmp(Gradient(700, 400, 0x60)), false));
    return picture;
}

std::string RichBackground(int screen, const fs::path& picture)
{
    return screen % 3 == 0 ? "[*L]" : screen % 3 == 1 ? "[&H203040&]" : picture.string();
}

void PutButtons(modOrvel& m, const std::function<std::string(int slot)>& caption)
{
    for (int i = 0; i < kButtonCount; ++i) {
        const int image = i % 8 + 1;
        m.SetBtnType(i, 1);
        m.SetBtnImage(i, image);
        m.SetBtnLeft(i, (i % 4) * 190);
        m.SetBtnTop(i, (i / 4) * 58);
        m.SetBtnSize(i, (image - 1) / 2);
        m.SetBtnTextColor(i, (image - 1) % 2);
        m.SetBtnText(i, caption(i));
    }
}

void PutTexts(modOrvel& m, const std::function<int(int slot)>& type, const std::function<std::string(int slot)>& text)
{
    for (int i = 0; i < kTextCount; ++i) {
        m.SetTxtType(i, type(i));
        m.SetTxtLeft(i, 20 + (i % 8) * 90);
        m.SetTxtTop(i, 250 + (i / 8) * 60);
        m.SetTxtFontSize(i, i % 4);
        m.SetTxtColor(i, i % 2);
        m.SetTxtText(i, text(i));
    }
}

void MakeRichDesign(modOrvel& m, const Paths& paths)
{
    m.ResetAll();
    m.SetScnRes(2);
    m.SetLayout(0);
    const fs::path background = WriteRichPicture(paths);
    for (int s = 0; s < kScreenCount; ++s) {
        m.SetScreen(s);
        m.ScreenBG[static_cast<std::size_t>(s)] = RichBackground(s, background);
        PutButtons(m, [s](int i) { return "S" + std::to_string(s) + " Button " + std::to_string(i + 1); });
        for (int i = 0; i < kPilotCount; ++i) {
            m.SetPilotEnabled(i, 1);
            m.SetPilotIcon(i, i % 3);
            m.SetPilotLeft(i, (i % 8) * 100);
            m.SetPilotTop(i, 400 + (i / 8) * 12);
        }
        for (int i = 0; i < kSliderCount; ++i) {
            m.SetSldImage(i, i + 1 + (i >= 5 ? 2 : 0));
            m.SetSldLeft(i, 560 + i * 30);
            m.SetSldTop(i, 20);
        }
        // Every text type: plain, values, bars, clocks, the date.
        PutTexts(m, [](int i) { return i < 12 ? i + 1 : 1; },
                 [s](int i) { return "Screen " + std::to_string(s) + " Text " + std::to_string(i); });
    }
    m.SetScreen(0);
}

MsgAnswer CountingPrompts::Message(MsgIcon, std::string_view, std::string_view, MsgButtons)
{
    ++messages;
    return MsgAnswer::Ok;
}

std::unique_ptr<QGuiApplication> StartGui(int& argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    SubstituteDesignFonts();
    return app;
}

} // namespace kx4::bench
