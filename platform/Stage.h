#pragma once
// The program's one window and what the window system does with it: the
// pages in front, full screen, dialogs over it, the window manager's close.
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>

class QAbstractNativeEventFilter;
class QDialog;

namespace platform {

class Form;
class StageHost;

// How long full screen is awaited: the window to show at all (a busy
// window manager maps it seconds late), then to cover the screen. Tests
// shorten them.
struct FullScreenWaitLimits {
    std::chrono::milliseconds shown{20000};
    std::chrono::milliseconds covers{3000};
};
FullScreenWaitLimits &FullScreenWaits();

// The program's one window, 640 x 480 pixels. It may fill the screen: a
// full-screen window then shows it centred on black, the program being
// drawn at the scale that fits (scaleToScreen), and the screen positions
// that forms and the mouse report are stage pixels, as on a screen of the
// stage's size.
class Stage : public QWidget {
    Q_OBJECT
public:
    static Stage *instance();
    ~Stage() override;
    static constexpr int kWidth = 640, kHeight = 480;
    void bringToFront(Form *f);
    // The page in front: the one the pupil sees.
    Form *frontPage() const;

    // False where the screen is smaller than the stage or the window system
    // keeps the window from filling it; the stage then stays a window.
    bool fillScreen();
    // The stage becomes a window again, shown with the next form shown.
    void leaveScreen();
    bool fillsScreen() const { return host_ != nullptr; }
    // Screen pixels per stage pixel.
    double scale() const;
    // The window the pupil sees: the full-screen one, or the stage.
    QWidget *shownWindow();
    // What dialogs open over, centred on it.
    static QWidget *dialogParent();
    // Runs a modal dialog; the control that had the keyboard focus has it
    // again afterwards, whatever the window system did with it meanwhile.
    static int runDialog(QDialog &dialog);

    // A close of the window asked by the window system (its close button,
    // Alt+F4), at any time, a dialog open or not: the window stays, and
    // `handler` runs once no wait with events runs (EventWait, which every
    // dialog, wait and DoEvents holds). Requests that come before it has
    // returned are the one it answers.
    static void onCloseRequest(std::function<void()> handler);
    void requestClose();
    // The outermost wait with events is over: a close asked meanwhile is
    // answered next.
    static void waitsOver();

    // Screen positions as the forms know them, and back to stage pixels.
    QPoint toScreen(QPoint stagePixel) const;
    QPoint toStage(QPoint screenPixel) const;
    QPoint cursorPosition() const;

protected:
    void changeEvent(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    Stage();
    StageHost *host_ = nullptr;
    enum class Close { None, Asked, Answering } close_ = Close::None;
    std::function<void()> closeHandler_;
    std::unique_ptr<QAbstractNativeEventFilter> closeFilter_, sizeFilter_;
    void answerSoon();
    void answerClose();
};

} // namespace platform
