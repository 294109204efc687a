#include "platform/WindowPlace.h"

#include "data/PanelSizes.h"
#include "platform/DisplaySize.h"

#include <QPalette>
#include <QWidget>

#include <algorithm>

namespace kx4 {
namespace {

// The window's size with its frame: the real one once on screen, else the usual one.
QSize FrameSize(const QWidget& window)
{
    if (window.isVisible() && window.frameGeometry().size() != window.size())
        return window.frameGeometry().size();
    return window.size() + QSize(kFrameWidth, kFrameHeight);
}

int Clamped(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QPoint PlaceInside(QRect frame, QRect area)
{
    return {Clamped(frame.x(), frame.width(), area.x(), area.width()),
            Clamped(frame.y(), frame.height(), area.y(), area.height())};
}

void PlaceWindow(QWidget& window, QPoint wanted, const DisplaySize& display)
{
    const QRect area = display.Available();
    window.move(area.isValid() ? PlaceInside(QRect(wanted, FrameSize(window)), area) : wanted);
}

void CentreOnScreen(QWidget& window, const DisplaySize& display)
{
    const QSize frame = FrameSize(window);
    const TwipsSize screen = display.Twips();
    PlaceWindow(window, {(TwipsToPixels(screen.width) - frame.width()) / 2, (TwipsToPixels(screen.height) - frame.height()) / 2},
                display);
}

void FillBackground(QWidget& widget, const QColor& back, const QColor& text)
{
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Window, back);
    if (text.isValid())
        pal.setColor(QPalette::WindowText, text);
    widget.setPalette(pal);
    widget.setAutoFillBackground(true);
}

} // namespace kx4
