#pragma once
// Event data as the form and control handlers receive it.
#include <QString>
#include <functional>

class QKeyEvent;
class QMouseEvent;

namespace platform {

// Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt.
enum { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// KeyDown: KeyCode is the Windows virtual-key code of the key (13 Enter,
// 9 Tab, 48-57 digit row, 96-105 keypad digits, 108 keypad separator ...);
// a handler may change it, and 0 drops the key. Text and ScanCode let a
// handler find the key by its US position whatever the layout.
struct KeyArgs {
    int KeyCode = 0;
    int Shift = 0;
    QString Text;
    quint32 ScanCode = 0;
};

// KeyPress: KeyAscii is the character code; a handler may replace it, and
// 0 drops the character.
struct KeyPressArgs {
    int KeyAscii = 0;
    QString Text;
    quint32 ScanCode = 0;
    int Shift = 0;
};

// The character that a key of the digit row or an operator key gives on the
// US layout, found by the key's position (its scan code); any other key keeps
// its own character. Answer cells and the calculator read keys this way, so
// that a national layout cannot type letters that the maths font shows as
// superscript digits.
int usKeyAscii(const KeyPressArgs &k);

using MouseHandler = std::function<void(int Button, int Shift, int X, int Y)>;
using PlainHandler = std::function<void()>;
using KeyDownHandler = std::function<void(KeyArgs &)>;
using KeyPressHandler = std::function<void(KeyPressArgs &)>;

int mouseButton(const QMouseEvent *e);
int shiftState(const QMouseEvent *e);
KeyArgs keyArgs(const QKeyEvent *e);
int virtualKeyCode(const QKeyEvent *e);

} // namespace platform
