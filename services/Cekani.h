#pragma once
// Millisecond waits on the program's 64-bit monotonic clock, so no wait
// misbehaves when a 32-bit tick count would wrap. Both last until the clock
// is past now + ms, so even a wait of 0 lets the clock move on.
#include <QtGlobal>

namespace Misc {

// Handles pending events on every turn (clicks, timers) while waiting.
void Cekej_s_udalostmi(qint64 ms);
// Handles no events: the interface is blocked for the whole wait.
void Cekej(qint64 ms);

} // namespace Misc
