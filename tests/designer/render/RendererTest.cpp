// The element and screen drawers on a canvas: what each element kind leaves on the card picture
// and on the preview, captions, fonts and backgrounds.
#include "designer/render/Renderer.h"

#include "FileSupport.h"
#include "RenderTestSupport.h"
#include "assets/Artwork.h"
#include "assets/Bmp.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <tuple>

using namespace kx4;
using namespace kx4::test;

namespace {

constexpr QRgb kBack = 0xFF102030; // a background colour no artwork uses

// A project with screen 1 current, 480 x 272 landscape, on a solid background of kBack.
struct Scene {
    RenderRoot root;
    modOrvel m;
    RenderTarget t;
    MessageLog log;
    ScreenRenderer r{m, root.paths, t, log.prompts};

    Scene()
    {
        m.ResetAll();
        m.SetScreen(1);
        m.ScreenBG[1] = "[&H302010&]";
        t.picLayout.Resize(480, 272);
    }
    const QImage& Image() const { return t.picLayout.Image(); }
};

// Every pixel of `pic` at (left, top) of `img`, magenta ones showing `beneath`.
void ExpectPicture(const QImage& img, const QImage& pic, int left, int top, QRgb beneath)
{
    int wrong = 0;
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            const QRgb want = (pic.pixel(x, y) | 0xFF000000u) == kMagenta ? beneath : pic.pixel(x, y) | 0xFF000000u;
            wrong += img.pixel(left + x, top + y) != want;
        }
    EXPECT_EQ(wrong, 0) << "picture at " << left << ", " << top;
}

// The pixels where two pictures of one size differ.
std::vector<QPoint> Diff(const QImage& a, const QImage& b)
{
    std::vector<QPoint> d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                d.emplace_back(x, y);
    return d;
}

} // namespace

TEST(Renderer, ButtonFacesMatchTheArtworkAndTargetsLeaveNoTrace)
{
    Scene s;
    PutButton(s.m, 0, 3, 10, 20, "");
    PutButton(s.m, 1, 8, 250, 200, "");
    PutButton(s.m, 2, 1, 200, 20, "Type 0");
    s.m.SetBtnType(2, 0);
    PutButton(s.m, 3, 1, 200, 100, "Target");
    s.m.SetBtnImage(3, 0);
    PutButton(s.m, 4, 9, 300, 100, "No face"); // outside the table
    s.m.DataChanged = false;
    s.r.RenderDLImage();

    ExpectPicture(s.Image(), *ButtonFace(3), 10, 20, kBack);
    ExpectPicture(s.Image(), *ButtonFace(8), 250, 200, kBack);
    const int faces = 96 * 32 + 224 * 64;
    EXPECT_EQ(CountColor(s.Image(), kBack), 480 * 272 - faces
                                                + (CountColor(*ButtonFace(3), kMagenta)
                                                   + CountColor(*ButtonFace(8), kMagenta)));
    EXPECT_FALSE(s.m.DataChanged);
    EXPECT_EQ(s.m.GetBtnTxtX(2), 0) << "an undrawn button keeps its insets";
    EXPECT_EQ(s.m.GetBtnTxtX(4), 0);
    EXPECT_TRUE(s.log.Shown().empty());
}

TEST(Renderer, CaptionsSitAtTheInsetOfTheirSizeClassInTheirColour)
{
    const int insets[] = {75, 105, 165, 210};
    for (int image = 1; image <= 8; ++image) {
        Scene s;
        PutButton(s.m, 5, image, 30, 40, "");
        s.r.RIButton(5);
        const QImage face = s.Image().copy();
        const int inset = insets[(image - 1) / 2];
        EXPECT_EQ(s.m.GetBtnTxtX(5), inset) << image;
        EXPECT_EQ(s.m.GetBtnTxtY(5), inset) << image;

        s.m.SetBtnText(5, "On");
        s.r.RIButton(5);
        const auto ink = Diff(face, s.Image());
        EXPECT_GT(ink.size(), 10u) << image;
        const QRgb color = image % 2 ? kBlack : kWhite;
        const int px = inset / 15;
        for (const QPoint p : ink) {
            EXPECT_EQ(s.Image().pixel(p), color) << image;
            EXPECT_GE(p.x(), 30 + px);
            EXPECT_GE(p.y(), 40 + px);
            EXPECT_LT(p.x(), 30 + px + 480);
            EXPECT_LT(p.y(), 40 + px + 36);
        }
    }

    // A size class beyond the table keeps the stored insets and the scratch font.
    Scene s;
    PutButton(s.m, 0, 3, 0, 0, "");
    s.m.SetBtnSize(0, 6);
    s.m.SetBtnTxtX(0, 30);
    s.m.SetBtnTxtY(0, 45);
    s.r.RIButton(0);
    EXPECT_EQ(s.m.GetBtnTxtX(0), 30);
    EXPECT_EQ(s.m.GetBtnTxtY(0), 45);
}

TEST(Renderer, PilotsSlidersBarsAndClocksAppearInPreviewsOnly)
{
    Scene s;
    s.m.SetPilotEnabled(3, 1);
    s.m.SetPilotIcon(3, 1);
    s.m.SetPilotLeft(3, 10);
    s.m.SetPilotTop(3, 10);
    s.m.SetSldImage(2, 1);
    s.m.SetSldLeft(2, 100);
    s.m.SetSldTop(2, 5);
    PutText(s.m, 0, 4, 150, 10, 0, 0);  // small blue bar
    PutText(s.m, 1, 9, 180, 10, 0, 0);  // large grey bar
    PutText(s.m, 2, 11, 220, 10, 2, 1); // 24-hour clock
    PutText(s.m, 3, 12, 220, 60, 3, 0); // date

    s.r.RenderDLImage();
    EXPECT_TRUE(AllColor(s.Image(), kBack));

    s.r.RenderIPImage();
    ExpectPicture(s.Image(), *PilotIconOff(1), 10, 10, kBack);
    ExpectPicture(s.Image(), *SliderRenderPicture(1), 100, 5, kBack);
    ExpectPicture(s.Image(), *ClockPicture(11, 2, 1), 220, 10, kBack);
    ExpectPicture(s.Image(), *ClockPicture(12, 3, 0), 220, 60, kBack);
    for (const auto& [type, left] : {std::pair{4, 150}, std::pair{9, 180}}) {
        const QImage& bar = *BarPicture(type);
        int wrong = 0;
        for (int y = 0; y < bar.height() && 10 + y < 272; ++y) // the large bar is cut at the bottom
            for (int x = 0; x < bar.width(); ++x)
                wrong += s.Image().pixel(left + x, 10 + y) != RecolourBar(bar.pixel(x, y), type);
        EXPECT_EQ(wrong, 0) << "bar type " << type;
    }
    // Disabled pilots and free slider slots draw nothing.
    s.m.SetPilotEnabled(3, 0);
    s.m.SetSldImage(2, 0);
    s.r.RenderIPImage();
    EXPECT_EQ(s.Image().pixel(10, 10), kBack);
    EXPECT_EQ(s.Image().pixel(100, 5), kBack);
}

TEST(Renderer, TextsAndValueBoxesAppearOnBothPictures)
{
    Scene s;
    PutText(s.m, 0, 2, 20, 200, 1, 0);          // slider value box
    PutText(s.m, 1, 3, 100, 200, 3, 0);         // dimmer value box
    PutText(s.m, 2, 1, 100, 100, 2, 1, "Hall"); // white text
    for (const bool preview : {false, true}) {
        preview ? s.r.RenderIPImage() : s.r.RenderDLImage();
        ExpectPicture(s.Image(), *TextBoxPicture(1), 20, 200, kBack);
        ExpectPicture(s.Image(), *TextBoxPicture(3), 100, 200, kBack);
        const int white = CountColor(s.Image(), kWhite) - CountColor(*TextBoxPicture(1), kWhite)
                        - CountColor(*TextBoxPicture(3), kWhite);
        EXPECT_GT(white, 40) << preview;
        EXPECT_EQ(CountColor(s.Image().copy(90, 90, 120, 60), kWhite)
                      + CountColor(s.Image().copy(90, 90, 120, 60), kBack),
                  120 * 60)
            << "text pixels are text or background";
        EXPECT_EQ(CountColor(s.Image().copy(100, 100, 80, 40), kWhite), white) << "text starts at its position";
    }
}

TEST(Renderer, TextsAreBoldAtTheSmallSizesAndCaptionsNever)
{
    // Ink of the same word as a Text object and as a caption in the same size.
    auto textInk = [](int fontSize) {
        Scene s;
        PutText(s.m, 0, 1, 10, 10, fontSize, 1, "Lamp");
        s.r.RenderDLImage();
        return CountColor(s.Image(), kWhite);
    };
    auto captionInk = [](int sizeClass) {
        Scene s;
        PutButton(s.m, 0, sizeClass * 2 + 2, 10, 10, "");
        s.r.RenderDLImage();
        const QImage face = s.Image().copy();
        s.m.SetBtnText(0, "Lamp");
        s.r.RenderDLImage();
        return static_cast<int>(Diff(face, s.Image()).size());
    };
    EXPECT_GT(textInk(0), captionInk(0) + 5);
    EXPECT_GT(textInk(1), captionInk(1) + 10);
    EXPECT_EQ(textInk(2), captionInk(2));
    EXPECT_EQ(textInk(3), captionInk(3));

    // A font size beyond the table keeps the canvas font of the text drawn before.
    Scene s;
    PutText(s.m, 0, 1, 10, 10, 3, 1, "Lamp");
    PutText(s.m, 1, 1, 10, 100, 9, 1, "Lamp");
    s.r.RenderDLImage();
    EXPECT_EQ(CountColor(s.Image().copy(0, 0, 480, 90), kWhite), CountColor(s.Image().copy(0, 90, 480, 90), kWhite));
}

TEST(Renderer, PictureNumbersOutsideTheirTablesDrawNothing)
{
    Scene s;
    PutButton(s.m, 0, 9, 10, 10, "Nine");
    s.m.SetPilotEnabled(0, 1);
    s.m.SetPilotIcon(0, 3);
    s.m.SetSldImage(0, 11);
    PutText(s.m, 0, 2, 10, 100, 4, 0);
    PutText(s.m, 1, 10, 100, 100, 4, 0);
    PutText(s.m, 2, 13, 200, 100, 0, 0);
    s.r.RenderIPImage();
    EXPECT_TRUE(AllColor(s.Image(), kBack));
}

TEST(Renderer, BackgroundsOfColourLogoAndFile)
{
    Scene s;
    s.m.ScreenBG[1] = "[&H0000FF&]";
    s.r.DrawBackground();
    EXPECT_TRUE(AllColor(s.Image(), qRgb(255, 0, 0))) << "red in the low byte";

    // Logo: missing gives plain EFEFEF without a message; present, it is drawn from the folder of
    // the design's size and orientation, its name matched without regard to case.
    s.m.ScreenBG[1] = "[*L]-and-more";
    s.r.DrawBackground();
    EXPECT_TRUE(AllColor(s.Image(), kLogoBack));
    BmpImage logo;
    logo.width = 10;
    logo.height = 4;
    logo.pixels.assign(40, 0x123456);
    WriteBytes(s.root.paths.BMPImagesDir() / "qvrs0_l.bmp", EncodeBmp(logo));
    WriteBytes(s.root.paths.BMPImagesDir() / "QVRS0_P.BMP", EncodeBmp(BmpImage{1, 1, {0x654321}}));
    s.r.DrawBackground();
    EXPECT_EQ(s.Image().pixel(9, 3), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(s.Image().pixel(10, 3), kLogoBack);
    EXPECT_EQ(CountColor(s.Image(), qRgb(0x12, 0x34, 0x56)), 40);
    EXPECT_TRUE(s.log.Shown().empty());

    // A file, named in Windows form under "C:\", over the back colour of the drawing before.
    s.m.ScreenBG[1] = "[&H00FF00&]";
    s.r.DrawBackground();
    std::filesystem::create_directories(s.root.dir / "Pics");
    WriteBytes(s.root.dir / "Pics" / "Hall.bmp", EncodeBmp(logo));
    s.m.ScreenBG[1] = "C:\\PICS\\hall.BMP";
    s.r.DrawBackground();
    EXPECT_EQ(s.Image().pixel(0, 0), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(CountColor(s.Image(), qRgb(0, 255, 0)), 480 * 272 - 40);
    EXPECT_TRUE(s.log.Shown().empty());

    // Missing, or there but not a picture: a message naming the file, then white.
    const auto missing = s.root.dir / "Pics" / "gone.bmp";
    const auto broken = s.root.dir / "Pics" / "broken.bmp";
    WriteBytes(broken, {'B', 'M', 1, 2, 3});
    const auto pipe = s.root.dir / "Pics" / "pipe.bmp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    FifoRescue rescue(pipe);
    const std::vector<std::tuple<std::filesystem::path, std::string, std::string>> cases = {
        {missing, "File Missing", "File Not Found\n" + missing.string()},
        {broken, "Picture Not Readable",
         "Cannot read " + Quoted(broken) + " as a picture: its BMP header is damaged or of an unsupported kind."},
        {pipe, "Picture Not Readable", Quoted(pipe) + " is not a regular file."},
    };
    for (const auto& [file, title, text] : cases) {
        s.log.prompts.ClearLog();
        s.log.Expect(1);
        s.m.ScreenBG[1] = file.string();
        s.r.DrawBackground();
        EXPECT_TRUE(AllColor(s.Image(), kWhite));
        ASSERT_EQ(s.log.Shown().size(), 1u);
        EXPECT_EQ(s.log.Shown()[0].icon, MsgIcon::Information);
        EXPECT_EQ(s.log.Shown()[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(s.log.Shown()[0].title, title);
        EXPECT_EQ(s.log.Shown()[0].text, text);
    }
    EXPECT_FALSE(rescue.Rescued());
}

TEST(Renderer, BackgroundsOfEveryDepthDrawAsTheirTwentyFourBitCopy)
{
    Scene s;
    // Channels of five and six bits widened by repeating their high bits, which 5-6-5 holds exactly.
    const auto five = [](int v) { return v << 3 | v >> 2; };
    const auto six = [](int v) { return v << 2 | v >> 4; };
    std::vector<QRgb> colours;
    for (int i = 0; i < 16; ++i)
        colours.push_back(qRgb(five(i * 2), six(63 - i * 2), five((i * 7) & 31)));
    // Wider than the screen: drawn clipped at its right edge, the rest in the colour drawn before.
    const QImage picture = ColourPattern(500, 101, colours);
    s.r.DrawBackground(); // kBack
    std::filesystem::create_directories(s.root.dir / "Pics");
    WriteBytes(s.root.dir / "Pics" / "copy.bmp", BmpOfDepth(picture, 24));
    s.m.ScreenBG[1] = (s.root.dir / "Pics" / "copy.bmp").string();
    s.r.RenderDLImage();
    const QImage reference = s.Image().copy();
    EXPECT_EQ(reference.pixel(479, 100), picture.pixel(479, 100));
    EXPECT_EQ(reference.pixel(0, 101), kBack);

    const QImage pair = ColourPattern(500, 101, {colours[3], colours[9]});
    WriteBytes(s.root.dir / "Pics" / "pair.bmp", BmpOfDepth(pair, 24));
    s.m.ScreenBG[1] = (s.root.dir / "Pics" / "pair.bmp").string();
    s.r.RenderDLImage();
    const QImage pairReference = s.Image().copy();

    for (const int bits : {1, 4, 8, 16, 32}) {
        const auto file = s.root.dir / "Pics" / ("depth" + std::to_string(bits) + ".bmp");
        WriteBytes(file, BmpOfDepth(bits == 1 ? pair : picture, bits, bits == 16, bits == 8));
        s.m.ScreenBG[1] = file.string();
        s.r.RenderDLImage();
        EXPECT_TRUE(Diff(s.Image(), bits == 1 ? pairReference : reference).empty()) << bits << " bits";
    }
    EXPECT_TRUE(s.log.Shown().empty());
}

TEST(Renderer, WhatTheCardScreensTakeFromAndLeaveOnTheTargetIsWhatTheirDrawingDoes)
{
    const auto small = [](const RenderRoot& root) {
        const auto file = root.dir / "Small.bmp";
        WriteBytes(file, EncodeBmp(BmpImage{10, 4, std::vector<std::uint32_t>(40, 0x123456)}));
        return file.string();
    };
    const auto whole = [](const RenderRoot& root) {
        const auto file = root.dir / "Whole.bmp";
        WriteBytes(file, EncodeBmp(BmpImage{480, 272, std::vector<std::uint32_t>(480 * 272, 0x654321)}));
        return file.string();
    };
    struct Case {
        std::string name;
        std::function<void(const RenderRoot&, modOrvel&)> design;
        bool uses;
        CarriedState leaves;
        int boxes = 0; // missing or unreadable pictures, one box for each
    };
    const CanvasFont caption12{16, false}, text8Bold{11, true}, text24{32, false};
    const std::vector<Case> cases = {
        {"a new project", [](const RenderRoot&, modOrvel&) {}, false, {0xFFEFEFEF, {}, {}}},
        {"a small first picture, the logo last", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[0] = small(r);
             m.ScreenBG[15] = "[*L]";
         }, true, {kLogoBack, {}, {}}},
        {"a first picture as large as the display", [&](const RenderRoot& r, modOrvel& m) { m.ScreenBG[0] = whole(r); },
         false, {0xFFEFEFEF, {}, {}}},
        {"a whole first picture, then a small one", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[0] = whole(r);
             m.ScreenBG[1] = small(r);
         }, true, {0xFFEFEFEF, {}, {}}},
        {"a colour before a small picture", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[0] = "[&H00FF00&]";
             m.ScreenBG[1] = small(r);
         }, false, {0xFFEFEFEF, {}, {}}},
        {"a missing first picture before a small one", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[0] = (r.dir / "Gone.bmp").string();
             m.ScreenBG[1] = small(r);
         }, false, {0xFFEFEFEF, {}, {}}, 1},
        {"pictures last keep the colour before them", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[13] = "[&H0000FF&]";
             m.ScreenBG[14] = whole(r);
             m.ScreenBG[15] = small(r);
         }, false, {0xFFFF0000, {}, {}}},
        {"a missing last picture leaves white", [&](const RenderRoot& r, modOrvel& m) {
             m.ScreenBG[15] = (r.dir / "Gone.bmp").string();
         }, false, {kWhite, {}, {}}, 1},
        {"an unreadable last picture leaves white", [&](const RenderRoot& r, modOrvel& m) {
             WriteBytes(r.dir / "Broken.bmp", {'B', 'M', 1});
             m.ScreenBG[15] = (r.dir / "Broken.bmp").string();
         }, false, {kWhite, {}, {}}, 1},
        {"captions and texts of known sizes", [](const RenderRoot&, modOrvel& m) {
             m.SetScreen(2);
             PutButton(m, 0, 1, 0, 0, "First");
             PutButton(m, 5, 3, 0, 40, "Last"); // size class 1: 12 point
             PutButton(m, 6, 3, 0, 80, "");
             m.SetBtnType(6, 0); // a Target: no caption
             m.SetBtnSize(6, 3);
             PutText(m, 0, 1, 0, 150, 0, 0, "Bold");
             m.SetScreen(9);
             PutText(m, 3, 1, 0, 150, 3, 0, "Large");
             PutText(m, 4, 2, 0, 200, 2, 0); // a value box: no font
         }, false, {0xFFEFEFEF, text24, caption12}},
        {"a caption of no known size first", [](const RenderRoot&, modOrvel& m) {
             m.SetScreen(4);
             PutButton(m, 0, 1, 0, 0, "Odd");
             m.SetBtnSize(0, 7);
             PutButton(m, 1, 3, 0, 40, "Twelve");
         }, true, {0xFFEFEFEF, {}, caption12}},
        {"a text of no known size first", [](const RenderRoot&, modOrvel& m) {
             m.SetScreen(4);
             PutText(m, 0, 1, 0, 150, 9, 0, "Odd text");
             PutText(m, 1, 1, 0, 200, 0, 0, "Bold");
         }, true, {0xFFEFEFEF, text8Bold, {}}},
    };
    // Two targets that hold different things from earlier drawing.
    const CarriedState before[2] = {{0xFF112233, CanvasFont{20, true}, CanvasFont{13, false}},
                                    {0xFF445566, CanvasFont{27, false}, CanvasFont{40, true}}};
    for (const Case& c : cases) {
        std::vector<QImage> drawn[2];
        for (int k = 0; k < 2; ++k) {
            RenderRoot root;
            modOrvel m;
            m.ResetAll();
            c.design(root, m);
            MessageLog log;
            RenderTarget t;
            ScreenRenderer r(m, root.paths, t, log.prompts);
            EXPECT_EQ(r.CardScreensUseCarried({480, 272}), c.uses) << c.name;
            const CarriedState leaves = r.CardScreensLeave();
            EXPECT_EQ(leaves, c.leaves) << c.name;
            before[k].ApplyTo(t);
            t.picLayout.Resize(480, 272);
            log.Expect(c.boxes);
            for (int s = 0; s < kScreenCount; ++s) {
                m.SetScreen(s);
                r.RenderDLImage();
                drawn[k].push_back(t.picLayout.Image().copy());
            }
            EXPECT_EQ(log.Shown().size(), static_cast<std::size_t>(c.boxes)) << c.name;
            EXPECT_EQ(CarriedState::Of(t), leaves.After(before[k])) << c.name;
        }
        EXPECT_EQ(drawn[0] != drawn[1], c.uses) << c.name;
    }
}

TEST(Renderer, PicturesKeptForTheNextRendererFollowTheirFile)
{
    RenderRoot root;
    modOrvel m;
    m.ResetAll();
    m.SetScreen(1);
    const auto file = root.dir / "Hall.bmp";
    m.ScreenBG[1] = file.string();
    RenderTarget t;
    t.picLayout.Resize(480, 272);
    MessageLog log;
    PictureShelf shelf;
    const auto draw = [&] {
        ScreenRenderer r(m, root.paths, t, log.prompts, &shelf);
        r.DrawBackground();
        shelf.KeepOnlyUsed();
        return t.picLayout.Image().pixel(0, 0);
    };
    const auto write = [&](std::uint32_t colour) {
        WriteBytes(file, EncodeBmp(BmpImage{10, 4, std::vector<std::uint32_t>(40, colour)}));
    };

    write(0x123456);
    EXPECT_EQ(draw(), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(draw(), qRgb(0x12, 0x34, 0x56));
    write(0x654321); // the same size, other pixels
    EXPECT_EQ(draw(), qRgb(0x65, 0x43, 0x21));
    WriteBytes(file, {'B', 'M', 1});
    log.Expect(1);
    EXPECT_EQ(draw(), kWhite);
    ASSERT_EQ(log.Shown().size(), 1u);
    EXPECT_EQ(log.Shown()[0].title, "Picture Not Readable");
    write(0x0000FF);
    EXPECT_EQ(draw(), qRgb(0, 0, 0xFF));
    std::filesystem::remove(file);
    log.Expect(1);
    EXPECT_EQ(draw(), kWhite);
    EXPECT_EQ(log.Shown().back().title, "File Missing");
}
