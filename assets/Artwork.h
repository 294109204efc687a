#pragma once
// The built-in pictures: button faces, pilot icons, slider pictures, clock and date samples,
// bar-graph samples, value boxes and the window icon. Each is drawn by code on first use and kept
// for the rest of the run; all are QImage::Format_RGB32 and none contains the magenta key colour.
// GUI thread only, after the QGuiApplication exists (the clock samples need its fonts).
#include "assets/ArtworkSizes.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <optional>
#include <string>
#include <vector>

namespace kx4 {

// Five-bit colour level widened to eight bits, as the 16-bit pictures store their colours.
constexpr int Widen5(int v5) { return (v5 << 3) | (v5 >> 2); }

// Texts of the clock and date samples, by clock type 0 (12-hour), 1 (24-hour), 2 (date).
inline constexpr const char* kClockTexts[3] = {"12:59 AM", "00:59", "01/01/24"};

// The pictures by table index; an index outside its table gives an empty (null) picture.
const QImage& imgButton(int index);       // 0-7, 16-bit colours
const QImage& imgSIOn(int index);         // 0-2, 16-bit colours
const QImage& imgSIOff(int index);        // 0-2, 16-bit colours
const QImage& imgSlider(int index);       // 0-9, knob at mid-height
const QImage& imgSliderRender(int index); // 0-9, knob at the top, track filled
const QImage& picClkCal(int index);       // 0-23
const QImage& picBGSml();
const QImage& picBGLrg();
const QImage& picTextBox(int index);      // 0-3
const QImage& WindowIcon();               // 32 x 32, colours of the standard 16-colour palette

// Look-ups by record value; null when the value lies outside the picture table (damaged data).
const QImage* ButtonFace(int image);          // ButtonDsn.Image 1-8 (0 is a face-less target)
const QImage* PilotIconOn(int icon);          // PilotRec.Icon 0-2
const QImage* PilotIconOff(int icon);         // PilotRec.Icon 0-2
const QImage* SliderPicture(int image);       // SliderRec.Image 1-10
const QImage* SliderRenderPicture(int image); // SliderRec.Image 1-10
const QImage* ClockPicture(int type, int fontSize, int color); // TextRec.Type 10-12, TextDsn.FontSize 0-3
const QImage* TextBoxPicture(int fontSize);   // TextDsn.FontSize 0-3
const QImage* BarPicture(int type);           // TextRec.Type 4-6 small, 7-9 large

// The clock and date samples: their font at `pixels` pixels (Arial, bold for font sizes 0 and 1,
// without anti-aliasing); the room their text may fill, the picture of clock type `type` (0-2) and
// font size `fontSize` (0-3) less its margins; and the text's pixel size, the largest from twice
// the picture's height down to kSmallestClockPixels whose drawn ink fits that room (0 if none).
QFont ClockFont(int fontSize, int pixels);
QSize ClockTextRoom(int type, int fontSize);
int ClockTextPixels(int type, int fontSize);
inline constexpr int kSmallestClockPixels = 4;

// Index into picClkCal for a clock or date object; a colour other than 0 counts as white (1).
std::optional<int> ClockPicIndex(int type, int fontSize, int color);

// One built-in picture under a descriptive name (e.g. "imgButton_0"), with the depth it stands
// for: 16 (five bits per colour) or 24.
struct ArtworkPicture {
    std::string name;
    const QImage* image = nullptr;
    int bitsPerPixel = 24;
};

// Every built-in picture, in table order.
std::vector<ArtworkPicture> AllArtwork();

} // namespace kx4
