#pragma once
// Programs saving into a shared data folder as real processes: a pupil's
// whole program (this test binary started again as Ziak.Program), and a
// save forked off this one, killed at a step of its own, its FUSE disk's
// program killed there instead, denied a call or left at the message
// between its row and its entry, then started again.
#include "Program.h"

#include "services/Text_1250.h"
#include "services/Uschovane_casti.h"
#include "shell/Ulozenie_vysledku.h"

#include <QProcess>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lktest {

struct Ziak {
    std::unique_ptr<QProcess> proces = std::make_unique<QProcess>();
    QString meno, spravy;
    // Waits at most `ms`; a program still running then is killed.
    bool Skoncil(int ms)
    {
        const bool skoncil = proces->waitForFinished(ms);
        if (!skoncil)
            proces->kill(), proces->waitForFinished();
        for (const QString &riadok : QString::fromUtf8(proces->readAllStandardOutput()).split('\n'))
            if (riadok.startsWith("SPRAVA "))
                spravy += riadok.mid(7) + '\n';
        return skoncil && proces->exitStatus() == QProcess::NormalExit && proces->exitCode() == 0;
    }
};

struct Priecinok_triedy : ::testing::Test {
    Program p;
    void SetUp() override { p.Prejdi_titulok(); }
    QString hd() const { return p.hd(); }

    std::unique_ptr<Ziak> Spusti(const QString &rola, const QString &meno, const QMap<QString, QString> &env = {},
                                 const std::function<void()> &v_dietati = {})
    {
        auto ziak = std::make_unique<Ziak>();
        ziak->meno = meno;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("LK_ROLA", rola), e.insert("LK_TRIEDA", hd()), e.insert("LK_ZIAK", meno);
        e.insert("LK_DATA", p.data());
        for (auto it = env.begin(); it != env.end(); ++it)
            e.insert(it.key(), it.value());
        ziak->proces->setProcessEnvironment(e);
        if (v_dietati)
            ziak->proces->setChildProcessModifier(v_dietati);
        ziak->proces->start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Ziak.Program"});
        return ziak;
    }
    void Pockaj_na_pripravenych(int pocet)
    {
        while (QDir(hd()).entryList({"ready.*"}).size() < pocet)
            QThread::msleep(5);
        for (const QString &r : QDir(hd()).entryList({"ready.*"}))
            QFile::remove(hd() + r);
    }
    int V_tabulke(const QString &meno) const
    {
        return Misc::Riadky_textu(Misc::Text_z_1250(Obsah(hd() + "Hra.res"))).filter("|" + meno + "|").size();
    }
    int V_logu(const QString &meno) const
    {
        return Misc::Text_z_1250(Obsah(hd() + "Vysledky.dat")).count(": " + meno + " ");
    }
    // Once in the table and once in the log, after the next start has
    // written what was kept.
    void Kazdy_raz(const QStringList &mena)
    {
        Vysledky::Dopln_uschovane(hd());
        for (const QString &meno : mena) {
            EXPECT_EQ(V_tabulke(meno), 1) << meno.toStdString();
            EXPECT_EQ(V_logu(meno), 1) << meno.toStdString();
        }
        EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).entryList({"*.txt", "*.vysledok"}).isEmpty())
            << "nothing left kept";
        EXPECT_TRUE(QDir(hd()).entryList({"*.novy"}).isEmpty()) << "no new file left half-made";
    }
};

// A folder under a file system of its own, 8 KiB large and filled to the
// last byte, or empty and only for reading, seen by one process alone.
struct Maly_disk {
    char kde[1024] = {}, plny[1100] = {}; // the folder, and the file that fills it
    bool len_na_citanie = false;
    Maly_disk() = default;
    Maly_disk(const QString &priecinok, bool citanie) : len_na_citanie(citanie)
    {
        qstrncpy(kde, QFile::encodeName(priecinok).constData(), sizeof kde);
        qstrncpy(plny, QFile::encodeName(priecinok + "/plny").constData(), sizeof plny);
    }
};

// Writes `text` (`n` bytes) to a file of /proc/self.
inline bool Zapis_procesu(const char *subor, const char *text, size_t n)
{
    const int fd = open(subor, O_WRONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && write(fd, text, n) == ssize_t(n);
    if (fd >= 0)
        close(fd);
    return ok;
}

// "0 <id> 1": this user or group is root of the new user namespace.
inline bool Zapis_mapu(const char *subor, unsigned id)
{
    char riadok[32] = "0 ", cislice[16];
    size_t n = 2, k = 0;
    do
        cislice[k++] = char('0' + id % 10);
    while ((id /= 10) != 0);
    while (k > 0)
        riadok[n++] = cislice[--k];
    riadok[n++] = ' ', riadok[n++] = '1';
    return Zapis_procesu(subor, riadok, n);
}

// Mounts `disky` for this process alone: a mount namespace of its own, and
// a user namespace where it is not root. System calls only, as a child
// between fork and exec may make. False where the system allows neither.
inline bool Pripoj(const Maly_disk *disky, int pocet)
{
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWNS) != 0
        && (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !Zapis_procesu("/proc/self/setgroups", "deny", 4)
            || !Zapis_mapu("/proc/self/uid_map", uid) || !Zapis_mapu("/proc/self/gid_map", gid)))
        return false;
    // Nothing mounted here reaches the machine's own mounts.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return false;
    static const char nuly[4096] = {};
    for (int i = 0; i < pocet; ++i) {
        const Maly_disk &d = disky[i];
        if (mount("tmpfs", d.kde, "tmpfs", d.len_na_citanie ? MS_RDONLY : 0, "size=8k,mode=0777") != 0)
            return false;
        const int fd = d.len_na_citanie ? -1 : open(d.plny, O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        while (fd >= 0 && write(fd, nuly, sizeof nuly) > 0) {
        }
        if (fd >= 0)
            close(fd);
    }
    return true;
}

// An entry of the log as the results screen makes it: four lines.
inline QString Text_zaznamu(const QString &meno)
{
    return QStringLiteral("Meno: %1 \r\nSkupina\r\nSpravne 4\r\n%2\r\n").arg(meno, QString(75, '='));
}

// The kept results of this user, with what their files hold.
inline QByteArrayList Uschovane_subory()
{
    QByteArrayList obsahy;
    for (const QFileInfo &f : QDir(Misc::Adresar_uschovanych()).entryInfoList({"*.vysledok"}, QDir::Files))
        obsahy << Obsah(f.filePath());
    return obsahy;
}
inline bool Uschovany_obsahuje(const QByteArray &text)
{
    const QByteArrayList obsahy = Uschovane_subory();
    return std::any_of(obsahy.cbegin(), obsahy.cend(), [&text](const QByteArray &o) { return o.contains(text); });
}

// One result saved as the results screen saves it, in a process of its own.
struct Ulozenie {
    QString hd, meno;
    int zabi = 0;                 // killed at this step of the save (0: never)
    QString data = {};            // XDG_DATA_HOME, when another user's
    QString kroky = {};           // gets how many steps it made and the step after which it was first kept
    bool (*zabi_ked)() = nullptr; // runs after each step: killed when it says so
    bool sprava = false;          // a message waits between row and entry: the lock goes meanwhile
    QString log = {};             // the entry as finally given, when not the one foreseen with the row
    std::function<void()> medzi = {}; // runs between row and entry
    QString spravy = {};          // gets the messages for the pupil
    pid_t disk = 0;               // with `zabi`: the process of the FUSE disk under `hd`, killed instead, the save going on
};

// Kills the process of the FUSE disk at `cesta` and waits until the disk
// answers no more; system calls only, as between two steps of a save.
inline bool Zabi_disk(pid_t disk, const char *cesta)
{
    if (disk <= 0 || kill(disk, SIGKILL) != 0)
        return false;
    struct stat st {};
    for (int ms = 0; ms < 30000; ++ms) {
        if (stat(cesta, &st) != 0 && errno == ENOTCONN)
            return true;
        usleep(1000);
    }
    return false;
}

// What a save with a message to show finds among the kept results.
inline const QString Poskodeny = QStringLiteral("000000000000000-poskodeny.vysledok");

inline pid_t Uloz_v_procese(const Ulozenie &u)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    if (!u.data.isEmpty())
        qputenv("XDG_DATA_HOME", u.data.toUtf8());
    static int krokov = 0, zabit = 0, prvy = 0;
    static bool (*ked)() = nullptr;
    static pid_t disk = 0;
    static QByteArray cesta;
    krokov = 0, zabit = u.zabi, prvy = 0, ked = u.zabi_ked, disk = u.disk, cesta = QFile::encodeName(u.hd);
    Misc::Po_kroku = [] {
        if (++krokov == zabit && disk != 0) {
            if (!Zabi_disk(disk, cesta.constData()))
                _exit(3);
        } else if (krokov == zabit || (ked && ked())) {
            raise(SIGKILL);
        }
        QStringList uschovane = QDir(Misc::Adresar_uschovanych()).entryList({"*.txt", "*.vysledok"});
        uschovane.removeAll(Poskodeny);
        if (prvy == 0 && !uschovane.isEmpty())
            prvy = krokov;
    };
    if (u.sprava) { // a damaged kept result to tell of
        QDir().mkpath(Misc::Adresar_uschovanych());
        Zapis_subor(Misc::Adresar_uschovanych() + Poskodeny, "");
    }
    Misc::Cakanie cakanie;
    Vysledky::Ulozenie_vysledku ulozenie(u.hd, std::chrono::seconds(10));
    QList<Vysledky::Zaznam_vysledku> zobrazene;
    const Vysledky::Zaznam_vysledku z{7, u.meno, 4, 1, 2, 1};
    const Vysledky::Odpoved riadok = ulozenie.Pridaj_riadok(z, Text_zaznamu(u.meno), zobrazene, cakanie);
    if (u.medzi)
        u.medzi();
    const Vysledky::Odpoved log = ulozenie.Pripis_log(u.log.isEmpty() ? Text_zaznamu(u.meno) : u.log, cakanie);
    if (!u.kroky.isEmpty())
        Zapis_subor(u.kroky, QByteArray::number(krokov) + " " + QByteArray::number(prvy));
    if (!u.spravy.isEmpty())
        Zapis_subor(u.spravy, (Vysledky::Text_odpovede(riadok, ulozenie.Subor_tabulky(), z) + "\n"
                               + Vysledky::Text_odpovede(log, ulozenie.Subor_logu(), z))
                                  .toUtf8());
    _exit(0);
}

// The table and the log given a new time, their bytes as they were.
inline void Novy_cas_suborov(const QString &hd)
{
    static const timespec inokedy[2] = {{1234567890, 5}, {1234567890, 5}};
    for (const char *subor : {"Hra.res", "Vysledky.dat"})
        utimensat(AT_FDCWD, QFile::encodeName(hd + subor).constData(), inokedy, 0);
}

inline bool Zabity(pid_t pid)
{
    int stav = 0;
    return waitpid(pid, &stav, 0) == pid && WIFSIGNALED(stav) && WTERMSIG(stav) == SIGKILL;
}

inline bool Skoncil(pid_t pid)
{
    int stav = 0;
    return waitpid(pid, &stav, 0) == pid && WIFEXITED(stav) && WEXITSTATUS(stav) == 0;
}

// The steps of a save as every save but a folder's first makes them (on
// FAT's rules a log that holds an entry is written anew, in steps of its
// own): how many, and the one after which the result was first kept; 0, 0
// where the saves failed.
inline std::pair<int, int> Kroky_ulozenia(const QString &hd, const QString &kroky)
{
    for (const char *meno : {"Bez zabitia", "Bez zabitia znova"})
        if (!Skoncil(Uloz_v_procese({.hd = hd, .meno = meno, .kroky = kroky})))
            return {0, 0};
    const QList<QByteArray> pocty = Obsah(kroky).split(' ');
    return {pocty.value(0).toInt(), pocty.value(1).toInt()};
}

// The inode number of what stands under `cesta`; 0 where nothing does.
inline ino_t Inode(const QString &cesta)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(cesta).constData(), &st) == 0 ? st.st_ino : 0;
}

// Whether the folder's file system gives a freed inode number out again
// (ext2, ext4 and NFS do; tmpfs counts on): where it never does, the cases
// below cannot be made and are skipped.
inline bool Dava_cislo_znova(const QString &priecinok)
{
    const QString subor = priecinok + QStringLiteral("/.skuska_inode");
    for (int pokus = 0; pokus < 20; ++pokus) {
        if (!QFile(subor).open(QIODevice::WriteOnly))
            return true; // no answer here: let the case itself say what it finds
        const ino_t pred = Inode(subor);
        QFile::remove(subor);
        QFile(subor).open(QIODevice::WriteOnly);
        const bool znova = Inode(subor) == pred;
        QFile::remove(subor);
        if (znova)
            return true;
    }
    return false;
}

// A case whose table, written after our new file was removed, is to hold
// that file's inode number: a file system that gives freed numbers out
// again gives it to the next file made, unless another process's file got
// it first. So the case is tried again, each try (`pokus`, from 1) under
// names of its own, until `pripad` says the table got it (`dostal`, true
// when the case needs no such table); where no try gets it though the file
// system gives numbers out again, the test fails, its fault unseen.
inline void Kym_nedostane_inode(const std::function<void(int pokus, bool &dostal)> &pripad)
{
    constexpr int pokusov = 50;
    for (int pokus = 1; pokus <= pokusov; ++pokus) {
        bool dostal = true;
        pripad(pokus, dostal);
        if (dostal || ::testing::Test::HasFatalFailure())
            return;
    }
    ADD_FAILURE() << "in " << pokusov << " tries no table written after our new file was removed got its inode "
                  << "number: this file system does not give a freed inode number out again at once";
}

} // namespace lktest
