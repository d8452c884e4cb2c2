#include "services/Pismo.h"

#include "services/Konfigurace.h"
#include "platform/ResourcePath.h"

#include <QFontDatabase>

namespace Misc {

namespace {
int id_pisma = -1;
}

void Zaregistruj_pismo()
{
    Soubor_pisma = Cesta_CD + QStringLiteral("Data\\Ruvo.ttf");
    Odeber_pismo();
    // A file that cannot be registered is not reported: text then falls
    // back to another family.
    id_pisma = QFontDatabase::addApplicationFont(platform::resolvePath(Soubor_pisma));
}

void Odeber_pismo()
{
    if (id_pisma >= 0)
        QFontDatabase::removeApplicationFont(id_pisma);
    id_pisma = -1;
}

} // namespace Misc
