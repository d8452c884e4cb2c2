#include "services/Zapis_dokumentu.h"

#include "services/Bezpecny_subor.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace Misc {

namespace {

class Zapis_dokumentu final : public platform::DocumentWriter {
public:
    QString Replace(const QString &cesta, const QByteArray &pdf) override
    {
        const QFileInfo subor(cesta);
        const Priecinok priecinok(subor.absolutePath());
        // A file written over keeps its permissions; a new one gets the folder's.
        struct stat st {};
        const bool je = priecinok.Otvoreny()
                        && ::fstatat(priecinok.fd(), QFile::encodeName(subor.fileName()).constData(), &st,
                                     AT_SYMLINK_NOFOLLOW) == 0
                        && S_ISREG(st.st_mode);
        const Chyba_suboru chyba =
            Nahrad_subor(priecinok, subor.fileName(), pdf, je ? st.st_mode & 0666 : priecinok.Prava_novych());
        return chyba.Je_chyba() ? Dovod_zapisu(chyba.chyba_systemu) : QString();
    }
    bool WriteWhole(int fd, const QByteArray &pdf) override { return Zapis_vsetko(fd, pdf) && Synchronizuj(fd); }
    QString Why(int chyba) const override { return Dovod_zapisu(chyba); }
};

} // namespace

platform::DocumentWriter &Zapisovac_dokumentov()
{
    static Zapis_dokumentu zapis;
    return zapis;
}

} // namespace Misc
