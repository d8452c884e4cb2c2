#include "services/Chyba_suboru.h"

#include <QDir>

#include <cerrno>
#include <cstring>

namespace Misc {

namespace {
struct Text_chyby {
    Chyba_suboru::Druh druh;
    const char *text; // %1 path, %2 line, %3 owner
};

constexpr Text_chyby texty_chyb[] = {
    {Chyba_suboru::Ziadna, ""},
    {Chyba_suboru::Neexistuje, "Nemožno nájsť súbor %1."},
    {Chyba_suboru::Neda_sa_citat, "Nemožno čítať zo súboru %1."},
    {Chyba_suboru::Neda_sa_zapisat, "Nemožno zapisovať do súboru %1."},
    {Chyba_suboru::Bez_docasneho_suboru, "Nemožno vytvoriť dočasný súbor v adresári %1."},
    {Chyba_suboru::Nad_hranice, "Súbor %1 presahuje na riadku %2 rozsah, ktorý program podporuje."},
    {Chyba_suboru::Poskodeny, "Súbor %1 je poškodený (riadok %2)."},
    {Chyba_suboru::Bez_znamok, "Súbor %1 nedáva známku pre každé percento od 0 do 100."},
    {Chyba_suboru::Nie_je_subor,
     "%1 nie je obyčajný súbor (je to odkaz, adresár alebo zariadenie). Program ho nepoužije ani nezmení."},
    {Chyba_suboru::Prilis_velky, "Súbor %1 je väčší, než aký program môže mať (64 MiB). Program ho nepoužije."},
    {Chyba_suboru::Viac_mien,
     "Súbor %1 má ešte iné meno (je to pevný odkaz na iný súbor). Program ho nepoužije ani nezmení."},
    {Chyba_suboru::Cudzi_vlastnik,
     "Súbor %1 patrí používateľovi %3, nie vlastníkovi priečinka s dátami. Program ho nepoužije: mohol ho tam "
     "dať ktokoľvek, kto smie do priečinka zapisovať."},
    {Chyba_suboru::Existuje, "Súbor %1 už existuje."},
    {Chyba_suboru::Prerusene, "Súbor %1 nebol zmenený."},
    {Chyba_suboru::Zvysok_zapisu, "Do súboru %1 sa nepodarilo zapísať celý záznam a jeho zapísaná časť sa nedala "
                                  "odstrániť: na konci súboru môže ostať neúplný záznam."},
};
// The system's reasons, as the end of a sentence; a sentence of its own
// starts them with a capital.
struct Dovod {
    int chyba;
    const char *text;
};

constexpr Dovod dovody[] = {
    {ENOSPC, "disk je plný."},
    {EDQUOT, "disk je plný: miesto, ktoré má na ňom tento používateľ vyhradené, sa minulo."},
    {EFBIG, "súbor by bol väčší, než systém tomuto používateľovi dovoľuje."},
    {EACCES, "tento používateľ na to nemá povolenie."},
    {EPERM, "tento používateľ na to nemá povolenie."},
    {EROFS, "disk je len na čítanie."},
    {ENOENT, "priečinok neexistuje."},
    {ENOTDIR, "priečinok neexistuje."},
    {EISDIR, "na jeho mieste je priečinok."},
};
} // namespace

QString Dovod_zapisu(int chyba_systemu)
{
    if (chyba_systemu == 0)
        return QStringLiteral("zápis sa nepodaril.");
    for (const Dovod &d : dovody)
        if (d.chyba == chyba_systemu)
            return QString::fromUtf8(d.text);
    const char *meno = ::strerrorname_np(chyba_systemu);
    return QStringLiteral("systém ohlásil chybu %1.")
        .arg(meno ? QString::fromLatin1(meno) : QString::number(chyba_systemu));
}

QString Dovod_systemu(int chyba_systemu)
{
    if (chyba_systemu == 0)
        return {};
    QString veta = Dovod_zapisu(chyba_systemu);
    veta[0] = veta[0].toUpper();
    return veta;
}

QString Chyba_suboru::Text() const
{
    for (const Text_chyby &t : texty_chyb)
        if (t.druh == druh)
            return QString::fromUtf8(t.text)
                .replace(QLatin1String("%1"), QDir::toNativeSeparators(cesta))
                .replace(QLatin1String("%2"), QString::number(riadok))
                .replace(QLatin1String("%3"), vlastnik);
    return {};
}

} // namespace Misc
