#include "services/Uschovane_casti.h"

#include "services/Bezpecny_subor.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Misc {

namespace {

// A part may be found between its creation and its lock only while it is
// this young and still empty.
constexpr std::time_t Vek_novej = 60;

QByteArray Obsah_casti(const QString &hd, const QString &druh, const QString &text)
{
    return (hd + QLatin1Char('\n') + druh + QLatin1Char('\n') + text).toUtf8();
}

} // namespace

QString Adresar_uschovanych()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/loravik-kvantira2/neulozene/");
}

Uschovana_cast Uschovana_cast::Uschovaj(const QString &hd, const QString &druh, const QString &text)
{
    Uschovana_cast cast;
    if (!QDir().mkpath(Adresar_uschovanych()))
        return cast;
    const Priecinok priecinok(Adresar_uschovanych());
    const QByteArray obsah = Obsah_casti(hd, druh, text);
    for (int pokus = 0; pokus < 3 && !cast.Uschovana(); ++pokus) {
        // The name orders the parts by time; the random part keeps programs
        // of the same user from meeting.
        const QString meno = QStringLiteral("%1-%2.txt")
                                 .arg(QDateTime::currentMSecsSinceEpoch(), 15, 10, QLatin1Char('0'))
                                 .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
        const QByteArray nazov = QFile::encodeName(meno);
        const int fd = ::openat(priecinok.fd(), nazov.constData(), O_RDWR | O_CREAT | O_EXCL | Bezpecne, 0600);
        if (fd < 0)
            return cast;
        // Another program taking parts in got to the empty file first: a new one.
        const bool drzana = Zamkni_subor(fd);
        if (drzana && Zapis_vsetko(fd, obsah) && Synchronizuj(fd)) {
            (void)Synchronizuj(priecinok.fd()); // not every file system syncs a folder
            cast.fd_ = fd, cast.meno_ = meno, cast.text_ = text;
            break;
        }
        ::unlinkat(priecinok.fd(), nazov.constData(), 0);
        ::close(fd);
        if (drzana)
            return cast; // the disk takes no more
    }
    return cast;
}

Uschovana_cast::~Uschovana_cast()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Uschovana_cast::Uschovana_cast(Uschovana_cast &&ina) noexcept
    : fd_(std::exchange(ina.fd_, -1)), meno_(std::move(ina.meno_)), text_(std::move(ina.text_))
{
}

Uschovana_cast &Uschovana_cast::operator=(Uschovana_cast &&ina) noexcept
{
    if (this != &ina) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(ina.fd_, -1), meno_ = std::move(ina.meno_), text_ = std::move(ina.text_);
    }
    return *this;
}

void Uschovana_cast::Zabudni()
{
    if (fd_ < 0)
        return;
    // Removed while still held: nobody takes it in between.
    QFile::remove(Adresar_uschovanych() + meno_);
    ::close(fd_);
    fd_ = -1;
}

// One file of the folder as the intake meets it.
struct Citanie_uschovanych {
    const Priecinok &priecinok;
    const QString &hd, &druh;
    const std::function<bool(const QString &)> &cela;
    Uschovane &uschovane;

    void Precitaj(const QString &meno)
    {
        const QByteArray nazov = QFile::encodeName(meno);
        const int fd = ::openat(priecinok.fd(), nazov.constData(), O_RDWR | Bezpecne);
        if (fd < 0)
            return;
        Uschovana_cast cast;
        cast.fd_ = fd, cast.meno_ = meno;
        struct stat st {};
        // Held by a running program, or taken in and removed just now.
        if (!Zamkni_subor(fd) || !Ma_meno(fd, priecinok.fd(), nazov) || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
            return;
        QByteArray bajty;
        char kus[4096];
        ssize_t n = 0;
        while ((n = ::read(fd, kus, sizeof kus)) > 0 && bajty.size() < Najvacsi_subor)
            bajty.append(kus, n);
        if (bajty.isEmpty() && std::time(nullptr) - st.st_mtime < Vek_novej)
            return; // its program has not yet locked it
        const QString obsah = QString::fromUtf8(bajty);
        const qsizetype prvy = obsah.indexOf(QLatin1Char('\n'));
        const qsizetype druhy = obsah.indexOf(QLatin1Char('\n'), prvy + 1);
        const bool hlavicka = n == 0 && prvy > 0 && druhy > prvy;
        if (hlavicka && obsah.left(prvy) != hd)
            return; // another data folder's
        if (hlavicka && obsah.mid(prvy + 1, druhy - prvy - 1) != druh)
            return;
        cast.text_ = obsah.mid(druhy + 1);
        if (hlavicka && cela(cast.text_)) {
            uschovane.casti.push_back(std::move(cast));
            return;
        }
        const QString stranou = meno + QStringLiteral(".poskodeny");
        if (::renameat(priecinok.fd(), nazov.constData(), priecinok.fd(), QFile::encodeName(stranou).constData()) == 0)
            uschovane.poskodene << priecinok.Cesta(stranou);
    }
};

Uschovane Vezmi_uschovane(const QString &hd, const QString &druh, const std::function<bool(const QString &)> &cela)
{
    Uschovane uschovane;
    const QStringList mena = QDir(Adresar_uschovanych()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    if (mena.isEmpty())
        return uschovane;
    const Priecinok priecinok(Adresar_uschovanych());
    Citanie_uschovanych citanie{priecinok, hd, druh, cela, uschovane};
    for (const QString &meno : mena)
        citanie.Precitaj(meno);
    return uschovane;
}

} // namespace Misc
