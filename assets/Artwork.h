#pragma once
// The built-in pictures, drawn at first use; each look-up takes the element's record value and
// gives null when that value lies outside the picture table. All pictures are RGB32.
#include <QImage>

namespace kx4 {

const QImage* ButtonFace(int buttonDsnImage);            // ButtonDsn.Image 1-8
const QImage* PilotIconOn(int icon);                     // PilotRec.Icon 0-2
const QImage* PilotIconOff(int icon);                    // PilotRec.Icon 0-2
const QImage* SliderPicture(int sliderRecImage);         // SliderRec.Image 1-10
const QImage* SliderRenderPicture(int sliderRecImage);   // SliderRec.Image 1-10
const QImage* ClockPicture(int textType, int fontSize, int color); // types 10-12, sizes 0-3
const QImage* TextBoxPicture(int fontSize);              // TextDsn.FontSize 0-3
const QImage* BarPicture(int textType);                  // TextRec.Type 4-9

} // namespace kx4
