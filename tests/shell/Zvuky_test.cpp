// The hover and click sounds through a real sound server, one of the
// test's own: none at all, one that answers, and one stopped before the
// start or while the pupil is at the chooser. The screen answers at once
// whatever the server does, and the program ends promptly with its normal
// status. Each case is a program of its own (ZvukyDieta.Program), so an
// end that hangs or aborts is seen as the pupil would see it.
#include "Program.h"

#include "services/Zvuky.h"
#include "shell/Obrazovky.h"
#include "support/Zvukovy_server.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <optional>

using namespace lktest;

namespace {

int Pocet(const char *priecinok) { return int(QDir(priecinok).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()); }

// The longest the screen's thread went without handling its events, its
// turns a busy machine kept from it left out.
class Najdlhsia_medzera {
public:
    Najdlhsia_medzera()
    {
        QObject::connect(&tik_, &QTimer::timeout, [this] {
            najdlhsia_ = std::max(najdlhsia_, hodinky_.restart());
        });
        Znova();
        tik_.start(10);
    }
    void Znova() { hodinky_.start(), najdlhsia_ = 0; }
    qint64 ms() const { return std::max(najdlhsia_, hodinky_.elapsed()); }

private:
    QTimer tik_;
    ThreadClock hodinky_;
    qint64 najdlhsia_ = 0;
};

} // namespace

// The pupil at the chooser with the program's own sound: each group
// hovered and clicked, its tasks hovered (LK_ZVUKY_KOL rounds), then
// "Koniec" and "Áno"; the server LK_ZVUKY_ZASTAV stopped before round
// LK_ZVUKY_ZASTAV_PRED (after the last: before "Koniec"), or the X
// server lost at "Koniec" (LK_ZVUKY_X_PRECH). Or 300 sounds, threads, descriptors and memory counted
// (LK_ZVUKY_TRISTO).
TEST(ZvukyDieta, Program)
{
    if (!qEnvironmentVariableIsSet("LK_ZVUKY_KOL"))
        GTEST_SKIP() << "started by the Zvuky tests";
    Program p;
    platform::services().Install<platform::Sound>(nullptr);
    p.Prejdi_titulok();
    auto *vyber = Formulare::frm_Select.get();
    ASSERT_EQ(Vpredu(), vyber);

    if (qEnvironmentVariableIsSet("LK_ZVUKY_TRISTO")) {
        const auto hraj = [](int kolko) {
            for (int i = 0; i < kolko; ++i) {
                i % 2 ? Misc::Zahraj_click() : Misc::Zahraj_enter();
                QTest::qWait(i % 10 ? 2 : 60); // now and then one is heard to its end
            }
            QTest::qWait(300);
        };
        hraj(20);
        const int vlakna = Pocet("/proc/self/task"), deskriptory = Pocet("/proc/self/fd");
        const qint64 pamat = Pamat_kb();
        hraj(300);
        EXPECT_LE(Pocet("/proc/self/task"), vlakna + 1);
        EXPECT_LE(Pocet("/proc/self/fd"), deskriptory + 2);
        EXPECT_LE(Pamat_kb(), pamat + 4096);
        return;
    }

    Najdlhsia_medzera medzera;
    const qint64 zastav = qEnvironmentVariableIntValue("LK_ZVUKY_ZASTAV");
    const int pred = qEnvironmentVariableIntValue("LK_ZVUKY_ZASTAV_PRED");
    const int kol = qEnvironmentVariableIntValue("LK_ZVUKY_KOL");
    for (int kolo = 1; kolo <= kol + 1; ++kolo) {
        if (kolo == pred && zastav) {
            ::kill(pid_t(zastav), SIGSTOP);
            medzera.Znova();
        }
        if (kolo > kol)
            break;
        for (int g = 1; g <= 6; ++g) {
            Pohyb(vyber->LI(g)->widget(), vyber->LI(g)->widget()->rect().center());
            QTest::qWait(20);
            Klik(vyber->LI(g));
            EXPECT_TRUE(Shell::Zvolene(vyber->LI(g))) << "round " << kolo << ", group " << g;
            QTest::qWait(20);
            for (int k = 1; k <= 3; ++k) {
                Pohyb(vyber->RI(k)->widget(), vyber->RI(k)->widget()->rect().center());
                QTest::qWait(20);
            }
        }
        EXPECT_LT(medzera.ms(), 1000) << "round " << kolo << ": the screen stood still that long (ms)";
    }
    std::printf("KONIEC\n");
    std::fflush(stdout);
    // As Qt's X platform ends the program when the X server goes away.
    if (qEnvironmentVariableIsSet("LK_ZVUKY_X_PRECH"))
        std::exit(1);
    Klik(vyber->IKonec);
    EXPECT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_TRUE(Shell::Program_ukonceny());
}

// Whatever the sound server does, the chooser answers each hover and click
// at once (the screen's thread never stands still a second), and after
// "Koniec" the program ends within seconds with status 0 (1 where the X
// server went away), no abort.
TEST(Zvuky, TheScreenAnswersAndTheProgramEndsWhateverTheSoundServerDoes)
{
    struct Riadok {
        const char *nazov;
        bool server;
        enum { Nie, Pred_startom, Pocas_behu, Pred_koncom } zastaveny;
        bool x_prech = false;
    };
    const Riadok riadky[] = {
        {"no sound server", false, Riadok::Nie},
        {"a server that answers", true, Riadok::Nie},
        {"a server stopped before the start", true, Riadok::Pred_startom},
        {"a server stopped while the pupil is at the chooser", true, Riadok::Pocas_behu},
        {"a server stopped just before \"Koniec\"", true, Riadok::Pred_koncom},
        {"a server stopped before the start, the X server lost", true, Riadok::Pred_startom, true},
        {"a server stopped at the chooser, the X server lost", true, Riadok::Pocas_behu, true},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.nazov);
        std::optional<Zvukovy_server> server;
        if (r.server) {
            server.emplace();
            if (!server->bezi())
                GTEST_SKIP() << "PulseAudio did not start: " << server->chyba().toStdString();
        }
        QTemporaryDir dir;
        QProcessEnvironment env = Zvukovy_server::Prostredie(
            dir.path(), server ? server->Socket() : dir.filePath(QStringLiteral("native")));
        env.insert(QStringLiteral("LK_ZVUKY_KOL"), QStringLiteral("2"));
        if (r.zastaveny == Riadok::Pocas_behu || r.zastaveny == Riadok::Pred_koncom) {
            env.insert(QStringLiteral("LK_ZVUKY_ZASTAV"), QString::number(server->pid()));
            env.insert(QStringLiteral("LK_ZVUKY_ZASTAV_PRED"), r.zastaveny == Riadok::Pocas_behu ? "2" : "3");
        }
        if (r.x_prech)
            env.insert(QStringLiteral("LK_ZVUKY_X_PRECH"), QStringLiteral("1"));
        if (r.zastaveny == Riadok::Pred_startom)
            server->Zastav();
        QProcess dieta;
        dieta.setProcessEnvironment(env);
        dieta.setProcessChannelMode(QProcess::MergedChannels);
        dieta.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ZvukyDieta.Program")});
        QByteArray vystup;
        const QDeadlineTimer bound(60000);
        while (!vystup.contains("KONIEC\n") && dieta.state() != QProcess::NotRunning && !bound.hasExpired())
            if (dieta.waitForReadyRead(int(bound.remainingTime())))
                vystup += dieta.readAll();
        if (!vystup.contains("KONIEC\n")) {
            dieta.kill(), dieta.waitForFinished();
            ADD_FAILURE() << "the chooser did not get to \"Koniec\" within 60 s\n" << (vystup + dieta.readAll()).toStdString();
            continue;
        }
        QElapsedTimer koniec;
        koniec.start();
        const bool skoncilo = dieta.waitForFinished(20000);
        const qint64 ms = koniec.elapsed();
        if (!skoncilo)
            dieta.kill(), dieta.waitForFinished();
        vystup += dieta.readAll();
        EXPECT_TRUE(skoncilo && ms < 6000) << "the program ended " << ms << " ms after \"Koniec\"\n" << vystup.toStdString();
        EXPECT_EQ(dieta.exitStatus(), QProcess::NormalExit) << vystup.toStdString();
        EXPECT_EQ(dieta.exitCode(), r.x_prech ? 1 : 0) << vystup.toStdString();
        EXPECT_FALSE(vystup.contains("Assertion")) << vystup.toStdString();
        // The child's own checks, which an end through exit(1) leaves out of its status.
        EXPECT_FALSE(vystup.contains(": Failure")) << vystup.toStdString();
        if (server && r.zastaveny != Riadok::Pred_startom) {
            EXPECT_GT(server->Zvukov(), 0) << "the sounds reached the server while it answered";
        }
    }
}

// Hundreds of sounds through a server that answers leave the program's
// threads, file descriptors and memory as they were.
TEST(Zvuky, HundredsOfSoundsLeaveThreadsDescriptorsAndMemoryAsTheyWere)
{
    Zvukovy_server server;
    if (!server.bezi())
        GTEST_SKIP() << "PulseAudio did not start: " << server.chyba().toStdString();
    QTemporaryDir dir;
    QProcessEnvironment env = Zvukovy_server::Prostredie(dir.path(), server.Socket());
    env.insert(QStringLiteral("LK_ZVUKY_KOL"), QStringLiteral("0"));
    env.insert(QStringLiteral("LK_ZVUKY_TRISTO"), QStringLiteral("1"));
    QProcess dieta;
    dieta.setProcessEnvironment(env);
    dieta.setProcessChannelMode(QProcess::MergedChannels);
    dieta.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ZvukyDieta.Program")});
    const bool skoncilo = dieta.waitForFinished(60000);
    if (!skoncilo)
        dieta.kill(), dieta.waitForFinished();
    const std::string vystup = dieta.readAll().toStdString();
    ASSERT_TRUE(skoncilo) << vystup;
    EXPECT_EQ(dieta.exitCode(), 0) << vystup;
    EXPECT_NE(vystup.find("[  PASSED  ] 1 test"), std::string::npos) << vystup;
    EXPECT_GT(server.Zvukov(), 100) << "the sounds reached the server";
}
