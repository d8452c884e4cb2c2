// A whole series as a pupil works it: chooser, setup (the name typed while
// its buttons rise), three screens of generated examples typed, checked and
// continued, and the result that reaches the table, the results file and
// the log; and the way there on a screen that the stage fills.
#include "Program.h"
#include "support/Atrament.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Text_1250.h"
#include "services/Zamok_priecinka.h"
#include "shell/frm_Chybovy.h"

#include <QAbstractButton>
#include <QBackingStore>
#include <QCursor>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using namespace lktest;
using namespace std::chrono_literals;

namespace {

platform::DefaultInstance<frm_Game01> hra;

QString Obsah_1250(const QString &cesta) { return Misc::Text_z_1250(Obsah(cesta)); }

TEST(WholeProgram, ASeriesOfTask1FromTheChooserToTheResultsFile)
{
    Program p;
    Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
    Zapis_subor(p.hd() + "Hra.res", "1|Eva| 10| 0| 1| 0\r\n1|Juraj| 2| 8| 5| 0\r\n");
    // The teacher's scale, best mark first; the pupil's 14 of 15 (93.3 %) lies between 93 and 94.
    Zapis_subor(p.hd() + "Znamky.dat", "94|100|1\r\n80|93|2\r\n60|79|3\r\n40|59|4\r\n0|39|5\r\n");
    p.Prejdi_titulok();
    Klik(Formulare::frm_Select->LI(1));
    Klik(Formulare::frm_Select->RI(1));
    auto *s = Formulare::frm_Setup.get();
    // The count first, then the name typed at once: its first letter while
    // the count's wait runs, the rest while continue rises. No letter is
    // lost, but a click on back meanwhile is.
    const QString meno = QStringLiteral("Ľubica Šťastná");
    Stlac_neskor(s->IKonec);
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] { Napis(s->TJmeno, meno.mid(1)); });
        Napis(s->TJmeno, meno.left(1));
    });
    Klik(s->ICislo(3));
    ASSERT_EQ(Vpredu(), s);
    EXPECT_EQ(QString(s->TJmeno->Text), meno);
    ASSERT_EQ(Misc::Zvoleny_pocet_prikladu, 15);
    Klik(s->picPokracuj);
    EXPECT_FALSE(s->isVisible()) << "the setup screen makes way";

    for (int obrazovka = 1; obrazovka <= 3; ++obrazovka) {
        frm_Game01 *h = hra.get();
        ASSERT_EQ(Vpredu(), h) << obrazovka;
        for (int i = 1; i <= 5; ++i) {
            platform::TextBox *bunka = h->TV2(2 * i - 1);
            const QString spravne = bunka->Tag;
            ASSERT_FALSE(spravne.isEmpty()) << "screen " << obrazovka << ", example " << i;
            bunka->SetFocus();
            // One slip on the second screen.
            Napis(bunka, obrazovka == 2 && i == 3 ? spravne + QStringLiteral("1") : spravne);
        }
        Klik(h->PicTop(1));
        EXPECT_FALSE(h->PicTop(1)->Enabled) << "checked once per screen";
        ASSERT_TRUE(h->picPokracuj->Visible);
        Klik(h->picPokracuj);
    }

    auto *t = Formulare::frm_Tabulka.existing();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Vpredu(), t);
    EXPECT_EQ(hra.existing(), nullptr) << "the exercise screen is unloaded at the end of the series";
    EXPECT_EQ(Misc::Pocet_spravnych, 14);
    EXPECT_EQ(Misc::Pocet_spatnych, 1);
    EXPECT_TRUE(Obsah_1250(p.hd() + "Hra.res").contains("1|" + meno + "| 14| 1| 2|")) << Obsah_1250(p.hd() + "Hra.res").toStdString();
    const QString log = Obsah_1250(p.hd() + "Vysledky.dat");
    EXPECT_TRUE(log.contains(meno) && log.contains(Misc::Texty[39] + ":  2\r\n")) << log.toStdString();
    int riadok = 1;
    while (riadok < 10 && QString(t->LJmeno(riadok)->Caption) != meno)
        ++riadok;
    EXPECT_EQ(QString(t->LZnamka(riadok)->Caption), "2") << "the mark on the results screen";
    EXPECT_TRUE(p.box.AskedBoxes().isEmpty()) << "nothing went wrong on the way";
    Odfot("07_results");
    Klik(t->picKonec);
    EXPECT_EQ(Vpredu(), Formulare::frm_Setup.existing()) << "back to the setup screen";
}

// The window's close (its close button, Alt+F4) mid-series asks the exit
// question once however often it comes; one that comes while the series'
// result waits for another program's lock is asked once the result is in.
TEST(WholeProgram, AWindowCloseAsksFirstAndWaitsForTheSave)
{
    Program p;
    Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
    p.Prejdi_titulok();
    Klik(Formulare::frm_Select->LI(1));
    Klik(Formulare::frm_Select->RI(1));
    auto *s = Formulare::frm_Setup.get();
    Napis(s->TJmeno, QStringLiteral("Ema"));
    Klik(s->ICislo(1));
    Klik(s->picPokracuj);
    frm_Game01 *h = hra.get();
    ASSERT_EQ(Vpredu(), h);
    QWidget *okno = platform::Stage::instance()->shownWindow();
    p.box.Script({platform::MessageAnswer::No, platform::MessageAnswer::Yes});
    okno->close();
    okno->close();
    QTest::qWait(100);
    ASSERT_EQ(p.box.AskedBoxes().size(), 1) << "one question for two closes";
    EXPECT_EQ(p.box.AskedBoxes()[0].text, Misc::Texty[1]);
    ASSERT_EQ(Vpredu(), h) << "No: the series goes on";

    for (int i = 1; i <= 5; ++i) {
        h->TV2(2 * i - 1)->SetFocus();
        Napis(h->TV2(2 * i - 1), h->TV2(2 * i - 1)->Tag);
    }
    Klik(h->PicTop(1));
    ASSERT_TRUE(h->picPokracuj->Visible);
    const Misc::Priecinok priecinok(p.hd());
    Misc::Cakanie cakanie;
    auto zamok = std::make_unique<Misc::Zamok_priecinka>(priecinok, 1s, cakanie);
    ASSERT_TRUE(zamok->Drzany());
    bool opytane_pocas_ukladania = true;
    QTimer::singleShot(50, [&] { okno->close(); });
    QTimer::singleShot(400, [&] {
        opytane_pocas_ukladania = p.box.AskedBoxes().size() > 1;
        zamok.reset();
    });
    Klik(h->picPokracuj); // the last screen: the result waits for the lock
    EXPECT_EQ(zamok, nullptr) << "the save waited for the lock";
    QTest::qWait(200);
    EXPECT_FALSE(opytane_pocas_ukladania);
    ASSERT_EQ(p.box.AskedBoxes().size(), 2);
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_TRUE(Obsah_1250(p.hd() + "Hra.res").contains("1|Ema| 5| 0|"));
    EXPECT_TRUE(Obsah_1250(p.hd() + "Vysledky.dat").contains("Ema"));
    EXPECT_TRUE(Program::Formy().empty()) << "every screen is unloaded";
}

} // namespace

// On a screen larger than the stage the program fills it: the whole
// program drawn at the largest scale that fits, the stage centred on black,
// every click, key and pointer move going to the full-screen window as the
// window system delivers them. Pictures of it for a person to look at under
// build/screens/fullscreen/. Its own ctest entry gives it a 1920 x 1080 screen.
namespace {

struct Cela_obrazovka : Program_na_celej_obrazovke {
    QWidget *okno = nullptr;
    QWindow *w = nullptr;

    Cela_obrazovka()
    {
        Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
        p.Prejdi_titulok();
        okno = stage->shownWindow();
        w = okno->windowHandle();
        QDir().mkpath(LK_BUILD_DIR "/screens/fullscreen");
    }
    // A stage pixel in the window's coordinates.
    QPoint bod(QPoint p) const { return w->mapFromGlobal(stage->mapToGlobal(p)); }
    QPoint stred(platform::Control *c) const { return bod(c->widget()->mapTo(stage, c->widget()->rect().center())); }
    void klik(QPoint p) const { QTest::mouseClick(w, Qt::LeftButton, {}, bod(p)); }
    void klik(platform::Control *c) const { QTest::mouseClick(w, Qt::LeftButton, {}, stred(c)); }
    // The pointer moved as the window system moves it.
    void pohyb_v_okne(QPoint p) const { QTest::mouseMove(w, p); }
    void pohyb(QPoint p) const { pohyb_v_okne(bod(p)); }
    void pohyb(platform::Control *c) const { pohyb_v_okne(stred(c)); }
    // From the chooser to the exercise screen of the task at `poradie` in `skupina`.
    frm_Game01 *otvor(int skupina, int poradie, bool s_nastavenim = true) const
    {
        auto *vyber = Formulare::frm_Select.get();
        klik(vyber->LI(skupina));
        klik(vyber->RI(poradie));
        auto *n = Formulare::frm_Setup.get();
        if (n->ICisloUloha(1)->Visible)
            klik(n->ICisloUloha(1));
        klik(n->TJmeno);
        pis(QStringLiteral("Ľudmila"));
        klik(n->ICislo(2));
        if (!s_nastavenim)
            return nullptr;
        klik(n->picPokracuj);
        return hra.get();
    }
    void pis(const QString &text) const
    {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), {});
    }
    // What the window shows is what its widgets paint: nothing left over
    // from the screen before.
    void ako_nakreslene(const QString &kde) const
    {
        QApplication::processEvents();
        const auto *ulozene = dynamic_cast<const QImage *>(okno->backingStore()->paintDevice());
        ASSERT_NE(ulozene, nullptr);
        const QImage ukazane = ulozene->convertToFormat(QImage::Format_RGB32);
        const QImage nakreslene = okno->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(ukazane.size(), nakreslene.size()) << kde.toStdString();
        QRect ine;
        for (int y = 0; y < ukazane.height(); ++y)
            for (int x = 0; x < ukazane.width(); ++x)
                if (ukazane.pixel(x, y) != nakreslene.pixel(x, y))
                    ine |= QRect(x, y, 1, 1);
        EXPECT_TRUE(ine.isEmpty()) << kde.toStdString() << ": differs in " << ine.x() << "," << ine.y() << " "
                                   << ine.width() << "x" << ine.height();
        if (!ine.isEmpty()) {
            ukazane.save(LK_BUILD_DIR "/screens/fullscreen/" + kde + "_ukazane.png");
            nakreslene.save(LK_BUILD_DIR "/screens/fullscreen/" + kde + "_nakreslene.png");
        }
    }
    void fotka(const QString &meno) const
    {
        QApplication::processEvents();
        EXPECT_TRUE(okno->grab().save(LK_BUILD_DIR "/screens/fullscreen/" + meno + ".png")) << meno.toStdString();
    }
};

// Once the dialog is up: its picture, then `odpoved` on it.
void Pri_dialogu(const QString &meno, const std::function<void(QWidget *)> &odpoved)
{
    auto *cakanie = new QTimer;
    QObject::connect(cakanie, &QTimer::timeout, [=] {
        QWidget *d = QApplication::activeModalWidget();
        if (!d || !d->windowHandle() || !d->windowHandle()->isExposed())
            return;
        cakanie->deleteLater();
        EXPECT_TRUE(d->grab().save(LK_BUILD_DIR "/screens/fullscreen/" + meno + ".png"));
        const double s = platform::Stage::instance()->scale();
        EXPECT_EQ(d->grab().width(), qRound(d->width() * s)) << meno.toStdString() << ": drawn at the stage's scale";
        const QRect na_obrazovke(d->mapToGlobal(QPoint(0, 0)), d->size());
        EXPECT_TRUE(QRect(platform::Stage::instance()->mapToGlobal(QPoint(0, 0)), QSize(640, 480))
                        .contains(na_obrazovke.center(), false)) << meno.toStdString() << ": over the stage";
        odpoved(d);
    });
    cakanie->start(10);
}

constexpr int Ulohy_skupiny[] = {3, 3, 4, 4, 4, 3};

} // namespace

TEST(FullScreen, EveryTaskThroughTheFullScreenWindowWithRealInput)
{
    Cela_obrazovka c;
    platform::Stage *stage = c.stage;
    ASSERT_TRUE(stage->fillsScreen());
    const QRect plocha = QGuiApplication::primaryScreen()->geometry();
    const double s = stage->scale();
    EXPECT_GT(s, 2) << "1920 x 1080 takes the stage over twice";
    EXPECT_EQ(c.okno->geometry(), plocha);
    EXPECT_LE(std::abs(stage->x() * 2 + 640 - plocha.width()), 4) << "centred";
    EXPECT_LE(std::abs(stage->y() * 2 + 480 - plocha.height()), 4);
    EXPECT_TRUE(QRect({}, c.w->size()).contains(QRect(c.bod({0, 0}), c.bod({639, 479})))) << "nothing cut";
    QCursor::setPos(c.w->mapToGlobal(c.bod({100, 200})));
    EXPECT_EQ(platform::cursorPosition(), QPoint(100, 200)) << "positions that forms read are stage pixels";
    c.fotka(QStringLiteral("chooser"));

    auto *vyber = Formulare::frm_Select.get();
    int skupina = 1, v_skupine = 0;
    for (int uloha = 1; uloha <= 21; ++uloha) {
        SCOPED_TRACE(uloha);
        if (++v_skupine > Ulohy_skupiny[skupina - 1])
            ++skupina, v_skupine = 1;
        c.otvor(skupina, v_skupine, false);
        auto *n = Formulare::frm_Setup.get();
        ASSERT_EQ(Vpredu(), n);
        EXPECT_EQ(QString(n->TJmeno->Text), "Ľudmila");
        if (uloha == 1) {
            // Cancelled, the print dialog leaves the focus in the name.
            ASSERT_TRUE(n->picTiskni->Visible);
            Pri_dialogu(QStringLiteral("print_dialog"), [](QWidget *d) { static_cast<QDialog *>(d)->reject(); });
            c.klik(n->picTiskni);
            EXPECT_EQ(QApplication::focusWidget(), n->TJmeno->editor());
        }
        c.klik(n->picPokracuj);
        frm_Game01 *h = hra.get();
        ASSERT_EQ(Vpredu(), h);
        const QString meno = QStringLiteral("uloha_%1").arg(uloha, 2, 10, QLatin1Char('0'));
        c.fotka(meno + QStringLiteral("_nacitana"));
        if (uloha == 1) {
            // Tab through the window keeps the form's order (TabIndex).
            platform::TextBox *bunka = h->TV2(1), *posledna = h->TV2(9);
            posledna->TabIndex = bunka->TabIndex;
            c.klik(bunka);
            c.pis(QStringLiteral("12"));
            EXPECT_EQ(QString(bunka->Text), "12");
            QTest::keyClick(c.w, Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), posledna->editor());
        }
        if (h->Ma_kalkulacku()) {
            c.klik(QPoint(8, 130));
            EXPECT_TRUE(h->TKalk->Visible) << "the calculator's tab opens it";
            c.klik(QPoint(320, 300));
        }
        c.klik(QPoint(631, 130));
        c.klik(QPoint(320, 300));
        c.klik(h->PicTop(2));
        ASSERT_EQ(Vpredu(), h) << "new examples";
        c.ako_nakreslene(meno + QStringLiteral("_nove"));
        c.klik(h->PicTop(3));
        auto *t = Formulare::frm_Tabulka.existing();
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(Vpredu(), t);
        c.klik(t->picKonec);
        ASSERT_EQ(Vpredu(), h) << "back from the table";
        c.klik(h->PicTop(1));
        EXPECT_FALSE(h->PicTop(1)->Enabled) << "checked";
        c.ako_nakreslene(meno);
        c.fotka(meno);
        if (uloha == 1) {
            // A wrong row's answer at the pointer: its window's right edge 5
            // pixels right of it, its top at it, in stage pixels.
            const QPoint p = c.stred(h->IHod(1));
            QCursor::setPos(c.w->mapToGlobal(p));
            QTest::mousePress(c.w, Qt::LeftButton, {}, p);
            auto *okno = Formulare::frm_Chybovy.existing();
            ASSERT_TRUE(okno && okno->isVisible());
            EXPECT_EQ(okno->geometry().topRight() + QPoint(1, 0), platform::cursorPosition() + QPoint(5, 0));
            c.fotka(meno + QStringLiteral("_napoveda"));
            QTest::mouseRelease(c.w, Qt::LeftButton, {}, p);
        }
        // Continue lies on the dark bar with no light edge around it.
        const QImage pokracuj = h->picPokracuj->persistentImage();
        int svetle = 0;
        for (int y = 455 - h->picPokracuj->Top; y < pokracuj.height(); ++y)
            for (int x : {0, 1, 2, pokracuj.width() - 3, pokracuj.width() - 2, pokracuj.width() - 1})
                svetle += qGray(pokracuj.pixel(x, y)) >= 200;
        EXPECT_EQ(svetle, 0) << "light pixels at continue's edges";
        c.klik(h->picPokracuj);
        ASSERT_EQ(Vpredu(), h) << "the next examples";
        c.ako_nakreslene(meno + QStringLiteral("_dalej"));
        c.fotka(meno + QStringLiteral("_dalej"));
        c.klik(h->PicTop(4));
        ASSERT_EQ(Vpredu(), n) << "back to the setup screen";
        c.klik(n->IKonec);
        ASSERT_EQ(Vpredu(), vyber);
    }

    Pri_dialogu(QStringLiteral("exit_question"), [&](QWidget *d) {
        auto *ano = static_cast<QMessageBox *>(d)->button(QMessageBox::Yes);
        QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, ano->mapTo(d, ano->rect().center()));
    });
    c.klik(vyber->IKonec);
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_FALSE(stage->fillsScreen());
}

// Task 20 on the full screen, screen after screen: every line of a screen
// in one size and clear of the arrows beside it.
TEST(FullScreen, Task20LinesInOneSizeClearOfTheArrows)
{
    Cela_obrazovka c;
    frm_Game01 *h = c.otvor(6, 2);
    ASSERT_EQ(Vpredu(), h);
    ASSERT_EQ(Misc::Cislo_ulohy, QStringLiteral("20"));
    for (int obrazovka = 1; obrazovka <= 12 && !::testing::Test::HasFailure(); ++obrazovka) {
        SCOPED_TRACE(obrazovka);
        QApplication::processEvents();
        priklady_test::Over_riadky_20(*h, 5, c.stage->grab().toImage(), c.stage->scale());
        c.klik(h->PicTop(2));
    }
    c.klik(h->PicTop(4));
}

// Task 17 on the full screen: the cell after "/" of the equation's line is
// drawn as those of the working lines, with no field round it.
TEST(FullScreen, Task17CellAfterTheSlashAsTheOtherCells)
{
    Cela_obrazovka c;
    frm_Game01 *h = c.otvor(5, 3);
    ASSERT_EQ(Vpredu(), h);
    ASSERT_EQ(Misc::Cislo_ulohy, QStringLiteral("17"));
    for (int obrazovka = 1; obrazovka <= 3; ++obrazovka) {
        SCOPED_TRACE(obrazovka);
        QApplication::processEvents();
        const QImage javisko = c.stage->grab().toImage();
        ASSERT_TRUE(h->TV3(1)->Visible && h->TV3(2)->Visible);
        EXPECT_EQ(priklady_test::Kremova_okolo(h->TV3(1), javisko, c.stage->scale()), 0);
        EXPECT_EQ(priklady_test::Kremova_okolo(h->TV3(2), javisko, c.stage->scale()), 0);
        c.klik(h->PicTop(2));
    }
    c.klik(h->PicTop(4));
}

// The pointer as the pupil sees it on the exercise screen: the form's own
// cursors at the stage's scale wherever it goes, and the hovered button's
// face going out when the pointer leaves the stage for the black around it.
TEST(FullScreen, CursorsAndHoverFacesFollowThePointer)
{
    Cela_obrazovka c;
    frm_Game01 *h = c.otvor(1, 1);
    ASSERT_EQ(Vpredu(), h);
    const double s = c.stage->scale();
    const auto velky = [s](const platform::Picture &k) {
        const QImage i = k.image();
        return QPixmap::fromImage(i).scaled(qRound(i.width() * s), qRound(i.height() * s), Qt::IgnoreAspectRatio,
                                            Qt::SmoothTransformation).toImage();
    };
    const std::pair<const char *, QImage> kurzory[] = {
        {"arrow", velky(Misc::Kurzor_sipka)}, {"hand", velky(Misc::Kurzor_ruka)}, {"help", velky(Misc::Kurzor_napoveda)}};
    const auto ukazany = [&] {
        const QImage i = c.w->cursor().pixmap().toImage();
        for (const auto &[meno, obraz] : kurzory)
            if (i == obraz)
                return QString::fromLatin1(meno);
        return QStringLiteral("another, %1 px").arg(i.width());
    };
    const struct {
        const char *name;
        QPoint at;
        const char *cursor;
    } rows[] = {
        {"the task's logo", {100, 40}, "help"},
        {"the calculator's tab", {8, 130}, "hand"},
        {"an answer cell", h->TV2(1)->widget()->mapTo(c.stage, h->TV2(1)->widget()->rect().center()), "hand"},
        {"the background after them", {30, 250}, "arrow"},
        {"the notes' tab", {631, 130}, "hand"},
        {"the logo again", {100, 40}, "help"},
    };
    for (const auto &r : rows) {
        c.pohyb(r.at);
        EXPECT_EQ(ukazany(), r.cursor) << r.name;
    }

    c.pohyb(h->PicTop(4));
    EXPECT_TRUE(Rovnaky_obrazok(h->PicTop(4)->Picture, "Bitmap/Games/mzpeth.bmp")) << "the hovered face";
    c.pohyb_v_okne(QPoint(4, c.bod({600, 40}).y()));
    EXPECT_TRUE(Rovnaky_obrazok(h->PicTop(4)->Picture, "Bitmap/Games/mzpet.bmp")) << "out on the black border";
    EXPECT_EQ(ukazany(), "arrow") << "the stage's arrow on the black border";
    c.pohyb({100, 40});
    c.pohyb_v_okne(QPoint(4, c.bod({600, 40}).y()));
    EXPECT_EQ(ukazany(), "arrow") << "the black border straight from the logo";
}
