// The recovery of a save, branch by branch, with real processes: a save
// killed at a chosen moment, other programs saving before it starts again,
// a power failure that keeps only part of what was written, a call the
// disk or the folder denies. Every result ends up once in the table and
// once in the log, and the pupil hears where it is.
#include "Ukladanie.h"

#include "support/Zakazane_volania.h"

#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace lktest;
using namespace Vysledky;
using namespace std::chrono_literals;

namespace {

struct Obnova : Priecinok_triedy {
    QTemporaryDir iny_pouzivatel; // another user's own data: our kept results are not seen from there
    // Saved by another user's program, start to end.
    bool Iny_ulozi(const QString &meno) { return Skoncil(Uloz_v_procese({.hd = hd(), .meno = meno, .data = iny_pouzivatel.path()})); }
    QStringList Nove() const { return QDir(hd()).entryList({"Hra.res.*.novy"}); }
    // Nothing left kept; the damaged result a message was about goes.
    void Nic_uschovane() const
    {
        EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).entryList({"*.vysledok"}).isEmpty()) << "nothing left kept";
        QFile::remove(Misc::Adresar_uschovanych() + Poskodeny + ".poskodeny");
    }
};

// The note that the new table is about to take the old one's place.
bool Pred_premenovanim() { return Uschovany_obsahuje("P 2 T"); }

// From now on the kept result's file cannot be synced, as a failing disk's,
// through any of its descriptors.
void Zlyha_synchronizacia()
{
    for (const int fd : Otvorene_subory(".vysledok"))
        if (!Zakaz_volania({__NR_fsync, __NR_fdatasync}, EIO, fd))
            _exit(3);
}

// Zlyha_synchronizacia once the result is kept.
bool Zlyha_po_uschovani()
{
    static bool zlyha = false;
    if (!zlyha && !Otvorene_subory(".vysledok").isEmpty())
        Zlyha_synchronizacia(), zlyha = true;
    return false;
}

// Killed just before its new table took the old one's place. Before it
// starts again another user's program saves a row, another or an equal one
// (same name, task, counts and mark: its new table has the very bytes of
// ours), and removes our new table's file when it finds it a minute old.
// Only what is certain counts: the new file still there, the table our
// very file (not one that got its inode number once it was removed); the
// rows equal to ours only where nothing else tells.
TEST_F(Obnova, KilledBeforeTheRenameItsRowGoesInOnceWhateverAnotherUserSavedMeanwhile)
{
    const struct { const char *nazov; bool rovnaky, stary; } pripady[] = {
        {"another row, our new file still there", false, false},
        {"an equal row, our new file still there", true, false},
        {"another row, our new file a minute old and removed", false, true},
        {"an equal row, our new file a minute old and removed", true, true},
    };
    if (!Dava_cislo_znova(hd()))
        GTEST_SKIP() << "this file system never gives a freed inode number out again";
    int n = 0;
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        ASSERT_NO_FATAL_FAILURE(Kym_nedostane_inode([&](int, bool &dostal) {
            const QString meno = QStringLiteral("Pred premenovaním %1").arg(++n);
            ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi_ked = Pred_premenovanim})));
            ASSERT_EQ(Nove().size(), 1);
            const ino_t nas = Inode(hd() + Nove().first());
            const timespec davno[2] = {{1000, 0}, {1000, 0}};
            if (r.stary)
                utimensat(AT_FDCWD, QFile::encodeName(hd() + Nove().first()).constData(), davno, 0);
            ASSERT_TRUE(Iny_ulozi(r.rovnaky ? meno : "Iný " + meno));
            dostal = !r.stary || Inode(hd() + "Hra.res") == nas;
            EXPECT_EQ(Nove().isEmpty(), r.stary) << "only an old one is removed";
            Dopln_uschovane(hd());
            EXPECT_EQ(V_tabulke(meno), r.rovnaky ? 2 : 1);
            EXPECT_EQ(V_logu(meno), r.rovnaky ? 2 : 1);
            EXPECT_TRUE(Nove().isEmpty());
            Nic_uschovane();
        }));
    }
}

// The kept result as a power failure may leave it: the note of the table's
// step cut short, or the note whole while the entry it names (given anew
// after the parts were kept) never reached the disk. The note before it
// stands, and the result goes in once, with the entry foreseen.
TEST_F(Obnova, ANoteOrThePartItNamesCutShortByAPowerFailureLeavesTheNoteBeforeIt)
{
    static const QByteArray poznamka_tabulky = "P 2 ", poznamka_logu = "P 3 ";
    const QString meno = "Ema", iny_log = Text_zaznamu(meno).replace("Skupina", "Nová skupina");
    const struct { const char *nazov; QByteArray poznamka, co; bool (*zabi_ked)(); QString log; } pripady[] = {
        {"the table's note cut short", poznamka_tabulky, poznamka_tabulky,
         [] { return Uschovany_obsahuje(poznamka_tabulky); }, {}},
        {"the entry given anew never on the disk, its note whole", poznamka_logu, iny_log.toUtf8(),
         [] { return Uschovany_obsahuje(poznamka_logu); }, iny_log},
    };
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        QFile::remove(hd() + "Vysledky.dat");
        ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi_ked = r.zabi_ked, .log = r.log})));
        const QFileInfoList uschovane = QDir(Misc::Adresar_uschovanych()).entryInfoList({"*.vysledok"});
        ASSERT_EQ(uschovane.size(), 1);
        QByteArray bajty = Obsah(uschovane.first().filePath());
        const qsizetype kde = bajty.indexOf(r.co);
        ASSERT_GE(kde, 0);
        if (r.log.isEmpty())
            bajty[kde + 8] = '#';
        else
            bajty.replace(kde, r.co.size(), QByteArray(r.co.size(), '\0'));
        Zapis_subor(uschovane.first().filePath(), bajty);
        EXPECT_TRUE(Dopln_uschovane(hd()).poskodene.isEmpty()) << "nothing damaged";
        EXPECT_EQ(V_tabulke(meno), 1);
        EXPECT_EQ(Obsah(hd() + "Vysledky.dat"), Misc::Text_do_1250(Text_zaznamu(meno)));
        Nic_uschovane();
        QFile::remove(hd() + "Hra.res");
    }
}

// A message between row and entry lets the lock go, and another user's
// program may save meanwhile. Killed at each step of such a save in turn,
// the files given a new time or not, then started again: the result is
// once in both files, or in neither where it died before it was kept.
TEST_F(Obnova, WithAMessageBetweenRowAndEntryAKillAtAnyStepLeavesTheResultOnce)
{
    static QString trieda, iny, medzi;
    trieda = hd(), iny = iny_pouzivatel.path();
    const auto ulozi_iny = [] { (void)Skoncil(Uloz_v_procese({.hd = trieda, .meno = medzi, .data = iny})); };
    const QString kroky = p.koren() + "/kroky";
    ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = "Bez zabitia", .kroky = kroky, .sprava = true})));
    const QList<QByteArray> pocty = Obsah(kroky).split(' ');
    const int krokov = pocty.value(0).toInt(), prvy = pocty.value(1).toInt();
    ASSERT_GT(krokov, 5);
    for (const bool s_inym : {false, true})
        for (const bool novy_cas : {false, true})
            for (int krok = 1; krok <= krokov; ++krok) {
                const QString meno = QStringLiteral("So správou %1-%2-%3").arg(int(s_inym)).arg(int(novy_cas)).arg(krok);
                medzi = "Medzitým " + meno;
                SCOPED_TRACE(meno.toStdString());
                ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi = krok, .sprava = true,
                                                    .medzi = s_inym ? std::function<void()>(ulozi_iny) : nullptr})));
                if (novy_cas)
                    Novy_cas_suborov(hd());
                Dopln_uschovane(hd());
                const int raz = krok >= prvy ? 1 : 0;
                EXPECT_EQ(V_tabulke(meno), raz);
                EXPECT_EQ(V_logu(meno), raz);
                EXPECT_EQ(V_tabulke(medzi), V_logu(medzi));
                Nic_uschovane();
            }
}

// Killed while its message is shown, the row in and the entry not: the
// note says the row is written, so it is not written again though the
// table no longer shows it (the teacher has started a new one meanwhile),
// and the entry goes in.
TEST_F(Obnova, KilledAtTheMessageBetweenRowAndEntryItsRowIsNotWrittenAgain)
{
    ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = "Eva", .sprava = true, .medzi = [] { raise(SIGKILL); }})));
    ASSERT_EQ(V_tabulke("Eva"), 1);
    ASSERT_TRUE(QFile::remove(hd() + "Hra.res"));
    Dopln_uschovane(hd());
    EXPECT_EQ(V_tabulke("Eva"), 0);
    EXPECT_EQ(V_logu("Eva"), 1);
    Nic_uschovane();
}

// Both parts are in, but the kept result cannot be removed (its folder
// denies it now): the pupil is told it is saved, and no later start
// writes either part again.
TEST_F(Obnova, AKeptResultThatCannotBeRemovedIsNotWrittenAgain)
{
    const QString spravy = p.koren() + "/spravy";
    ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = "Eva",
                                         .medzi = [] {
                                             if (!Zakaz_volania({__NR_unlinkat}, EACCES))
                                                 _exit(3);
                                         },
                                         .spravy = spravy})));
    EXPECT_TRUE(Obsah(spravy).trimmed().isEmpty()) << "told saved: " << Obsah(spravy).toStdString();
    ASSERT_EQ(Uschovane_subory().size(), 1) << "still kept";
    Dopln_uschovane(hd());
    Dopln_uschovane(hd());
    EXPECT_EQ(V_tabulke("Eva"), 1);
    EXPECT_EQ(V_logu("Eva"), 1);
    Nic_uschovane();
}

// This user's own disk fails when the kept result's note is synced, before
// the table's step or before the log's: that part is not written and stays
// kept, and the message names the folder that failed, not the shared file.
TEST_F(Obnova, ANoteThatCannotBeSyncedNamesTheFolderThatFailed)
{
    const struct { const char *nazov; bool (*po_kroku)(); bool sprava; void (*medzi)(); const char *subor; } pripady[] = {
        {"the table's note", Zlyha_po_uschovani, false, nullptr, "Hra.res"},
        {"the log's note after a message", nullptr, true, Zlyha_synchronizacia, "Vysledky.dat"},
    };
    int n = 0;
    for (const auto &r : pripady) {
        SCOPED_TRACE(r.nazov);
        const QString meno = QStringLiteral("Bez poznámky %1").arg(++n), spravy = p.koren() + "/spravy";
        ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi_ked = r.po_kroku, .sprava = r.sprava,
                                             .medzi = r.medzi ? std::function<void()>(r.medzi) : nullptr,
                                             .spravy = spravy})));
        const QString sprava = QString::fromUtf8(Obsah(spravy)).trimmed();
        const QString dovod = sprava.left(sprava.indexOf("\r\n\r\n"));
        EXPECT_TRUE(dovod.contains(QDir::toNativeSeparators(Misc::Adresar_uschovanych())) && dovod.contains(r.subor))
            << sprava.toStdString();
        EXPECT_TRUE(sprava.contains("uschovaný")) << sprava.toStdString();
        Kazdy_raz({meno});
        Nic_uschovane();
    }
}

// Killed once its entry was appended, and the log replaced meanwhile by
// another file holding the entry nearer its start than the old log's
// length (a teacher kept only the newest entries): the entry is found
// there, not appended again.
TEST_F(Obnova, AnEntryInALogReplacedByAnotherFileIsFoundWhereverItLies)
{
    static QString log;
    log = hd() + "Vysledky.dat";
    Zapis_subor(log, "stary zaznam\r\n" + QByteArray(4000, 'x') + "\r\n");
    ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = "Eva", .zabi_ked = [] { return Obsah(log).contains(": Eva "); }})));
    const QByteArray zaznam = Misc::Text_do_1250(Text_zaznamu("Eva"));
    ASSERT_TRUE(Obsah(log).endsWith(zaznam));
    const struct stat pred = [] { struct stat st {}; stat(QFile::encodeName(log).constData(), &st); return st; }();
    Zapis_subor(log + ".novy", zaznam + "novsi zaznam\r\n");
    ASSERT_EQ(::rename(QFile::encodeName(log + ".novy").constData(), QFile::encodeName(log).constData()), 0);
    struct stat po {};
    ASSERT_EQ(stat(QFile::encodeName(log).constData(), &po), 0);
    ASSERT_NE(po.st_ino, pred.st_ino) << "another file";
    Kazdy_raz({"Eva"});
}

// The note as the versions before wrote it, without handles, and without
// birth times either: the result a program of such a version kept is taken
// in once, whichever step it died at, its files given a new time or not.
TEST_F(Obnova, AKeptResultTheVersionsBeforeNotedIsTakenInOnce)
{
    const QString kroky = p.koren() + "/kroky";
    ASSERT_TRUE(Skoncil(Uloz_v_procese({.hd = hd(), .meno = "Bez zabitia", .kroky = kroky})));
    const QList<QByteArray> pocty = Obsah(kroky).split(' ');
    const int krokov = pocty.value(0).toInt(), prvy = pocty.value(1).toInt();
    ASSERT_GT(krokov, 5);
    int starych = 0;
    for (const int poli : {29, 32}) // without birth times; with them
        for (const bool novy_cas : {false, true})
            for (int krok = 1; krok <= krokov; ++krok) {
                const QString meno = QStringLiteral("Starý %1-%2-%3").arg(poli).arg(int(novy_cas)).arg(krok);
                SCOPED_TRACE(meno.toStdString());
                ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = meno, .zabi = krok})));
                for (const QFileInfo &f : QDir(Misc::Adresar_uschovanych()).entryInfoList({"*.vysledok"})) {
                    QByteArray bajty = Obsah(f.filePath());
                    for (const qsizetype slot : {0, 1024}) {
                        const QList<QByteArray> polia = bajty.mid(slot, 1023).trimmed().split(' ');
                        if (polia.size() != 35)
                            continue;
                        const QByteArray text = polia.mid(0, poli - 1).join(' '); // the checksum made anew
                        const quint64 sucet =
                            Misc::Kontrolny_sucet(bajty.mid(2048, polia[7].toLongLong()), Misc::Kontrolny_sucet(text));
                        bajty.replace(slot, 1023, (text + ' ' + QByteArray::number(sucet, 16)).leftJustified(1023, ' '));
                        ++starych;
                    }
                    Zapis_subor(f.filePath(), bajty);
                }
                if (novy_cas)
                    Novy_cas_suborov(hd());
                EXPECT_TRUE(Dopln_uschovane(hd()).poskodene.isEmpty()) << "nothing damaged";
                const int raz = krok >= prvy ? 1 : 0;
                EXPECT_EQ(V_tabulke(meno), raz);
                EXPECT_EQ(V_logu(meno), raz);
                Nic_uschovane();
            }
    EXPECT_GT(starych, 2 * krokov) << "notes of the versions before were taken in";
}

// An entry cut short at the log's end (the power failed mid-append), and
// the log given another name meanwhile (a hard link, perhaps from outside
// the folder): the restart leaves the file as it is, as the append does,
// and the result stays kept.
TEST_F(Obnova, AHardLinkedLogIsNeitherTakenBackNorAppendedTo)
{
    static QString log;
    log = hd() + "Vysledky.dat";
    Zapis_subor(log, "stary zaznam\r\n");
    ASSERT_TRUE(Zabity(Uloz_v_procese({.hd = hd(), .meno = "Eva", .zabi_ked = [] { return Obsah(log).contains(": Eva "); }})));
    QFile(log).resize(QFile(log).size() - 40);
    const QByteArray useknuty = Obsah(log);
    QTemporaryDir von;
    ASSERT_EQ(::link(QFile::encodeName(log).constData(), QFile::encodeName(von.filePath("moj")).constData()), 0);
    Dopln_uschovane(hd());
    EXPECT_EQ(Obsah(log), useknuty);
    EXPECT_EQ(Uschovane_subory().size(), 1) << "still kept";
    ASSERT_TRUE(QFile::remove(von.filePath("moj")));
    Kazdy_raz({"Eva"});
}

// Six hundred results kept while another program held the lock, all taken
// in by one start that may open no more than 1024 files, as many systems
// allow.
TEST_F(Obnova, SixHundredKeptResultsAreAllTakenInAtOneStart)
{
    constexpr int pocet = 600;
    {
        const Misc::Priecinok priecinok(hd());
        Misc::Cakanie cakanie;
        const Misc::Zamok_priecinka iny_program(priecinok, 1s, cakanie);
        ASSERT_TRUE(iny_program.Drzany());
        const pid_t ukladanie = fork();
        if (ukladanie == 0) {
            for (int i = 0; i < pocet; ++i) {
                const QString meno = QStringLiteral("Uschovaný %1").arg(i);
                Misc::Cakanie c;
                Ulozenie_vysledku ulozenie(hd(), 0ms);
                QList<Zaznam_vysledku> zobrazene;
                if (ulozenie.Pridaj_riadok({7, meno, 4, 1, 2, 1}, Text_zaznamu(meno), zobrazene, c).osud != Osud::Uschovany
                    || ulozenie.Pripis_log(Text_zaznamu(meno), c).osud != Osud::Uschovany)
                    _exit(1);
            }
            _exit(0);
        }
        ASSERT_TRUE(Skoncil(ukladanie));
    }
    ASSERT_EQ(Uschovane_subory().size(), pocet);
    const pid_t start = fork();
    if (start == 0) {
        const rlimit limit{1024, 1024};
        _exit(setrlimit(RLIMIT_NOFILE, &limit) == 0 && Dopln_uschovane(hd()).poskodene.isEmpty() ? 0 : 1);
    }
    ASSERT_TRUE(Skoncil(start));
    EXPECT_EQ(Misc::Riadky_textu(Misc::Text_z_1250(Obsah(hd() + "Hra.res"))).filter("|Uschovaný ").size(), pocet);
    EXPECT_EQ(Misc::Text_z_1250(Obsah(hd() + "Vysledky.dat")).count(": Uschovaný "), pocet);
    Nic_uschovane();
}

} // namespace
