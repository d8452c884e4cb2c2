#include "services/Prekodovany_soubor.h"

#include "services/Bezpecny_subor.h"
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QTemporaryFile>

#include <memory>
#include <utility>

namespace Misc {

namespace {

// Kept for the run and removed with the application object, never by
// exit() (platform/KeptForTheRun.h): an end through exit() leaves it.
QTemporaryFile *docasny = nullptr;
QString docasny_adresar;

void Odstran_kopiu() { delete std::exchange(docasny, nullptr); }

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
    auto subor = std::make_unique<QTemporaryFile>(
        QDir(adresar).filePath(QStringLiteral("Dat.XXXXXX.tmp")));
    if (!subor->open())
        return {Chyba_suboru::Bez_docasneho_suboru, adresar};
    [[maybe_unused]] static const bool s_aplikaciou = (qAddPostRoutine(Odstran_kopiu), true);
    docasny = subor.release();
    docasny_adresar = adresar;
    return {};
}

bool Je_kopia(const QString &cesta)
{
    return docasny && QFileInfo(cesta).absoluteFilePath() == QFileInfo(docasny->fileName()).absoluteFilePath();
}

Chyba_suboru Precti_kopiu(QByteArray &obsah)
{
    if (!docasny->seek(0))
        return {Chyba_suboru::Neda_sa_citat, docasny->fileName()};
    obsah = docasny->readAll();
    if (docasny->error() != QFileDevice::NoError || obsah.size() != docasny->size())
        return {Chyba_suboru::Neda_sa_citat, docasny->fileName()};
    return {};
}

Chyba_suboru Zapis_kopiu(const QByteArray &obsah)
{
    // Bytes of a longer earlier copy must not survive behind a shorter one.
    const bool ok = docasny->seek(0) && docasny->write(obsah) == obsah.size()
        && docasny->resize(obsah.size()) && docasny->flush();
    if (!ok)
        return {Chyba_suboru::Neda_sa_zapisat, docasny->fileName()};
    return {};
}

// The scrambled files are configuration: a pupil's own in their place is refused.
Chyba_suboru Precti_zdroj(const QString &cesta, QByteArray &obsah) { return Precitaj_nastavenie(cesta, obsah); }

} // namespace

QString Docasny_soubor()
{
    return docasny ? docasny->fileName() : QString();
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
