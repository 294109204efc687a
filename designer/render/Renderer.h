#pragma once
// The screen renderer: draws screens of the project into card screen pictures (background, picture
// Buttons with captions, plain texts, empty value boxes) and previews (every element kind), and
// writes them as BMP files.
#include "assets/ArtworkSizes.h"
#include "data/FileIO.h"
#include "designer/render/Canvas.h"

#include <QImage>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QString;

namespace kx4 {

class modOrvel;
class Paths;
class Prompts;

// The two pictures a renderer draws on: the canvas of the display's size and the scratch picture
// that holds one Button caption at a time.
struct RenderTarget {
    Canvas picLayout;
    Canvas picRender;
};

// What drawing on a target leaves there for the next drawing, which starts from it: the canvas's
// back colour and font and the caption font. A part a drawing does not set is none: the target
// keeps what it held before.
struct CarriedState {
    std::optional<QRgb> back;
    std::optional<CanvasFont> textFont;
    std::optional<CanvasFont> captionFont;

    // The whole state of `target`.
    static CarriedState Of(const RenderTarget& target);
    // Puts the parts given onto `target`.
    void ApplyTo(RenderTarget& target) const;
    // This state after `earlier`: its parts, the others from `earlier`.
    CarriedState After(const CarriedState& earlier) const;
    bool Whole() const { return back && textFont && captionFont; }
    bool operator==(const CarriedState&) const = default;
};

// W x H in pixels of the display of resolution index `iRes` (0-2) in landscape or portrait;
// 0 x 0 for other indices.
PicSize CardPictureSize(int iRes, bool portrait);

// "SR" + size digit + "L"/"P" + two-digit screen + ".BMP".
std::string CardBitmapName(int iRes, bool portrait, int screen);
// "Screen 00 Home.BMP" for screen 0, "Screen NN.BMP" for the others.
std::string PreviewName(int screen);

// Prints `caption` into the scratch picture in its current font and colour, and copies its text
// pixels onto the canvas with the scratch's top-left corner at (x, y) pixels. The key is the
// canvas colour at (x, y), white outside the canvas; caption pixels of the key colour vanish.
void PrintCaption(RenderTarget& target, int x, int y, const QString& caption);

// Background pictures decoded by one renderer and kept for the next: a file whose identity, size
// and times have not changed since it was read, and were not just written, is not read again. Only
// the decoded pictures are kept, not the file's bytes.
class PictureShelf {
public:
    // The picture `file` holds as it reads now.
    IoResult Get(const std::filesystem::path& file, const QImage*& picture);
    // Forgets the pictures not asked for since the last call.
    void KeepOnlyUsed();

    // A file's identity and times: while they stay, so do its contents.
    struct Stamp {
        std::uint64_t dev = 0, ino = 0;
        std::int64_t size = -1, mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;
        bool operator==(const Stamp&) const = default;
    };

private:
    struct Kept {
        Stamp stamp;
        QImage picture;
        bool used = true;
    };
    std::map<std::filesystem::path, Kept> kept_;
};

// Draws the screens of `project` onto `target`. Each drawer works on the current screen of the
// project; the writers step the current screen through 0-15 and leave it at 15. A renderer reads
// each background or logo file once: make a new one for each run.
class ScreenRenderer {
public:
    // `prompts` shows the boxes of a missing or unreadable background picture; `shelf`, where
    // given, keeps the pictures read for the next renderer.
    ScreenRenderer(modOrvel& project, const Paths& paths, RenderTarget& target, Prompts& prompts,
                   PictureShelf* shelf = nullptr);

    // One element slot of the current screen.
    void RIButton(int iBNum);  // picture and caption; stores the caption insets of its size class
    void RIPilot(int iPNum);   // previews
    void RISlider(int iSNum);  // previews
    void RITitleDL(int iTNum); // as the card picture shows it
    void RITitleIP(int iTNum); // as the preview shows it

    // The background of the current screen.
    void DrawBackground();
    // The logo of the design's size and orientation over the canvas, when its file can be read.
    void LoadQVRBG();

    // The current screen on the canvas, as it is.
    void RenderDLImage(); // card screen picture
    void RenderIPImage(); // preview

    // Before RenderDLImage of screens 0 to 15 in turn, as that drawing will find the background
    // pictures (read here), stepping the current screen through 0-15:
    // whether it shows what earlier drawing left on the target, that is the back colour around a
    // picture smaller than `card` (panel pixels) before any background sets a colour, or the font
    // of a caption or text of no known size before the first of a known size;
    bool CardScreensUseCarried(PicSize card);
    // what it leaves on the target for the next drawing.
    CarriedState CardScreensLeave();

    // Writes the 32 card screen pictures of resolution `iRes` into the BMPImages folder; a
    // failure names the file and stops.
    IoResult RenderDLImages(int iRes);
    // Writes the 16 previews into the "Screen Preview" folder when `iRes` is the design's
    // resolution.
    IoResult RenderIPImages(int iRes);

private:
    // The face Button iBNum shows, none for a Button that draws nothing.
    const QImage* DrawnFace(int iBNum) const;
    void PrintText(int iTNum);
    void CopyValueBox(int iTNum);
    // The BMP file read as a picture, once per renderer; fails when it cannot be read as one.
    IoResult Picture(const std::filesystem::path& file, const QImage*& picture);
    // Makes the BMP file the canvas picture; fails when it cannot be read as one.
    IoResult LoadPicture(const std::filesystem::path& file);

    modOrvel& m_;
    const Paths& paths_;
    RenderTarget& t_;
    Prompts& prompts_;
    // Pictures already read, by file: a background serves many screens and both pictures.
    PictureShelf own_;
    PictureShelf& shelf_;
    std::map<std::filesystem::path, const QImage*> pictures_;
    std::vector<std::uint8_t> bmp_; // the file being written, its storage kept from picture to picture
};

// The box that names a missing background picture, `stored` as the project holds it; the designer
// and the renderer show the same one.
void ShowFileNotFound(Prompts& prompts, const std::string& stored);

} // namespace kx4
