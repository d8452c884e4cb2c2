#include "services/Druh_disku.h"

#include <QFile>

#include <cerrno>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

namespace Misc {

QString Priecinok::Druh_disku() const
{
    if (fd_ < 0)
        return {};
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    // "id parent major:minor root point options [tags] - type source ..."
    const QByteArray zariadenie = QByteArray::number(major(dev_)) + ':' + QByteArray::number(minor(dev_));
    for (const QByteArray &riadok : mounts.readAll().split('\n')) {
        const QList<QByteArray> polia = riadok.split(' ');
        const qsizetype pomlcka = polia.indexOf("-");
        if (polia.size() > 2 && polia.at(2) == zariadenie && pomlcka > 0 && pomlcka + 1 < polia.size())
            return QString::fromLatin1(polia.at(pomlcka + 1));
    }
    return {};
}

bool Priecinok::Kazi_subory() const { return Druh_disku() == QLatin1String("fuse.fusefat"); }

int Dovod_zapisu_do(const Priecinok &priecinok, qint64 velkost, int chyba)
{
    if (chyba != EPERM)
        return chyba;
    struct statvfs fs {};
    if (::fstatvfs(priecinok.fd(), &fs) != 0 || fs.f_blocks == 0)
        return Disk_odmietol_zapis_mozno_plny;
    return qint64(fs.f_bavail * fs.f_frsize) < velkost ? ENOSPC : Disk_odmietol_zapis;
}

} // namespace Misc
