// The choice of the layout by task and variant, the Tab cycle as the pupil
// meets it, the focus sink, and a picture of every task's sheet.
#include "Harok_support.h"
#include "platform/Fonts.h"
#include "platform/Runtime.h"

#include <QApplication>
#include <QDir>
#include <QTest>

using namespace harok_test;

namespace {

using Metoda = void (frm_Game01::*)();

const struct Volba {
    const char *uloha;
    int varianta;
    Metoda metoda;
    const char *subor; // picture name
} Volby[] = {
    {"1", 0, &frm_Game01::Vygeneruj_komponenty_01, "01"},     {"2", 0, &frm_Game01::Vygeneruj_komponenty_01, "02"},
    {"3", 0, &frm_Game01::Vygeneruj_komponenty_01, "03"},     {"4", 0, &frm_Game01::Vygeneruj_komponenty_04, "04"},
    {"5", 0, &frm_Game01::Vygeneruj_komponenty_04, "05"},     {"6", 0, &frm_Game01::Vygeneruj_komponenty_04, "06"},
    {"7", 0, &frm_Game01::Vygeneruj_komponenty_04, "07"},     {"8", 0, &frm_Game01::Vygeneruj_komponenty_04, "08"},
    {"9", 0, &frm_Game01::Vygeneruj_komponenty_04, "09"},     {"10", 0, &frm_Game01::Vygeneruj_komponenty_04, "10"},
    {"11", 0, &frm_Game01::Vygeneruj_komponenty_11, "11"},    {"12", 0, &frm_Game01::Vygeneruj_komponenty_01, "12"},
    {"13", 0, &frm_Game01::Vygeneruj_komponenty_13, "13"},    {"14", 0, &frm_Game01::Vygeneruj_komponenty_13, "14"},
    {"15", 0, &frm_Game01::Vygeneruj_komponenty_15, "15"},    {"16", 0, &frm_Game01::Vygeneruj_komponenty_16, "16"},
    {"17", 0, &frm_Game01::Vygeneruj_komponenty_17, "17"},    {"18", 0, &frm_Game01::Vygeneruj_komponenty_18, "18"},
    {"19", 1, &frm_Game01::Vygeneruj_komponenty_04, "19a"},   {"19", 2, &frm_Game01::Vygeneruj_komponenty_19_2, "19b"},
    {"20", 0, &frm_Game01::Vygeneruj_komponenty_20, "20"},    {"21", 1, &frm_Game01::Vygeneruj_komponenty_21, "21a"},
    {"21", 2, &frm_Game01::Vygeneruj_komponenty_21, "21b"},
};

// Also leaves every task's sheet with all rows of its arrays shown (row marks
// with the right-mark picture), on the task's background, for a person to look at.
TEST(VygenerujKomponenty, EveryTaskReachesItsOneLayoutAndOnlyAnswerCellsTakeTab)
{
    const QString zdroje = QStringLiteral(LK_RESOURCE_DIR), adresar = QStringLiteral(LK_BUILD_DIR "/screens");
    platform::registerFontFile(zdroje + QStringLiteral("/Data/Ruvo.ttf"));
    QDir().mkpath(adresar);
    const platform::Picture znamka = platform::LoadPicture(zdroje + QStringLiteral("/Bitmap/Games/Check_ok.bmp"));
    for (const Volba &v : Volby) {
        auto sam = std::make_unique<frm_Game01>();
        sam->Zvolena_uloha = {QString::fromLatin1(v.uloha), v.varianta};
        (sam.get()->*v.metoda)();
        auto f = Harok_ulohy(v.uloha, v.varianta);
        EXPECT_EQ(Otlacok(*f).toStdString(), Otlacok(*sam).toStdString()) << v.subor;
        for (const QString &m : Tab_cyklus(*f).split(' '))
            EXPECT_TRUE(m.startsWith(QLatin1String("TV"))) << v.subor << ": " << m.toStdString();

        f->Picture = platform::LoadPicture(zdroje + QStringLiteral("/Bitmap/Games/bg_%1.bmp").arg(QLatin1String(v.subor)));
        for (Harok::Pole p : Vsetky_polia())
            for (int i = 1; i <= 12 && f->Existuje(p, 2); ++i)
                if (f->Existuje(p, i)) {
                    f->Prvok(p, i)->Visible = true;
                    if (p == Harok::Pole::IHod)
                        f->IHod(i)->Picture = znamka;
                }
        f->Show();
        (void)QTest::qWaitForWindowExposed(platform::Stage::instance());
        const QString subor = adresar + QStringLiteral("/harok_%1.png").arg(QLatin1String(v.subor));
        EXPECT_TRUE(platform::Stage::instance()->grab().save(subor)) << subor.toStdString();
        f->Hide();
    }
}

TEST(VygenerujKomponenty, TaskOrVariantWithoutASheetIsRejectedBeforeAnythingIsBuilt)
{
    const struct { const char *nazov, *uloha; int varianta; } chyby[] = {
        {"task 19 printed before a variant is chosen", "19", 0},
        {"task 19 with an unknown variant", "19", 3},
        {"task 21 printed before a variant is chosen", "21", 0},
        {"no task 22", "22", 1},
        {"no task chosen", "", 0},
        {"task numbers are compared as text", "01", 0},
    };
    for (const auto &ch : chyby) {
        auto f = std::make_unique<frm_Game01>();
        f->Zvolena_uloha = {QString::fromLatin1(ch.uloha), ch.varianta};
        EXPECT_THROW(f->Vygeneruj_komponenty_ulohy(), Harok::Chyba_ulohy) << ch.nazov;
        EXPECT_EQ(Pocty(*f).toStdString(), "") << ch.nazov << ": nothing loaded";
    }
    frm_Game01 f;
    f.Zvolena_uloha = {QStringLiteral("21"), 0};
    EXPECT_THROW(f.Vygeneruj_komponenty_21(), Harok::Chyba_ulohy) << "the layout of task 21 itself takes no other variant";
    EXPECT_EQ(f.TZ1(1)->Left(), 55) << "not even row 1 is touched";
}

TEST(VygenerujKomponenty, XLabelsOfTwentyFitTheirCaption)
{
    auto f = Harok_ulohy("20");
    platform::Label meradlo(f.get());
    meradlo.FontName = platform::kDesignFont;
    meradlo.FontSize = 12;
    meradlo.AutoSize = true;
    meradlo.Caption = QStringLiteral("x = ");
    for (int i : {2, 10}) {
        EXPECT_EQ(QSize(f->TR1(i)->Width(), f->TR1(i)->Height()), QSize(meradlo.Width(), meradlo.Height())) << i;
        EXPECT_FALSE(f->TR1(i)->AutoSize()) << "the fitted size stays, row " << i;
    }
    EXPECT_EQ(f->TR1(1)->Width(), 25) << "row 1 keeps the design's size";
}

// A pupil's Tab (Enter is turned into it) on the shown form: hidden rows
// are skipped, the cycle wraps, and Text1 holds the focus out of sight.
TEST(VygenerujKomponenty, TabOnTheScreen)
{
    const auto po_tabe = [](frm_Game01 &f, platform::TextBox *z) {
        f.Show();
        QApplication::setActiveWindow(platform::Stage::instance());
        (void)QTest::qWaitForWindowExposed(platform::Stage::instance());
        z->SetFocus();
        platform::SendKeys(QStringLiteral("{TAB}"));
        return QApplication::focusWidget();
    };
    auto f = Harok_ulohy("4");
    EXPECT_EQ(po_tabe(*f, f->TV1(1)), f->TV1(1)->editor()) << "rows 2-5 hidden: one cell in the cycle";
    for (int i = 2; i <= 5; ++i)
        f->TV1(i)->Visible = true;
    EXPECT_EQ(po_tabe(*f, f->TV1(1)), f->TV1(2)->editor());
    EXPECT_EQ(po_tabe(*f, f->TV1(5)), f->TV1(1)->editor()) << "from the last row back to the first";
    f->Text1->SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), f->Text1->editor());
    EXPECT_FALSE(QRect(f->Text1->Left, f->Text1->Top, f->Text1->Width, f->Text1->Height).intersects(QRect(0, 0, 640, 480)));
    f->Hide();

    auto g = Harok_ulohy("1");
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV2(1)->editor()) << "one-line example: the lower cell is hidden";
    g->TV1(2)->Visible = true;
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV1(2)->editor()) << "fraction: down the column first";
    g->Hide();

    auto h = Harok_ulohy("21", 1);
    EXPECT_EQ(po_tabe(*h, h->TV1(1)), h->TV2(1)->editor()) << "task 21 right after the layout";
    h->Hide();
}

} // namespace
