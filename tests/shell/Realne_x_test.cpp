// The full-screen window on a real X server, as pupils' screens have it:
// Xvfb of the test's own at their sizes, with openbox or with no window
// manager, the program driven by real X input (xdotool). The scale is
// chosen before the application starts, so each case is a child process
// of this test program on a server of its own; the parent starts both.
#include "Program.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Text_1250.h"
#include "services/Uschovane_casti.h"
#include "services/Zamok_priecinka.h"
#include "shell/Ulozenie_vysledku.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"
#include "support/Xvfb.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <iostream>
#include <thread>

using namespace lktest;
using namespace std::chrono_literals;

namespace {

platform::DefaultInstance<frm_Game01> hra;

constexpr QRgb Farba_korena = 0x3060c0; // the bare screen, wherever no window paints

bool V_detskom_procese() { return qEnvironmentVariableIsSet("LK_REALNE_X"); }

// The program in front of the pupil: its real full-screen window on the
// server in $DISPLAY.
struct Program_na_x : Program_na_celej_obrazovke {
    Pohlad_na_x x;

    // With `na_titulku` the title stays until Prejdi_z_titulku().
    explicit Program_na_x(bool na_titulku = false) : Program_na_celej_obrazovke(qEnvironmentVariable("LK_KOREN"))
    {
        x.Natri_koren(Farba_korena);
        x.Pocuvaj_oznamenia();
        // A blinking caret would differ from itself a moment later.
        QApplication::setCursorFlashTime(0);
        platform::InstallTranslations();
        Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
        if (na_titulku)
            Formulare::frm_Intro->Timer1->Interval = 60000;
        p.Spusti();
        if (!na_titulku)
            p.Tik_titulku();
        Cakaj([&] { return Okno()->windowHandle() && Okno()->windowHandle()->isExposed(); });
        Cakaj([&] { return Klavesy_do_okna(); });
    }
    QWidget *Okno() const { return stage->window(); }
    // Keys typed now reach the program's window: the server sends them
    // there, not to a box that has just closed.
    bool Klavesy_do_okna() const
    {
        return QGuiApplication::focusWindow() == Okno()->windowHandle() && x.Fokus() == unsigned(Okno()->winId());
    }
    // Until `splnene` holds, polled: a step takes a moment, several on a
    // busy machine, and the bound is only for one that never comes.
    static bool Cakaj(const std::function<bool()> &splnene, int ms = 10000) { return QTest::qWaitFor(splnene, ms); }

    // Where a stage pixel is on the screen, as Qt knows it.
    QPoint Na_obrazovke(const QWidget *w, QPoint bod) const
    {
        const QPointF logicky = w->mapToGlobal(QPointF(bod) + QPointF(0.5, 0.5));
        return (logicky * stage->devicePixelRatioF()).toPoint();
    }
    void Klik(platform::Control *c) const
    {
        ASSERT_TRUE(Klikni_na_obrazovke(Na_obrazovke(c->widget(), c->widget()->rect().center())));
        QTest::qWait(50);
    }
    // Where the stage should be: centred, the odd pixel right and below.
    QRect Miesto_javiska() const
    {
        const QSize v = x.Velkost();
        const QSize javisko = (QSizeF(platform::Stage::kWidth, platform::Stage::kHeight) * stage->scale()).toSize();
        return QRect(QPoint((v.width() - javisko.width()) / 2, (v.height() - javisko.height()) / 2), javisko);
    }
    // The stage's pixels where the server shows other than the stage drawn
    // afresh, at the same place in a buffer where every pixel not drawn
    // stays magenta: what a change left of the screen before it, once the
    // change's paints have had about a second to reach the screen.
    QString Neprekreslene() const
    {
        QString rozdiel;
        Cakaj([&] { return (rozdiel = Rozdiel_javiska()).isEmpty(); }, 2000);
        return rozdiel;
    }
    QString Rozdiel_javiska() const
    {
        QGuiApplication::sync();
        const QRect javisko = Miesto_javiska();
        const QImage ukazane = x.Obrazovka(javisko);
        const double s = stage->scale();
        QImage nove((QSizeF(Okno()->size()) * s).toSize() + QSize(1, 1), QImage::Format_RGB32);
        nove.setDevicePixelRatio(s);
        nove.fill(Qt::magenta);
        Okno()->render(&nove);
        // The stage's own window shows the window's buffer from the screen
        // pixel nearest to where Qt has the stage.
        const QPoint v_bufferi = (QPointF(stage->mapTo(Okno(), QPoint())) * s).toPoint();
        if (ukazane.size() != javisko.size())
            return QStringLiteral("no picture of the stage");
        int pixelov = 0;
        QRect kde;
        for (int y = 0; y < ukazane.height(); ++y)
            for (int x = 0; x < ukazane.width(); ++x)
                if (ukazane.pixel(x, y) != nove.pixel(v_bufferi + QPoint(x, y)))
                    ++pixelov, kde |= QRect(javisko.x() + x, javisko.y() + y, 1, 1);
        if (!pixelov)
            return {};
        return QStringLiteral("%1 pixels within x %2-%3, y %4-%5")
            .arg(pixelov).arg(kde.left()).arg(kde.right()).arg(kde.top()).arg(kde.bottom());
    }
};

// A hint window with a wrong example's answer is on the screen.
bool Napoveda_ukazana()
{
    auto *o = Formulare::frm_Chybovy.existing();
    auto *o2 = Formulare::frm_Chybovy2.existing();
    return (o && o->isVisible()) || (o2 && o2->isVisible());
}

// From the chooser to the setup screen of task 1, "Ema" typed into the name.
Shell::frm_Setup *Nastavenie_s_menom(Program_na_x &n)
{
    n.Klik(Formulare::frm_Select->LI(1));
    n.Klik(Formulare::frm_Select->RI(1));
    Shell::frm_Setup *s = nullptr;
    if (!n.Cakaj([&] { return (s = Formulare::frm_Setup.existing()) && Vpredu() == s; }))
        return nullptr;
    Napis_na_obrazovke(QStringLiteral("Ema"));
    n.Cakaj([&] { return QString(s->TJmeno->Text) == QLatin1String("Ema"); });
    n.Klik(s->ICislo(1));
    n.Cakaj([&] { return bool(s->picTiskni->Visible); });
    return s;
}

// The exercise screen of task 1, five examples, begun by "Ema".
frm_Game01 *Seria(Program_na_x &n)
{
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    if (!s)
        return nullptr;
    n.Klik(s->picPokracuj);
    return n.Cakaj([] { return Vpredu() == hra.get(); }) ? hra.get() : nullptr;
}

// The pupil at the message boxes: each new one, once it has the focus,
// is noted ("title: text") and answered by a click on what `odpoved` says,
// after `pred` has run.
struct Ziak_pri_spravach {
    QStringList spravy;
    QTimer hodiny;
    QPointer<QMessageBox> posledna;

    Ziak_pri_spravach(Program_na_x &n, std::function<QMessageBox::StandardButton(QMessageBox *)> odpoved,
                      std::function<void(QMessageBox *)> pred = {})
    {
        QObject::connect(&hodiny, &QTimer::timeout, [this, &n, odpoved, pred] {
            auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!m || m == posledna || !m->windowHandle()->isExposed()
                || QGuiApplication::focusWindow() != m->windowHandle())
                return;
            posledna = m;
            spravy << m->windowTitle() + ": " + m->text();
            hodiny.stop(); // not again from the loops below
            if (pred)
                pred(m);
            QAbstractButton *b = m->button(odpoved(m));
            Klikni_na_obrazovke(n.Na_obrazovke(b, b->rect().center()));
            hodiny.start();
        });
        hodiny.start(50);
    }
    int otazok() const { return spravy.filter(QStringLiteral("Naozaj chceš ukončiť program?")).size(); }
};

} // namespace

// The window is the screen, every pixel of it, with the stage in its middle
// to a pixel; the pointer on the black is the stage's arrow, as on the stage.
TEST(RealXChild, TheWindowIsTheScreenAndTheStageItsMiddle)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    ASSERT_TRUE(n.stage->fillsScreen());
    const QSize v = n.x.Velkost();
    EXPECT_EQ(n.x.Okno(unsigned(n.Okno()->winId())), QRect(QPoint(), v)) << "the window is the screen";
    // The largest scale in 32nds at which the stage fits.
    const auto vojde = [&](double f) { return 640 * f <= v.width() && 480 * f <= v.height(); };
    const double s = n.stage->scale();
    EXPECT_TRUE(vojde(s) && !vojde(s + 1 / 32.0) && s * 32 == std::floor(s * 32)) << s;
    // The launcher that started it hears that it is up.
    const QString oznamenie = QStringLiteral("remove: ID=") + qEnvironmentVariable("LK_START_ID");
    n.Cakaj([&] { return n.x.Oznamenia().contains(oznamenie); });
    EXPECT_EQ(n.x.Oznamenia(), QStringList{oznamenie}) << "start-up notices";

    // What the screen shows once the first picture has reached it.
    const QRect javisko = n.Miesto_javiska();
    int korena = 0, svetla_okolo = 0;
    QRect kresba;
    n.Cakaj([&] {
        const QImage obraz = n.x.Obrazovka();
        if (obraz.size() != v)
            return false;
        korena = svetla_okolo = 0, kresba = {};
        for (int y = 0; y < v.height(); ++y) {
            const QRgb *riadok = reinterpret_cast<const QRgb *>(obraz.constScanLine(y));
            for (int x = 0; x < v.width(); ++x) {
                const QRgb farba = riadok[x] & 0xffffff;
                korena += farba == Farba_korena;
                if (farba != 0) {
                    kresba |= QRect(x, y, 1, 1);
                    svetla_okolo += !javisko.contains(x, y);
                }
            }
        }
        return korena == 0 && svetla_okolo == 0 && kresba == javisko;
    }, 2000);
    EXPECT_EQ(korena, 0) << "pixels of the bare screen";
    EXPECT_EQ(svetla_okolo, 0) << "pixels not black around the stage";
    EXPECT_EQ(kresba, javisko) << "the stage drawn where it should be";

    // The pointer on the black border and on the stage's background.
    // The pointer there once the program has set it, or what shows after a while.
    const auto kurzor_na = [&](QPoint bod, const std::function<bool(QSize)> &ocakavany) {
        Xdotool({QStringLiteral("mousemove"), QString::number(bod.x()), QString::number(bod.y())});
        QSize kurzor;
        n.Cakaj([&] { return ocakavany(kurzor = n.x.Kurzor()); }, 2000);
        return kurzor;
    };
    const bool po_stranach = javisko.left() >= javisko.top();
    const QPoint na_okraji = po_stranach ? QPoint(javisko.left() / 2, v.height() / 2) : QPoint(v.width() / 2, javisko.top() / 2);
    if ((po_stranach ? javisko.left() : javisko.top()) < 2)
        return; // no border to speak of
    const int sipka = qRound(Misc::Kurzor_sipka.image().width() * n.stage->scale());
    const QSize na_javisku = kurzor_na(n.Na_obrazovke(n.stage, {320, 470}), [&](QSize k) { return k.width() == sipka; });
    EXPECT_EQ(na_javisku.width(), sipka);
    EXPECT_EQ(kurzor_na(na_okraji, [&](QSize k) { return k == na_javisku; }), na_javisku) << "the pointer on the border";
}

// Tlač, then Zrušiť or a print: what the pupil types next goes into the
// name, as when the screen came up.
TEST(RealXChild, TypingAfterThePrintDialogGoesIntoTheName)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    for (const bool vytlac : {false, true}) {
        SCOPED_TRACE(vytlac ? "printed" : "cancelled");
        // The dialogs answered as a teacher would: Zrušiť clicked, or Enter.
        int dialogov = 0;
        QTimer odpoved;
        QObject::connect(&odpoved, &QTimer::timeout, [&] {
            QWidget *d = QApplication::activeModalWidget();
            if (!d || !d->windowHandle() || !d->windowHandle()->isExposed() || QGuiApplication::focusWindow() != d->windowHandle())
                return;
            ++dialogov;
            auto *tlacitka = d->objectName() == "printDialog" ? d->findChild<QDialogButtonBox *>() : nullptr;
            if (tlacitka && !vytlac) {
                QPushButton *zrusit = tlacitka->button(QDialogButtonBox::Cancel);
                EXPECT_EQ(zrusit->text(), "Zrušiť");
                Klikni_na_obrazovke(n.Na_obrazovke(zrusit, zrusit->rect().center()));
            } else {
                Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            }
            QTest::qWait(100);
        });
        odpoved.start(50);
        const QString pred = s->TJmeno->Text;
        n.Klik(s->picTiskni);
        n.Cakaj([&] { return dialogov > 0 && !QApplication::activeModalWidget(); });
        odpoved.stop();
        EXPECT_GE(dialogov, 1);
        EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
        Napis_na_obrazovke(QStringLiteral("xy"));
        n.Cakaj([&] { return QString(s->TJmeno->Text) == pred + QStringLiteral("xy"); });
        EXPECT_EQ(QString(s->TJmeno->Text), pred + "xy");
        EXPECT_EQ(QApplication::focusWidget(), s->TJmeno->editor());
        EXPECT_EQ(n.Neprekreslene().toStdString(), "") << "where the dialog was";
    }
}

// A damaged task data file: "Pokračuj" brings its "Chyba" box, and after
// OK the pupil, back on the setup screen, types on into the name; also
// after "Nie" to the exit question asked over that box (a window manager's
// close while it is open).
TEST(RealXChild, AfterAMessageWhileTheScreenChangesTheKeysGoIntoTheName)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    const QByteArray hra = Obsah(n.p.hd() + "Hra.dat");
    ASSERT_TRUE(Zapis_subor(n.p.hd() + "Hra.dat", hra.left(hra.size() / 2))); // cut short
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    for (const bool zatvor : {false, true}) {
        if (zatvor && !qEnvironmentVariableIsSet("LK_SO_SPRAVCOM"))
            break; // the close is the window manager's
        SCOPED_TRACE(zatvor ? "the exit question over the box" : "the box alone");
        Ziak_pri_spravach ziak(
            n, [](QMessageBox *m) { return m->text().startsWith("Naozaj") ? QMessageBox::No : QMessageBox::Ok; },
            [&](QMessageBox *m) {
                if (zatvor && m->windowTitle() == "Chyba")
                    n.x.Zatvor(unsigned(n.Okno()->winId())), QTest::qWait(300);
            });
        n.Klik(s->picPokracuj);
        const int sprav = zatvor ? 2 : 1;
        EXPECT_TRUE(n.Cakaj([&] { return ziak.spravy.size() == sprav && !QApplication::activeModalWidget(); }))
            << ziak.spravy.join('\n').toStdString();
        ASSERT_EQ(Vpredu(), s);
        EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
        const QString pred = s->TJmeno->Text;
        Napis_na_obrazovke(QStringLiteral("xy"));
        n.Cakaj([&] { return QString(s->TJmeno->Text) == pred + QStringLiteral("xy"); });
        EXPECT_EQ(QString(s->TJmeno->Text), pred + "xy") << "what was typed after the box";
    }
}

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

// Each change of the screen, from the title on through a task's screens
// and back, shows every pixel it changes: none is left of what was before.
TEST(RealXChild, EveryScreenChangeReachesTheScreenWhole)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n(true);
    // The step taken, and once the program has taken it (`hotovo`), the screen.
    const auto zmena = [&](const char *krok, const std::function<void()> &urob, const std::function<bool()> &hotovo) {
        urob();
        EXPECT_TRUE(n.Cakaj(hotovo)) << krok;
        EXPECT_EQ(n.Neprekreslene().toStdString(), "") << krok;
    };
    const auto vpredu = [](platform::Form *f) { return [f] { return Vpredu() == f; }; };
    const auto vzdy = [] { return true; };
    zmena("the title", [] {}, vzdy);
    zmena("the title's time up: the chooser", [&] { n.p.Tik_titulku(); }, vzdy);
    auto *vyber = Formulare::frm_Select.get();
    zmena("a group chosen", [&] { n.Klik(vyber->LI(1)); }, [&] { return bool(vyber->RI(1)->Visible); });
    zmena("a task chosen: the setup screen", [&] { n.Klik(vyber->RI(1)); },
          [] { return Formulare::frm_Setup.existing() && Vpredu() == Formulare::frm_Setup.existing(); });
    auto *s = Formulare::frm_Setup.existing();
    ASSERT_TRUE(s && Vpredu() == s);
    zmena("a name and a number of examples", [&] {
        Napis_na_obrazovke(QStringLiteral("Ema"));
        n.Klik(s->ICislo(2));
    }, [&] { return QString(s->TJmeno->Text) == QLatin1String("Ema") && s->picPokracuj->Visible; });
    zmena("continue: the exercise screen", [&] { n.Klik(s->picPokracuj); }, [] { return Vpredu() == hra.get(); });
    ASSERT_EQ(Vpredu(), hra.get());
    zmena("checked unanswered", [&] { n.Klik(hra->PicTop(1)); }, [] { return bool(hra->picPokracuj->Enabled); });
    int zla = 1;
    while (hra->IHod.exists(zla + 1) && !hra->IHod(zla)->Visible)
        ++zla;
    const QPoint znacka = n.Na_obrazovke(hra->IHod(zla)->widget(), hra->IHod(zla)->widget()->rect().center());
    const auto napoveda = Napoveda_ukazana;
    zmena("the hint held on a wrong example", [&] {
        Xdotool({QStringLiteral("mousemove"), QString::number(znacka.x()), QString::number(znacka.y()),
                 QStringLiteral("mousedown"), QStringLiteral("1")});
    }, napoveda);
    zmena("the hint let go", [&] { Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); },
          [&] { return !napoveda(); });
    zmena("continue: the next screen", [&] { n.Klik(hra->picPokracuj); },
          [] { return !hra->picPokracuj->Visible && hra->PicTop(1)->Enabled; });
    zmena("back: the setup screen", [&] { n.Klik(hra->PicTop(4)); }, vpredu(s));
    zmena("the end of the setup: the chooser", [&] {
        // Where "back" was: a click at once would be the second of a double click.
        QTest::qWait(QApplication::doubleClickInterval());
        n.Klik(s->IKonec);
    }, vpredu(vyber));
}

namespace {

// What of a message box the pupil cannot read: the box off the screen, a
// line of its text not laid out whole or cut off by the box or a scroll
// area, a scroll bar on a box that has the room to show all.
QString Necitatelne(const Program_na_x &n, QMessageBox *m)
{
    QStringList chyby;
    const QRect obrazovka(QPoint(), n.x.Velkost());
    const QRect ram = n.x.Okno_s_ramom(unsigned(m->winId()));
    if (!obrazovka.contains(ram))
        chyby << QStringLiteral("the box at %1,%2 %3x%4").arg(ram.x()).arg(ram.y()).arg(ram.width()).arg(ram.height());
    auto *l = m->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (l->wordWrap() ? l->height() < l->heightForWidth(l->width()) : l->size() != l->size().expandedTo(l->sizeHint()))
        chyby << QStringLiteral("the text laid out %1x%2, shorter than it is").arg(l->width()).arg(l->height());
    if (l->width() < l->minimumSizeHint().width())
        chyby << QStringLiteral("a word wider than the text's %1").arg(l->width());
    const QRect vidno = l->visibleRegion().boundingRect();
    auto *posuv = m->findChild<QScrollArea *>();
    if (!posuv || !posuv->isVisible()) {
        if (vidno != l->rect())
            chyby << QStringLiteral("of the text %1x%2 only %3x%4 in the box").arg(l->width()).arg(l->height())
                         .arg(vidno.width()).arg(vidno.height());
    } else {
        if (vidno.width() != l->width())
            chyby << QStringLiteral("of the text's width %1 only %2 in the box").arg(l->width()).arg(vidno.width());
        if (posuv->horizontalScrollBar()->isVisible())
            chyby << QStringLiteral("a horizontal scroll bar");
        // The box high enough for all of its text, in screen pixels and
        // with its frame, as wide as the screen lets it be.
        const double s = n.stage->scale();
        const int navyse = int((obrazovka.width() - ram.width()) / s);
        const int cela = qRound((m->height() - posuv->viewport()->height()
                                 + posuv->widget()->heightForWidth(posuv->widget()->width() + navyse)) * s)
            + ram.height() - n.x.Okno(unsigned(m->winId())).height();
        if (cela <= obrazovka.height())
            chyby << QStringLiteral("a scroll bar on a box that would fit the screen %1 high").arg(cela);
    }
    return chyby.join(QStringLiteral(", "));
}

} // namespace

// Every message box, from one line to more than the screen can hold: each
// line of its text readable whole, the box on the screen, scrolled only
// when it could not fit otherwise, and its OK where the pupil clicks it.
TEST(RealXChild, EveryMessageIsReadableWhole)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    const Vysledky::Zaznam_vysledku ema{1, QStringLiteral("Ema Nováková"), 7, 3, 2};
    const QString tabulka = n.p.hd() + "Hra.res";
    const auto poskodene = [](int kolko) {
        QStringList subory;
        for (int i = 1; i <= kolko; ++i)
            subory << Misc::Adresar_uschovanych()
                    + QStringLiteral("00017%1-9c41d2e07b35a8f6.vysledok.poskodeny").arg(i, 10, 10, QLatin1Char('0'));
        return Vysledky::Text_poskodenych(subory);
    };
    using Vysledky::Osud, Vysledky::Zapis;
    const auto neulozeny = [&](Osud osud, Zapis dovod, const QString &subor) {
        Vysledky::Odpoved odpoved;
        odpoved.osud = osud, odpoved.dovod = dovod;
        return Vysledky::Text_odpovede(odpoved, subor, ema);
    };
    const struct {
        const char *meno;
        QString text;
        int styl = platform::MessageStyle::OkOnly | platform::MessageStyle::Critical;
        QString titulok = QStringLiteral("Chyba");
    } spravy[] = {
        {"one line", Misc::Texty[1], platform::MessageStyle::YesNo | platform::MessageStyle::Question, Misc::Texty[2]},
        {"the lock waited for, the result kept", neulozeny(Osud::Uschovany, Zapis::Obsadeny, tabulka)},
        {"kept nowhere, to be written down", neulozeny(Osud::Strateny, Zapis::Zamok_cudzi, tabulka)},
        {"a word wider than the screen",
         neulozeny(Osud::Uschovany, Zapis::Nezapisany, n.p.hd() + QStringLiteral("trieda").repeated(25) + "/Hra.res")},
        {"three damaged kept results", poskodene(3)},
        {"fifteen damaged kept results, whole in a wider box", poskodene(15)},
        {"forty damaged kept results, more than the screen holds", poskodene(40)},
    };
    const QString fotky = QStringLiteral(LK_BUILD_DIR "/screens/spravy/");
    QDir().mkpath(fotky);
    for (const auto &s : spravy) {
        SCOPED_TRACE(s.meno);
        QString necitatelne = QStringLiteral("no box came");
        QTimer ziak;
        QObject::connect(&ziak, &QTimer::timeout, [&] {
            auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!m || !m->windowHandle()->isExposed() || QGuiApplication::focusWindow() != m->windowHandle())
                return;
            ziak.stop();
            // The box as the window manager places it, painted.
            n.Cakaj([&] { return (necitatelne = Necitatelne(n, m)).isEmpty(); }, 2000);
            const bool s_ramom = !m->windowHandle()->frameMargins().isNull();
            n.x.Obrazovka().save(fotky + QStringLiteral("%1x%2%3_%4.png").arg(n.x.Velkost().width())
                                             .arg(n.x.Velkost().height()).arg(s_ramom ? "_wm" : "")
                                             .arg(QString::fromLatin1(s.meno).left(24).replace(' ', '_').remove(',')));
            QAbstractButton *b = m->buttons().constFirst();
            const QPoint bod = n.Na_obrazovke(b, b->rect().center());
            if (!n.x.Okno_s_ramom(unsigned(m->winId())).contains(bod))
                necitatelne += QStringLiteral(", its button off the box");
            Klikni_na_obrazovke(bod);
        });
        ziak.start(50);
        platform::services().messageBox().Show(s.text, s.styl, s.titulok);
        ziak.stop();
        EXPECT_EQ(necitatelne.toStdString(), "");
    }
}

namespace {

// One case of RealXChild in a child process on a server of its own;
// `koren` the child's configuration and data, kept past its end, or a new
// one of its own.
class Dieta_na_x {
public:
    // `spravca_spi`: the window manager answers nothing for that long as the child starts.
    Dieta_na_x(const char *pripad, QSize obrazovka, bool so_spravcom, int xft_dpi = 0, const QString &koren = {},
               int spravca_spi = 0)
        : server(obrazovka, so_spravcom)
    {
        if (!server.bezi())
            return;
        if (spravca_spi) {
            server.Zastav_spravcu();
            budik_ = std::thread([this, spravca_spi] {
                std::this_thread::sleep_for(std::chrono::milliseconds(spravca_spi));
                server.Pusti_spravcu();
            });
        }
        plocha_ = std::make_unique<Pohlad_na_x>(server.displej().constData());
        if (xft_dpi)
            plocha_->Nastav_xft_dpi(xft_dpi);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(server.displej()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LK_REALNE_X"), QStringLiteral("1"));
        if (so_spravcom)
            env.insert(QStringLiteral("LK_SO_SPRAVCOM"), QStringLiteral("1"));
        env.insert(QStringLiteral("HOME"), domov_.path());
        if (!koren.isEmpty())
            env.insert(QStringLiteral("LK_KOREN"), koren);
        // As a desktop launcher starts it, waiting for its notice.
        const QString id = QStringLiteral("kvantira2-test-%1").arg(QCoreApplication::applicationPid());
        env.insert(QStringLiteral("DESKTOP_STARTUP_ID"), id);
        env.insert(QStringLiteral("LK_START_ID"), id);
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        dieta.setProcessEnvironment(env);
        dieta.setProcessChannelMode(QProcess::MergedChannels);
        dieta.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=RealXChild.") + QString::fromLatin1(pripad)});
    }
    ~Dieta_na_x()
    {
        if (dieta.state() != QProcess::NotRunning)
            dieta.kill(), dieta.waitForFinished();
        if (budik_.joinable())
            budik_.join();
    }

    // Until the child has printed the line `riadok`, at most `ms`.
    bool Cakaj_na(const QByteArray &riadok, int ms)
    {
        const QDeadlineTimer koniec(ms);
        while (!vystup_.contains(riadok + '\n') && dieta.state() != QProcess::NotRunning && !koniec.hasExpired())
            if (dieta.waitForReadyRead(int(koniec.remainingTime())))
                vystup_ += dieta.readAll();
        vystup_ += dieta.readAll();
        return vystup_.contains(riadok + '\n');
    }

    // The child's end, within `ms`. One that is stuck (a message box no one
    // answers, a window the window manager never gave the focus) has what it
    // was doing put in the output before it is ended.
    bool Skonci(int ms = Najdlhsie)
    {
        const bool skoncilo = dieta.waitForFinished(ms);
        if (!skoncilo) {
            vystup_ += dieta.readAll();
            vystup_ += "\n==== stuck for " + QByteArray::number(ms / 1000) + " s ====\n"
                + server.Co_robi(dieta.processId()).toLocal8Bit();
            dieta.kill(), dieta.waitForFinished();
        }
        vystup_ += dieta.readAll();
        return skoncilo;
    }
    std::string vystup() const { return vystup_.toStdString(); }

    // A case takes a second or two, several on a busy machine.
    static constexpr int Najdlhsie = 30000;
    Xvfb server;
    QProcess dieta;

private:
    std::unique_ptr<Pohlad_na_x> plocha_; // what it set on the server lasts while it is connected
    std::thread budik_;                   // wakes the window manager
    QTemporaryDir domov_;
    QByteArray vystup_;
};

// `spravca_spi`: the window manager answers nothing for that long from the start.
void Na_vlastnom_x(const char *pripad, QSize obrazovka, bool so_spravcom, int xft_dpi = 0, int spravca_spi = 0)
{
    Dieta_na_x d(pripad, obrazovka, so_spravcom, xft_dpi, {}, spravca_spi);
    ASSERT_TRUE(d.server.bezi()) << "Xvfb" << (so_spravcom ? " with openbox" : "") << " did not start\n"
                                 << d.server.chyba().toStdString();
    ASSERT_TRUE(d.Skonci()) << d.vystup();
    EXPECT_TRUE(d.dieta.exitCode() == 0 && d.vystup().find("[       OK ]") != std::string::npos) << d.vystup();
}

struct Obrazovka_x {
    const char *name;
    QSize screen;
    bool windowManager;
};

void Na_obrazovkach(const char *pripad, std::initializer_list<Obrazovka_x> rows)
{
    for (const Obrazovka_x &r : rows) {
        SCOPED_TRACE(r.name);
        Na_vlastnom_x(pripad, r.screen, r.windowManager);
    }
}

#define LK_VYZADUJ_X(so_spravcom)                                                                                     \
    if (const QStringList chybaju = Xvfb::Chybajuce(so_spravcom); !chybaju.isEmpty())                                  \
    GTEST_SKIP() << "needs " << chybaju.join(", ").toStdString() << " (scripts/deps.sh installs them)"

} // namespace

TEST(RealX, WindowAndStageAtEveryScreenSize)
{
    LK_VYZADUJ_X(true);
    const struct {
        const char *name;
        QSize screen;
        bool windowManager;
        int xftDpi = 0; // the desktop's own scale, which Qt applies too
        int busyWindowManager = 0; // ms it answers nothing at the start
    } rows[] = {
        {"1024 x 768, 51/32", {1024, 768}, false},
        {"1152 x 864, 57/32: 58/32 would not fit", {1152, 864}, false},
        {"1280 x 1024, 2, bands above and below", {1280, 1024}, false},
        {"1366 x 768, 51/32", {1366, 768}, false},
        {"1366 x 768 with openbox", {1366, 768}, true},
        {"1600 x 900, 60/32", {1600, 900}, false},
        {"1920 x 1080, 2.25", {1920, 1080}, false},
        {"1920 x 1080 with openbox", {1920, 1080}, true},
        {"1920 x 1080 with openbox answering after 3 s", {1920, 1080}, true, 0, 3000},
        {"1920 x 1080, a desktop scaled to 150 %", {1920, 1080}, false, 144},
        {"2560 x 1440, 3", {2560, 1440}, false},
        {"3840 x 2160, 4.5", {3840, 2160}, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Na_vlastnom_x("TheWindowIsTheScreenAndTheStageItsMiddle", r.screen, r.windowManager, r.xftDpi,
                      r.busyWindowManager);
    }
}

TEST(RealX, EveryScreenChangeReachesTheScreenWhole)
{
    LK_VYZADUJ_X(true);
    Na_obrazovkach("EveryScreenChangeReachesTheScreenWhole",
                   {{"1366 x 768 with openbox, 51/32", {1366, 768}, true}, {"1920 x 1080, 2.25", {1920, 1080}, false}});
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
// result whose save was under way is written once at the next start.
TEST(RealX, WhenItsServerGoesAwayTheProgramEndsPlainlyAndKeepsTheResultUnderWay)
{
    LK_VYZADUJ_X(true);
    const struct {
        const char *name, *pripad, *kedy;
        bool windowManager;
        int ulozene; // results of "Ema" after the next start
        const char *navyse = nullptr; // the child's environment
    } rows[] = {
        {"the exercise screen", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", false, 0},
        {"the exercise screen with openbox", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", true, 0},
        {"a message box on the exercise screen", "TheServerGoesAwayAtTheExerciseScreen", "LK_PRI_PRIKLADOCH", true, 0,
         "LK_SO_SPRAVOU"},
        {"the save's wait for the lock", "TheServerGoesAwayWhileTheSaveWaitsForTheLock", "LK_CAKA_NA_ZAMOK", false, 1},
        {"the save's wait for the lock with openbox", "TheServerGoesAwayWhileTheSaveWaitsForTheLock",
         "LK_CAKA_NA_ZAMOK", true, 1},
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
            d.server.Zhod();
            ASSERT_TRUE(d.Skonci()) << d.vystup();
            EXPECT_EQ(d.dieta.exitStatus(), QProcess::NormalExit) << "ended by a signal\n" << d.vystup();
            EXPECT_NE(d.dieta.exitCode(), 0) << d.vystup();
            for (const char *zrutenie : {"malloc", "bad_alloc", "free()", "corrupted", "terminate"})
                EXPECT_TRUE(d.vystup().find(zrutenie) == std::string::npos) << zrutenie << " said\n" << d.vystup();
        }
        Program dalsi(koren.path());
        dalsi.Spusti();
        const QString tabulka = Misc::Text_z_1250(Obsah(hd + "Hra.res"));
        EXPECT_EQ(Misc::Riadky_textu(tabulka).filter(QStringLiteral("|Ema|")).size(), r.ulozene) << "in the table";
        EXPECT_EQ(Misc::Text_z_1250(Obsah(hd + "Vysledky.dat")).count(QStringLiteral(": Ema ")), r.ulozene)
            << "in the log";
        EXPECT_TRUE(QDir(Misc::Adresar_uschovanych()).isEmpty()) << "nothing kept any more";
        EXPECT_TRUE(dalsi.box.AskedBoxes().isEmpty()) << "nothing to tell";
    }
}

TEST(RealX, AfterAMessageWhileTheScreenChangesTheKeysGoWhereTheScreenPutsThem)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("AfterAMessageWhileTheScreenChangesTheKeysGoIntoTheName", {1366, 768}, openbox);
    }
}

TEST(RealX, TypingAfterThePrintDialogWithAndWithoutAWindowManager)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("TypingAfterThePrintDialogGoesIntoTheName", {1366, 768}, openbox);
    }
}

TEST(RealX, EveryMessageIsReadableWholeAtEveryScreenSize)
{
    LK_VYZADUJ_X(true);
    Na_obrazovkach("EveryMessageIsReadableWhole", {{"1024 x 768", {1024, 768}, false},
                                                   {"1366 x 768", {1366, 768}, false},
                                                   {"1366 x 768 with openbox", {1366, 768}, true},
                                                   {"1920 x 1080", {1920, 1080}, false},
                                                   {"1920 x 1080 with openbox", {1920, 1080}, true}});
}
