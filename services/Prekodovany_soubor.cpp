#include "services/Prekodovany_soubor.h"

#include "services/Bezpecny_subor.h"
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>

#include <cerrno>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace Misc {

namespace {

// The copy has no name: it is made nameless in the folder, or, where the
// file system cannot do that, its name is removed as soon as it is made,
// so no end of the program, a kill or a lost X server included, leaves it
// behind. It is read and written through its descriptor, and its path is
// the descriptor's own.
QFile *docasny = nullptr;
QString docasny_adresar;

void Odstran_kopiu() { delete std::exchange(docasny, nullptr); }

int Subor_bez_mena(const QString &adresar)
{
    const QByteArray cesta = QFile::encodeName(adresar);
    const int fd = ::open(cesta.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    QByteArray vzor = cesta + "/Dat.XXXXXX.tmp";
    const int s_menom = ::mkostemps(vzor.data(), 4, O_CLOEXEC);
    if (s_menom >= 0)
        ::unlink(vzor.constData());
    return s_menom;
}

QString Adresar_pre_kopiu()
{
    for (const char *premenna : {"TMP", "TEMP"}) {
        const QString hodnota = qEnvironmentVariable(premenna);
        if (!hodnota.isEmpty())
            return hodnota;
    }
    return QDir::tempPath();
}

// The copy is created once per directory; a changed TMP or TEMP gets a new one.
Chyba_suboru Priprav_kopiu()
{
    const QString adresar = Adresar_pre_kopiu();
    if (docasny && adresar == docasny_adresar)
        return {};
    Odstran_kopiu();
    const int fd = Subor_bez_mena(adresar);
    auto subor = std::make_unique<QFile>();
    if (fd < 0 || !subor->open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return {Chyba_suboru::Bez_docasneho_suboru, adresar};
    }
    [[maybe_unused]] static const bool s_aplikaciou = (qAddPostRoutine(Odstran_kopiu), true);
    docasny = subor.release();
    docasny_adresar = adresar;
    return {};
}

QString Cesta_kopie() { return QStringLiteral("/proc/self/fd/%1").arg(docasny->handle()); }

bool Je_kopia(const QString &cesta) { return docasny && cesta == Cesta_kopie(); }

Chyba_suboru Precti_kopiu(QByteArray &obsah)
{
    if (!docasny->seek(0))
        return {Chyba_suboru::Neda_sa_citat, docasny_adresar};
    obsah = docasny->readAll();
    if (docasny->error() != QFileDevice::NoError || obsah.size() != docasny->size())
        return {Chyba_suboru::Neda_sa_citat, docasny_adresar};
    return {};
}

Chyba_suboru Zapis_kopiu(const QByteArray &obsah)
{
    // Bytes of a longer earlier copy must not survive behind a shorter one.
    const bool ok = docasny->seek(0) && docasny->write(obsah) == obsah.size()
        && docasny->resize(obsah.size()) && docasny->flush();
    if (!ok)
        return {Chyba_suboru::Neda_sa_zapisat, docasny_adresar};
    return {};
}

// The scrambled files are configuration: a pupil's own in their place is refused.
Chyba_suboru Precti_zdroj(const QString &cesta, QByteArray &obsah) { return Precitaj_nastavenie(cesta, obsah); }

} // namespace

QString Docasny_soubor()
{
    return docasny ? Cesta_kopie() : QString();
}

Chyba_suboru Prekoduj_soubor(const QString &cesta)
{
    const bool na_mieste = Je_kopia(cesta);
    if (!na_mieste)
        if (Chyba_suboru chyba = Priprav_kopiu(); chyba.Je_chyba())
            return chyba;
    QByteArray obsah;
    Chyba_suboru chyba = na_mieste ? Precti_kopiu(obsah) : Precti_zdroj(cesta, obsah);
    if (chyba.Je_chyba())
        return chyba;
    Prekoduj_bajty(obsah);
    return Zapis_kopiu(obsah);
}

Chyba_suboru Precti_prekodovany_soubor(const QString &cesta, QStringList &riadky)
{
    riadky.clear();
    if (Chyba_suboru chyba = Prekoduj_soubor(cesta); chyba.Je_chyba())
        return chyba;
    QByteArray obsah;
    Chyba_suboru chyba = Precti_kopiu(obsah);
    // Scramble the copy again even when reading it failed.
    const Chyba_suboru spat = Prekoduj_soubor(Docasny_soubor());
    if (!chyba.Je_chyba())
        chyba = spat;
    if (chyba.Je_chyba())
        return chyba;
    riadky = Riadky_textu(Text_z_1250(obsah));
    // Every line of our files ends with a line break: a file that does not
    // was cut short inside its last line.
    if (!obsah.isEmpty() && !obsah.endsWith('\n')) {
        chyba = {Chyba_suboru::Poskodeny, cesta, int(riadky.size())};
        riadky.clear();
    }
    return chyba;
}

} // namespace Misc
