// The hint windows: layouts per task, shape, line fitting, the fraction bar.
// Filled windows are saved under build/screens/ for review.
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

#include "exercise/frm_Game01.h"
#include "shell/Formulare.h"

#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;
using namespace Shell;

namespace {

const QString Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");
const QColor Cierna(0, 0, 0);

struct Napoveda : ::testing::Test {
    // The module's variables that the load reads, put back afterwards.
    const QString stare_cd = Misc::Cesta_CD, stara_uloha = Misc::Cislo_ulohy;
    const quint8 stara_varianta = Misc::Varianta_ulohy;
    Napoveda() { Misc::Cesta_CD = Cesta_CD; }
    ~Napoveda() override
    {
        Misc::Cesta_CD = stare_cd, Misc::Cislo_ulohy = stara_uloha, Misc::Varianta_ulohy = stara_varianta;
    }
    Form hra; // stands for the exercise screen
    // Smaller than every hint picture, as the exercise screen's design has it.
    PictureBox *PicMain = new PictureBox(&hra);

    std::unique_ptr<Okno_napovedy> Nacitaj(int okno, const char *uloha, int varianta = 0)
    {
        std::unique_ptr<Okno_napovedy> o;
        o.reset(okno == 1 ? static_cast<Okno_napovedy *>(new frm_Chybovy) : new frm_Chybovy2);
        Misc::Cislo_ulohy = uloha;
        Misc::Varianta_ulohy = quint8(varianta);
        o->Plocha_obrazku = PicMain;
        o->Load();
        return o;
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

int Sirka_na_obrazovke(const Label *l, const QString &t)
{
    return QFontMetrics(makeFont(l->FontName, l->FontSize, false)).horizontalAdvance(t);
}

} // namespace

TEST_F(Napoveda, LayoutPictureAndShapePerTask)
{
    struct Riadok {
        const char *meno; int okno; const char *uloha; int varianta;
        const char *obrazok; // empty: none, the window keeps its design size
        QSize velikost; int pocet; double pismo;
        Okno_napovedy::Popisek popisok; // a representative label; index 0: none
    };
    const Riadok riadky[] = {
        {"one line", 1, "4", 0, "Hint01.bmp", {212, 37}, 1, 12, {1, 11, 12, 190}},
        {"fraction", 1, "13", 0, "hint06.bmp", {241, 57}, 2, 12, {2, 11, 33, 190}},
        {"task 21 table, variant 2", 1, "21", 2, "Hint05.bmp", {383, 58}, 14, 9.75, {13, 317, 14, 54}},
        {"task 21 without a variant", 1, "21", 3, "", {212, 37}, 1, 12, {}},
        {"task 17: line 3 left of the fraction", 2, "17", 0, "hint06.bmp", {241, 57}, 3, 12, {3, 11, 22, 110}},
        {"one-line task: not used", 2, "4", 0, "", {212, 37}, 1, 12, {}},
        {"fraction task: labels, no picture", 2, "13", 0, "", {212, 37}, 2, 12, {2, 11, 33, 190}},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.meno);
        auto o = Nacitaj(r.okno, r.uloha, r.varianta);
        EXPECT_EQ(QSize(o->Width / 15, o->Height / 15), r.velikost);
        EXPECT_EQ(o->Label1.UBound(), r.pocet);
        if (const auto &p = r.popisok; p.index) {
            const Label *l = o->Label1(p.index);
            EXPECT_EQ(l->widget()->geometry(), QRect(p.left, p.top, p.width, 20));
            EXPECT_TRUE(l->Visible && l->BackStyle == vbTransparent && l->FontSize == r.pismo);
        }
        if (!*r.obrazok) {
            EXPECT_TRUE(o->Obrazek_napovedy.isNull());
            continue;
        }
        // The whole picture is on the window and its border colour is cut out.
        const QImage obrazok = LoadPicture(Cesta_CD + "Bitmap/Games/" + r.obrazok).image();
        EXPECT_EQ(o->persistentImage().copy(obrazok.rect()), obrazok);
        EXPECT_EQ(o->mask(), regionWithout(obrazok, obrazok.pixel(1, 1)));
    }
}

TEST_F(Napoveda, LineFitting)
{
    struct Riadok { const char *meno; double text_na; int riadok; double pismo; int top; };
    const Riadok riadky[] = {
        {"fits at full size: one pass", 12, 1, 12, 12},
        {"fits at 9.75: two pixels lower", 9.75, 1, 9.75, 14},
        {"fits at 8.25: three pixels lower", 8.25, 1, 8.25, 15}, // text_na: where it fits first
        {"denominator at 8.25", 8.25, 2, 8.25, 35},
    };
    for (const Riadok &r : riadky) {
        SCOPED_TRACE(r.meno);
        auto o = Nacitaj(1, "13");
        const QString t = Text_na(*o, r.text_na);
        r.riadok == 1 ? o->Vloz_Text(t, "1") : o->Vloz_Text("1", t);
        const Label *l = o->Label1(r.riadok);
        EXPECT_EQ(l->FontSize, r.pismo);
        EXPECT_EQ(l->Top, r.top);
        EXPECT_EQ(l->Caption, t);
        EXPECT_LE(Sirka_na_obrazovke(l, t), l->Width) << "shown on one line";
    }
    // Too long at the smallest size: cut short.
    auto o = Nacitaj(1, "4");
    const QString t = Text_na(*o, 8.25) + "88888";
    o->Vloz_Text(t, " ");
    const Label *l = o->Label1(1);
    EXPECT_EQ(l->FontSize, 8.25);
    EXPECT_EQ(l->caption(), t.left(l->caption().size() - 1) + u'…');
    EXPECT_LE(Sirka_na_obrazovke(l, l->Caption), l->Width);
}

TEST_F(Napoveda, WhatStaysFromEarlierAnswers)
{
    auto o = Nacitaj(1, "13");
    o->Vloz_Text(Text_na(*o, 8.25), "3");
    EXPECT_EQ(o->Label1(2)->FontSize, 12) << "a short denominator keeps its size";
    o->Vloz_Text("x", " ");
    EXPECT_EQ(o->Label1(1)->FontSize, 8.25) << "a short answer after a long one";
    EXPECT_EQ(o->Label1(2)->Caption, "3") << "a single blank leaves line 2 as it was";

    auto jeden = Nacitaj(1, "4");
    jeden->Vloz_Text("2x", "3", "4"); // lines without a label are ignored
    EXPECT_EQ(jeden->Label1.UBound(), 1);

    auto rovnica = Nacitaj(2, "17");
    rovnica->Vloz_Text("2x + 1", "3", "x =");
    EXPECT_EQ(rovnica->Label1(3)->Top, 32) << "line 3 on the row of the denominator";
    rovnica->Vloz_Text("5", " ");
    EXPECT_EQ(rovnica->Label1(2)->Caption, " ") << "the second window shows a single blank";
}

TEST_F(Napoveda, ValueTableCopiesTopsAndSizesWithoutFitting)
{
    auto o = Nacitaj(1, "21", 1);
    const QString siroky = Text_na(*o, 12, 100);
    o->Vloz_Text("x", "y", "-2", "-4", "-1", "-2", "0", "0", "1", "2", "2", "4", siroky, "6");
    for (int k = 3; k <= 14; ++k) {
        const Label *vzor = o->Label1(k % 2 ? 1 : 2);
        EXPECT_TRUE(o->Label1(k)->Top == vzor->Top && o->Label1(k)->FontSize == vzor->FontSize) << k;
    }
    EXPECT_EQ(o->Label1(13)->Caption, siroky) << "not shrunk although wider than its cell";
    o->Vloz_Text("x", "y", "5", "", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16");
    EXPECT_EQ(o->Label1(3)->Caption, "-2") << "one empty cell: the table stays";
}

TEST_F(Napoveda, FractionBarOnAFreshPicture)
{
    auto o = Nacitaj(1, "13");
    const QImage obrazok = o->Obrazek_napovedy.image();
    o->Vloz_Text("1", "7");
    o->Show();
    EXPECT_TRUE(o->Point(11, 33) == Cierna && o->Point(201, 33) == Cierna);
    o->Hide();
    o->Vloz_Text(Text_na(*o, 8.25), "7");
    o->Show();
    EXPECT_EQ(o->Point(100, 36), Cierna);
    EXPECT_EQ(o->Point(100, 33), QColor(obrazok.pixel(100, 33))) << "the earlier bar is gone";

    auto rovnica = Nacitaj(2, "16");
    rovnica->Vloz_Text("x + 1", "2");
    rovnica->Show();
    EXPECT_EQ(rovnica->Point(100, 33), Cierna);
    rovnica->Vloz_Text("x = 4", " ");
    rovnica->Show();
    EXPECT_EQ(rovnica->persistentImage().copy(obrazok.rect()), obrazok) << "no denominator, no bar";
}

TEST_F(Napoveda, ExerciseScreenLoadsTheWindowsForItsTaskAndUnloadsThem)
{
    frm_Game01 hra;
    for (const char *uloha : {"17", "4"}) {
        Misc::Cislo_ulohy = uloha;
        hra.Nacti_chybova_okna();
        const QImage obrazok = Formulare::frm_Chybovy->Obrazek_napovedy.image();
        EXPECT_EQ(Formulare::frm_Chybovy->Label1.UBound(), 1) << uloha;
        EXPECT_EQ(Formulare::frm_Chybovy2->Label1.UBound(), uloha == QLatin1String("17") ? 3 : 1) << uloha;
        EXPECT_EQ(Formulare::frm_Chybovy->persistentImage().copy(obrazok.rect()), obrazok) << uloha;
    }
    hra.Uvolni_chybova_okna();
    EXPECT_FALSE(Formulare::frm_Chybovy.existing() || Formulare::frm_Chybovy2.existing());
}

TEST_F(Napoveda, FilledWindowsForReview)
{
    registerFontFile(Cesta_CD + "Data/Ruvo.ttf");
    struct Riadok { const char *subor; int okno; const char *uloha; int varianta; bool na_stred; QStringList riadky; };
    const Riadok riadky[] = {
        {"chybovy_riadok", 1, "4", 0, false, {Preved_na_zobrazeni(u"3*x^(2)-2*x+1"), " "}},
        {"chybovy_zlomok", 1, "13", 0, true, {Preved_na_zobrazeni(u"x^(2)+2*x+1"), "x - 1"}},
        {"chybovy_tabulka", 1, "21", 2, false, {"x", "y", "-2", "-5", "-1", "-2,5", "0", "0", "1", "2,5", "2", "5", "3", "7,5"}},
        {"chybovy2_rovnica", 2, "17", 0, true, {"3x + 1", "2", "x ="}},
    };
    QDir().mkpath(LK_BUILD_DIR "/screens");
    for (const Riadok &r : riadky) {
        auto o = Nacitaj(r.okno, r.uloha, r.varianta);
        o->Label1(1)->FontName = "Ruvo";
        for (int k : {1, 2})
            if (r.na_stred)
                o->Label1(k)->Alignment = vbCenter;
        const QStringList &t = r.riadky;
        o->Vloz_Text(t[0], t.value(1), t.value(2), t.value(3), t.value(4), t.value(5), t.value(6),
                     t.value(7), t.value(8), t.value(9), t.value(10), t.value(11), t.value(12), t.value(13));
        o->Show();
        QImage tvar(o->size(), QImage::Format_ARGB32);
        tvar.fill(Qt::transparent);
        QPainter p(&tvar);
        p.setClipRegion(o->mask());
        p.drawImage(0, 0, o->grab().toImage());
        p.end();
        EXPECT_TRUE(tvar.save(QStringLiteral(LK_BUILD_DIR "/screens/%1.png").arg(r.subor)));
    }
}
