// The hint windows: layouts per task, shape, line fitting, the fraction bar.
// Filled windows are saved under build/screens/ for review.
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

const QString Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");

struct Napoveda : ::testing::Test {
    Form hra; // stands for the exercise screen
    // Smaller than every hint picture, as the exercise screen's design has it.
    PictureBox *PicMain = new PictureBox(&hra);

    template <class F> std::unique_ptr<F> Nacitaj(const char *uloha, int varianta = 0)
    {
        auto okno = std::make_unique<F>();
        okno->Zdroj = {uloha, varianta, Cesta_CD, PicMain};
        okno->Load();
        return okno;
    }
};

// The longest run of "8" whose width estimate at `velikost` fits `sirka`.
QString Text_na(const Okno_napovedy &o, double velikost, int sirka = 190)
{
    QString t;
    while (float(velikost / 8) * float(o.TextWidth(t + '8')) <= float(sirka))
        t += '8';
    return t;
}

void Uloz_obrazok(Form &okno, const QString &nazov)
{
    QImage img = okno.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage tvar(img.size(), QImage::Format_ARGB32);
    tvar.fill(Qt::transparent);
    QPainter p(&tvar);
    p.setClipRegion(okno.mask());
    p.drawImage(0, 0, img);
    p.end();
    QDir().mkpath(LK_BUILD_DIR "/screens");
    EXPECT_TRUE(tvar.save(LK_BUILD_DIR "/screens/" + nazov + ".png"));
}

} // namespace

TEST_F(Napoveda, LayoutPerTask)
{
    struct Riadok {
        const char *meno;
        bool druhe_okno;
        const char *uloha;
        int varianta;
        const char *obrazok; // empty: the window has none
        QSize velikost;
        int pocet; // labels
        std::vector<Okno_napovedy::Popisek> popisky;
    };
    const Riadok riadky[] = {
        {"one line", false, "4", 0, "Hint01.bmp", {212, 37}, 1, {{1, 11, 12, 190}}},
        {"fraction", false, "13", 0, "hint06.bmp", {241, 57}, 2, {{1, 11, 12, 190}, {2, 11, 33, 190}}},
        {"wide line of task 9", false, "9", 0, "Hint02_1.bmp", {412, 37}, 1, {{1, 11, 12, 362}}},
        {"task 21 table, variant 1", false, "21", 1, "Hint04.bmp", {278, 58}, 14,
         {{1, 4, 14, 23}, {2, 4, 35, 23}, {3, 27, 14, 39}, {14, 227, 35, 39}}},
        {"task 21 table, variant 2", false, "21", 2, "Hint05.bmp", {383, 58}, 14,
         {{1, 4, 14, 38}, {2, 4, 35, 38}, {3, 42, 14, 54}, {6, 97, 35, 54}, {13, 317, 14, 54}}},
        {"task 17: line 3 left of the fraction", true, "17", 0, "hint06.bmp", {241, 57}, 3,
         {{1, 121, 12, 100}, {2, 121, 33, 100}, {3, 11, 22, 110}}},
        {"task 18", true, "18", 0, "hint06.bmp", {241, 57}, 3, {{1, 41, 12, 160}, {2, 41, 33, 160}, {3, 11, 22, 50}}},
        {"task 21 in the second window", true, "21", 0, "Hint01.bmp", {212, 37}, 1, {{1, 11, 12, 190}}},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.meno);
        std::unique_ptr<Okno_napovedy> o;
        if (r.druhe_okno)
            o = Nacitaj<frm_Chybovy2>(r.uloha, r.varianta);
        else
            o = Nacitaj<frm_Chybovy>(r.uloha, r.varianta);
        EXPECT_EQ(QSize(o->Width / 15, o->Height / 15), r.velikost);
        EXPECT_EQ(o->Horni_okraj, 12);
        EXPECT_EQ(o->Label1.UBound(), r.pocet);
        for (const auto &p : r.popisky) {
            const Label *l = o->Label1(p.index);
            EXPECT_EQ(l->widget()->geometry(), QRect(p.left, p.top, p.width, 20)) << "label " << p.index;
            EXPECT_TRUE(l->Visible);
            EXPECT_EQ(l->BackStyle, vbTransparent);
        }
        // The whole picture is on the window and its border colour is cut out.
        const QImage obrazok = LoadPicture(Cesta_CD + "Bitmap/Games/" + r.obrazok).image();
        EXPECT_EQ(o->persistentImage().copy(obrazok.rect()), obrazok);
        EXPECT_EQ(o->mask(), regionWithout(obrazok, obrazok.pixel(1, 1)));
        EXPECT_FALSE(o->mask().contains(QPoint(1, 1)));
    }
}

TEST_F(Napoveda, TasksWithoutALayout)
{
    struct Riadok {
        const char *meno;
        std::unique_ptr<Okno_napovedy> o;
        int horni_okraj;
    };
    Riadok riadky[] = {
        {"second window, one-line task", Nacitaj<frm_Chybovy2>("4"), 0},
        {"task 21 with no variant", Nacitaj<frm_Chybovy>("21", 3), 0},
        {"second window, fraction task: labels but no picture", Nacitaj<frm_Chybovy2>("13"), 12},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.meno);
        EXPECT_TRUE(r.o->Obrazek_napovedy.isNull());
        EXPECT_EQ(r.o->Width / 15, 212); // the design size
        EXPECT_EQ(r.o->Horni_okraj, r.horni_okraj);
    }
}

TEST_F(Napoveda, TableOfTask21TakesTenPointCentredCells)
{
    auto o = Nacitaj<frm_Chybovy>("21", 2);
    for (int k = 1; k <= 14; ++k) {
        EXPECT_EQ(o->Label1(k)->FontSize, 9.75) << k;
        EXPECT_EQ(o->Label1(k)->Alignment, vbCenter) << k;
        EXPECT_EQ(o->Label1(k)->Left, k <= 2 ? 4 : 42 + 55 * ((k - 3) / 2)) << k;
    }
}

TEST_F(Napoveda, LineFitting)
{
    struct Riadok {
        const char *meno;
        double velikost_textu; // the size the text fits first at
        int riadok;            // 1 or 2
        double velikost;
        int top;
    };
    const Riadok riadky[] = {
        {"fits at full size: one pass", 12, 1, 12, 12},
        {"fits at 11.25", 11.25, 1, 11.25, 12},
        {"fits at 9.75: two pixels lower", 9.75, 1, 9.75, 14},
        {"fits at 9", 9, 1, 9, 12},
        {"fits at 8.25: three pixels lower", 8.25, 1, 8.25, 15},
        {"denominator at 9.75", 9.75, 2, 9.75, 34},
        {"denominator at 8.25", 8.25, 2, 8.25, 35},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.meno);
        auto o = Nacitaj<frm_Chybovy>("13");
        const QString t = Text_na(*o, r.velikost_textu);
        r.riadok == 1 ? o->Vloz_Text(t, "1") : o->Vloz_Text("1", t);
        const Label *l = o->Label1(r.riadok);
        EXPECT_EQ(l->FontSize, r.velikost);
        EXPECT_EQ(l->Top, r.top);
        EXPECT_EQ(l->Caption, t);
        // Shown on one line inside its label.
        EXPECT_LE(QFontMetrics(makeFont(l->FontName, l->FontSize, false)).horizontalAdvance(t), l->Width);
    }
}

TEST_F(Napoveda, LineTooLongAtTheSmallestSizeIsCutShort)
{
    auto o = Nacitaj<frm_Chybovy>("4");
    const QString t = Text_na(*o, 8.25) + "88888";
    o->Vloz_Text(t, " ");
    const Label *l = o->Label1(1);
    EXPECT_EQ(l->FontSize, 8.25);
    EXPECT_TRUE(l->caption().endsWith(u'…'));
    EXPECT_TRUE(t.startsWith(l->caption().chopped(1)));
    EXPECT_LE(QFontMetrics(makeFont(l->FontName, 8.25, false)).horizontalAdvance(l->Caption), l->Width);
}

TEST_F(Napoveda, SizesPersistWhileLoaded)
{
    auto o = Nacitaj<frm_Chybovy>("13");
    o->Vloz_Text(Text_na(*o, 8.25), "3");
    EXPECT_EQ(o->Label1(1)->FontSize, 8.25);
    EXPECT_EQ(o->Label1(2)->FontSize, 12) << "a short denominator keeps its size";
    o->Vloz_Text("x", " ");
    EXPECT_EQ(o->Label1(1)->FontSize, 8.25) << "a short answer after a long one";
    EXPECT_EQ(o->Label1(2)->Caption, "3") << "a single blank leaves line 2 as it was";
}

TEST_F(Napoveda, ValueTableCopiesTopsAndSizesWithoutFitting)
{
    auto o = Nacitaj<frm_Chybovy>("21", 1);
    const QString siroky = Text_na(*o, 12, 100);
    o->Vloz_Text("x", "y", "-2", "-4", "-1", "-2", "0", "0", "1", "2", "2", "4", siroky, "6");
    for (int k = 3; k <= 14; ++k) {
        const Label *vzor = o->Label1(k % 2 ? 1 : 2);
        EXPECT_EQ(o->Label1(k)->Top, vzor->Top) << k;
        EXPECT_EQ(o->Label1(k)->FontSize, vzor->FontSize) << k;
    }
    EXPECT_EQ(o->Label1(13)->Caption, siroky) << "not shrunk although wider than its cell";
    // One empty cell: lines 3 to 14 keep what they showed.
    o->Vloz_Text("x", "y", "5", "", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16");
    EXPECT_EQ(o->Label1(3)->Caption, "-2");
}

TEST_F(Napoveda, LinesWithoutALabelAreIgnored)
{
    auto o = Nacitaj<frm_Chybovy>("4");
    o->Vloz_Text("2x", "3", "4");
    EXPECT_EQ(o->Label1.UBound(), 1);
    EXPECT_EQ(o->Label1(1)->Caption, "2x");
}

TEST_F(Napoveda, EquationWindowPutsLine3OnTheDenominatorsRow)
{
    auto o = Nacitaj<frm_Chybovy2>("17");
    o->Vloz_Text("2x + 1", "3", "x =");
    EXPECT_EQ(o->Label1(3)->Top, 32);
    EXPECT_EQ(o->Label1(3)->Caption, "x =");
    o->Vloz_Text("5", " ");
    EXPECT_EQ(o->Label1(2)->Caption, " ") << "a single blank is shown";
}

TEST_F(Napoveda, FractionBar)
{
    const QColor cierna(0, 0, 0);
    auto o = Nacitaj<frm_Chybovy>("13");
    const QImage obrazok = o->Obrazek_napovedy.image();
    o->Vloz_Text("1", "7");
    o->Show();
    EXPECT_EQ(o->Point(11, 33), cierna);
    EXPECT_EQ(o->Point(201, 33), cierna);
    EXPECT_EQ(o->Point(202, 33), QColor(obrazok.pixel(202, 33)));
    // A numerator shrunk to 8.25 points moves the bar down; the upper one goes.
    o->Hide();
    o->Vloz_Text(Text_na(*o, 8.25), "7");
    o->Show();
    EXPECT_EQ(o->Point(100, 36), cierna);
    EXPECT_EQ(o->Point(100, 33), QColor(obrazok.pixel(100, 33)));
}

TEST_F(Napoveda, EquationBarTakesThePicturesColourWithoutADenominator)
{
    auto o = Nacitaj<frm_Chybovy2>("16");
    const QImage obrazok = o->Obrazek_napovedy.image();
    o->Vloz_Text("x = 4", " ");
    o->Show();
    EXPECT_EQ(o->persistentImage().copy(obrazok.rect()), obrazok);
    o->Vloz_Text("x + 1", "2");
    o->Show();
    EXPECT_EQ(o->Point(100, 33), QColor(0, 0, 0));
}

TEST_F(Napoveda, FilledWindowsForReview)
{
    registerFontFile(Cesta_CD + "Data/Ruvo.ttf");
    auto riadok = Nacitaj<frm_Chybovy>("4");
    riadok->Label1(1)->FontName = "Ruvo";
    riadok->Vloz_Text(Preved_na_zobrazeni(u"3*x^(2)-2*x+1"), " ");
    riadok->Show();
    Uloz_obrazok(*riadok, "chybovy_riadok");

    auto zlomok = Nacitaj<frm_Chybovy>("13");
    zlomok->Label1(1)->FontName = "Ruvo";
    zlomok->Label1(1)->Alignment = vbCenter;
    zlomok->Label1(2)->Alignment = vbCenter;
    zlomok->Vloz_Text(Preved_na_zobrazeni(u"x^(2)+2*x+1"), "x - 1");
    zlomok->Show();
    Uloz_obrazok(*zlomok, "chybovy_zlomok");

    auto tabulka = Nacitaj<frm_Chybovy>("21", 2);
    tabulka->Vloz_Text("x", "y", "-2", "-5", "-1", "-2,5", "0", "0", "1", "2,5", "2", "5", "3", "7,5");
    tabulka->Show();
    Uloz_obrazok(*tabulka, "chybovy_tabulka");

    auto rovnica = Nacitaj<frm_Chybovy2>("17");
    rovnica->Label1(1)->Alignment = vbCenter;
    rovnica->Label1(2)->Alignment = vbCenter;
    rovnica->Vloz_Text("3x + 1", "2", "x =");
    rovnica->Show();
    Uloz_obrazok(*rovnica, "chybovy2_rovnica");
}
