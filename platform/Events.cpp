#include "platform/Events.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {
namespace {

int shiftOf(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? vbShiftMask : 0) | (m & Qt::ControlModifier ? vbCtrlMask : 0)
        | (m & Qt::AltModifier ? vbAltMask : 0);
}

int keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 96 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Comma: return 108; // the separator key of some keypads
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    case Qt::Key_Enter: return 13;
    default: return 0;
    }
}

int namedCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    // Shifted digits of the US digit row report the digit's key.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

} // namespace

int mouseButton(const QMouseEvent *e)
{
    const Qt::MouseButtons b = e->type() == QEvent::MouseMove ? e->buttons() : Qt::MouseButtons(e->button());
    return (b & Qt::LeftButton ? vbLeftButton : 0) | (b & Qt::RightButton ? vbRightButton : 0)
        | (b & Qt::MiddleButton ? vbMiddleButton : 0);
}

int shiftState(const QMouseEvent *e)
{
    return shiftOf(e->modifiers());
}

int virtualKeyCode(const QKeyEvent *e)
{
    const int key = e->key();
    if (e->modifiers() & Qt::KeypadModifier) {
        if (int code = keypadCode(key))
            return code;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    return namedCode(key);
}

int usKeyAscii(const KeyPressArgs &k)
{
    // X keyboard codes (evdev + 8), the same under X11 and Wayland; other
    // platforms report no scan code here and keep the typed character.
    struct Poloha {
        quint32 kod;
        char zakladny, s_shiftom;
    };
    static constexpr Poloha polohy[] = {
        {10, '1', '!'},  {11, '2', '@'}, {12, '3', '#'},  {13, '4', '$'},  {14, '5', '%'},  {15, '6', '^'},
        {16, '7', '&'},  {17, '8', '*'}, {18, '9', '('},  {19, '0', ')'},  {20, '-', '_'},  {21, '=', '+'},
        {34, '[', '{'},  {35, ']', '}'}, {47, ';', ':'},  {48, '\'', '"'}, {49, '`', '~'}, {51, '\\', '|'},
        {59, ',', '<'},  {60, '.', '>'}, {61, '/', '?'},  {63, '*', '*'},  {82, '-', '-'},  {86, '+', '+'},
        {106, '/', '/'},
    };
    if (k.Shift & vbCtrlMask || k.Shift & vbAltMask)
        return k.KeyAscii;
    for (const Poloha &p : polohy)
        if (p.kod == k.ScanCode)
            return (k.Shift & vbShiftMask) ? p.s_shiftom : p.zakladny;
    return k.KeyAscii;
}

KeyArgs keyArgs(const QKeyEvent *e)
{
    return KeyArgs{virtualKeyCode(e), shiftOf(e->modifiers()), e->text(), e->nativeScanCode()};
}

} // namespace platform
