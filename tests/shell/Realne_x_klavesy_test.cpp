// Keys on a real X server (Xvfb of the test's own, with openbox or icewm
// and without): what the pupil types after the print dialog and its wait,
// or after a message box that came while the screen changed, goes into the
// name, as when the screen came up; a dialog given a size beyond the screen stays
// until its keys answer it. Each case is a child process of this test
// program on a server of its own; the parent starts both (Realne_x.h).
#include "Nastavenie.h"
#include "Realne_x.h"

#include "platform/PrintQueue.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QPushButton>
#include <algorithm>

using namespace lktest;
using namespace std::chrono_literals;

// Tlač, then Zrušiť or a print into a file, or onto a printer that keeps
// the teacher waiting (its job slow, or its print server silent until the
// bound, and then a box) while "Späť" is clicked: what the pupil types
// next goes into the name, as when the screen came up.
TEST(RealXChild, TypingAfterThePrintDialogGoesIntoTheName)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    platform::PrintWaits() = {1500ms, 5000ms, 4500ms};
    std::optional<Na_papier> papier;
    const struct {
        const char *name;
        bool print;
        const char *printer = nullptr; // none: the fake printer, into a file
        bool silent = false;           // the print server stops as the teacher presses Tlačiť
    } rows[] = {
        {"cancelled", false},
        {"into a file", true},
        {"a slow job", true, "Pomala"},
        {"a silent print server, then its box", true, "Pomala", true},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        if (r.printer && !papier) {
            papier.emplace();
            ASSERT_TRUE(papier->server.Running()) << "no print server of the test's own here (needs cupsd)";
            papier->server.AddBackend("pomala", PrintServer::SlowBackend(3));
            ASSERT_TRUE(papier->server.AddQueue("Pomala", "pomala:/"));
        }
        // The dialogs answered as a teacher would: Zrušiť clicked, or the
        // printer chosen and Enter; a box by Enter.
        int dialogov = 0;
        QTimer odpoved;
        QObject::connect(&odpoved, &QTimer::timeout, [&] {
            QWidget *d = QApplication::activeModalWidget();
            if (!d || !d->windowHandle() || !d->windowHandle()->isExposed() || QGuiApplication::focusWindow() != d->windowHandle())
                return;
            odpoved.stop(); // not again from the waits below
            ++dialogov;
            auto *tlacitka = d->objectName() == "printDialog" ? d->findChild<QDialogButtonBox *>() : nullptr;
            if (tlacitka && !r.print) {
                QPushButton *zrusit = tlacitka->button(QDialogButtonBox::Cancel);
                EXPECT_EQ(zrusit->text(), "Zrušiť");
                Klikni_na_obrazovke(n.Na_obrazovke(zrusit, zrusit->rect().center()));
            } else {
                if (tlacitka && r.printer) {
                    auto *zoznam = d->findChild<QComboBox *>(QStringLiteral("printers"));
                    EXPECT_TRUE(n.Cakaj([&] { return zoznam->findText(r.printer) >= 0; }));
                    zoznam->setCurrentIndex(zoznam->findText(r.printer));
                    d->findChild<QRadioButton *>(QStringLiteral("toPrinter"))->click();
                    auto *stav = d->findChild<QLabel *>(QStringLiteral("state"));
                    EXPECT_TRUE(n.Cakaj([&] { return !stav->text().isEmpty() && !stav->text().startsWith("Zisťuje sa"); }));
                    if (r.silent)
                        papier->server.Pause();
                }
                Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            }
            QTest::qWait(100);
            odpoved.start();
        });
        odpoved.start(50);
        // "Späť" clicked while the note says the program waits, at every
        // turn of its events and once more as it goes (on the screen still,
        // what was given not yet let through): clicks meant for no screen.
        int spat = 0, spat_na_konci = 0;
        QPointer<QLabel> poznamka;
        const auto klik_spat = [&] { return int(Klikni_na_obrazovke(n.Na_obrazovke(s->IKonec->widget(), {45, 37}))); };
        QTimer ziak;
        QObject::connect(&ziak, &QTimer::timeout, [&] {
            for (QLabel *l : n.stage->findChildren<QLabel *>())
                if (!poznamka && l->isVisible() && l->text().startsWith(QStringLiteral("Čakám")))
                    QObject::connect(poznamka = l, &QObject::destroyed, [&] { spat_na_konci += klik_spat(); });
            if (poznamka && poznamka->isVisible())
                spat += klik_spat();
        });
        if (r.printer)
            ziak.start(150);
        const QString pred = s->TJmeno->Text;
        n.Klik(s->picTiskni);
        n.Cakaj([&] { return dialogov > 0 && !QApplication::activeModalWidget(); }, 20000);
        odpoved.stop();
        if (papier)
            papier->server.Resume();
        EXPECT_GE(dialogov, r.silent ? 2 : 1);
        ziak.stop();
        EXPECT_TRUE(!r.printer || (spat > 0 && spat_na_konci == 1)) << spat << " clicks, " << spat_na_konci << " at the end";
        EXPECT_TRUE(n.Cakaj([&] { return n.Klavesy_do_okna(); }));
        Napis_na_obrazovke(QStringLiteral("xy"));
        n.Cakaj([&] { return QString(s->TJmeno->Text) == pred + QStringLiteral("xy"); });
        ASSERT_EQ(Vpredu(), s) << "the setup screen";
        EXPECT_EQ(QString(s->TJmeno->Text), pred + "xy");
        EXPECT_EQ(QApplication::focusWidget(), s->TJmeno->editor());
        EXPECT_EQ(n.Neprekreslene().toStdString(), "") << "where the dialog was";
    }
}

namespace {

// Whether a size the server told of a window is the window manager's
// answer to `kde`: a dimension beyond the screen stays beyond it (a frame's
// worth may be taken off), one within it is as given.
bool Odpoved_na(QSize dal, QRect kde, QSize obrazovka)
{
    const auto rozmer = [](int dal, int dany, int obrazovky) { return dany > obrazovky ? dal > obrazovky : dal == dany; };
    return rozmer(dal.width(), kde.width(), obrazovka.width()) && rozmer(dal.height(), kde.height(), obrazovka.height());
}

// A round trip on the program's own connection, its events left alone:
// the server has done what the program asked before, and what the server
// sent the program before has reached it.
void Kolo_k_serveru_programu()
{
    xcb_connection_t *c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// Another client gives a dialog a place and a size, as `xdotool windowsize`
// does: what of the dialog the teacher would miss, once the program has
// heard the answer to it and had a while to do what it does with it. With
// `pred`, that is given first, and `kde` as soon as the program has asked
// for the dialog fitted to it: the window manager's answers to both reach
// the program together.
QString Po_velkosti(Program_na_x &n, QWidget *d, QRect kde, std::optional<QRect> pred)
{
    const unsigned okno = unsigned(d->winId());
    const QSize obrazovka = n.x.Velkost();
    const bool so_spravcom = qEnvironmentVariableIsSet("LK_SO_SPRAVCOM");
    // A window manager keeps a fixed size (a message box's) as it is.
    const bool pevna = so_spravcom && d->minimumSize() == d->maximumSize();
    Oznamenia_miesta oznamenia;
    oznamenia.okno = okno;
    // What the program has heard since the answer to `r`, that included: a
    // window manager may take a while, and still answer what came before.
    const auto od_odpovede = [&](QRect r) {
        const QList<QSize> &v = oznamenia.velkosti;
        return QList<QSize>(std::find_if(v.begin(), v.end(), [&](QSize s) { return Odpoved_na(s, r, obrazovka); }),
                            v.end());
    };
    const auto pocul = [&](QRect r) { return pevna || !od_odpovede(r).isEmpty(); };
    if (pred) {
        // Until the program has asked for the size it fits the dialog to;
        // where no window manager runs, until it has heard the answer to
        // its own request (it puts the window back itself).
        n.x.Umiestni(okno, *pred);
        n.Cakaj([&] {
            return pocul(*pred) && d->size() == d->windowHandle()->size()
                && (so_spravcom || od_odpovede(*pred).size() > 1);
        });
        oznamenia.velkosti.clear();
        // `kde` after the program's request; the window manager's answers
        // to both awaited on the server, the program hearing nothing.
        Kolo_k_serveru_programu();
        n.x.Umiestni(okno, kde);
        for (const QDeadlineTimer koniec(10000); !pevna && !Odpoved_na(n.x.Okno(okno).size(), kde, obrazovka)
             && !koniec.hasExpired();)
            QThread::msleep(10);
        Kolo_k_serveru_programu();
    } else {
        n.x.Umiestni(okno, kde);
    }
    n.Cakaj([&] { return pocul(kde); });
    const auto chyby = [&] {
        QStringList c;
        if (!d->isVisible() || QApplication::activeModalWidget() != d)
            c << QStringLiteral("the dialog no longer shown and modal");
        if (!n.x.Ukazane(okno))
            c << QStringLiteral("its window not mapped");
        if (const QSize v = QGuiApplication::primaryScreen()->size(); d->size().boundedTo(v) != d->size())
            c << QStringLiteral("Qt has it %1x%2").arg(d->width()).arg(d->height());
        // Where a window manager runs, the place is its own.
        const QRect r = n.x.Okno_s_ramom(okno);
        if (so_spravcom ? r.size().boundedTo(obrazovka) != r.size() : !QRect(QPoint(), obrazovka).contains(r))
            c << QStringLiteral("on the server at %1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        return c.join(QStringLiteral(", "));
    };
    // Fitted; one that goes, goes at once.
    n.Cakaj([&] { return chyby().isEmpty(); });
    n.Cakaj([&] { return !chyby().isEmpty(); }, 500);
    return chyby();
}

// Sizes beyond the screen, both ways and one way, also one after another
// as fast as the window manager can, then the size it had; each said at
// once.
void Velkosti_mimo_obrazovky(Program_na_x &n, QWidget *d)
{
    const QSize v = n.x.Velkost();
    const QRect mala = n.x.Okno(unsigned(d->winId()));
    const QRect najvacsia(0, 0, 65534, 65534), dvojnasobna(0, 0, 2 * v.width(), v.height()),
        vysoka(0, 0, v.width(), 65534);
    const struct {
        const char *name;
        QRect place;
        std::optional<QRect> before;
    } rows[] = {
        {"65534 x 65534", najvacsia, {}},
        {"twice the screen's width", dvojnasobna, {}},
        {"the screen's width, 65534 high", vysoka, {}},
        {"twice the screen's width as the program fits 65534 x 65534", dvojnasobna, najvacsia},
        {"65534 high as the program fits twice the screen's width", vysoka, dvojnasobna},
        {"its own size again", mala, {}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Po_velkosti(n, d, r.place, r.before).toStdString(), "")
            << d->windowTitle().toStdString() << ", " << r.name;
}

} // namespace

// The print dialog, its file chooser and a message box over it, each given
// sizes beyond the screen and back: each stays shown and modal, fitted to
// the screen, until the teacher answers it by its keys.
TEST(RealXChild, ADialogGivenASizeBeyondTheScreenStaysUntilAnswered)
{
    if (!V_detskom_procese())
        GTEST_SKIP() << "run by RealX tests on an X server of their own";
    Program_na_x n;
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    ASSERT_NE(s, nullptr);
    // Each dialog as it comes up with the keys: the print dialog, its
    // chooser (Alt+V), the print dialog again, a box for a name left empty,
    // the print dialog once more, cancelled (Escape).
    const struct {
        const char *dialog;
        bool sized;
        QStringList keys;
    } kroky[] = {
        {"printDialog", true, {QStringLiteral("alt+v")}},
        {"QFileDialog", true, {QStringLiteral("Escape")}},
        {"printDialog", false, {QStringLiteral("alt+d"), QStringLiteral("ctrl+a"), QStringLiteral("BackSpace"),
                                QStringLiteral("Return")}},
        {"QMessageBox", true, {QStringLiteral("Return")}},
        {"printDialog", false, {QStringLiteral("Escape")}},
    };
    size_t krok = 0;
    QTimer ucitel;
    QObject::connect(&ucitel, &QTimer::timeout, [&] {
        QWidget *d = QApplication::activeModalWidget();
        if (krok == std::size(kroky) || !d || !d->windowHandle()->isExposed()
            || QGuiApplication::focusWindow() != d->windowHandle())
            return;
        const auto &k = kroky[krok];
        if (d->objectName() != QLatin1String(k.dialog) && !d->inherits(k.dialog))
            return; // the one before, until the next comes
        ucitel.stop(); // not again from the waits below
        if (k.sized) // said at once: a dialog that went leaves its wait stuck
            Velkosti_mimo_obrazovky(n, d);
        ++krok;
        Xdotool(QStringList{QStringLiteral("key")} + k.keys);
        ucitel.start();
    });
    ucitel.start(50);
    n.Klik(s->picTiskni);
    // The print dialog, under the others, goes only when it is answered.
    n.Cakaj([&] { return krok > 0 && !QApplication::activeModalWidget(); }, 20000);
    ucitel.stop();
    EXPECT_EQ(krok, std::size(kroky)) << "the dialogs answered up to this step";
    EXPECT_EQ(Vpredu(), s) << "the setup screen as it was";
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

TEST(RealX, AfterAMessageWhileTheScreenChangesTheKeysGoWhereTheScreenPutsThem)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("AfterAMessageWhileTheScreenChangesTheKeysGoIntoTheName", {1366, 768}, openbox);
    }
}

TEST(RealX, ADialogGivenASizeBeyondTheScreenStaysUntilAnswered)
{
    LK_VYZADUJ_X(true);
    for (const bool openbox : {false, true}) {
        SCOPED_TRACE(openbox ? "openbox" : "no window manager");
        Na_vlastnom_x("ADialogGivenASizeBeyondTheScreenStaysUntilAnswered", {1024, 768}, openbox);
    }
}

TEST(RealX, TypingAfterThePrintDialogWithAndWithoutAWindowManager)
{
    LK_VYZADUJ_X(true);
    LK_VYZADUJ_X("icewm");
    for (const Spravca_okien spravca : {Spravca_okien(), Spravca_okien(true), Spravca_okien("icewm")}) {
        SCOPED_TRACE(spravca ? spravca.program : "no window manager");
        Na_vlastnom_x("TypingAfterThePrintDialogGoesIntoTheName", {1366, 768}, spravca);
    }
}
