#pragma once
// The built-in pictures, drawn at first use; all in QImage::Format_RGB32.
// Each look-up takes the record value that names the picture and gives null outside the table.
class QImage;

namespace kx4 {

const QImage* ButtonFace(int buttonDsnImage);             // 1-8
const QImage* PilotIconOn(int icon);                      // 0-2
const QImage* PilotIconOff(int icon);                     // 0-2
const QImage* SliderPicture(int sliderRecImage);          // 1-10, as the designer shows it
const QImage* SliderRenderPicture(int sliderRecImage);    // 1-10, as the card previews draw it
const QImage* ClockPicture(int textType, int fontSize, int color); // types 10-12, sizes 0-3
const QImage* TextBoxPicture(int fontSize);               // 0-3
const QImage* BarPicture(int textType);                   // 4-9
const QImage* WindowIcon();                               // 32 x 32

} // namespace kx4
