#pragma once
// Every dialog of the program fits the screen it is shown on, its own and
// Qt's (the file chooser is laid out for a desktop, and the program's
// scale can make it taller than the screen).

namespace platform {

// From now on, for the rest of the run; needs the application object.
void keepDialogsOnScreen();

} // namespace platform
