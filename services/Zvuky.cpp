#include "services/Zvuky.h"

#include "platform/Services.h"
#include "platform/ResourcePath.h"
#include "services/Konfigurace.h"

namespace Misc {

namespace {

QString Zvuk_enter() { return platform::resolvePath(Cesta_CD + QStringLiteral("Sound\\enter.wav")); }
QString Zvuk_click() { return platform::resolvePath(Cesta_CD + QStringLiteral("Sound\\click.wav")); }

} // namespace

void Priprav_zvuky()
{
    platform::services().sound().Preload(Zvuk_enter());
    platform::services().sound().Preload(Zvuk_click());
}

void Zahraj_enter() { platform::services().sound().Play(Zvuk_enter()); }

void Zahraj_click() { platform::services().sound().Play(Zvuk_click()); }

} // namespace Misc
