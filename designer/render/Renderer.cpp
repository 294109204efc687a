#include "designer/render/Renderer.h"

#include "designer/render/TextStyles.h"

#include "assets/Artwork.h"
#include "assets/BackgroundPicture.h"
#include "assets/Bmp.h"
#include "data/Background.h"
#include "data/modOrvel.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"

#include <QRect>
#include <QString>

#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include <sys/stat.h>

namespace kx4 {
namespace {

constexpr int kCaptionWidth = 480;
constexpr int kCaptionHeight = 36;

QRgb TextColor(int color) { return color == 0 ? kBlack : kWhite; }

} // namespace

CarriedState CarriedState::Of(const RenderTarget& t)
{
    return {t.picLayout.BackColor(), t.picLayout.FontChoice(), t.picRender.FontChoice()};
}

void CarriedState::ApplyTo(RenderTarget& t) const
{
    if (back)
        t.picLayout.Clear(*back);
    if (textFont)
        t.picLayout.SetFont(*textFont);
    if (captionFont)
        t.picRender.SetFont(*captionFont);
}

CarriedState CarriedState::After(const CarriedState& earlier) const
{
    return {back ? back : earlier.back, textFont ? textFont : earlier.textFont,
            captionFont ? captionFont : earlier.captionFont};
}

PicSize CardPictureSize(int iRes, bool portrait)
{
    return PanelDisplaySize(iRes, portrait);
}

std::string CardBitmapName(int iRes, bool portrait, int screen)
{
    return "SR" + std::to_string(iRes) + (portrait ? "P" : "L") + TwoDigits(screen) + ".BMP";
}

std::string PreviewName(int screen)
{
    return screen == 0 ? "Screen 00 Home.BMP" : "Screen " + TwoDigits(screen) + ".BMP";
}

void PrintCaption(RenderTarget& t, int x, int y, const QString& caption)
{
    const QRgb key = t.picLayout.GetPixel(x, y).value_or(kWhite);
    // Only the part of the scratch the text can touch is cleared and copied: everywhere else
    // the scratch would hold the key colour, which is never copied.
    const QImage& scratch = t.picRender.Image();
    const QRect ink = t.picRender.TextRect(0, 0, caption) & scratch.rect();
    if (ink.isEmpty())
        return;
    t.picRender.Fill(ink, key);
    t.picRender.Print(0, 0, caption);
    const QImage part(scratch.constScanLine(ink.top()) + ink.left() * 4, ink.width(), ink.height(),
                      scratch.bytesPerLine(), scratch.format());
    TransparentCopy(t.picLayout, part, x + ink.left(), y + ink.top(), key);
}

namespace {

// What tells a file's contents changed without reading them: a write changes its times. A file
// written in the last few seconds may be written again within the same tick of its clock (or the
// two seconds of a FAT time), so its times tell nothing yet.
std::optional<PictureShelf::Stamp> StampOf(const std::filesystem::path& file)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    if (st.st_mtim.tv_sec > now - 3 || st.st_ctim.tv_sec > now - 3)
        return std::nullopt;
    return PictureShelf::Stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec,
                               st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
}

} // namespace

IoResult PictureShelf::Get(const std::filesystem::path& file, const QImage*& picture)
{
    const std::optional<Stamp> stamp = StampOf(file);
    if (const auto it = kept_.find(file); stamp && it != kept_.end() && it->second.stamp == *stamp) {
        it->second.used = true;
        picture = &it->second.picture;
        return IoResult::Ok();
    }
    kept_.erase(file);
    std::vector<std::uint8_t> bytes;
    if (IoResult r = ReadBackgroundFile(file, bytes); !r)
        return r;
    QImage decoded;
    if (IoResult r = DecodeBackgroundPicture(bytes, file, decoded); !r)
        return r;
    // Without a stamp the picture is read again next time.
    Kept& kept = kept_[file];
    kept.stamp = stamp.value_or(Stamp{});
    kept.picture = std::move(decoded);
    picture = &kept.picture;
    return IoResult::Ok();
}

void PictureShelf::KeepOnlyUsed()
{
    std::erase_if(kept_, [](const auto& entry) { return !entry.second.used; });
    for (auto& [file, kept] : kept_)
        kept.used = false;
}

ScreenRenderer::ScreenRenderer(modOrvel& project, const Paths& paths, RenderTarget& target, Prompts& prompts,
                               PictureShelf* shelf)
    : m_(project), paths_(paths), t_(target), prompts_(prompts), shelf_(shelf ? *shelf : own_)
{
}

const QImage* ScreenRenderer::DrawnFace(int i) const
{
    if (m_.GetBtnType(i) <= 0 || m_.GetBtnImage(i) <= 0)
        return nullptr; // a Target button is an invisible touch area
    return ButtonFace(m_.GetBtnImage(i));
}

void ScreenRenderer::RIButton(int i)
{
    const QImage* face = DrawnFace(i);
    if (!face)
        return;
    const int left = m_.GetBtnLeft(i);
    const int top = m_.GetBtnTop(i);
    TransparentCopy(t_.picLayout, *face, left, top);

    if (t_.picRender.Width() != kCaptionWidth || t_.picRender.Height() != kCaptionHeight)
        t_.picRender.Resize(kCaptionWidth, kCaptionHeight);
    t_.picRender.SetForeColor(TextColor(m_.GetBtnTextColor(i)));
    if (const auto style = ButtonCaptionStyle(m_.GetBtnSize(i))) {
        t_.picRender.SetFont(style->points, false); // captions are never bold
        // Layout data, not a user's edit: the project stays unmodified.
        m_.SetBtnTxtX(i, style->insetTwips);
        m_.SetBtnTxtY(i, style->insetTwips);
    }
    PrintCaption(t_, left + TwipsToPixels(m_.GetBtnTxtX(i)), top + TwipsToPixels(m_.GetBtnTxtY(i)),
                 QString::fromStdString(m_.GetBtnText(i)));
}

void ScreenRenderer::RIPilot(int i)
{
    if (m_.GetPilotEnabled(i) <= 0)
        return;
    if (const QImage* icon = PilotIconOff(m_.GetPilotIcon(i)))
        TransparentCopy(t_.picLayout, *icon, m_.GetPilotLeft(i), m_.GetPilotTop(i));
}

void ScreenRenderer::RISlider(int i)
{
    if (m_.GetSldImage(i) <= 0)
        return;
    if (const QImage* pic = SliderRenderPicture(m_.GetSldImage(i)))
        TransparentCopy(t_.picLayout, *pic, m_.GetSldLeft(i), m_.GetSldTop(i));
}

void ScreenRenderer::PrintText(int i)
{
    Canvas& c = t_.picLayout;
    if (const auto font = TextFontOf(m_.GetTxtFontSize(i)))
        c.SetFont(font->points, font->bold);
    c.SetForeColor(TextColor(m_.GetTxtColor(i)));
    c.Print(m_.GetTxtLeft(i), m_.GetTxtTop(i), QString::fromStdString(m_.GetTxtText(i)));
}

void ScreenRenderer::CopyValueBox(int i)
{
    if (const QImage* box = TextBoxPicture(m_.GetTxtFontSize(i)))
        OpaqueCopy(t_.picLayout, *box, m_.GetTxtLeft(i), m_.GetTxtTop(i));
}

void ScreenRenderer::RITitleDL(int i)
{
    switch (m_.GetTxtType(i)) {
    case 1:
        PrintText(i);
        break;
    case 2: // Slider Value
    case 3: // Dimmer Value
        CopyValueBox(i);
        break;
    default:
        break; // bar graphs, clocks and the date are drawn by the panel itself
    }
}

void ScreenRenderer::RITitleIP(int i)
{
    const int type = m_.GetTxtType(i);
    if (type >= 1 && type <= 3) {
        RITitleDL(i);
    } else if (type >= 4 && type <= 9) {
        if (const QImage* bar = BarPicture(type))
            BarCopy(t_.picLayout, *bar, m_.GetTxtLeft(i), m_.GetTxtTop(i), type);
    } else if (type >= 10 && type <= 12) {
        if (const QImage* clock = ClockPicture(type, m_.GetTxtFontSize(i), m_.GetTxtColor(i)))
            OpaqueCopy(t_.picLayout, *clock, m_.GetTxtLeft(i), m_.GetTxtTop(i));
    }
}

IoResult ScreenRenderer::Picture(const std::filesystem::path& file, const QImage*& picture)
{
    auto it = pictures_.find(file);
    if (it == pictures_.end()) {
        const QImage* read = nullptr;
        if (IoResult r = shelf_.Get(file, read); !r)
            return r;
        it = pictures_.emplace(file, read).first;
    }
    picture = it->second;
    return IoResult::Ok();
}

IoResult ScreenRenderer::LoadPicture(const std::filesystem::path& file)
{
    const QImage* picture = nullptr;
    if (IoResult r = Picture(file, picture); !r)
        return r;
    t_.picLayout.SetPicture(*picture);
    return IoResult::Ok();
}

void ScreenRenderer::LoadQVRBG()
{
    // A logo that is missing or unreadable leaves the plain canvas, without a message.
    const auto file = paths_.LogoFile(m_.GetScnRes(), m_.GetLayout());
    if (!file.empty() && PathExists(file) && LoadPicture(file))
        return;
    t_.picLayout.Clear(kLogoBack);
}

void ScreenRenderer::DrawBackground()
{
    const std::string& bg = m_.ScreenBG[static_cast<std::size_t>(m_.CurScreen)];
    switch (ClassifyBackground(bg)) {
    case BackgroundKind::Color:
        t_.picLayout.Clear(ColorValueToRgb(ParseBackgroundColor(bg)));
        return;
    case BackgroundKind::Logo:
        t_.picLayout.Clear(kLogoBack);
        LoadQVRBG();
        return;
    case BackgroundKind::File: {
        const auto file = paths_.Map(bg);
        // The picture keeps the back colour of the drawing before it around itself.
        if (!PathExists(file)) {
            ShowFileNotFound(prompts_, bg);
        } else if (const IoResult r = LoadPicture(file); !r) {
            ShowPictureNotReadable(prompts_, r);
        } else {
            return;
        }
        t_.picLayout.Clear(kWhite);
        return;
    }
    }
}

void ScreenRenderer::RenderDLImage()
{
    DrawBackground();
    for (int i = 0; i < kButtonCount; ++i)
        RIButton(i);
    for (int i = 0; i < kTextCount; ++i)
        RITitleDL(i);
}

bool ScreenRenderer::CardScreensUseCarried(PicSize card)
{
    // The back colour carried in lasts until a background sets one: a colour, the logo, or a
    // picture that is missing or unreadable (white); a picture that can be shown keeps it.
    for (int s = 0; s < kScreenCount; ++s) {
        const std::string& bg = m_.ScreenBG[static_cast<std::size_t>(s)];
        if (ClassifyBackground(bg) != BackgroundKind::File)
            break;
        const auto file = paths_.Map(bg);
        const QImage* picture = nullptr;
        if (!PathExists(file) || !Picture(file, picture))
            break;
        if (picture->width() < card.width || picture->height() < card.height)
            return true;
    }
    // Whether the first caption and the first plain text drawn set their font.
    std::optional<bool> captionSized, textSized;
    for (int s = 0; s < kScreenCount && !(captionSized && textSized); ++s) {
        m_.SetScreen(s);
        for (int i = 0; i < kButtonCount && !captionSized; ++i)
            if (DrawnFace(i))
                captionSized = ButtonCaptionStyle(m_.GetBtnSize(i)).has_value();
        for (int i = 0; i < kTextCount && !textSized; ++i)
            if (m_.GetTxtType(i) == 1)
                textSized = TextFontOf(m_.GetTxtFontSize(i)).has_value();
    }
    return captionSized == false || textSized == false;
}

CarriedState ScreenRenderer::CardScreensLeave()
{
    CarriedState left;
    // The back colour of the last background that sets one: a picture that can be shown keeps
    // the colour before it, a missing or unreadable one leaves white.
    for (int s = kScreenCount - 1; s >= 0 && !left.back; --s) {
        const std::string& bg = m_.ScreenBG[static_cast<std::size_t>(s)];
        switch (ClassifyBackground(bg)) {
        case BackgroundKind::Color:
            left.back = ColorValueToRgb(ParseBackgroundColor(bg)) | 0xFF000000u;
            break;
        case BackgroundKind::Logo:
            left.back = kLogoBack;
            break;
        case BackgroundKind::File: {
            const auto file = paths_.Map(bg);
            const QImage* picture = nullptr;
            if (!PathExists(file) || !Picture(file, picture))
                left.back = kWhite;
            break;
        }
        }
    }
    // The fonts of the last caption and the last plain text of a known size.
    for (int s = 0; s < kScreenCount; ++s) {
        m_.SetScreen(s);
        for (int i = 0; i < kButtonCount; ++i)
            if (DrawnFace(i))
                if (const auto style = ButtonCaptionStyle(m_.GetBtnSize(i)))
                    left.captionFont = CanvasFont{PointsToPixels(style->points), false};
        for (int i = 0; i < kTextCount; ++i)
            if (m_.GetTxtType(i) == 1)
                if (const auto font = TextFontOf(m_.GetTxtFontSize(i)))
                    left.textFont = CanvasFont{PointsToPixels(font->points), font->bold};
    }
    return left;
}

void ScreenRenderer::RenderIPImage()
{
    DrawBackground();
    for (int i = 0; i < kButtonCount; ++i) { // kButtonCount == kPilotCount
        RIButton(i);
        RIPilot(i);
    }
    for (int i = 0; i < kSliderCount; ++i)
        RISlider(i);
    for (int i = 0; i < kTextCount; ++i)
        RITitleIP(i);
}

IoResult ScreenRenderer::RenderDLImages(int iRes)
{
    for (const bool portrait : {false, true}) {
        const PicSize size = CardPictureSize(iRes, portrait);
        t_.picLayout.Resize(size.width, size.height);
        const bool design = iRes == m_.GetScnRes() && (m_.GetLayout() != 0) == portrait;
        if (!design) {
            // Sixteen files of one content: drawn and encoded once, written once, the others
            // linked to it; the canvas keeps the filler colour as its back colour.
            t_.picLayout.Clear(kFiller);
            EncodeBmp(t_.picLayout.Image(), bmp_);
        }
        std::filesystem::path first;
        for (int s = 0; s < kScreenCount; ++s) {
            const auto file = paths_.BMPImagesDir() / CardBitmapName(iRes, portrait, s);
            m_.SetScreen(s);
            IoResult r;
            if (design) {
                RenderDLImage();
                r = WriteBmpFile(file, t_.picLayout.Image(), bmp_, false);
            } else if (first.empty() || !LinkFileOver(first, file)) {
                r = WriteFileAtomic(file, bmp_, false);
                if (first.empty())
                    first = file;
            }
            if (!r)
                return r;
        }
    }
    return IoResult::Ok();
}

IoResult ScreenRenderer::RenderIPImages(int iRes)
{
    if (iRes != m_.GetScnRes())
        return IoResult::Ok();
    const PicSize size = CardPictureSize(iRes, m_.GetLayout() != 0);
    t_.picLayout.Resize(size.width, size.height);
    for (int s = 0; s < kScreenCount; ++s) {
        m_.SetScreen(s);
        RenderIPImage();
        if (IoResult r = WriteBmpFile(paths_.PreviewDir() / PreviewName(s), t_.picLayout.Image(), bmp_, false); !r)
            return r;
    }
    return IoResult::Ok();
}

void ShowFileNotFound(Prompts& prompts, const std::string& stored)
{
    prompts.Message(MsgIcon::Information, "File Missing", "File Not Found\n" + stored, MsgButtons::Ok);
}

} // namespace kx4
