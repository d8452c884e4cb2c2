#include "platform/DocumentFiles.h"

#include "services/Bezpecny_subor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QString SaveDocument(const QString &path, const QByteArray &pdf)
{
    const QFileInfo file(path);
    const Misc::Priecinok folder(file.absolutePath());
    // A file written over keeps its permissions; a new one gets the folder's.
    struct stat st {};
    const bool there = folder.Otvoreny()
                       && ::fstatat(folder.fd(), QFile::encodeName(file.fileName()).constData(), &st,
                                    AT_SYMLINK_NOFOLLOW) == 0
                       && S_ISREG(st.st_mode);
    const Misc::Chyba_suboru failed =
        Misc::Nahrad_subor(folder, file.fileName(), pdf, there ? st.st_mode & 0666 : folder.Prava_novych());
    if (!failed.Je_chyba())
        return {};
    return QStringLiteral("Súbor %1 sa nepodarilo uložiť: %2")
        .arg(QDir::toNativeSeparators(path), Misc::Dovod_zapisu(failed.chyba_systemu));
}

int TemporaryDocument(const QByteArray &pdf, QString &why)
{
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: the name goes at once.
        QByteArray name = folder + "/kvantira2-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(name.constData());
    }
    if (fd >= 0 && Misc::Zapis_vsetko(fd, pdf) && Misc::Synchronizuj(fd) && ::lseek(fd, 0, SEEK_SET) == 0)
        return fd;
    why = Misc::Dovod_zapisu(errno);
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace platform
