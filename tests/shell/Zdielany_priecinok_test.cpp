// A data folder a whole class shares, attacked as a pupil and a failing
// machine would, with real processes and real files: a link swapped in
// while saving, folders that take no writing, a class finishing onto a
// stale lock, a pupil deleting the lock, a slow holder, a full home, a
// program killed between the table and the log, a file-size limit and a
// logout. Whatever happens, no file outside the folder changes, no program
// hangs, and every result ends up once in the table and the log, or kept
// with the pupil told so, or shown to be written down.
#include "Ukladanie.h"

#include "platform/Signals.h"
#include "services/Konfigurace.h"
#include "support/SmallDisk.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace lktest;
using namespace Vysledky;
using namespace std::chrono_literals;

namespace {

constexpr uid_t Nobody = 65534;

// From here on the files are used as user nobody when run as root (whom
// permissions do not stop); root again afterwards, to clean up.
class Ako_iny_pouzivatel {
public:
    Ako_iny_pouzivatel()
    {
        if (geteuid() != 0)
            return;
        skupiny_.resize(getgroups(0, nullptr));
        getgroups(int(skupiny_.size()), skupiny_.data());
        EXPECT_EQ(setgroups(0, nullptr), 0);
        EXPECT_EQ(setegid(Nobody), 0);
        EXPECT_EQ(seteuid(Nobody), 0);
        zmeneny_ = true;
    }
    ~Ako_iny_pouzivatel()
    {
        if (zmeneny_)
            (void)!seteuid(0), (void)!setegid(0), (void)!setgroups(skupiny_.size(), skupiny_.data());
    }

private:
    std::vector<gid_t> skupiny_;
    bool zmeneny_ = false;
};

// One pupil's program: this test binary started again. It loads the results
// table as at the end of a series, with the class's folder LK_TRIEDA as its
// data folder and LK_DATA as its user's data, saves the series of pupil
// LK_ZIAK as LK_ROLA says and prints every message it shows.
TEST(Ziak, Program)
{
    const QString rola = qEnvironmentVariable("LK_ROLA");
    if (rola.isEmpty())
        GTEST_SKIP() << "started by the tests of a shared folder";
    if (qEnvironmentVariableIsSet("LK_SIGNALY"))
        platform::handleSignals(); // as the program's main does
    Program p;
    p.Prejdi_titulok();
    const QString hd = qEnvironmentVariable("LK_TRIEDA");
    Misc::Cislo_ulohy = QStringLiteral("7");
    auto *t = Formulare::frm_Tabulka.get();
    t->Load();
    Misc::Cesta_HD = hd;
    qputenv("XDG_DATA_HOME", qgetenv("LK_DATA"));
    if (qEnvironmentVariableIsSet("LK_CAKANIE"))
        t->Najdlhsie_cakanie = std::chrono::milliseconds(qEnvironmentVariableIntValue("LK_CAKANIE"));
    Zapis_subor(hd + "ready." + QByteArray::number(getpid()), "");
    if (rola == "koniec") {
        QApplication::exec(); // until the session ends it
        return;
    }
    std::optional<Ako_iny_pouzivatel> iny;
    if (qEnvironmentVariableIsSet("LK_INY"))
        iny.emplace();
    while (rola == "trieda" && !QFile::exists(hd + "start"))
        QThread::msleep(1);
    const QString meno = qEnvironmentVariable("LK_ZIAK");
    t->Vloz_novy_zaznam(7, meno, "4", "1", "2", 1);
    if (rola == "zabity") {
        QDir(p.koren()).removeRecursively(); // what no destructor will remove now
        raise(SIGKILL);
    }
    if (rola == "pomaly") { // a slow share, a laptop suspended mid-save
        Zapis_subor(hd + "drzi", "");
        QThread::msleep(qEnvironmentVariableIntValue("LK_SPANOK"));
    }
    t->Vloz_zaznam_do_souboru_vysledky_dat(meno, "Skupina", "Úloha", "4", "1", "2");
    for (const auto &b : p.box.AskedBoxes())
        std::cout << "SPRAVA " << QString(b.text).replace("\r\n", " ").toStdString() << std::endl;
}

// A pupil exchanges the table and the log with symbolic links to another
// user's files, over and over, while result after result is saved.
TEST_F(Priecinok_triedy, ALinkSwappedInWhileSavingIsNeverWrittenThrough)
{
    QTemporaryDir von;
    const QString bashrc = von.filePath("bashrc"), tajne = von.filePath("tajne");
    Zapis_subor(bashrc, "alias ls='ls --color'\n"), Zapis_subor(tajne, "heslo\n");
    Zapis_subor(hd() + "Hra.res", "7|Anna| 9| 0| 1| 0\r\n");
    std::atomic<bool> koniec = false;
    std::thread vymena([&] {
        const std::pair<QString, QString> pary[] = {{"Hra.res", bashrc}, {"Vysledky.dat", tajne}};
        while (!koniec)
            for (const auto &[subor, ciel] : pary) {
                const QByteArray meno = QFile::encodeName(hd() + subor), odkaz = meno + ".odkaz";
                // A save that replaced the name took the link along: a new one.
                struct stat st {};
                if (lstat(odkaz.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
                    unlink(odkaz.constData()), (void)!symlink(QFile::encodeName(ciel).constData(), odkaz.constData());
                for (int tam_a_spat = 0; tam_a_spat < 2; ++tam_a_spat)
                    renameat2(AT_FDCWD, meno.constData(), AT_FDCWD, odkaz.constData(), RENAME_EXCHANGE);
            }
    });
    Misc::Cakanie cakanie;
    for (int i = 0; i < 300; ++i) {
        const QString meno = QStringLiteral("$(touch /tmp/lk-%1)").arg(i);
        Ulozenie_vysledku ulozenie(hd(), 1s);
        QList<Zaznam_vysledku> zobrazene;
        ulozenie.Pridaj_riadok({7, meno, 4, 1, 2, 1}, {}, zobrazene, cakanie);
        ulozenie.Pripis_log(meno + "\r\n", cakanie);
    }
    koniec = true;
    vymena.join();
    EXPECT_EQ(Obsah(bashrc), "alias ls='ls --color'\n");
    EXPECT_EQ(Obsah(tajne), "heslo\n");
    EXPECT_TRUE(QDir(hd()).entryList({"*.novy"}).isEmpty());
}

// A stale lock where the folder takes no writing, for this user or at
// all, or a lock file only its owner may open that the folder keeps from
// being replaced: the save ends within its limit, says why, and keeps the
// result.
TEST_F(Priecinok_triedy, FoldersThatTakeNoWritingEndTheWaitAndKeepTheResult)
{
    const bool root = geteuid() == 0;
    // (A lock an older version left: its process is gone.)
    const QByteArray stary = "999999999\n" + QSysInfo::bootUniqueId() + "\nstroj\n";
    const struct { const char *nazov; mode_t priecinok, zamok; uid_t vlastnik; const char *sprava; bool len_root; } pripady[] = {
        {"a read-only folder with a stale lock", 0555, 0644, 0, "nedovoľuje zápis", false},
        {"a read-only folder with a lock anyone may open", 0555, 0666, 0, "nemá povolenie", false},
        {"a folder with the sticky bit and another user's stale lock", 01777, 0644, 0,
         "Vysledky.lock patrí používateľovi root", true},
        {"a folder with the sticky bit and another pupil's own lock", 01777, 0600, 1, "Vysledky.lock patrí používateľovi daemon", true},
    };
    QFile::setPermissions(p.koren(), QFileDevice::Permissions(0x7755)); // the way to the folder
    for (const auto &r : pripady) {
        if (r.len_root && !root)
            continue;
        SCOPED_TRACE(r.nazov);
        const QString zamok = hd() + "Vysledky.lock";
        Zapis_subor(zamok, stary);
        ASSERT_EQ(chmod(QFile::encodeName(zamok).constData(), r.zamok), 0);
        ASSERT_TRUE(!root || chown(QFile::encodeName(zamok).constData(), r.vlastnik, r.vlastnik) == 0);
        ASSERT_EQ(chmod(QFile::encodeName(hd()).constData(), r.priecinok), 0);
        QTemporaryDir data; // the pupil's own
        ASSERT_TRUE(!root || chown(QFile::encodeName(data.path()).constData(), Nobody, Nobody) == 0);
        QElapsedTimer cas;
        cas.start();
        auto ziak = Spusti("sam", "Eva", {{"LK_INY", "1"}, {"LK_DATA", data.path()}, {"LK_CAKANIE", "2000"}});
        EXPECT_TRUE(ziak->Skoncil(10000)) << "ends";
        EXPECT_LT(cas.elapsed(), 8000);
        chmod(QFile::encodeName(hd()).constData(), 0755);
        EXPECT_TRUE(ziak->spravy.contains("uschovaný")) << ziak->spravy.toStdString();
        EXPECT_TRUE(ziak->spravy.contains(r.sprava)) << ziak->spravy.toStdString();
        EXPECT_TRUE(r.priecinok == 0555 || !ziak->spravy.contains("nedovoľuje zápis")) << "the folder takes writing";
        EXPECT_EQ(QDir(data.path() + "/loravik-kvantira2/neulozene").entryList({"*.vysledok"}).size(), 1)
            << "row and log entry kept together";
        EXPECT_EQ(V_tabulke("Eva"), 0);
        QFile::remove(zamok);
    }
}

// 30 programs released together, two rounds each, onto a stale lock of a
// dead program of this boot, or while a pupil deletes the lock every 10 ms.
TEST_F(Priecinok_triedy, AClassFinishingAtOnceKeepsEveryResultOnce)
{
    constexpr int ziakov = 30, kol = 2;
    const pid_t mrtvy = fork();
    if (mrtvy == 0)
        _exit(0);
    waitpid(mrtvy, nullptr, 0);
    const struct { const char *nazov; bool zastaraly, mazanie; } pripady[] = {
        {"onto a stale lock", true, false},
        {"a pupil deleting the lock", false, true},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        std::atomic<bool> koniec = false;
        std::thread mazac([&] {
            while (r.mazanie && !koniec) {
                QFile::remove(hd() + "Vysledky.lock");
                QThread::msleep(10);
            }
        });
        QStringList mena;
        for (int k = 0; k < kol; ++k) {
            QFile::remove(hd() + "start");
            if (r.zastaraly)
                Zapis_subor(hd() + "Vysledky.lock", QByteArray::number(mrtvy) + "\n" + QSysInfo::bootUniqueId() + "\n");
            std::vector<std::unique_ptr<Ziak>> trieda;
            for (int i = 0; i < ziakov; ++i)
                trieda.push_back(Spusti("trieda", mena.emplace_back(QStringLiteral("%1 %2-%3").arg(r.nazov).arg(k).arg(i))));
            Pockaj_na_pripravenych(ziakov);
            Zapis_subor(hd() + "start", "");
            for (auto &ziak : trieda) {
                EXPECT_TRUE(ziak->Skoncil(60000));
                EXPECT_TRUE(ziak->spravy.isEmpty() || ziak->spravy.contains("uschovaný")) << ziak->spravy.toStdString();
            }
        }
        koniec = true;
        mazac.join();
        Kazdy_raz(mena);
    }
}

// A holder that needs longer than the others wait is never taken over:
// they keep their results and say so, and the holder's table has them all
// once they are written.
TEST_F(Priecinok_triedy, ASlowHolderKeepsItsLockAndTheOthersKeepTheirResults)
{
    auto pomaly = Spusti("pomaly", "Pomalý", {{"LK_SPANOK", "2500"}});
    while (!QFile::exists(hd() + "drzi"))
        QThread::msleep(5);
    QElapsedTimer cas;
    cas.start();
    std::vector<std::unique_ptr<Ziak>> cakajuci;
    for (int i = 0; i < 3; ++i)
        cakajuci.push_back(Spusti("sam", QStringLiteral("Čakajúci %1").arg(i), {{"LK_CAKANIE", "1000"}}));
    for (auto &ziak : cakajuci) {
        EXPECT_TRUE(ziak->Skoncil(10000));
        EXPECT_TRUE(ziak->spravy.contains("iný program") && ziak->spravy.contains("uschovaný"))
            << ziak->spravy.toStdString();
    }
    EXPECT_TRUE(pomaly->Skoncil(10000));
    EXPECT_GE(cas.elapsed(), 2000) << "the holder was never taken over";
    EXPECT_TRUE(pomaly->spravy.isEmpty()) << pomaly->spravy.toStdString();
    Kazdy_raz({"Pomalý", "Čakajúci 0", "Čakajúci 1", "Čakajúci 2"});
}

// Killed right after the table was written: the log entry is kept and
// written at the next start, once. Killed while writing the table: the
// half-made file it leaves goes at a save a minute later.
TEST_F(Priecinok_triedy, AProgramKilledLosesNoEntryAndLeavesNoHalfMadeFile)
{
    const QString stary = hd() + "Hra.res.0123456789abcdef.novy", mlady = hd() + "Hra.res.fedcba9876543210.novy";
    Zapis_subor(stary, "7|Pol"), Zapis_subor(mlady, "7|Pol");
    const timespec davno[2] = {{1000, 0}, {1000, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(stary).constData(), davno, 0);
    QTemporaryDir tmp; // for its copy of a scrambled file
    auto zabity = Spusti("zabity", "Eva", {{"TMP", tmp.path()}});
    zabity->Skoncil(20000);
    ASSERT_EQ(zabity->proces->exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(V_tabulke("Eva"), 1);
    EXPECT_EQ(V_logu("Eva"), 0);
    EXPECT_FALSE(QFile::exists(stary));
    EXPECT_TRUE(QFile::remove(mlady)) << "perhaps still being written";
    Kazdy_raz({"Eva"});
    Kazdy_raz({"Eva"});
}

// Killed at each step of a save in turn (every write, sync, rename and
// removal), then started again; meanwhile nobody, another program of the
// same user, or another user's program (who cannot see the kept results)
// saves, or the files get a new time with the same bytes (a file system
// that sets it at close, a copy, a sync tool, an editor saving unchanged),
// or another user's program saves an equal row (same name, task, counts and
// mark) after removing our new table's file it found a minute old: its
// table has our very bytes, and on a disk that gives a freed inode number
// out again, the inode number our file had (tried until it has); a minute
// later, its time of writing and its entry's time are not ours. The result is then once in
// the table and once in the log (twice with the equal row), or in neither
// where the program died before it was kept. `cisla_znova`: only where the
// file system gives a freed inode number out again; a FUSE one never does
// while mounted, and the equal row is then tried with whatever inode it got.
void Zabity_na_kazdom_kroku(Priecinok_triedy &t, bool cisla_znova = true)
{
    QTemporaryDir iny_pouzivatel;
    const QString kroky = t.p.koren() + "/kroky", hd = t.hd();
    if (cisla_znova && !Dava_cislo_znova(hd))
        GTEST_SKIP() << "this file system never gives a freed inode number out again";
    const auto [krokov, prvy] = Kroky_ulozenia(hd, kroky);
    ASSERT_GT(krokov, 5);
    ASSERT_GT(prvy, 0);
    enum Medzi { Nikto, Ten_isty, Iny, Novy_cas, Rovnaky_po_minute };
    for (const Medzi medzi : {Nikto, Ten_isty, Iny, Novy_cas, Rovnaky_po_minute})
        for (int krok = 1; krok <= krokov; ++krok)
            ASSERT_NO_FATAL_FAILURE(Kym_nedostane_inode([&](int pokus, bool &dostal) {
                const QString meno = QStringLiteral("Zabitý %1-%2-%3").arg(int(medzi)).arg(krok).arg(pokus);
                SCOPED_TRACE(meno.toStdString());
                ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd, .meno = meno, .zabi = krok})));
                if (medzi == Ten_isty || medzi == Iny) {
                    ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd, .meno = "Medzi " + meno,
                                                        .data = medzi == Iny ? iny_pouzivatel.path() : QString()})));
                }
                if (medzi == Rovnaky_po_minute) {
                    static const timespec pred_minutou[2] = {{1000, 0}, {1000, 0}};
                    QList<ino_t> nase; // the inode numbers of our new files, which the save removes
                    for (const QString &novy : QDir(hd).entryList({"Hra.res.*.novy"})) {
                        utimensat(AT_FDCWD, QFile::encodeName(hd + novy).constData(), pred_minutou, 0);
                        nase << Inode(hd + novy);
                    }
                    const QString o_minutu = Text_zaznamu(meno).replace("Skupina", "Skupina o minútu");
                    ASSERT_TRUE(
                        Skoncil(Uloz_v_procese({.hd = hd, .meno = meno, .data = iny_pouzivatel.path(), .log = o_minutu})));
                    dostal = !cisla_znova || nase.isEmpty() || nase.contains(Inode(hd + "Hra.res"));
                    // A disk that keeps whole seconds alone would give it ours.
                    const QByteArray tabulka = QFile::encodeName(hd + "Hra.res");
                    struct stat st {};
                    stat(tabulka.constData(), &st);
                    const timespec neskor[2] = {st.st_atim, {st.st_mtim.tv_sec + 60, st.st_mtim.tv_nsec}};
                    utimensat(AT_FDCWD, tabulka.constData(), neskor, 0);
                }
                if (medzi == Novy_cas)
                    Novy_cas_suborov(hd);
                if (medzi != Ten_isty)
                    Dopln_uschovane(hd);
                const int raz = (krok >= prvy ? 1 : 0) + (medzi == Rovnaky_po_minute ? 1 : 0);
                EXPECT_EQ(t.V_tabulke(meno), raz);
                EXPECT_EQ(t.V_logu(meno), raz);
                EXPECT_EQ(QDir(hd).entryList({"Vysledky.dat.*"}), QStringList()) << "the log written anew left no copy";
                EXPECT_TRUE(
                    QDir(Misc::Adresar_uschovanych()).entryList({"*.txt", "*.vysledok", "*.poskodeny"}).isEmpty());
            }));
}

TEST_F(Priecinok_triedy, AProgramKilledAtAnyStepOfASaveHasItsResultOnceInBothFilesOrInNeither)
{
    Zabity_na_kazdom_kroku(*this);
}

// The same on a disk that keeps no birth time of a file (ext2, ext3 with
// small inodes, an older network share).
TEST_F(Priecinok_triedy, OnADiskWithoutBirthTimesAProgramKilledAtAnyStepOfASaveHasItsResultOnceInBothFilesOrInNeither)
{
    Ext2Disk disk(hd());
    if (!disk.Mounted())
        GTEST_SKIP() << "no ext2 disk to be had: " << disk.Why().toStdString();
    ASSERT_FALSE(disk.KeepsBirthTimes());
    Zabity_na_kazdom_kroku(*this);
}

// The same on FAT's rules through FUSE, where the log is written anew at
// each save.
TEST_F(Priecinok_triedy, OnAFatDiskAProgramKilledAtAnyStepOfASaveHasItsResultOnceInBothFilesOrInNeither)
{
    FuseDisk disk(FuseDisk::FatRules{}, hd());
    if (!disk.Mounted())
        GTEST_SKIP() << "no FAT disk to be had: " << disk.Why().toStdString();
    Zabity_na_kazdom_kroku(*this, false);
}

// The program of the FUSE disk the class's folder lies on killed before a
// save or at each step of one in turn, the save going on with every call
// on the disk failing (ENOTCONN): on bindfs, and on FAT's rules, where an
// append is refused before the log is written anew. Where the result is
// not whole in both files, the pupil hears that the folder's disk is
// disconnected, nothing of a network, of a lock deleted or of a permission,
// nor on FAT of an entry left in part, and the result is kept once; the
// next save, the disk mounted again, takes it in: once in the table and
// once in the log.
TEST_F(Priecinok_triedy, AFuseDiskWhoseProgramDiesAtAnyStepOfASaveIsSaidDisconnectedAndLosesNoResult)
{
    for (const bool fat : {false, true}) {
        SCOPED_TRACE(fat ? "FAT's rules" : "bindfs");
        std::optional<FuseDisk> na_disku;
        fat ? na_disku.emplace(FuseDisk::FatRules{}, hd()) : na_disku.emplace(hd());
        FuseDisk &disk = *na_disku;
        if (!disk.Mounted())
            GTEST_SKIP() << "no FUSE disk to be had: " << disk.Why().toStdString();
        const QString kroky = p.koren() + "/kroky", spravy = p.koren() + "/spravy";
        const int krokov = Kroky_ulozenia(hd(), kroky).first;
        ASSERT_GT(krokov, 5);
        QStringList nie{"sieťový", "mazal", "nedovoľuje", "nevie opísať", "povolenie"};
        if (fat)
            nie << "neúplný";
        for (int krok = 0; krok <= krokov; ++krok) {
            const QString meno = QStringLiteral("Odpojený %1-%2").arg(int(fat)).arg(krok);
            SCOPED_TRACE(meno.toStdString());
            const pid_t proces = disk.Process();
            ASSERT_GT(proces, 0);
            ASSERT_TRUE(krok > 0 || Zabi_disk(proces, QFile::encodeName(hd()).constData()));
            ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi = krok, .spravy = spravy, .disk = proces})));
            ASSERT_TRUE(disk.Remount()) << disk.Why().toStdString();
            const QString text = QString::fromUtf8(Obsah(spravy)).trimmed();
            const int uschovanych = QDir(Misc::Adresar_uschovanych()).entryList({"*.vysledok"}).size();
            if (text.isEmpty()) { // written whole before the disk went
                EXPECT_EQ(uschovanych, 0);
                EXPECT_EQ(V_tabulke(meno), 1);
                EXPECT_EQ(V_logu(meno), 1);
            } else {
                EXPECT_TRUE(text.contains("Disk priečinka je odpojený") && text.contains("uschovaný")) << text.toStdString();
                for (const QString &slovo : nie)
                    EXPECT_FALSE(text.contains(slovo)) << slovo.toStdString() << " in " << text.toStdString();
                EXPECT_EQ(uschovanych, 1);
            }
            ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = "Po " + meno, .spravy = spravy})));
            EXPECT_EQ(QString::fromUtf8(Obsah(spravy)).trimmed(), QString());
            for (const QString &m : {meno, "Po " + meno}) {
                EXPECT_EQ(V_tabulke(m), 1) << m.toStdString();
                EXPECT_EQ(V_logu(m), 1) << m.toStdString();
            }
            EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).entryList({"*.txt", "*.vysledok", "*.poskodeny"}).isEmpty());
        }
    }
}

// A class's folder on a FAT stick or partition, and the pupil's own folder
// on another, as FAT's rules through FUSE have them: they keep no modes,
// owners or links, and refuse a write at the end of a file they did not
// just make; FAT32 through FUSE may tell no size at all. Each series is
// written once in both files: at once, or kept while another program holds
// the lock and taken in by the next save, and no disk is said to be full
// but one that tells its size and is full; one that tells none and is full
// is said to have refused the write, perhaps full.
TEST_F(Priecinok_triedy, OnAFatDiskEverySeriesIsSavedOnceInTheTableAndTheLog)
{
    for (const bool velkost : {true, false}) {
        SCOPED_TRACE(velkost ? "a disk that tells its size" : "a disk that tells no size");
        FuseDisk disk(FuseDisk::FatRules{velkost}, hd(), 2), vlastny(FuseDisk::FatRules{velkost}, p.data(), 2);
        if (!disk.Mounted() || !vlastny.Mounted())
            GTEST_SKIP() << "no FAT disk to be had: " << (disk.Why() + vlastny.Why()).toStdString();
        const struct { const char *meno; bool drzany; QStringList zapisane; } pripady[] = {
            {"Prvá", false, {"Prvá"}},
            {"Druhý", true, {"Prvá"}},
            {"Tretia", false, {"Prvá", "Druhý", "Tretia"}},
        };
        for (const auto &r : pripady) {
            SCOPED_TRACE(r.meno);
            const Misc::Priecinok priecinok(hd());
            Misc::Cakanie cakanie;
            std::optional<Misc::Zamok_priecinka> iny;
            if (r.drzany) {
                ASSERT_TRUE(iny.emplace(priecinok, 1s, cakanie).Drzany());
            }
            auto ziak = Spusti("sam", r.meno, {{"LK_CAKANIE", "300"}});
            EXPECT_TRUE(ziak->Skoncil(60000));
            EXPECT_EQ(ziak->spravy.contains("uschovaný"), r.drzany) << ziak->spravy.toStdString();
            EXPECT_FALSE(ziak->spravy.contains("plný")) << ziak->spravy.toStdString();
            for (const QString meno : {"Prvá", "Druhý", "Tretia"}) {
                EXPECT_EQ(V_tabulke(meno), int(r.zapisane.contains(meno))) << meno.toStdString();
                EXPECT_EQ(V_logu(meno), int(r.zapisane.contains(meno))) << meno.toStdString();
            }
            EXPECT_EQ(QDir(Misc::Adresar_uschovanych()).entryList(QDir::Files).size(), int(r.drzany))
                << QDir(Misc::Adresar_uschovanych()).entryList(QDir::Files).join(", ").toStdString();
        }
        EXPECT_TRUE(QDir(hd()).entryList({"*.novy"}).isEmpty()) << "no new file left half-made";
        // Full: said so where the disk tells its size; else only what is
        // known. The class's folder, then this user's too.
        const QString plny = velkost ? "Disk je plný." : "Disk odmietol zápis; možno je plný";
        for (const QString &kde : {hd(), p.data()}) {
            QFile vypln(kde + "/vypln");
            ASSERT_TRUE(vypln.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (vypln.write(QByteArray(4096, 'x')) > 0) {
            }
            const bool nikde = kde == p.data();
            auto ziak = Spusti("sam", nikde ? "Piaty" : "Štvrtý");
            EXPECT_TRUE(ziak->Skoncil(60000));
            EXPECT_EQ(ziak->spravy.count(plny), 1 + int(nikde)) << ziak->spravy.toStdString();
            EXPECT_TRUE(ziak->spravy.contains(nikde ? "Zapíšte si ho" : "uschovaný") && !ziak->spravy.contains("povolenie"))
                << ziak->spravy.toStdString();
            EXPECT_EQ(V_tabulke(ziak->meno) + V_logu(ziak->meno), 0);
        }
    }
}

// fusefat spoils files by itself: it cuts a file whose size is a whole
// number of clusters to one at an append, and hands a reader zeros while
// another reads. A class's folder on it is not written, nor the pupil's
// own folder: the pupil hears why, and the result is kept where the own
// folder is elsewhere, to be taken in by a save once the class's folder is
// on a good disk; where both lie on fusefat, it is shown to be written
// down.
TEST_F(Priecinok_triedy, NothingIsWrittenThroughFusefat)
{
    const QString fusefat = "Priečinok je na disku FAT pripojenom cez fusefat, ktorý sám od seba poškodzuje súbory";
    const struct { const char *meno; bool hd, data; QStringList sprava; } pripady[] = {
        {"Ema", true, false, {"Hra.res. " + fusefat, "uschovaný"}},
        {"Eva", true, true,
         {"Hra.res. " + fusefat, "). " + fusefat, "Zapíšte si ho, prosím: Eva, úloha 7, správne 4, nesprávne 1, známka 2"}},
        {"Ida", false, true, {}},
    };
    const auto subory_triedy = [this] { // but the test's own signs of a program's start
        std::map<QString, QByteArray> subory = FilesIn(hd());
        std::erase_if(subory, [](const auto &s) { return s.first.startsWith("ready."); });
        return subory;
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.meno);
        std::optional<FuseDisk> disk, vlastny;
        if (r.hd)
            disk.emplace(FuseDisk::Fat{}, hd(), 2);
        if (r.data)
            vlastny.emplace(FuseDisk::Fat{}, p.data(), 2);
        for (const auto *d : {&disk, &vlastny})
            if (*d && !(*d)->Mounted())
                GTEST_SKIP() << "no FAT disk to be had: " << (*d)->Why().toStdString();
        const std::map<QString, QByteArray> trieda = subory_triedy();
        const QStringList vlastne = QDir(p.data()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        auto ziak = Spusti("sam", r.meno);
        EXPECT_TRUE(ziak->Skoncil(60000));
        EXPECT_EQ(ziak->spravy.count('\n'), int(!r.sprava.isEmpty())) << ziak->spravy.toStdString();
        for (const QString &co : r.sprava)
            EXPECT_TRUE(ziak->spravy.contains(co)) << co.toStdString() << " in " << ziak->spravy.toStdString();
        EXPECT_TRUE(!r.hd || subory_triedy() == trieda) << "nothing written to the class's folder";
        EXPECT_TRUE(!r.data || QDir(p.data()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) == vlastne)
            << "nothing written to the pupil's own folder";
        disk.reset(), vlastny.reset();
        const bool uschovany = r.hd && !r.data;
        EXPECT_EQ(Uschovane_subory().size(), int(uschovany));
        auto dalsi = Spusti("sam", QStringLiteral("Po %1").arg(r.meno));
        EXPECT_TRUE(dalsi->Skoncil(60000));
        EXPECT_TRUE(dalsi->spravy.isEmpty()) << dalsi->spravy.toStdString();
        Kazdy_raz({QStringLiteral("Po %1").arg(r.meno)});
        EXPECT_EQ(V_tabulke(r.meno), int(uschovany || !r.hd));
        EXPECT_EQ(V_logu(r.meno), int(uschovany || !r.hd));
    }
}

// A file system that refuses every mode with EPERM (FAT for modes its
// mount forbids, NFS with root squashed): the files get what it gives.
TEST_F(Priecinok_triedy, OnADiskThatRefusesModesWithEpermASeriesIsSavedOnce)
{
    FuseDisk disk(hd(), {"--chmod-deny"});
    if (!disk.Mounted())
        GTEST_SKIP() << "no FUSE disk to be had: " << disk.Why().toStdString();
    auto ziak = Spusti("sam", "Eva");
    EXPECT_TRUE(ziak->Skoncil(60000));
    EXPECT_TRUE(ziak->spravy.isEmpty()) << ziak->spravy.toStdString();
    Kazdy_raz({"Eva"});
}

// The lock's file deleted at each step of a save in turn, and another user's
// program saving its whole result right then: neither program writes its
// table over the other's row, nor its log, written anew, over the other's
// entry (on FAT, deleted too once the log is read and its new file not yet
// made, where the other program's sweep finds nothing of ours to remove).
void Zamok_zmazany_na_kazdom_kroku(Priecinok_triedy &t)
{
    static QTemporaryDir iny_pouzivatel;
    static QString trieda, druhy;
    static int krok = 0, kroky = 0;
    trieda = t.hd();
    const QString pocet = t.p.koren() + "/kroky";
    const int krokov = Kroky_ulozenia(trieda, pocet).first;
    ASSERT_GT(krokov, 5);
    const QString spravy = t.p.koren() + "/spravy";
    for (krok = 1; krok <= krokov; ++krok) {
        const QString meno = QStringLiteral("Zámok zmazaný %1").arg(krok);
        druhy = "Medzitým " + meno;
        SCOPED_TRACE(meno.toStdString());
        ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = trieda, .meno = meno, .zabi_ked = [] {
            if (++kroky == krok) {
                QFile::remove(trieda + "Vysledky.lock");
                EXPECT_TRUE(Skoncil(Uloz_v_procese({.hd = trieda, .meno = druhy, .data = iny_pouzivatel.path()})));
            }
            return false;
        }, .spravy = spravy})));
        // A lock deleted once is taken again: nothing to tell the pupil.
        EXPECT_EQ(QString::fromUtf8(Obsah(spravy)).trimmed(), QString());
        Dopln_uschovane(trieda);
        EXPECT_EQ(t.V_tabulke(meno), 1);
        EXPECT_EQ(t.V_logu(meno), 1);
        EXPECT_EQ(t.V_tabulke(druhy), 1);
        EXPECT_EQ(t.V_logu(druhy), 1);
    }
}

TEST_F(Priecinok_triedy, ALockDeletedAtAnyStepLetsNoProgramWriteOverAnothersRow)
{
    Zamok_zmazany_na_kazdom_kroku(*this);
}

TEST_F(Priecinok_triedy, OnAFatDiskALockDeletedAtAnyStepLetsNoProgramWriteOverAnothersRowOrEntry)
{
    FuseDisk disk(FuseDisk::FatRules{}, hd());
    if (!disk.Mounted())
        GTEST_SKIP() << "no FAT disk to be had: " << disk.Why().toStdString();
    Zamok_zmazany_na_kazdom_kroku(*this);
}

// Killed at random moments of a loop of saves, a hundred times, each time
// started again: every result started is once in both files, the last one
// perhaps in neither.
TEST_F(Priecinok_triedy, AHundredRandomKillsLoseNoResultAndDoubleNone)
{
    QTemporaryDir iny_pouzivatel;
    QRandomGenerator nahoda(37);
    const QString zacate = p.koren() + "/zacate";
    for (int i = 0; i < 100; ++i) {
        QFile::remove(zacate);
        const pid_t pid = fork();
        if (pid == 0) {
            for (int j = 0;; ++j) {
                const QString meno = QStringLiteral("Náhodný %1-%2").arg(i).arg(j);
                QFile f(zacate);
                (void)(f.open(QIODevice::Append) && f.write((meno + "\n").toUtf8()));
                f.close();
                Misc::Cakanie cakanie;
                Ulozenie_vysledku ulozenie(hd(), 10s);
                QList<Zaznam_vysledku> zobrazene;
                ulozenie.Pridaj_riadok({7, meno, 4, 1, 2, 1}, Text_zaznamu(meno), zobrazene, cakanie);
                ulozenie.Pripis_log(Text_zaznamu(meno), cakanie);
            }
        }
        QThread::usleep(nahoda.bounded(2000, 30000));
        kill(pid, SIGKILL);
        ASSERT_TRUE(Zabity(pid));
        if (i % 4 == 1) {
            ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = QStringLiteral("Iný %1").arg(i), .data = iny_pouzivatel.path()})));
        }
        Dopln_uschovane(hd());
        const QStringList mena = QString::fromUtf8(Obsah(zacate)).split('\n', Qt::SkipEmptyParts);
        for (const QString &meno : mena) {
            const int raz = V_tabulke(meno);
            EXPECT_EQ(V_logu(meno), raz) << meno.toStdString();
            EXPECT_TRUE(raz == 1 || (raz == 0 && meno == mena.last())) << meno.toStdString() << " " << raz;
        }
        EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).entryList({"*.txt", "*.vysledok", "*.poskodeny"}).isEmpty());
    }
}

// A file-size limit smaller than the table: the write fails, the program
// goes on and keeps the result.
TEST_F(Priecinok_triedy, AFileSizeLimitFailsTheWriteInsteadOfKillingTheProgram)
{
    QStringList riadky; // larger than the limit, unlike the files of the start
    for (int i = 0; i < 1600; ++i)
        riadky << QStringLiteral("7|Žiak %1| 5| 0| 1| 0").arg(i);
    Zapis_subor(hd() + "Hra.res", Misc::Text_do_1250(riadky.join("\r\n") + "\r\n"));
    const QByteArray tabulka = Obsah(hd() + "Hra.res");
    auto ziak = Spusti("sam", "Eva", {{"LK_SIGNALY", "1"}}, [] {
        const rlimit limit{32768, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_TRUE(ziak->Skoncil(20000)) << "exit status " << int(ziak->proces->exitStatus()) << " "
                                      << ziak->proces->exitCode();
    EXPECT_TRUE(ziak->spravy.contains("uschovaný")) << ziak->spravy.toStdString();
    EXPECT_EQ(Obsah(hd() + "Hra.res"), tabulka);
    Kazdy_raz({"Eva"});
}

// The data folder, this user's own folder or both on a small disk that is
// full, or only for reading: the pupil hears why the system would not
// write, in one message however many files failed, and is asked to write
// the result down once where it could be kept nowhere. A result kept goes
// in once at the next start.
TEST_F(Priecinok_triedy, AFullDiskIsSaidAsSuchAndAResultKeptNowhereIsToldOnce)
{
    QDir().mkpath(p.koren() + "/skuska");
    const Maly_disk skuska(p.koren() + "/skuska", false);
    const pid_t pid = fork();
    if (pid == 0)
        _exit(Pripoj(&skuska, 1) ? 0 : 1);
    if (!Skoncil(pid))
        GTEST_SKIP() << "this system lets a process mount no file system of its own";
    enum Disk { Volny, Plny, Na_citanie };
    const QString vysledok = "Eva, úloha 7, správne 4, nesprávne 1, známka 2";
    const struct { const char *nazov; Disk hd, data; QStringList sprava; } pripady[] = {
        {"the data folder full", Plny, Volny, {"Hra.res. Disk je plný.", "uschovaný"}},
        {"this user's folder full", Volny, Plny, {}},
        {"both full", Plny, Plny, {"Hra.res. Disk je plný.", ". Disk je plný. Zapíšte si ho, prosím: " + vysledok}},
        {"the data folder full, this user's only for reading", Plny, Na_citanie,
         {"Hra.res. Disk je plný.", ". Disk je len na čítanie. Zapíšte si ho, prosím: " + vysledok}},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        std::vector<Maly_disk> disky;
        for (const auto &[disk, kde] : {std::pair(r.hd, hd()), std::pair(r.data, p.data())})
            if (disk != Volny)
                disky.emplace_back(kde, disk == Na_citanie);
        auto ziak = Spusti("sam", "Eva", {}, [&disky] {
            if (!Pripoj(disky.data(), int(disky.size())))
                _exit(7);
        });
        ASSERT_TRUE(ziak->Skoncil(20000)) << "exit code " << ziak->proces->exitCode();
        if (r.sprava.isEmpty()) {
            EXPECT_TRUE(ziak->spravy.isEmpty()) << ziak->spravy.toStdString();
        } else {
            EXPECT_EQ(ziak->spravy.count('\n'), 1) << "one message: " << ziak->spravy.toStdString();
            for (const QString &co : r.sprava)
                EXPECT_TRUE(ziak->spravy.contains(co)) << co.toStdString() << " in " << ziak->spravy.toStdString();
            EXPECT_LE(ziak->spravy.count("Zapíšte si ho"), 1);
        }
        const bool nikde = r.data != Volny && r.hd != Volny;
        if (nikde) {
            EXPECT_EQ(V_tabulke("Eva"), 0);
            EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).entryList({"*.vysledok"}).isEmpty());
        } else {
            Kazdy_raz({"Eva"});
        }
        QFile::remove(hd() + "Hra.res"), QFile::remove(hd() + "Vysledky.dat");
    }
}

// Logout: the program ends the ordinary way, leaving nothing in the
// temporary folder; a save waiting for another program's lock gives up and
// keeps the result.
TEST_F(Priecinok_triedy, TheEndOfTheSessionEndsTheProgramCleanly)
{
    QTemporaryDir tmp;
    auto ziak = Spusti("koniec", "Eva", {{"LK_SIGNALY", "1"}, {"TMP", tmp.path()}});
    Pockaj_na_pripravenych(1);
    EXPECT_TRUE(QDir(tmp.path()).isEmpty()) << "the copy of a scrambled file has no name";
    ziak->proces->terminate();
    EXPECT_TRUE(ziak->Skoncil(5000));
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());

    const Misc::Priecinok priecinok(hd());
    Misc::Cakanie cakanie;
    auto zamok = std::make_unique<Misc::Zamok_priecinka>(priecinok, 1s, cakanie);
    ASSERT_TRUE(zamok->Drzany());
    ziak = Spusti("sam", "Ema", {{"LK_SIGNALY", "1"}});
    Pockaj_na_pripravenych(1);
    QThread::msleep(300); // waiting for the lock
    ziak->proces->terminate();
    EXPECT_TRUE(ziak->Skoncil(5000));
    EXPECT_TRUE(ziak->spravy.contains("končí") && ziak->spravy.contains("uschovaný")) << ziak->spravy.toStdString();
    zamok.reset();
    Kazdy_raz({"Ema"});
}

} // namespace
