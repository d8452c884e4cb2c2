// The exercise screen's side panels, their tabs and the form's hot regions,
// driven through mouse events on the shown screen.
#include "Panely_support.h"

#include "shell/Formulare.h"
#include "shell/frm_Intro.h"

#include <QDir>

namespace {

using namespace panely_test;
using Oblast = frm_Game01::Oblast;

TEST(HotRegions, BordersBelongToNoRegion)
{
    const struct { const char *name; int x, y; Oblast oblast; } rows[] = {
        {"logo", 100, 40, Oblast::Logo},
        {"logo's left border", 6, 40, Oblast::Pozadi},
        {"calculator tab", 8, 130, Oblast::Zalozka_kalkulacky},
        {"calculator tab's right border", 17, 130, Oblast::Pozadi},
        {"calculator tab's last row", 8, 175, Oblast::Zalozka_kalkulacky},
        {"notes tab", 630, 100, Oblast::Zalozka_poznamek},
        {"notes tab's left border", 623, 100, Oblast::Pozadi},
    };
    for (const auto &r : rows)
        EXPECT_EQ(frm_Game01::Oblast_formulare(r.x, r.y), r.oblast) << r.name;
}

TEST(HotRegions, HelpPageOfTheTask)
{
    const struct { const char *uloha; int varianta; const char *stranka; } rows[] = {
        {"7", 0, "Bitmap\\Help\\07.bmp"},   {"21", 2, "Bitmap\\Help\\21b.bmp"},
        {"19", 1, "Bitmap\\Help\\19a.bmp"}, {"12", 2, "Bitmap\\Help\\12.bmp"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(frm_Game01::Napoveda_ulohy(r.uloha, r.varianta), QLatin1String(r.stranka)) << r.uloha;
}

TEST_F(Obrazovka, HoverSoundsOnceOnEnteringARegion)
{
    const struct { const char *name; int x, y; int kod, zvuky; const platform::Picture *kurzor; bool zvyraznena; } rows[] = {
        {"logo entered", 100, 40, 5, 1, &Misc::Kurzor_napoveda, false},
        {"moving within the logo", 120, 50, 5, 1, &Misc::Kurzor_napoveda, false},
        {"background: arrow, no sound", 300, 300, 0, 1, &Misc::Kurzor_sipka, false},
        {"calculator tab", 8, 130, 101, 2, &Misc::Kurzor_ruka, true},
        {"its border is background", 17, 130, 0, 2, &Misc::Kurzor_sipka, false},
        {"notes tab", 630, 130, 102, 3, &Misc::Kurzor_ruka, false},
    };
    Nacti("1", 0, "01", "dlouhe");
    const auto zalozka = [&] { return f->persistentImage().copy(0, 93, 17, 83); };
    const QImage normalna = zalozka();
    for (const auto &r : rows) {
        Pohyb(f.get(), r.x, r.y);
        EXPECT_EQ(Misc::Zvyrazneny_prvek, r.kod) << r.name;
        EXPECT_EQ(Zvuky("enter"), r.zvuky) << r.name;
        EXPECT_EQ(f->MouseIcon().image().cacheKey(), r.kurzor->image().cacheKey()) << r.name;
        EXPECT_EQ(zalozka() != normalna, r.zvyraznena) << r.name;
    }
}

TEST_F(Obrazovka, TaskWithoutCalculatorIgnoresItsTab)
{
    Nacti("19", 1, "19a", "");
    Pohyb(f.get(), 8, 130);
    Klik(f.get(), 8, 130);
    EXPECT_EQ(Misc::Zvyrazneny_prvek, 0);
    EXPECT_EQ(zvuk.Played().size(), 0);
    EXPECT_FALSE(f->Kalkulacka_otevrena || f->PicKalk->Visible);
}

TEST_F(Obrazovka, CalculatorSlidesInAndOut)
{
    Nacti("4", 0, "04", "dlouhe");
    Kresleni kresleni(f->PicKalk);
    Klik(f.get(), 8, 130);
    EXPECT_TRUE(f->Kalkulacka_otevrena == 1 && f->PicKalk->Visible && f->PicKalk->Left == 0);
    EXPECT_GE(kresleni.pocet, 35) << "every frame painted before its wait";
    EXPECT_EQ(hodiny.Waits(), QList<qint64>(35, 10)) << "35 frames of 10 ms";
    for (int i = 0; i <= 20; ++i)
        EXPECT_TRUE(f->PicKalkButton(i)->Visible) << "key " << i;
    const platform::PictureBox *nula = f->PicKalkButton(0);
    EXPECT_EQ(QRect(nula->Left, nula->Top, nula->Width, nula->Height), QRect(6, 267, 64, 28)) << "the wide 0";
    EXPECT_EQ(Fokus(), f->TKalk->editor());
    EXPECT_EQ(Zvuky("click"), 1);

    QTest::keyClicks(f->TKalk->editor(), "12");
    Klik(f->PicKalk, 200, 200);
    EXPECT_EQ(f->Kalkulacka_otevrena, 1) << "the face between the keys does nothing";

    Klik(f.get(), 300, 300);
    EXPECT_FALSE(f->Kalkulacka_otevrena || f->PicKalk->Visible);
    EXPECT_EQ(hodiny.Waits().size(), 70);
    EXPECT_EQ(Zvuky("click"), 1) << "a click on the background only closes";

    Klik(f.get(), 8, 130);
    EXPECT_EQ(f->TKalk->Text, QStringLiteral("12")) << "the display keeps its text";
    Pohyb(f->PicKalk, 210, 40);
    EXPECT_EQ(f->PicKalk->MouseIcon().image().cacheKey(), Misc::Kurzor_ruka.image().cacheKey());
    Klik(f->PicKalk, 210, 40);
    EXPECT_FALSE(f->Kalkulacka_otevrena || f->PicKalk->Visible);
    EXPECT_EQ(Fokus(), f->Text1->editor());
}

TEST_F(Obrazovka, CalculatorKeysAndKeyboard)
{
    Nacti("1", 0, "01", "dlouhe");
    Klik(f.get(), 8, 130);
    const int zvuky = Zvuky("enter");
    for (int k : {2, 17, 3}) // 2 + 3
        Klik(f->PicKalkButton(k), 5, 5);
    QTest::mousePress(f->PicKalkButton(18), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f->PicKalkButton(18)->Picture().image().cacheKey(),
              f->Obr_kalk_tlacitko_zvyraznene[18].image().cacheKey()) << "pressed face";
    QTest::mouseRelease(f->PicKalkButton(18), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Zvuky("enter"), zvuky + 4) << "keys play the hover sound";
    EXPECT_EQ(f->TKalk->Text, QStringLiteral("5"));
    EXPECT_EQ(f->TKalkPoznamky->Text, QStringLiteral("2+3=5"));
    EXPECT_EQ(Fokus(), f->TKalk->editor());

    f->TKalk->Text = QString();
    QTest::keyClicks(f->TKalk->editor(), "1.5x*2");
    EXPECT_EQ(klavesnice.ActiveLayoutName(), platform::UsKeyboardLayout) << "keyboard guard";
    EXPECT_EQ(f->TKalk->Text, QStringLiteral("1,5*2")) << "point becomes comma, letters are dropped";
    QTest::keyClick(f->TKalk->editor(), Qt::Key_Return);
    EXPECT_EQ(f->TKalk->Text, QStringLiteral("3"));
    EXPECT_EQ(f->TKalkPoznamky->Text, QStringLiteral("2+3=5\r\n1.5*2=3"));

    Klik(f->TKalkPoznamky->editor(), 20, 20);
    EXPECT_EQ(Fokus(), f->TKalk->editor()) << "the tape never keeps the focus";
}

TEST_F(Obrazovka, NotesSlideAndAtMostOnePanelIsOpen)
{
    Nacti("4", 0, "04", "dlouhe");
    Kresleni kresleni(f->PicPozn);
    Klik(f.get(), 630, 130);
    EXPECT_GE(kresleni.pocet, 44);
    EXPECT_TRUE(f->Poznamky_otevrene == 1 && f->PicPozn->Left == 279);
    EXPECT_EQ(hodiny.Waits(), QList<qint64>(44, 10)) << "44 frames of 10 ms";
    f->TPoznamky->Text = QStringLiteral("poznámka");
    f->tzlomek(0)->Text = QStringLiteral("3");

    Klik(f.get(), 8, 130);
    EXPECT_FALSE(f->Poznamky_otevrene || f->PicPozn->Visible) << "opening the calculator closes the notes";
    EXPECT_EQ(f->Kalkulacka_otevrena, 1);

    Klik(f.get(), 630, 130);
    EXPECT_TRUE(f->Kalkulacka_otevrena == 0 && f->Poznamky_otevrene == 1);
    EXPECT_EQ(QString(f->TPoznamky->Text) + f->tzlomek(0)->Text, QStringLiteral("poznámka3")) << "the notes are kept";
    Klik(f->PicPozn, 100, 270);
    EXPECT_EQ(f->Poznamky_otevrene, 1) << "the panel face outside the tab does nothing";
    Klik(f->PicPozn, 17, 40);
    EXPECT_FALSE(f->Poznamky_otevrene || f->PicPozn->Visible) << "X = 17 still belongs to the open tab";
}

TEST_F(Obrazovka, LogoClosesAnOpenPanelThenShowsTheHelpPage)
{
    Nacti("21", 2, "21b", "");
    Klik(f.get(), 630, 130);
    Klik(f.get(), 100, 40);
    EXPECT_FALSE(f->Poznamky_otevrene || f->PicPozn->Visible);
    auto &intro = Formulare::frm_Intro;
    EXPECT_EQ(platform::Stage::instance()->frontPage(), intro.get());
    EXPECT_EQ(intro->Picture().image(), platform::LoadPicture(Misc::Cesta_CD + "Bitmap/Help/21b.bmp").image());
    EXPECT_TRUE(f->isLoaded());
    Klik(intro.get(), 10, 10);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), f.get()) << "the viewer brings the screen back";
}

TEST_F(Obrazovka, PicturesWithEachPanelOpen)
{
    const QString adresar = QStringLiteral(LK_BUILD_DIR "/screens");
    QDir().mkpath(adresar);
    Nacti("4", 0, "04", "dlouhe");
    Klik(f.get(), 8, 130);
    for (int k : {1, 13, 15, 2, 18})
        Klik(f->PicKalkButton(k), 5, 5);
    EXPECT_TRUE(platform::Stage::instance()->grab().save(adresar + "/panely_kalkulacka.png"));
    Klik(f.get(), 630, 130);
    f->TPoznamky->Text = QStringLiteral("2x + 3x = 5x");
    f->tzlomek(0)->Text = QStringLiteral("1");
    f->tzlomek(1)->Text = QStringLiteral("2");
    EXPECT_TRUE(platform::Stage::instance()->grab().save(adresar + "/panely_poznamky.png"));
    Klik(f.get(), 300, 300);
    EXPECT_TRUE(platform::Stage::instance()->grab().save(adresar + "/panely_zavrete.png"));
}

} // namespace
