#include "platform/DisplayMode.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

DisplayModeRecord ScreenDisplayMode::CurrentMode()
{
    DisplayModeRecord mode;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return mode;
    const QSize size = screen->size() * screen->devicePixelRatio();
    mode.width = size.width();
    mode.height = size.height();
    mode.bitsPerPixel = screen->depth();
    mode.frequency = qRound(screen->refreshRate());
    return mode;
}

int ScreenDisplayMode::ChangeMode(const DisplayModeRecord &, unsigned)
{
    return DisplayChangeSuccessful;
}

int FakeDisplayMode::ChangeMode(const DisplayModeRecord &mode, unsigned flags)
{
    changes_.append({mode, flags});
    if (failure_ != DisplayChangeSuccessful)
        return failure_;
    if (mode.fields & DisplayField::Width)
        current_.width = mode.width;
    if (mode.fields & DisplayField::Height)
        current_.height = mode.height;
    if (mode.fields & DisplayField::BitsPerPixel)
        current_.bitsPerPixel = mode.bitsPerPixel;
    if (mode.fields & DisplayField::Frequency)
        current_.frequency = mode.frequency;
    return DisplayChangeSuccessful;
}

} // namespace platform
