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

} // namespace platform
