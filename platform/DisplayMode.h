#pragma once
// Reading and changing the display mode. The program never touches the
// monitor's real mode: a change to the stage's size makes the stage fill
// the screen, scaled, and the change back returns it to a window.
#include <QList>
#include <QSize>

namespace platform {

// The program is drawn scaled so that the stage fills the screen: called
// before the application object exists, this asks the screen's size and
// sets the scale (a QT_SCALE_FACTOR already set is left as it is).
void scaleToScreen(int argc, char **argv);
// The largest factor at which the stage fits a screen of that many pixels,
// in whole 32nds, and never below 1.
double stageScaleFor(QSize screenPixels);

// Which fields of a mode record a change asks for.
namespace DisplayField {
inline constexpr unsigned BitsPerPixel = 0x40000;
inline constexpr unsigned Width = 0x80000;
inline constexpr unsigned Height = 0x100000;
inline constexpr unsigned Frequency = 0x400000;
} // namespace DisplayField

// The change lasts for the run and is not stored.
inline constexpr unsigned DisplayChangeReset = 0x80000000;
inline constexpr int DisplayChangeSuccessful = 0;
inline constexpr int DisplayChangeFailed = -1;

struct DisplayModeRecord {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0;
    unsigned fields = 0;
};

class DisplayMode {
public:
    virtual ~DisplayMode() = default;
    virtual DisplayModeRecord CurrentMode() = 0;
    // Returns DisplayChangeSuccessful or an error code.
    virtual int ChangeMode(const DisplayModeRecord &mode, unsigned flags) = 0;
};

// Reports the screen as it is. A change to 640 x 480 fails where the stage
// cannot fill the screen.
class ScreenDisplayMode final : public DisplayMode {
public:
    DisplayModeRecord CurrentMode() override;
    int ChangeMode(const DisplayModeRecord &mode, unsigned flags) override;
};

class FakeDisplayMode final : public DisplayMode {
public:
    struct Change {
        DisplayModeRecord mode;
        unsigned flags;
    };

    explicit FakeDisplayMode(DisplayModeRecord current = {1920, 1080, 32, 60, 0})
        : current_(current) {}

    DisplayModeRecord CurrentMode() override { return current_; }
    int ChangeMode(const DisplayModeRecord &mode, unsigned flags) override;

    // From now on every change is refused with this code (0 accepts again).
    void FailWith(int code) { failure_ = code; }
    const QList<Change> &Changes() const { return changes_; }

private:
    DisplayModeRecord current_;
    int failure_ = DisplayChangeSuccessful;
    QList<Change> changes_;
};

} // namespace platform
