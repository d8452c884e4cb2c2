#pragma once
// Every dialog of the program fits the screen it is shown on, its own and
// Qt's (the file chooser is laid out for a desktop, and the program's
// scale can make it taller than the screen).

class QDialog;

namespace platform {

// From now on, for the rest of the run; needs the application object.
void keepDialogsOnScreen();

// A dialog shown whose window has a size other than the dialog's (one Qt
// did not hand on) is fitted anew: the window is asked for the dialog's
// fitted size and place.
void fitAgain(QDialog &dialog);

// The window manager gave a shown dialog's window a size, as the server
// tells it before Qt hears of it: within the screen or beyond it. A dialog
// whose fitting it undoes within moments of granting it, a few times in a
// row, is fitted no more (as its window grows or by fitAgain) until it is
// shown again: it keeps the window manager's size, cut to the screen.
void sizedByWindowManager(QDialog &dialog, bool beyondScreen);

} // namespace platform
