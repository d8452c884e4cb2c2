// The full-screen window on a real X server, as pupils' screens have it:
// Xvfb of the test's own at their sizes, with openbox, a window manager of
// the test's own or none, the program driven by real X input (xdotool):
// the window is the screen and the stage its middle, whatever size a
// window manager gives it, every change of the screen reaches it whole,
// every message box is readable whole. The scale is chosen before the application starts, so
// each case is a child process of this test program on a server of its
// own; the parent starts both (Realne_x.h).
#include "Realne_x.h"

#include "services/Konfigurace.h"
#include "services/Chyba_suboru.h"
#include "services/Uschovane_casti.h"
#include "shell/Ulozenie_vysledku.h"

#include <QAbstractNativeEventFilter>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>
#include <iostream>
#include <sys/resource.h>

using namespace lktest;
using namespace std::chrono_literals;

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

// A window manager that comes only once full screen has been given up
// (the parent holds it until the "Zobrazenie" message is made): the message
// once the pupil can read it, then the title, clicked, and a window the
// pupil works in, drawn as the stage draws it, taking clicks and keys.
TEST(RealXChild, AWindowManagerLaterThanTheFullScreenWaitLeavesAWindowToWorkIn)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    platform::FullScreenWaits() = {1500ms, 500ms};
    QStringList spravy;
    bool oznamene = false, titulok = false;
    QTimer ziak;
    const auto na_obrazovke = [](const QWidget *w) {
        return (QPointF(w->mapToGlobal(w->rect().center())) * w->devicePixelRatioF()).toPoint();
    };
    QObject::connect(&ziak, &QTimer::timeout, [&] {
        auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        auto *uvod = Formulare::frm_Intro.existing();
        const QWindow *okno = uvod ? uvod->window()->windowHandle() : nullptr;
        if (!m && !titulok && !spravy.isEmpty() && okno && Vpredu() == uvod && okno->isExposed()
            && QGuiApplication::focusWindow() == okno) {
            titulok = Klikni_na_obrazovke(na_obrazovke(uvod));
            return;
        }
        if (!m || spravy.contains(m->windowTitle() + ": " + m->text()))
            return;
        if (!std::exchange(oznamene, true))
            std::cout << "LK_SPRAVA_VYTVORENA" << std::endl;
        if (!m->windowHandle()->isExposed() || QGuiApplication::focusWindow() != m->windowHandle())
            return;
        spravy << m->windowTitle() + ": " + m->text();
        Klikni_na_obrazovke(na_obrazovke(m->buttons().constFirst()));
    });
    ziak.start(50);
    Program_na_x n(Program_na_x::Titulok::Sam);
    ziak.stop();
    EXPECT_EQ(spravy, QStringList{Misc::Texty[41] + ": " + Misc::Texty[40]});
    EXPECT_FALSE(n.stage->fillsScreen());
    ASSERT_EQ(Vpredu(), Formulare::frm_Select.existing())
        << "the title over, the chooser, not " << (Vpredu() ? Vpredu()->metaObject()->className() : "none");
    EXPECT_TRUE(n.Okno()->windowHandle()->isExposed()) << "the window shows";
    EXPECT_TRUE(n.Klavesy_do_okna()) << "keys go to the window";
    EXPECT_EQ(n.Neprekreslene_okno().toStdString(), "") << "the chooser";
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr) << "clicks reach the chooser";
    EXPECT_EQ(QString(s->TJmeno->Text), QStringLiteral("Ema")) << "typed keys reach the name";
    EXPECT_EQ(n.Neprekreslene_okno().toStdString(), "") << "the setup screen";
}

namespace {

// The largest size Qt gave a window of the program.
class Najvacsie_okno : public QObject {
public:
    Najvacsie_okno() { qApp->installEventFilter(this); }
    QSize najvacsia;
    bool V_obrazovke() const { return najvacsia.boundedTo(QGuiApplication::primaryScreen()->size()) == najvacsia; }
    std::string Text() const
    {
        return "the largest size Qt gave a window: " + std::to_string(najvacsia.width()) + " x "
            + std::to_string(najvacsia.height());
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Resize && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            najvacsia = najvacsia.expandedTo(static_cast<QResizeEvent *>(e)->size());
        return false;
    }
};

// A window manager as one started late: the full-screen window, as it
// shows, is given the largest size there is; then the test places it.
// Each new place given comes to the program (seen before its own handling
// of it).
class Spravca_neskoro final : public Najvacsie_okno {
public:
    explicit Spravca_neskoro(Pohlad_na_x &x) : x_(x) {}
    unsigned okno = 0; // the full-screen window
    // Places the window and waits until the program has heard of it.
    bool Umiestni(QRect kde)
    {
        const int predtym = oznamenia_.pocet;
        x_.Umiestni(okno, kde);
        return Program_na_x::Cakaj([&] { return oznamenia_.pocet > predtym; });
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *w = o->isWidgetType() ? static_cast<QWidget *>(o) : nullptr;
        if (w && e->type() == QEvent::Show && !okno && w->findChild<platform::Stage *>(QString(), Qt::FindDirectChildrenOnly))
            x_.Umiestni(oznamenia_.okno = okno = unsigned(w->winId()), {0, 0, 65534, 65534});
        return Najvacsie_okno::eventFilter(o, e);
    }

private:
    Pohlad_na_x &x_;
    Oznamenia_miesta oznamenia_;
};

// Clicks on the chooser's groups of tasks, each answered and painted. A
// screen's thread standing still is not seen by the poll, which waits with
// it: its time is taken apart.
struct Kliky_vo_vybere {
    Program_na_x &n;
    int skupina = 0;
    void operator()(const char *kedy)
    {
        auto *vyber = Formulare::frm_Select.get();
        skupina = skupina % 6 + 1;
        QElapsedTimer cas;
        cas.start();
        n.Klik(vyber->LI(skupina));
        EXPECT_TRUE(n.Cakaj([&] { return QString(vyber->LI(skupina)->Tag) == QLatin1String("1"); }))
            << kedy << ": the click answered";
        EXPECT_LT(cas.elapsed(), 10000) << kedy << ": ms until the click was answered";
        EXPECT_EQ(n.Neprekreslene().toStdString(), "") << kedy << ": the chooser painted";
    }
};

// The buffer of 65534 x 65534 took gigabytes: held to 4 GiB, it is
// refused and the window paints nothing, so that its return fails the
// test rather than the machine.
void Pamat_najviac_4_gib()
{
    const rlimit pamat{4ull << 30, 4ull << 30};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &pamat), 0);
}

} // namespace

// Whatever size a window manager gives the window, the program takes the
// screen: during the full-screen wait and after it, in either dimension,
// off the corner too, it goes on answering clicks and painting, the
// window is the screen again, and its memory stays as it was.
TEST(RealXChild, ASizeBeyondTheScreenIsTakenAsTheScreen)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Pamat_najviac_4_gib();
    Pohlad_na_x x;
    Spravca_neskoro spravca(x);
    Program_na_x n;
    ASSERT_TRUE(n.stage->fillsScreen()) << "given 65534 x 65534 as it showed";
    ASSERT_EQ(spravca.okno, unsigned(n.Okno()->winId()));
    const QRect obrazovka(QPoint(), x.Velkost());
    // The window is the screen on the server and as Qt has it.
    const auto je_obrazovkou = [&] {
        return x.Okno(spravca.okno) == obrazovka
            && n.Okno()->geometry() == QRect(QPoint(), QGuiApplication::primaryScreen()->size());
    };
    EXPECT_TRUE(n.Cakaj(je_obrazovkou)) << "the window is the screen";
    Kliky_vo_vybere klik{n};
    const struct {
        const char *name;
        QRect place;
    } rows[] = {
        {"65534 x 65534", {0, 0, 65534, 65534}},
        {"wider than the screen", {0, 0, 65534, obrazovka.height()}},
        {"taller than the screen", {0, 0, obrazovka.width(), 65534}},
        {"larger and off the corner", {-20000, -20000, 65534, 65534}},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(spravca.Umiestni(r.place)) << "the program heard of it";
        EXPECT_TRUE(n.Cakaj(je_obrazovkou)) << "the window is the screen again";
        klik("given it");
        x.Umiestni(spravca.okno, obrazovka);
        EXPECT_TRUE(n.Cakaj(je_obrazovkou)) << "the window is the screen";
        klik("given the screen again");
    }
    EXPECT_TRUE(spravca.V_obrazovke()) << spravca.Text();
    EXPECT_LT(Pamat_kb("VmHWM:"), 200 * 1024) << "KiB at the most";
}

// Something acting as a window manager keeps the full-screen window at
// 65534 x 65534, as a reparenting one restarting did, and nothing puts it
// back: the cut of the size the server tells is all that keeps Qt from
// taking it. Qt's view of the window stays within the screen, the memory
// as it was, the clicks answered; a dialog it holds so too is asked for
// fitted a while, not without end.
TEST(RealXChild, AWindowManagerHoldingASizeBeyondTheScreenIsCut)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Pamat_najviac_4_gib();
    Spravca_velkosti spravca({65534, 65534});
    ASSERT_TRUE(spravca.bezi()) << "the redirect of the root's children";
    Najvacsie_okno okna;
    Program_na_x n;
    ASSERT_TRUE(n.stage->fillsScreen());
    EXPECT_EQ(n.x.Okno(unsigned(n.Okno()->winId())).size(), QSize(65534, 65534)) << "held on the server";
    Kliky_vo_vybere klik{n};
    for (const char *kedy : {"first", "second", "third"})
        klik(kedy);
    const struct {
        const char *name;
        std::chrono::milliseconds putBack; // after each size it grants
    } rows[] = {{"held", 0ms}, {"put back 50 ms later", 50ms}, {"put back 200 ms later", 200ms},
                  {"put back 700 ms later", 700ms}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        QDialog d(platform::Stage::dialogParent());
        d.setModal(true);
        Oznamenia_miesta oznamenia;
        oznamenia.okno = unsigned(d.winId());
        spravca.Vracaj(oznamenia.okno, r.putBack);
        d.show();
        // Quiet once no place or size has come for a second.
        QElapsedTimer ticho;
        ticho.start();
        int pocul = 0;
        EXPECT_TRUE(n.Cakaj([&] {
            if (oznamenia.pocet != pocul)
                pocul = oznamenia.pocet, ticho.restart();
            return pocul > 0 && ticho.elapsed() > 1000;
        }, 20000)) << "the dialog's sizes asked for and told: " << pocul;
        // A few times: held, four; put back after each grant, hundreds.
        EXPECT_LE(spravca.Ziadosti(), 12) << "its place and size asked for";
        // Open and modal, and its keys answer it.
        EXPECT_TRUE(n.Cakaj([&] { return QGuiApplication::focusWindow() == d.windowHandle(); }));
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
        Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
        EXPECT_TRUE(n.Cakaj([&] { return !d.isVisible(); })) << "Escape";
    }
    EXPECT_TRUE(okna.V_obrazovke()) << okna.Text();
    EXPECT_LT(Pamat_kb("VmHWM:"), 200 * 1024) << "KiB at the most";
}

// Each change of the screen, from the title on through a task's screens
// and back, shows every pixel it changes: none is left of what was before.
TEST(RealXChild, EveryScreenChangeReachesTheScreenWhole)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n(Program_na_x::Titulok::Drzany);
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
    // The folder and the pupil's own one on fusefat: the longest reasons.
    Vysledky::Odpoved na_fusefat;
    na_fusefat.osud = Osud::Strateny, na_fusefat.dovod = Zapis::Nezapisany;
    na_fusefat.chyba_systemu = na_fusefat.chyba_uschovania = Misc::Disk_kazi_subory;
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
        {"fusefat, to be written down", Vysledky::Text_odpovede(na_fusefat, tabulka, ema)},
        {"a start on fusefat", Misc::Chyba_suboru{Misc::Chyba_suboru::Nad_hranice, n.p.hd() + "Znamky.dat", 1}.Text()
                                   + ' ' + Misc::Dovod_systemu(Misc::Disk_kazi_citane)},
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

// The window manager held (stopped) from the start until the program has
// given up full screen and made its message, then let go at once or a
// moment later.
TEST(RealX, AWindowManagerLaterThanTheFullScreenWaitLeavesAWindowToWorkIn)
{
    LK_VYZADUJ_X(true);
    const struct {
        const char *name;
        QSize screen;
        int letGoAfter; // ms after the message is made
    } rows[] = {
        {"640 x 480, let go at once", {640, 480}, 0},
        {"1024 x 768, let go after 2 s", {1024, 768}, 2000},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        Dieta_na_x d("AWindowManagerLaterThanTheFullScreenWaitLeavesAWindowToWorkIn", r.screen, true, 0, {},
                     Dieta_na_x::Kym_nepusti);
        ASSERT_TRUE(d.server.bezi()) << d.server.chyba().toStdString();
        const bool sprava = d.Cakaj_na("LK_SPRAVA_VYTVORENA", Dieta_na_x::Najdlhsie);
        QThread::msleep(r.letGoAfter);
        d.server.Pusti_spravcu();
        ASSERT_TRUE(sprava) << d.vystup();
        ASSERT_TRUE(d.Skonci()) << d.vystup();
        EXPECT_TRUE(d.dieta.exitCode() == 0 && d.vystup().find("[       OK ]") != std::string::npos) << d.vystup();
    }
}

// No window manager runs: the test gives the window its places itself.
TEST(RealX, ASizeBeyondTheScreenIsTakenAsTheScreen)
{
    LK_VYZADUJ_X(false);
    Na_obrazovkach("ASizeBeyondTheScreenIsTakenAsTheScreen",
                   {{"1024 x 768, 51/32", {1024, 768}, false}, {"1920 x 1080, 2.25", {1920, 1080}, false}});
}

// The window manager is the test's own, in the child.
TEST(RealX, AWindowManagerHoldingASizeBeyondTheScreenIsCut)
{
    LK_VYZADUJ_X(false);
    Na_obrazovkach("AWindowManagerHoldingASizeBeyondTheScreenIsCut",
                   {{"1024 x 768, 51/32", {1024, 768}, false}, {"1920 x 1080, 2.25", {1920, 1080}, false}});
}

TEST(RealX, EveryScreenChangeReachesTheScreenWhole)
{
    LK_VYZADUJ_X(true);
    Na_obrazovkach("EveryScreenChangeReachesTheScreenWhole",
                   {{"1366 x 768 with openbox, 51/32", {1366, 768}, true}, {"1920 x 1080, 2.25", {1920, 1080}, false}});
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
