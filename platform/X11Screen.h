#pragma once
// What Qt's scaling cannot say in whole screen pixels, asked of and told to
// the X server directly. With a fractional scale a window's logical size
// maps to a device size one pixel short or over, and a child can only sit
// on whole logical pixels; here windows are placed in device pixels. Where
// the platform is not xcb everything here answers "nothing" and does nothing.
#include <QByteArray>
#include <QRect>
#include <functional>
#include <optional>
#include <vector>

class QImage;
class QWidget;

namespace platform::x11 {

struct PrimaryScreen {
    QRect pixels;             // the primary monitor, in device pixels
    double platformFactor = 1; // the scale Qt's xcb platform applies there
};

// Over a connection of its own, closed again: for use before the
// application object exists. `display` as -display takes it (empty: $DISPLAY).
std::optional<PrimaryScreen> askPrimaryScreen(const QByteArray &display);

// Once the application runs: whether it runs on X, and the primary monitor
// in device pixels.
bool running();
std::optional<QRect> primaryScreenPixels();
// Whether it runs on X with no window manager, so windows get no frame.
bool withoutWindowManager();

// Places a widget's own X window in device pixels, relative to its parent
// window; the widget must have a native window.
void placeWindow(QWidget *w, QRect pixels);
void moveWindow(QWidget *w, QPoint pixels);

// Copies rectangles of `image` onto the widget's own window, pixel
// `offset` + p of the image onto pixel p of the window.
void putImage(QWidget *w, const QImage &image, QPoint offset, const std::vector<QRect> &rects);

// A black window of the server's own under every child of `parent`,
// covering it: what Qt leaves unpainted shows black. Input goes on to the
// parent, and the parent's cursor shows over it. Returns its id, 0 if none.
unsigned coverWithBlack(QWidget *parent, QSize pixels);

// The window a native event of the application tells a place or size of
// (ConfigureNotify); 0 when the event is something else.
unsigned configuredWindowOf(const QByteArray &eventType, const void *message);

// A window's new size as the server tells it (ConfigureNotify), wider or
// taller than the X screen it is on (at the screen's size now), whatever a
// window manager asked: cut to the screen's in the event itself, before Qt
// takes it, where `ours` says the window is one of the program's. Returns
// the window cut, 0 if none.
unsigned cutToScreen(const QByteArray &eventType, void *message, const std::function<bool(unsigned)> &ours);

// Where no window manager puts it back: a window is placed on the server
// where Qt has it, within the X screen.
void placeAsQtHasIt(QWidget *w);

// The X server's time now (what its input events are stamped with), asked
// over a connection of its own; none when it is not X or cannot be asked.
std::optional<unsigned> serverTime();

// The window a native event of the application asks to close on behalf of
// the window manager (WM_DELETE_WINDOW: its close button, Alt+F4); 0 when
// the event is something else.
unsigned closeRequestOf(const QByteArray &eventType, const void *message);

} // namespace platform::x11
