#include "platform/DisplaySize.h"

#include <QGuiApplication>
#include <QScreen>

namespace kx4 {

TwipsSize ScreenDisplaySize::Twips() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect g = screen->geometry();
    return {g.width() * 15, g.height() * 15};
}

QRect ScreenDisplaySize::Available() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace kx4
