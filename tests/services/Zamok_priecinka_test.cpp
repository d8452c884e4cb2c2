// The lock of a shared data folder, tried the ways a class can break it:
// two holders at once, a holder that ends, a pupil deleting or replacing
// the lock file, a lock file this user may not open, something else under
// its name, a program told to end while it waits, a commit made after the
// lock was lost, and what a killed program leaves; and the safe writes
// under it on a disk that fails.
#include "services/Zamok_priecinka.h"

#include "shell/Ulozenie_vysledku.h"
#include "support/Datove_subory.h"
#include "support/Docasny_config.h"
#include "support/SmallDisk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <dlfcn.h>
#include <fcntl.h>
#include <future>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Misc;
using namespace std::chrono_literals;

namespace {

// A disk that fails where a test says: fsync and ftruncate of a file whose
// name ends in the text set fail with EIO. These stand before the C
// library's in this program, so the safe-file layer meets them as it would
// a failing disk.
std::atomic<const char *> Zlyha_fsync = nullptr, Zlyha_ftruncate = nullptr;
// The files synced, in turn, while it is set: what a power failure keeps.
QByteArrayList *Synchronizovane = nullptr;

QByteArray Meno(int fd)
{
    char meno[4096];
    const ssize_t n = readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), meno, sizeof meno - 1);
    return n > 0 ? QByteArray(meno, n) : QByteArray();
}

bool Meno_konci(int fd, const char *koniec) { return koniec && Meno(fd).endsWith(koniec); }

} // namespace

extern "C" int fsync(int fd)
{
    static const auto povodny = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    if (Meno_konci(fd, Zlyha_fsync))
        return errno = EIO, -1;
    const int vysledok = povodny(fd);
    if (Synchronizovane && vysledok == 0)
        *Synchronizovane << Meno(fd);
    return vysledok;
}

extern "C" int ftruncate(int fd, off_t dlzka)
{
    static const auto povodny = reinterpret_cast<int (*)(int, off_t)>(dlsym(RTLD_NEXT, "ftruncate"));
    if (Meno_konci(fd, Zlyha_ftruncate))
        return errno = EIO, -1;
    return povodny(fd, dlzka);
}

namespace {

struct Priecinok_zamku {
    QTemporaryDir dir;
    QString zamok = dir.filePath("Vysledky.lock");
    Priecinok priecinok{dir.path()};
    Cakanie cakanie;
    std::unique_ptr<Zamok_priecinka> Zamkni(std::chrono::milliseconds ako_dlho = 50ms)
    {
        return std::make_unique<Zamok_priecinka>(priecinok, ako_dlho, cakanie);
    }
    bool Zmaz() { return QFile::remove(zamok); }
};

TEST(Zamok_priecinka, OneHolderAtATimeWhateverHappensToItsFile)
{
    {
        SCOPED_TRACE("a second holder in the same program waits to the end of its wait");
        Priecinok_zamku p;
        const auto prvy = p.Zamkni();
        ASSERT_TRUE(prvy->Drzany() && prvy->Plati());
        QElapsedTimer cas;
        cas.start();
        EXPECT_EQ(p.Zamkni(200ms)->Stav(), Stav_zamku::Obsadeny);
        EXPECT_GE(cas.elapsed(), 200);
    }
    {
        SCOPED_TRACE("a holder whose file a pupil deleted releases nobody else's lock");
        Priecinok_zamku p;
        auto prvy = p.Zamkni();
        ASSERT_TRUE(p.Zmaz());
        EXPECT_FALSE(prvy->Plati()) << "the name no longer stands for its file";
        const auto druhy = p.Zamkni();
        ASSERT_TRUE(druhy->Drzany() && druhy->Plati()) << "a new file, a new lock";
        prvy.reset();
        EXPECT_EQ(p.Zamkni()->Stav(), Stav_zamku::Obsadeny) << "the second still holds";
        EXPECT_TRUE(druhy->Plati());
    }
    {
        SCOPED_TRACE("a waiter whose file was deleted meanwhile locks the new one");
        Priecinok_zamku p;
        auto prvy = p.Zamkni();
        auto cakajuci = std::async(std::launch::async, [&p] { return p.Zamkni(5s); });
        QThread::msleep(100);
        ASSERT_TRUE(p.Zmaz());
        prvy.reset();
        const auto druhy = cakajuci.get();
        ASSERT_TRUE(druhy->Drzany());
        EXPECT_TRUE(druhy->Plati()) << "not the deleted file's lock";
        EXPECT_TRUE(QFileInfo(p.zamok).isFile());
    }
    {
        SCOPED_TRACE("a lock file replaced by another file");
        Priecinok_zamku p;
        const auto prvy = p.Zamkni();
        Zapis_subor(p.dir.filePath("iny"), "");
        ASSERT_TRUE(::rename(QFile::encodeName(p.dir.filePath("iny")).constData(), QFile::encodeName(p.zamok).constData()) == 0);
        EXPECT_FALSE(prvy->Plati());
        EXPECT_TRUE(p.Zamkni()->Drzany()) << "the file now under the name is free";
    }
}

TEST(Zamok_priecinka, TheLockEndsWithItsHolderAndItsFileStays)
{
    Priecinok_zamku p;
    Zapis_subor(p.zamok, "1234\nstary obsah\n");
    const pid_t program = fork();
    if (program == 0) {
        Cakanie cakanie;
        new Zamok_priecinka(p.priecinok, 1s, cakanie);
        _exit(0);
    }
    int stav = 0;
    waitpid(program, &stav, 0);
    const auto zamok = p.Zamkni();
    EXPECT_TRUE(zamok->Drzany()) << "nothing to take over";
    EXPECT_EQ(Obsah(p.zamok), "1234\nstary obsah\n") << "never written";
}

// A commit asks whether the lock still holds just before the rename: the
// table's, and the log's where the disk refuses appends (FAT's rules) and
// the log is written anew.
TEST(Zamok_priecinka, AReplacementCalledOffByALostLockChangesNothing)
{
    Priecinok_zamku p;
    Zapis_subor(p.dir.filePath("Hra.res"), "stara\r\n");
    const auto zamok = p.Zamkni();
    ASSERT_TRUE(p.Zmaz());
    const Chyba_suboru chyba = Nahrad_subor(p.priecinok, "Hra.res", "nova\r\n", 0644, [&](const QString &, const Totoznost &) { return zamok->Plati(); });
    EXPECT_EQ(chyba.druh, Chyba_suboru::Prerusene);
    EXPECT_EQ(Obsah(p.dir.filePath("Hra.res")), "stara\r\n");
    EXPECT_EQ(QDir(p.dir.path()).entryList(QDir::Files), QStringList{"Hra.res"}) << "no new file left";

    QTemporaryDir fat;
    Zapis_subor(fat.filePath("Vysledky.dat"), "stary\r\n");
    lktest::FuseDisk disk(lktest::FuseDisk::FatRules{}, fat.path());
    if (!disk.Mounted())
        GTEST_SKIP() << "no FAT disk to be had: " << disk.Why().toStdString();
    const Priecinok na_fat(fat.path());
    const Zamok_priecinka zamok_na_fat(na_fat, 50ms, p.cakanie);
    ASSERT_TRUE(zamok_na_fat.Drzany());
    ASSERT_TRUE(QFile::remove(fat.filePath("Vysledky.lock")));
    const Chyba_suboru log = Pripis_k_suboru(na_fat, "Vysledky.dat", "zaznam\r\n", {}, [&] { return zamok_na_fat.Plati(); });
    EXPECT_EQ(log.druh, Chyba_suboru::Prerusene);
    EXPECT_EQ(Obsah(fat.filePath("Vysledky.dat")), "stary\r\n");
    EXPECT_EQ(QDir(fat.path()).entryList(QDir::Files), QStringList{"Vysledky.dat"}) << "no new file left";
}

// A disk that fails while the new table or a log entry is synced: the old
// table stays, the entry is taken back, and where it cannot be, that is
// said instead of a clean failure.
TEST(Bezpecny_subor, AFailingDiskLeavesTheOldFileOrSaysWhatStays)
{
    const struct { const char *nazov; const char *fsync, *ftruncate; Chyba_suboru::Druh druh; QByteArray tabulka, log; } pripady[] = {
        {"the new table's sync fails", ".novy", nullptr, Chyba_suboru::Neda_sa_zapisat, "stara\r\n", "stary\r\nzaznam\r\n"},
        {"the entry's sync fails: taken back", "Vysledky.dat", nullptr, Chyba_suboru::Neda_sa_zapisat, "nova\r\n", "stary\r\n"},
        {"the take-back fails as well", "Vysledky.dat", "Vysledky.dat", Chyba_suboru::Zvysok_zapisu, "nova\r\n",
         "stary\r\nzaznam\r\n"},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        Priecinok_zamku p;
        Zapis_subor(p.dir.filePath("Hra.res"), "stara\r\n");
        Zapis_subor(p.dir.filePath("Vysledky.dat"), "stary\r\n");
        Zlyha_fsync = r.fsync, Zlyha_ftruncate = r.ftruncate;
        const Chyba_suboru tabulka = Nahrad_subor(p.priecinok, "Hra.res", "nova\r\n", 0644);
        const Chyba_suboru log = Pripis_k_suboru(p.priecinok, "Vysledky.dat", "zaznam\r\n");
        Zlyha_fsync = nullptr, Zlyha_ftruncate = nullptr;
        EXPECT_EQ(tabulka.Je_chyba(), r.tabulka == "stara\r\n");
        EXPECT_EQ(Obsah(p.dir.filePath("Hra.res")), r.tabulka);
        EXPECT_EQ((tabulka.Je_chyba() ? tabulka : log).druh, r.druh);
        EXPECT_EQ(Obsah(p.dir.filePath("Vysledky.dat")), r.log);
        EXPECT_EQ(QDir(p.dir.path()).entryList({"*.novy"}), QStringList()) << "no new file left";
        const QString sprava = Vysledky::Text_zapisu(Vysledky::Zapis_z_chyby(log), p.dir.filePath("Vysledky.dat"));
        EXPECT_EQ(r.druh == Chyba_suboru::Zvysok_zapisu, sprava.contains("neúplný záznam")) << sprava.toStdString();
    }
}

// A name so long that a new file beside it has its start cut to the
// folder's longest name (255 bytes: 233 of the name, then
// ".<16 hex digits>.novy"), between whole letters: what a killed
// replacement left goes when a minute old, cut as this version or a
// version before (a byte shorter) cut it; other names that begin the same,
// new files of other names among them, stay.
TEST(Bezpecny_subor, LeftoversOfANameCutToTheFoldersLongestGoWhenOldAndNoOthers)
{
    Priecinok_zamku skuska;
    if (pathconf(QFile::encodeName(skuska.dir.path()).constData(), _PC_NAME_MAX) != 255)
        GTEST_SKIP() << "the temporary folder's file system does not take names of 255 bytes";
    EXPECT_EQ(Meno_noveho(QString(233, 'b'), 255).size(), 255) << "a name whose new file fits is not cut";
    const QString cislo = ".0123456789abcdef.novy";
    const struct { const char *nazov; QString meno, zvysok; bool ostane, mlady = false; } pripady[] = {
        {"cut by one byte", QString(234, 'b'), QString(233, 'b') + cislo, false},
        {"cut by seven", QString(240, 'a'), QString(233, 'a') + cislo, false},
        {"a name as long as the folder takes", QString(255, 'c'), QString(233, 'c') + cislo, false},
        {"a \"č\" across the cut goes whole", QString(232, 'd') + "čddd", QString(232, 'd') + cislo, false},
        {"a \"č\" just before the cut is kept", QString(231, 'e') + "čč", QString(231, 'e') + "č" + cislo, false},
        {"a name not cut", QString(200, 'f'), QString(200, 'f') + cislo, false},
        {"an older version's number", "Hra.res", "Hra.res.ab12.novy", false},
        {"a version before's cut, a byte shorter", QString(240, 'a'), QString(232, 'a') + cislo, false},
        {"a minute young", QString(240, 'a'), QString(233, 'a') + cislo, true, true},
        {"a new file of a shorter name, not cut", QString(240, 'a'), QString(231, 'a') + cislo, true},
        {"the same cut a letter short", QString(232, 'd') + "čddd", QString(231, 'd') + cislo, true},
        {"a new file of a shorter name", "Hra.res", "Hra.0123456789abcdef.novy", true},
        {"an older version's new file of the cut's own name", QString(240, 'a'), QString(233, 'a') + ".ab12.novy", true},
        {"a new file of a longer name cut", QString(200, 'f'), QString(200, 'f') + QString(33, 'g') + cislo, true},
        {"a cut name without a number", QString(240, 'a'), QString(233, 'a') + ".zzzzzzzzzzzzzzzz.novy", true},
        {"a cut name with another ending", QString(240, 'a'), QString(233, 'a') + cislo.chopped(1), true},
    };
    const timespec davno[2] = {{1000, 0}, {1000, 0}};
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        Priecinok_zamku p;
        // What a replacement of the name makes there now goes too.
        const QStringList zvysky{r.zvysok, Meno_noveho(r.meno, 255)};
        for (const QString &zvysok : zvysky) {
            ASSERT_TRUE(Zapis_subor(p.dir.filePath(zvysok), "7|Pol")) << zvysok.size();
            if (!r.mlady)
                utimensat(AT_FDCWD, QFile::encodeName(p.dir.filePath(zvysok)).constData(), davno, 0);
        }
        Odstran_zvysky(p.priecinok, r.meno);
        EXPECT_EQ(QFile::exists(p.dir.filePath(r.zvysok)), r.ostane);
        EXPECT_EQ(QFile::exists(p.dir.filePath(zvysky.last())), r.mlady) << "the new file's own name";
    }
}

// A save into a folder without a log, in a program of its own: the folder
// is synced after the new log's first entry, so a power failure cannot
// lose the file with it.
TEST(Bezpecny_subor, ANewLogOutlivesAPowerFailureWithItsFirstEntry)
{
    Docasny_config pouzivatel; // this user's kept results
    Priecinok_zamku p;
    const QString zoznam = p.dir.filePath("synchronizovane");
    const pid_t program = fork();
    if (program == 0) {
        QByteArrayList synchronizovane;
        Synchronizovane = &synchronizovane;
        Cakanie cakanie;
        Vysledky::Ulozenie_vysledku ulozenie(p.dir.path() + "/");
        QList<Vysledky::Zaznam_vysledku> zobrazene;
        const bool ulozene = ulozenie.Pridaj_riadok({7, "Eva", 4, 1, 2, 1}, "zaznam\r\n", zobrazene, cakanie).osud
                == Vysledky::Osud::Ulozeny
            && ulozenie.Pripis_log("zaznam\r\n", cakanie).osud == Vysledky::Osud::Ulozeny;
        Synchronizovane = nullptr;
        _exit(ulozene && Zapis_subor(zoznam, synchronizovane.join('\n')) ? 0 : 1);
    }
    int stav = 0;
    ASSERT_EQ(waitpid(program, &stav, 0), program);
    ASSERT_TRUE(WIFEXITED(stav) && WEXITSTATUS(stav) == 0);
    const QByteArrayList synchronizovane = Obsah(zoznam).split('\n');
    const QByteArray priecinok = QFile::encodeName(QFileInfo(p.dir.path()).canonicalFilePath());
    const qsizetype log = synchronizovane.indexOf(priecinok + "/Vysledky.dat");
    ASSERT_GE(log, 0) << Obsah(zoznam).toStdString();
    EXPECT_GT(synchronizovane.lastIndexOf(priecinok), log) << Obsah(zoznam).toStdString();
}

// The file system a folder lies on, as the table of mounts names it: the
// same on a disk whose program has ended, and nothing for a folder that
// could not be opened.
TEST(Bezpecny_subor, TheFolderSaysWhatFileSystemItLiesOn)
{
    EXPECT_EQ(Priecinok("/nie/je/taky/priecinok").Druh_disku(), QString());
    EXPECT_EQ(Priecinok("/proc").Druh_disku(), "proc");
    lktest::SmallDisk maly(lktest::SmallDisk::Mode::AsIs);
    if (maly.Mounted()) {
        EXPECT_EQ(Priecinok(maly.Path()).Druh_disku(), "tmpfs");
    }
    QTemporaryDir pod;
    lktest::FuseDisk fat(lktest::FuseDisk::Fat{}, pod.path(), 2);
    if (!fat.Mounted())
        GTEST_SKIP() << "no FAT disk to be had: " << fat.Why().toStdString();
    const Priecinok na_fat(pod.path());
    EXPECT_EQ(na_fat.Druh_disku(), "fuse.fusefat");
    ASSERT_EQ(QProcess::execute("pkill", {"-KILL", "-f", "fusefat.*" + pod.path()}), 0);
    EXPECT_EQ(na_fat.Druh_disku(), "fuse.fusefat");
}

// Another user's lock file (an older version's, or one made with a narrow
// umask) is replaced where the folder lets us; where it does not, and
// where something else stands under the name, the answer comes at once.
TEST(Zamok_priecinka, WhatCannotBeLockedIsSaidAtOnce)
{
    const bool root = geteuid() == 0;
    const struct { const char *nazov; mode_t priecinok; std::function<void(const QString &)> urob; Stav_zamku stav; bool len_root; } pripady[] = {
        {"a lock file this user may not open", 0777,
         [](const QString &z) { Zapis_subor(z, ""), chmod(QFile::encodeName(z).constData(), 0); }, Stav_zamku::Drzany, false},
        {"the same in a folder with the sticky bit: only its owner may replace it", 01777,
         [](const QString &z) { Zapis_subor(z, ""), chmod(QFile::encodeName(z).constData(), 0); }, Stav_zamku::Cudzi, true},
        {"a read-only folder without a lock file", 0555, [](const QString &) {}, Stav_zamku::Nezapisatelny, false},
        {"a directory under the lock's name", 0777, [](const QString &z) { QDir().mkdir(z); }, Stav_zamku::Nie_je_subor, false},
        {"a link under the lock's name", 0777, [](const QString &z) { QFile::link("/etc/passwd", z); }, Stav_zamku::Nie_je_subor, false},
    };
    for (const auto &r : pripady) {
        if (r.len_root && !root)
            continue;
        SCOPED_TRACE(r.nazov);
        Priecinok_zamku p;
        r.urob(p.zamok);
        chmod(QFile::encodeName(p.dir.path()).constData(), r.priecinok);
        Stav_zamku stav {};
        {
            // Root opens every file: as user nobody the rules hold for it too.
            std::vector<gid_t> skupiny(getgroups(0, nullptr));
            getgroups(int(skupiny.size()), skupiny.data());
            ASSERT_TRUE(!root || (setgroups(0, nullptr) == 0 && setegid(65534) == 0 && seteuid(65534) == 0));
            QElapsedTimer cas;
            cas.start();
            stav = p.Zamkni(5s)->Stav();
            EXPECT_LT(cas.elapsed(), 2500) << "no waiting";
            ASSERT_TRUE(!root || (seteuid(0) == 0 && setegid(0) == 0 && setgroups(skupiny.size(), skupiny.data()) == 0));
        }
        EXPECT_EQ(stav, r.stav);
        struct stat st {};
        EXPECT_TRUE(stav != Stav_zamku::Drzany
                    || (::stat(QFile::encodeName(p.zamok).constData(), &st) == 0 && (st.st_mode & 0777) == 0666))
            << "anyone who may write the folder may lock";
        chmod(QFile::encodeName(p.dir.path()).constData(), 0700);
    }
}

// A program killed while it replaced a lock file left its new file: gone
// at a lock a minute later, whatever its number's length; a young one may
// still be on its way into place.
TEST(Zamok_priecinka, NewLockFilesAKilledProgramLeftGoWhenOld)
{
    Priecinok_zamku p;
    const QStringList stare{"Vysledky.lock.00ab0123456789ef.novy", "Vysledky.lock.ab12.novy"};
    const QString mlady = "Vysledky.lock.fedcba9876543210.novy";
    const timespec davno[2] = {{1000, 0}, {1000, 0}};
    for (const QString &meno : stare + QStringList{mlady, "Vysledky.lock.x.novy"}) {
        Zapis_subor(p.dir.filePath(meno), "");
        if (meno != mlady)
            utimensat(AT_FDCWD, QFile::encodeName(p.dir.filePath(meno)).constData(), davno, 0);
    }
    ASSERT_TRUE(p.Zamkni()->Drzany());
    EXPECT_EQ(QDir(p.dir.path()).entryList({"*.novy"}), (QStringList{mlady, "Vysledky.lock.x.novy"}));
}

TEST(Zamok_priecinka, AWaitEndsWhenTheProgramIsToldToEnd)
{
    struct Koniec : Cakanie {
        int kolkokrat = 0;
        bool Pocas() override { return ++kolkokrat < 3; }
    } koniec;
    Priecinok_zamku p;
    const auto drzitel = p.Zamkni();
    QElapsedTimer cas;
    cas.start();
    const Zamok_priecinka cakajuci(p.priecinok, 40s, koniec);
    EXPECT_EQ(cakajuci.Stav(), Stav_zamku::Preruseny);
    EXPECT_LT(cas.elapsed(), 2500);
    EXPECT_EQ(koniec.kolkokrat, 3) << "asked between tries, which sleep";
}

} // namespace
