// A whole series as a pupil works it: chooser, setup (the name typed while
// its buttons rise), two screens of generated examples typed, checked and
// continued, and the result that reaches the table, the results file and
// the log; and the way there on a screen that the stage fills.
#include "Program.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"
#include "services/Konfigurace.h"
#include "services/Text_1250.h"

#include <QCursor>
#include <QScreen>
#include <QTimer>
#include <QWindow>

using namespace lktest;

namespace {

platform::DefaultInstance<frm_Game01> hra;

QString Obsah_1250(const QString &cesta) { return Misc::Text_z_1250(Obsah(cesta)); }

TEST(WholeProgram, ASeriesOfTask1FromTheChooserToTheResultsFile)
{
    Program p;
    Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
    Zapis_subor(p.hd() + "Hra.res", "1|Eva| 10| 0| 1| 0\r\n1|Juraj| 2| 8| 5| 0\r\n");
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
    Klik(s->ICislo(2));
    ASSERT_EQ(Vpredu(), s);
    EXPECT_EQ(QString(s->TJmeno->Text), meno);
    ASSERT_EQ(Misc::Zvoleny_pocet_prikladu, 10);
    Klik(s->picPokracuj);
    EXPECT_FALSE(s->isVisible()) << "the setup screen makes way";

    for (int obrazovka = 1; obrazovka <= 2; ++obrazovka) {
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
    EXPECT_EQ(Misc::Pocet_spravnych, 9);
    EXPECT_EQ(Misc::Pocet_spatnych, 1);
    EXPECT_TRUE(Obsah_1250(p.hd() + "Hra.res").contains("1|" + meno + "| 9| 1|")) << Obsah_1250(p.hd() + "Hra.res").toStdString();
    EXPECT_TRUE(Obsah_1250(p.hd() + "Vysledky.dat").contains(meno));
    EXPECT_TRUE(p.box.AskedBoxes().isEmpty()) << "nothing went wrong on the way";
    Odfot("07_results");
    Klik(t->picKonec);
    EXPECT_EQ(Vpredu(), Formulare::frm_Setup.existing()) << "back to the setup screen";
}

} // namespace

// On a screen larger than the stage the program fills it: the stage scaled
// by the largest factor that fits and centred, the pupil's clicks, keys and
// cursor going through the scaling; pictures of it for a person to look at
// under build/screens/fullscreen/. Its own ctest entry gives it a
// 1920 x 1080 screen.
TEST(FullScreen, TheStageFillsTheScreenAndThePupilWorksThroughTheScaling)
{
    Program p;
    platform::ScreenDisplayMode obrazovka;
    platform::ScopedService<platform::DisplayMode> g(obrazovka);
    Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
    p.Prejdi_titulok();
    platform::Stage *stage = platform::Stage::instance();
    ASSERT_TRUE(stage->fillsScreen());
    QWidget *okno = stage->shownWindow();
    QWindow *w = okno->windowHandle();
    const QRect plocha = QGuiApplication::primaryScreen()->geometry();
    const double s = std::min(plocha.width() / 640.0, plocha.height() / 480.0);
    const QPointF roh((plocha.width() - 640 * s) / 2, (plocha.height() - 480 * s) / 2);
    EXPECT_EQ(okno->geometry(), plocha);
    EXPECT_DOUBLE_EQ(stage->scale(), s);
    // A stage pixel's place on the screen, worked out apart from Qt's mapping.
    const auto na_obrazovke = [&](QPointF bod) { return (roh + bod * s).toPoint(); };
    const auto stred = [&](platform::Control *c) {
        QWidget *v = c->widget();
        return na_obrazovke(QPointF(v->mapTo(stage, QPoint(0, 0))) + QPointF(v->width(), v->height()) / 2);
    };
    EXPECT_EQ(stage->mapToGlobal(QPointF(0, 0)), roh) << "centred";
    EXPECT_EQ(stage->mapToGlobal(QPointF(640, 480)), QPointF(plocha.bottomRight() + QPoint(1, 1)) - roh) << "nothing cut";
    const auto klik = [&](platform::Control *c) { QTest::mouseClick(w, Qt::LeftButton, {}, stred(c)); };
    const auto pis = [&](const QString &text) {
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), {});
    };

    // The cursor picture and its hot spot grow with the stage; positions
    // that forms read are stage pixels.
    auto *vyber = Formulare::frm_Select.get();
    QTest::mouseMove(w, na_obrazovke({320, 100}));
    const QCursor kurzor = okno->childAt(na_obrazovke({320, 100}))->cursor();
    EXPECT_EQ(kurzor.pixmap().width(), qRound(Misc::Kurzor_sipka.Width() * s));
    EXPECT_EQ(QPoint(int(kurzor.hotSpot().x() / s), int(kurzor.hotSpot().y() / s)), Misc::Kurzor_sipka.hotspot())
        << "the hot spot on the same stage pixel";
    QCursor::setPos(na_obrazovke({100.5, 200.5}));
    EXPECT_EQ(platform::cursorPosition(), QPoint(100, 200));
    EXPECT_EQ(vyber->Left, 0);
    QDir().mkpath(LK_BUILD_DIR "/screens/fullscreen");
    EXPECT_TRUE(okno->grab().save(LK_BUILD_DIR "/screens/fullscreen/chooser.png"));

    klik(vyber->LI(1));
    EXPECT_EQ(QString(vyber->LI(1)->Tag), "1") << "the click chose group 1";
    klik(vyber->RI(1));
    auto *n = Formulare::frm_Setup.get();
    ASSERT_EQ(Vpredu(), n);
    klik(n->TJmeno);
    pis(QStringLiteral("Ľudmila"));
    EXPECT_EQ(QString(n->TJmeno->Text), "Ľudmila");
    klik(n->ICislo(2));
    klik(n->picPokracuj);
    frm_Game01 *h = hra.get();
    ASSERT_EQ(Vpredu(), h);

    // Tab through the window keeps the form's order (TabIndex), as Enter does.
    platform::TextBox *bunka = h->TV2(1), *posledna = h->TV2(9);
    posledna->TabIndex = bunka->TabIndex;
    klik(bunka);
    pis(QStringLiteral("12"));
    EXPECT_EQ(QString(bunka->Text), "12");
    QTest::keyClick(w, Qt::Key_Tab);
    EXPECT_EQ(platform::Stage::focusedWidget(), posledna->editor());
    bunka->SetFocus();
    platform::SendKeys(QStringLiteral("{TAB}"));
    EXPECT_EQ(platform::Stage::focusedWidget(), posledna->editor());
    // A side panel's slide reaches the screen frame by frame, though its
    // waits let no event in.
    struct Snimky : QObject {
        int n = 0;
        bool eventFilter(QObject *, QEvent *e) override { return n += e->type() == QEvent::Paint, false; }
    } snimky;
    okno->childAt(na_obrazovke({320, 240}))->installEventFilter(&snimky);
    h->Otevri_kalkulacku();
    EXPECT_GT(snimky.n, 5);
    h->Zavri_kalkulacku();
    // The check, then the hint window of the wrong first row at the pointer.
    klik(h->PicTop(1));
    QCursor::setPos(stred(h->IHod(1)));
    QTest::mousePress(w, Qt::LeftButton, {}, stred(h->IHod(1)));
    EXPECT_TRUE(okno->grab().save(LK_BUILD_DIR "/screens/fullscreen/exercise.png"));
    QTest::mouseRelease(w, Qt::LeftButton, {}, stred(h->IHod(1)));

    // The exit question, then the window again.
    h->Unload();
    vyber->Show();
    klik(vyber->IKonec);
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_FALSE(stage->fillsScreen());
}
