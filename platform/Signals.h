#pragma once
// How the program meets the signals of the session around it.
//
// SIGTERM (logout, shutdown), SIGHUP (the terminal gone) and SIGINT
// (Ctrl+C) end the program the ordinary way: the handler only notes the
// signal, and the event loop, once back in control, is left as after the
// last form, so temporary files are removed and a save under way is
// finished first (a wait for another program's lock is given up and the
// result kept). SIGXFSZ is ignored: a write past a file-size limit then
// fails like one on a full disk instead of killing the program mid-save.
namespace platform {

// Once, after the application object is made.
void handleSignals();

// Whether one of the ending signals has come.
bool terminationRequested();

} // namespace platform
