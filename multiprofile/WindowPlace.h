#pragma once
// Placing the builder's windows: design places in twips, and centring on the screen.
#include "data/PanelSizes.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace kx4 {

// A design place in twips as whole pixels.
inline QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// Centres `window` on the screen it shows on (the primary one before it is shown).
inline void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace kx4
