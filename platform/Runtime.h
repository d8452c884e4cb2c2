#pragma once
// Runtime services of the forms that are not a form or a control.
#include <QPoint>
#include <QString>

#include <chrono>
#include <memory>

class QObject;

namespace platform {

// Qt's own dialogs and buttons speak Slovak: Qt's Slovak catalogue, the
// standard buttons' texts that this Qt takes from a context the catalogue
// lacks, and the program's own catalogue of what Qt's lacks of the file
// chooser. Needs the application object; called again, it puts them before
// any translator installed since.
void InstallTranslations();

// Lets pending events run (input, paints, timers) and returns; a close
// of the window asked meanwhile is answered after it (EventWait).
void DoEvents();

// Held by every wait that handles events while code runs below it (a pause
// of a screen, a save waiting for the folder's lock, a print job followed,
// a dialog, DoEvents): a close of the window asked meanwhile is answered
// once the outermost of them is over, never under the code still running.
class EventWait {
public:
    EventWait();
    ~EventWait();
    EventWait(const EventWait &) = delete;
    EventWait &operator=(const EventWait &) = delete;
    static bool running();
};

// A wait that keeps the screen painted: from the first Paint the wait
// cursor shows until the object goes; clicks and keys wait until then.
class BusyWait {
public:
    BusyWait() = default;
    ~BusyWait();
    BusyWait(const BusyWait &) = delete;
    BusyWait &operator=(const BusyWait &) = delete;
    // Paints what is pending and runs timers and notifiers.
    void Paint();

private:
    EventWait waiting_;
    bool cursor_ = false;
};

// A wait the program tells of, for as long as the object lives: a short
// note in the middle of the stage, painted before the wait starts, and the
// wait cursor. Keys and clicks given meanwhile were meant for no screen:
// those that have reached the program when the object goes are dropped,
// so they do not arrive all at once in a field after the wait; on X, so
// are those that come later, by the server's time they were given. Notes
// of waits under way together share one box, the newest on top.
class WaitNote {
public:
    explicit WaitNote(const QString &text);
    ~WaitNote();
    WaitNote(const WaitNote &) = delete;
    WaitNote &operator=(const WaitNote &) = delete;

    // For work done on the screen's thread under the note, between its
    // steps: says text instead, and lets what is pending run (paints,
    // timers; keys and clicks are dropped), every 20 ms at most, the text
    // painted anew every 50 ms. False once the program is told to end, when
    // the work should stop as every wait does.
    bool Update(const QString &text);

private:
    EventWait waiting_;
    QString text_;
    std::chrono::steady_clock::time_point shown_, turned_;
    std::unique_ptr<QObject> dropInput_;
};

// Sends keystrokes to the control with the focus and returns once they
// are handled. Only "{TAB}" is understood; false for anything else.
bool SendKeys(const QString &keys);

// Twips per pixel: fixed at 15, so the twip arithmetic of the forms gives
// whole pixels whatever the desktop's DPI.
struct Screen {
    static constexpr int TwipsPerPixelX = 15;
    static constexpr int TwipsPerPixelY = 15;
};

// The mouse position in screen pixels (stage pixels while the stage fills
// the screen).
QPoint cursorPosition();

} // namespace platform
