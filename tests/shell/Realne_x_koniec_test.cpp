// The program's end on a real X server (Xvfb of the test's own, with
// openbox or with no window manager): the window manager's close and the
// exit question it asks, closes given during the program's waits, and the
// X server going away under the program. Each case is a child process of
// this test program on a server of its own; the parent starts both
// (Realne_x.h).
#include "Realne_x.h"

#include "services/Konfigurace.h"
#include "services/Text_1250.h"
#include "services/Uschovane_casti.h"
#include "services/Zamok_priecinka.h"

#include <iostream>
#include <optional>

using namespace lktest;
using namespace std::chrono_literals;

// The window manager's close on the exercise screen, a series begun: the
// chooser's exit question, once however often the close comes; "Nie" goes
// on where the pupil was, "Áno" ends the program with nothing saved.
TEST(RealXChild, TheWindowManagersCloseAsksTheExitQuestion)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    n.Klik(s->picPokracuj);
    ASSERT_TRUE(n.Cakaj([] { return Vpredu() == hra.get(); }));
    platform::TextBox *bunka = hra->TV2(1);
    n.Klik(bunka);
    Napis_na_obrazovke(QStringLiteral("12"));
    n.Cakaj([&] { return QString(bunka->Text) == QLatin1String("12"); });
    const auto ulozene = [&] { return Obsah(n.p.hd() + "Hra.res") + '|' + Obsah(n.p.hd() + "Vysledky.dat"); };
    const QByteArray pred = ulozene();

    // Alt+F4 pressed (twice at once with `dvakrat`), the question answered
    // by a click on `odpoved` from within its own loop.
    const auto zatvor = [&](bool dvakrat, QMessageBox::StandardButton odpoved) {
        int otazok = 0, najviac = 0;
        QString text;
        QTimer pupil;
        QObject::connect(&pupil, &QTimer::timeout, [&] {
            auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!m || !m->windowHandle()->isExposed() || QGuiApplication::focusWindow() != m->windowHandle())
                return;
            pupil.stop();
            ++otazok;
            text = m->text();
            if (dvakrat) // the frame's close button too while it is open
                n.x.Zatvor(unsigned(n.Okno()->winId()));
            QTest::qWait(300);
            for (QWidget *w : QApplication::topLevelWidgets())
                najviac += qobject_cast<QMessageBox *>(w) && w->isVisible();
            QAbstractButton *b = m->button(odpoved);
            Klikni_na_obrazovke(n.Na_obrazovke(b, b->rect().center()));
        });
        pupil.start(50);
        QStringList klavesy{QStringLiteral("key"), QStringLiteral("alt+F4")};
        if (dvakrat)
            klavesy << QStringLiteral("alt+F4");
        Xdotool(klavesy);
        n.Cakaj([&] { return otazok > 0 && !QApplication::activeModalWidget(); });
        QTest::qWait(300); // a second question would open now
        EXPECT_EQ(otazok, 1);
        EXPECT_EQ(najviac, 1) << "message boxes open at once";
        EXPECT_EQ(text, "Naozaj chceš ukončiť program?");
    };

    zatvor(true, QMessageBox::No);
    EXPECT_FALSE(Shell::Program_ukonceny());
    ASSERT_EQ(Vpredu(), hra.get());
    EXPECT_EQ(QApplication::focusWidget(), bunka->editor()) << "the focus back in the answer";
    EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
    Napis_na_obrazovke(QStringLiteral("3"));
    n.Cakaj([&] { return QString(bunka->Text) == QLatin1String("123"); });
    EXPECT_EQ(QString(bunka->Text), "123");

    zatvor(false, QMessageBox::Yes);
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_EQ(hra.existing(), nullptr) << "the series dropped";
    EXPECT_FALSE(n.stage->fillsScreen());
    EXPECT_EQ(ulozene(), pred) << "nothing of the series saved";
}

// The window's close button pressed three times while the series' result
// waits for the lock another program holds, and during the message that
// follows: the exit question, once, after that message; "Nie" goes on to
// the results table.
TEST(RealXChild, ACloseDuringTheSavesWaitIsAskedAfterItsMessage)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Formulare::frm_Tabulka->Najdlhsie_cakanie = 1500ms; // the save's 40 s, shortened
    frm_Game01 *h = Seria(n);
    ASSERT_NE(h, nullptr);
    Misc::Cesta_HD = qEnvironmentVariable("LK_ZAMKNUTY"); // whose lock the parent test holds
    for (int i = 1; i <= 5; ++i)
        h->TV2(2 * i - 1)->Text = QString(h->TV2(2 * i - 1)->Tag);
    n.Klik(h->PicTop(1));
    ASSERT_TRUE(n.Cakaj([&] { return bool(h->picPokracuj->Enabled); }));

    int zatvorene = 0;
    const auto zatvor = [&] {
        n.x.Zatvor(unsigned(n.Okno()->winId()));
        ++zatvorene;
    };
    QTimer pocas_cakania;
    QObject::connect(&pocas_cakania, &QTimer::timeout, [&] {
        const QCursor *k = QApplication::overrideCursor();
        if (zatvorene < 2 && k && k->shape() == Qt::WaitCursor && !QApplication::activeModalWidget())
            zatvor();
    });
    pocas_cakania.start(200);
    Ziak_pri_spravach ziak(
        n,
        [](QMessageBox *m) { return m->text().startsWith("Naozaj") ? QMessageBox::No : QMessageBox::Ok; },
        [&](QMessageBox *m) {
            if (m->windowTitle() == "Chyba")
                zatvor(), QTest::qWait(300);
        });
    n.Klik(h->picPokracuj);
    n.Cakaj([&] { return ziak.otazok() > 0 && !QApplication::activeModalWidget(); });
    QTest::qWait(500); // a second question would come now
    EXPECT_EQ(zatvorene, 3);
    ASSERT_EQ(ziak.spravy.size(), 2) << ziak.spravy.join('\n').toStdString();
    EXPECT_TRUE(ziak.spravy[0].startsWith("Chyba: ")) << "the save's message first";
    EXPECT_EQ(ziak.spravy[1], Misc::Texty[2] + ": Naozaj chceš ukončiť program?");
    EXPECT_FALSE(Shell::Program_ukonceny());
    EXPECT_EQ(hra.existing(), nullptr) << "the series is over";
    EXPECT_EQ(Vpredu(), Formulare::frm_Tabulka.existing());
}

// The close while the pupil holds a wrong example's hint: the question
// takes the mouse and the hint goes; the pupil lets go, and after "Nie" no
// hint is on the screen; the next hold shows it again.
TEST(RealXChild, ACloseWhileAHintIsHeldLeavesNoHintBehind)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    frm_Game01 *h = Seria(n);
    ASSERT_NE(h, nullptr);
    n.Klik(h->PicTop(1)); // nothing answered: every example wrong
    ASSERT_TRUE(n.Cakaj([&] { return bool(h->picPokracuj->Enabled); }));
    const QPoint znacka = n.Na_obrazovke(h->IHod(1)->widget(), h->IHod(1)->widget()->rect().center());
    const auto napoveda = Napoveda_ukazana;
    Xdotool({"mousemove", QString::number(znacka.x()), QString::number(znacka.y()), "mousedown", "1"});
    ASSERT_TRUE(n.Cakaj(napoveda));

    bool pri_otazke = true;
    Ziak_pri_spravach ziak(n, [](QMessageBox *) { return QMessageBox::No; }, [&](QMessageBox *) {
        pri_otazke = napoveda();
        Xdotool({"mouseup", "1"}), QTest::qWait(100);
    });
    n.x.Zatvor(unsigned(n.Okno()->winId()));
    n.Cakaj([&] { return ziak.otazok() > 0 && !QApplication::activeModalWidget(); });
    EXPECT_EQ(ziak.otazok(), 1);
    EXPECT_FALSE(pri_otazke) << "the hint under the question";
    EXPECT_FALSE(napoveda()) << "the hint after Nie";
    EXPECT_EQ(n.Neprekreslene().toStdString(), "") << "what the screen shows";
    Xdotool({"mousemove", QString::number(znacka.x()), QString::number(znacka.y()), "mousedown", "1"});
    EXPECT_TRUE(n.Cakaj(napoveda)) << "held again";
    Xdotool({"mouseup", "1"});
    EXPECT_TRUE(n.Cakaj([&] { return !napoveda(); })) << "let go again";
}

// The close while the continue button slides in (a wait that handles
// events): asked once the button stands, "Áno" ends the program cleanly.
TEST(RealXChild, ACloseDuringAWaitWithEventsIsAskedAfterIt)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    frm_Game01 *h = Seria(n);
    ASSERT_NE(h, nullptr);
    platform::SystemClock hodiny; // the slide's waits take their time
    const platform::ScopedService<platform::Clock> skutocne(hodiny);
    int zatvorene = 0;
    QTimer pocas_vysuvania;
    QObject::connect(&pocas_vysuvania, &QTimer::timeout, [&] {
        if (zatvorene < 2 && hra.existing() && h->picPokracuj->Visible && !h->picPokracuj->Enabled)
            n.x.Zatvor(unsigned(n.Okno()->winId())), ++zatvorene;
    });
    pocas_vysuvania.start(40);
    bool stoji = false;
    Ziak_pri_spravach ziak(n, [&](QMessageBox *) {
        stoji = hra.existing() && h->picPokracuj->Enabled;
        return QMessageBox::Yes;
    });
    n.Klik(h->PicTop(1));
    EXPECT_TRUE(n.Cakaj([] { return Shell::Program_ukonceny(); }));
    QTest::qWait(300);
    EXPECT_EQ(zatvorene, 2);
    EXPECT_EQ(ziak.otazok(), 1);
    EXPECT_TRUE(stoji) << "asked only once the button stood";
    EXPECT_EQ(hra.existing(), nullptr);
    EXPECT_TRUE(Program::Formy().empty()) << "every screen is unloaded";
}

// Whatever a folder holds, hidden files too.
QString Obsah_priecinka(const QString &cesta)
{
    return QDir(cesta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).join(", ");
}

// Tells the parent test a moment it waits for: a line of its own.
void Oznam(const char *riadok) { std::cout << riadok << std::endl; }

// The sounds as the pupil's program plays them: the real service, made on
// first use and kept by the services themselves.
struct Skutocne_zvuky {
    platform::Sound *predtym = platform::services().Install<platform::Sound>(nullptr);
    ~Skutocne_zvuky() { platform::services().Install(predtym); }
};

// Where the program is when its X server goes away: the parent takes the
// server away once told, and looks at how the program ended.
TEST(RealXChild, TheServerGoesAwayAtTheExerciseScreen)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    const Skutocne_zvuky zvuky;
    ASSERT_NE(Seria(n), nullptr);
    if (!qEnvironmentVariableIsSet("LK_SO_SPRAVOU")) {
        Oznam("LK_PRI_PRIKLADOCH");
        QTest::qWait(30000);
    } else {
        QTimer::singleShot(200, [] { Oznam("LK_PRI_PRIKLADOCH"); });
        platform::services().messageBox().Show(QStringLiteral("Správa, ktorú nik nezavrie."),
                                               platform::MessageStyle::OkOnly, QStringLiteral("Chyba"));
    }
    ADD_FAILURE() << "the program outlived its X server";
}

TEST(RealXChild, TheServerGoesAwayWhileTheSaveWaitsForTheLock)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    const Skutocne_zvuky zvuky;
    frm_Game01 *h = Seria(n);
    ASSERT_NE(h, nullptr);
    for (int i = 1; i <= 5; ++i)
        h->TV2(2 * i - 1)->Text = QString(h->TV2(2 * i - 1)->Tag);
    n.Klik(h->PicTop(1));
    ASSERT_TRUE(n.Cakaj([&] { return bool(h->picPokracuj->Enabled); }));
    QTimer pocas_cakania;
    QObject::connect(&pocas_cakania, &QTimer::timeout, [&] {
        const QCursor *k = QApplication::overrideCursor();
        if (k && k->shape() == Qt::WaitCursor && !QApplication::activeModalWidget())
            Oznam("LK_CAKA_NA_ZAMOK"), pocas_cakania.stop();
    });
    pocas_cakania.start(50);
    n.Klik(h->picPokracuj); // the lock the parent holds is waited for 40 s
    ADD_FAILURE() << "the program outlived its X server";
}

// Alt+F4 is the window manager's: only with openbox.
TEST(RealX, TheWindowManagersCloseAsksTheExitQuestion)
{
    LK_VYZADUJ_X(true);
    Na_vlastnom_x("TheWindowManagersCloseAsksTheExitQuestion", {1366, 768}, true);
}

// A close in any of the program's waits is asked once they are over: the
// save's wait for the lock this process holds, a held hint, the slide of
// the continue button.
TEST(RealX, ACloseInAnyWaitIsAskedOnceItIsOver)
{
    LK_VYZADUJ_X(true);
    QTemporaryDir trieda;
    const Misc::Priecinok priecinok(trieda.path() + '/');
    Misc::Cakanie cakanie;
    const Misc::Zamok_priecinka zamok(priecinok, 1s, cakanie);
    ASSERT_TRUE(zamok.Drzany());
    qputenv("LK_ZAMKNUTY", QFile::encodeName(trieda.path() + '/'));
    for (const char *pripad : {"ACloseDuringTheSavesWaitIsAskedAfterItsMessage",
                               "ACloseWhileAHintIsHeldLeavesNoHintBehind", "ACloseDuringAWaitWithEventsIsAskedAfterIt"}) {
        SCOPED_TRACE(pripad);
        Na_vlastnom_x(pripad, {1366, 768}, true);
    }
    qunsetenv("LK_ZAMKNUTY");
}

// The X server goes away under the program (a logout, a desktop that
// crashed, a remote display that dropped), with a window manager and
// without: the program ends with a plain failure status, no abort, and the
// result whose save was under way is written once at the next start. Then,
// and after a kill, nothing of it stays in its temporary folder.
TEST(RealX, WhenItsServerGoesAwayTheProgramEndsPlainlyAndKeepsTheResultUnderWay)
{
    LK_VYZADUJ_X(true);
    const struct {
        const char *name, *pripad, *kedy;
        bool windowManager;
        int ulozene; // results of "Ema" after the next start
        const char *navyse = nullptr; // the child's environment
        bool zabity = false;          // killed (SIGKILL) where the server would go
    } rows[] = {
        {"the exercise screen", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", false, 0},
        {"the exercise screen with openbox", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", true, 0},
        {"a message box on the exercise screen", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", true, 0,
         "LK_SO_SPRAVOU"},
        {"the save's wait for the lock", "TheServerGoesAwayWhileTheSaveWaitsForTheLock", "LK_CAKA_NA_ZAMOK", false, 1},
        {"the save's wait for the lock with openbox", "TheServerGoesAwayWhileTheSaveWaitsForTheLock",
         "LK_CAKA_NA_ZAMOK", true, 1},
        {"killed at the exercise screen", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", true, 0,
         nullptr, true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        QTemporaryDir koren;
        const QString hd = koren.filePath("hd/");
        {
            const Program instalacia(koren.path());
            // Another program's save holds the folder until the next start.
            Misc::Cakanie cakanie;
            const Misc::Zamok_priecinka zamok(Misc::Priecinok(hd), 1s, cakanie);
            ASSERT_TRUE(zamok.Drzany());
            if (r.navyse)
                qputenv(r.navyse, "1");
            Dieta_na_x d(r.pripad, {1366, 768}, r.windowManager, 0, koren.path());
            if (r.navyse)
                qunsetenv(r.navyse);
            ASSERT_TRUE(d.server.bezi()) << d.server.chyba().toStdString();
            ASSERT_TRUE(d.Cakaj_na(r.kedy, Dieta_na_x::Najdlhsie)) << d.vystup();
            if (r.zabity)
                d.dieta.kill();
            else
                d.server.Zhod();
            ASSERT_TRUE(d.Skonci()) << d.vystup();
            if (!r.zabity) {
                EXPECT_EQ(d.dieta.exitStatus(), QProcess::NormalExit) << "ended by a signal\n" << d.vystup();
                EXPECT_NE(d.dieta.exitCode(), 0) << d.vystup();
            }
            for (const char *zrutenie : {"malloc", "bad_alloc", "free()", "corrupted", "terminate"})
                EXPECT_TRUE(d.vystup().find(zrutenie) == std::string::npos) << zrutenie << " said\n" << d.vystup();
            EXPECT_EQ(Obsah_priecinka(d.docasny.path()).toStdString(), "") << "left in the temporary folder";
        }
        // The next start has nothing of its own there either, running or not.
        QTemporaryDir docasny;
        const std::optional<QByteArray> tmp =
            qEnvironmentVariableIsSet("TMP") ? std::optional(qgetenv("TMP")) : std::nullopt;
        qputenv("TMP", QFile::encodeName(docasny.path()));
        Program dalsi(koren.path());
        dalsi.Spusti();
        EXPECT_EQ(Obsah_priecinka(docasny.path()).toStdString(), "") << "in the next start's temporary folder";
        tmp ? qputenv("TMP", *tmp) : qunsetenv("TMP");
        const QString tabulka = Misc::Text_z_1250(Obsah(hd + "Hra.res"));
        EXPECT_EQ(Misc::Riadky_textu(tabulka).filter(QStringLiteral("|Ema|")).size(), r.ulozene) << "in the table";
        EXPECT_EQ(Misc::Text_z_1250(Obsah(hd + "Vysledky.dat")).count(QStringLiteral(": Ema ")), r.ulozene)
            << "in the log";
        EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).isEmpty()) << "nothing kept any more";
        EXPECT_TRUE(dalsi.box.AskedBoxes().isEmpty()) << "nothing to tell";
    }
}
