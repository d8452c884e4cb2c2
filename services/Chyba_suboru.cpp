#include "services/Chyba_suboru.h"

#include <QDir>
#include <QStringList>

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
// starts them with a capital. Those a teacher may not know at once are
// followed by the system's name for them, for whoever helps.
struct Dovod {
    int chyba;
    const char *text;
    bool so_znackou = true;
};

constexpr Dovod dovody[] = {
    {Disk_kazi_subory,
     "priečinok je na disku FAT pripojenom cez fusefat, ktorý sám od seba poškodzuje súbory, preto sa doň nič "
     "nezapisuje. Priečinok má byť na disku FAT, ktorý pripojil systém (USB kľúč alebo oddiel FAT), alebo na inom "
     "disku",
     false},
    {Disk_odmietol_zapis, "disk odmietol zápis (EPERM)", false},
    {Disk_odmietol_zapis_mozno_plny,
     "disk odmietol zápis; možno je plný, neudáva svoju veľkosť ani voľné miesto (EPERM)", false},
    {Disk_kazi_citane,
     "priečinok je na disku FAT pripojenom cez fusefat, ktorý sám od seba poškodzuje súbory: programu, ktorý súbor "
     "číta spolu s iným, dáva namiesto jeho obsahu nuly, takže súbor môže byť v poriadku. Priečinok má byť na "
     "disku FAT, ktorý pripojil systém (USB kľúč alebo oddiel FAT), alebo na inom disku",
     false},
    {ENOSPC, "disk je plný", false},
    {EDQUOT, "disk je plný: miesto, ktoré má na ňom tento používateľ vyhradené, sa minulo", false},
    {EFBIG, "súbor by bol väčší, než systém tomuto používateľovi dovoľuje", false},
    {EACCES, "tento používateľ na to nemá povolenie", false},
    {EPERM, "tento používateľ na to nemá povolenie", false},
    {EROFS, "disk je len na čítanie", false},
    {ENOENT, "priečinok neexistuje", false},
    {ENOTDIR, "priečinok neexistuje", false},
    {EISDIR, "na jeho mieste je priečinok", false},
    {EIO, "disk sa nedal čítať alebo zapisovať; môže byť poškodený alebo odpojený"},
    {ENOSYS, "súborový systém priečinka túto operáciu nepozná"},
    {EOPNOTSUPP, "súborový systém priečinka túto operáciu nepodporuje"},
    {ENAMETOOLONG, "názov súboru je dlhší, než aký súborový systém dovoľuje"},
    {EILSEQ, "názov súboru má znaky, ktoré súborový systém neprijíma"},
    {EINVAL, "súborový systém priečinka takúto operáciu alebo takýto názov neprijíma"},
    {ELOOP, "na mieste súboru alebo priečinka je odkaz"},
    {EEXIST, "súbor s týmto názvom už existuje"},
    {ENOTEMPTY, "priečinok nie je prázdny"},
    {EMLINK, "súbor alebo priečinok má priveľa odkazov"},
    {EXDEV, "súbor sa nedá presunúť na iný disk"},
    {EBUSY, "súbor alebo disk práve používa systém"},
    {ETXTBSY, "súbor práve používa iný program"},
    {EMFILE, "program má otvorených priveľa súborov"},
    {ENFILE, "systém má otvorených priveľa súborov"},
    {ENOMEM, "systému nestačí pamäť"},
    {ENOBUFS, "systému nestačí pamäť"},
    {EAGAIN, "systém to teraz nemôže urobiť; neskôr to môže ísť"},
    {EINTR, "zápis prerušil signál"},
    {ENOLCK, "súborový systém priečinka nemá voľné zámky"},
    {EDEADLK, "zámok súboru by čakal navždy"},
    {EOVERFLOW, "súbor je pre tento program priveľký"},
    {ESPIPE, "súbor nie je obyčajný súbor"},
    {ENXIO, "zariadenie neexistuje alebo nie je pripojené"},
    {ENODEV, "zariadenie neexistuje alebo nie je pripojené"},
    {ENOMEDIUM, "v mechanike nie je disk"},
    {EMEDIUMTYPE, "disk v mechanike je iného druhu"},
    {EUCLEAN, "súborový systém disku je poškodený"},
    {EBADMSG, "údaje na disku sú poškodené"},
    {ESTALE, "sieťový priečinok sa medzitým zmenil alebo odpojil"},
    {ETIMEDOUT, "sieťový disk neodpovedal včas"},
    {ENOTCONN, "sieťový disk je odpojený"},
    {ECONNRESET, "spojenie so sieťovým diskom sa prerušilo"},
    {ECONNABORTED, "spojenie so sieťovým diskom sa prerušilo"},
    {EPIPE, "spojenie so sieťovým diskom sa prerušilo"},
    {ECONNREFUSED, "počítač so sieťovým diskom spojenie odmietol"},
    {EHOSTDOWN, "počítač so sieťovým diskom je nedostupný"},
    {EHOSTUNREACH, "počítač so sieťovým diskom je nedostupný"},
    {ENETDOWN, "sieť je nedostupná"},
    {ENETUNREACH, "sieť je nedostupná"},
    {EREMOTEIO, "sieťový disk ohlásil chybu"},
    {EPROTO, "sieťový disk odpovedal nezrozumiteľne"},
    {EKEYEXPIRED, "prihlásenie k sieťovému disku vypršalo; prihláste sa znova"},
    {ENOKEY, "tento používateľ nie je prihlásený k sieťovému disku"},
    {ECANCELED, "zápis bol zrušený"},
    {EBADF, "program stratil prístup k otvorenému súboru"},
};

// ENOTCONN where the folder is not known to be on a network: a FUSE disk
// whose program has ended answers so.
constexpr Dovod odpojeny_disk = {ENOTCONN, "disk priečinka je odpojený; možno sa skončil program, ktorý ho "
                                           "sprístupňoval"};

// The file systems of a network, as the table of mounts names them.
bool Sietovy(const QString &druh_disku)
{
    static const QStringList sietove{"nfs",   "nfs4", "cifs", "smb3", "smbfs", "ncpfs",
                                     "afs",   "ceph", "9p",   "coda", "lustre"};
    return sietove.contains(druh_disku);
}

// The system's name for the error ("ENOSYS"), or its number.
QString Znacka(int chyba_systemu)
{
    const char *meno = ::strerrorname_np(chyba_systemu);
    return meno ? QString::fromLatin1(meno) : QString::number(chyba_systemu);
}
} // namespace

QString Dovod_zapisu(int chyba_systemu, const QString &druh_disku)
{
    if (chyba_systemu == 0)
        return QStringLiteral("zápis sa nepodaril.");
    const auto text = [chyba_systemu](const Dovod &d) {
        return QString::fromUtf8(d.text)
            + (d.so_znackou ? QStringLiteral(" (%1).").arg(Znacka(chyba_systemu)) : QStringLiteral("."));
    };
    if (chyba_systemu == ENOTCONN && !Sietovy(druh_disku))
        return text(odpojeny_disk);
    for (const Dovod &d : dovody)
        if (d.chyba == chyba_systemu)
            return text(d);
    return QStringLiteral("systém ohlásil chybu, ktorú program nevie opísať (%1).").arg(Znacka(chyba_systemu));
}

QString Dovod_systemu(int chyba_systemu, const QString &druh_disku)
{
    if (chyba_systemu == 0)
        return {};
    QString veta = Dovod_zapisu(chyba_systemu, druh_disku);
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
