#include "services/Cekani.h"

#include "platform/Services.h"

namespace Misc {

void Cekej_s_udalostmi(qint64 ms) { platform::services().clock().WaitWithEvents(ms); }

void Cekej(qint64 ms) { platform::services().clock().Wait(ms); }

} // namespace Misc
