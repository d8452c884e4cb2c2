#include "platform/DisplayMode.h"

#include "platform/Form.h"

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

int ScreenDisplayMode::ChangeMode(const DisplayModeRecord &mode, unsigned)
{
    // The stage's own size asks for the stage to fill the screen; any other
    // mode is the desktop's, which never changed.
    Stage *stage = Stage::instance();
    if ((mode.fields & DisplayField::Width) && mode.width == Stage::kWidth
        && (mode.fields & DisplayField::Height) && mode.height == Stage::kHeight)
        return stage->fillScreen() ? DisplayChangeSuccessful : DisplayChangeFailed;
    stage->leaveScreen();
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
