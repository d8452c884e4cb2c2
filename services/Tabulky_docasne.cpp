// Stand-in until the scrambled-file reader is on main.
#include "services/Cesty.h"
#include "services/Prekodovani.h"
#include "services/Tabulky.h"

#include <QFile>
#include <QStringDecoder>

namespace Misc {

namespace {
QStringList Riadky(const QString &cesta, bool prekodovany)
{
    QFile f(Skutocna_cesta(cesta));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray b = f.readAll();
    if (prekodovany)
        Prekoduj_bajty(b);
    QStringDecoder d("windows-1250");
    QString t = d(b);
    QStringList r = t.split(QStringLiteral("\r\n"));
    if (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}
} // namespace

void Nacti_znamky(const QString &cesta) { Napln_znamky(Riadky(cesta, false)); }
void Nacti_texty(const QString &cesta) { Napln_texty(Riadky(cesta, true)); }

} // namespace Misc
