// Tasks 15 to 18, solved in stages: examples from the shipped templates
// solve their equations and inequalities, every stage row holds at the
// solution that the result cells expect in one form (whole, or reduced with
// its minus above the bar); templates that give no example end in a
// message; nothing of the example before stays.
#include "Generatory_support.h"
#include "Priklady_support.h"
#include "expr/NumberText.h"

#include <numeric>

namespace {

using namespace hra_test;
using Stupne_ = Obrazovka;

// The solution that the Tags of the three result cells of TV1 expect, or a
// text that says why they expect none.
struct Riesenie {
    std::optional<double> x;
    QString chyba;
};

Riesenie Riesenie_z_tagov(frm_Game01 &f, int cele, int citatel, int menovatel)
{
    const QString c = f.TV1(cele)->Tag, n = f.TV1(citatel)->Tag, d = f.TV1(menovatel)->Tag;
    if (!c.isEmpty()) {
        if (!n.isEmpty() || !d.isEmpty())
            return {{}, QStringLiteral("both forms expected: %1 and %2/%3").arg(c, n, d)};
        const auto x = ParseNumber(c);
        if (!x || *x != std::round(*x))
            return {{}, QStringLiteral("not a whole number: ") + c};
        return {x, {}};
    }
    const auto a = ParseNumber(n), b = ParseNumber(d);
    if (!a || !b || *b == 0)
        return {{}, QStringLiteral("no readable fraction: %1/%2").arg(n, d)};
    const long long p = std::llround(*a), q = std::llround(*b);
    if (p != *a || q != *b || std::gcd(p, q) != 1 || q <= 1 || p == 0)
        return {{}, QStringLiteral("not a reduced proper fraction with its sign above: %1/%2").arg(n, d)};
    return {*a / *b, {}};
}

// Whether the two displayed sides have one value at x (as the pupil's line
// is read); the text says what they gave when not.
QString Plati(frm_Game01 &f, const QString &lava, const QString &prava, double x)
{
    const auto l = Hodnota(f, lava, x), p = Hodnota(f, prava, x);
    if (l && p && std::fabs(*l - *p) <= 1e-9 * std::max({1.0, std::fabs(*l), std::fabs(*p)}))
        return {};
    return QStringLiteral("%1 = %2 at x = %3 gives %4 and %5")
        .arg(lava, prava, FormatNumber(x), l ? FormatNumber(*l) : QStringLiteral("nothing"),
             p ? FormatNumber(*p) : QStringLiteral("nothing"));
}

bool Parametre_2_az_5(const frm_Game01 &f)
{
    for (float p : {f.Par_A, f.Par_B, f.Par_C, f.Par_D, f.Par_E, f.Par_F})
        if (p < 2 || p > 5 || p != std::round(p))
            return false;
    return true;
}

// The equation of row 1 and every stage row with both sides hold at the
// solution of the result cells; gives the solution.
double Vyriesena(frm_Game01 &f, const QString &lava, const QString &prava, int cele)
{
    const Riesenie r = Riesenie_z_tagov(f, cele, cele + 1, cele + 2);
    EXPECT_TRUE(r.x) << r.chyba.toStdString();
    const double x = r.x.value_or(0);
    EXPECT_EQ(Plati(f, lava, prava, x), QString());
    for (int k = 1; k <= 50; ++k) {
        const QString &l = f.Vysledek_prikladu(k, 1), &p = f.Vysledek_prikladu(k, 2);
        EXPECT_EQ(l.isEmpty() && p.isEmpty() ? QString() : Plati(f, l, p, x), QString()) << "stage " << k;
    }
    EXPECT_TRUE(Parametre_2_az_5(f));
    return x;
}

// One side of row 1 of an equation of fractions as the pupil reads it: the
// first term, then every further term whose sign is shown, terms bracketed.
using Popisy = platform::ControlArray<platform::Label>;
QString Strana(Popisy &prvy, std::initializer_list<std::pair<platform::Label *, Popisy *>> dalsie)
{
    const auto clen = [](Popisy &popis) {
        const QString n = popis(1)->Caption(), d = popis(2)->Caption();
        return popis(2)->Visible ? QStringLiteral("(%1)/(%2)").arg(n, d) : '(' + n + ')';
    };
    QString s = clen(prvy);
    for (auto [znamienko, clen_za] : dalsie)
        if (znamienko->Visible)
            s += znamienko->Caption() + clen(*clen_za);
    return s;
}

// The two sides of row 1 of tasks 16 and 18, of either kind.
std::pair<QString, QString> Strany_16(frm_Game01 &h)
{
    return h.Je_zlomek ? std::pair{Strana(h.TZ1, {{h.TR2(1), &h.TZ2}}), Strana(h.TZ3, {{h.TR3(1), &h.TZ4}})}
                       : std::pair{h.Leva_strana[1], h.Prava_strana[1]};
}

// The three result cells' Tags, "whole|numerator|denominator".
std::string Vysledne_tagy(frm_Game01 &f, int prva)
{
    return (f.TV1(prva)->Tag() + '|' + f.TV1(prva + 1)->Tag() + '|' + f.TV1(prva + 2)->Tag()).toStdString();
}

// Tasks 15 and 16 from the shipped templates: row 1 and every stage hold at
// the solution that the result cells expect and the check takes; solutions
// come whole and as fractions, and task 16 gives both kinds of equation.
TEST_F(Stupne_, Tasks15And16ShippedTemplatesGiveSolvedEquations)
{
    for (const char *uloha : {"15", "16"}) {
        Hra &h = Nacitaj(uloha, 0, 5);
        const bool sestnast = QByteArray(uloha) == "16";
        int zlomky = 0, cele_vzorce = 0;
        Kazda_seria(h, [&](quint32) {
            const int t = Misc::Vybrany_vzor[1];
            const auto [lava, prava] = Strany_16(h);
            SCOPED_TRACE((lava + '=' + prava).toStdString());
            EXPECT_EQ(h.Je_zlomek, sestnast && Misc::Vzory[t].Druh() == u"zlomek");
            const double x = Vyriesena(h, lava, prava, sestnast ? 6 : 5);
            if (h.Je_zlomek || !sestnast) {
                EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, x);
            }
            zlomky += sestnast ? h.Je_zlomek : !h.TV1(6)->Tag().isEmpty();
            cele_vzorce += sestnast && !h.Je_zlomek && t <= 4 && !h.TV1(6)->Tag().isEmpty();
            if (sestnast && (t == 6 || t == 9)) {
                EXPECT_EQ(h.Par_K, std::gcd(int(t == 6 ? h.Par_A : h.Par_C), int(t == 6 ? h.Par_B : h.Par_E)));
            }
        });
        EXPECT_GT(zlomky, sestnast ? 1000 : 500) << "fractions as well as whole numbers, task " << uloha;
        EXPECT_LT(zlomky, 4500) << uloha;
        EXPECT_GE(cele_vzorce, sestnast ? 60 : 0) << "formula templates 1-4 give whole solutions too";
    }
}

TEST_F(Stupne_, Task17ShippedTemplatesGiveSolvedEquationsAndTheirConditions)
{
    Hra &h = Nacitaj("17", 0, 5);
    Kazda_seria(h, [&](quint32) {
        const QString lava = Strana(h.TZ1, {{h.TR2(1), &h.TZ2}, {h.TR3(1), &h.TZ3}}),
                      prava = Strana(h.TZ4, {{h.TR4(1), &h.TZ5}});
        SCOPED_TRACE(QStringLiteral("%1 = %2, x ≠ %3, %4").arg(lava, prava, h.TV1(12)->Tag(), h.TV2(12)->Tag()).toStdString());
        EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, Vyriesena(h, lava, prava, 6));
        EXPECT_NE(h.TV1(12)->Tag(), h.TV2(12)->Tag());
        for (const QString &podmienka : {h.TV1(12)->Tag(), h.TV2(12)->Tag()}) {
            const auto c = ParseNumber(podmienka);
            ASSERT_TRUE(c && *c == std::round(*c)) << podmienka.toStdString();
            EXPECT_FALSE(Hodnota(h, lava, *c) && Hodnota(h, prava, *c))
                << "x = " << podmienka.toStdString() << " leaves every denominator";
        }
    });
}

// The line `lava znamienko prava` has the solution set "x vysledok b": it
// is an equality at b, holds a little on the solution's side and fails a
// little on the other.
QString Ma_riesenie(frm_Game01 &f, const QString &lava, const QString &znamienko, const QString &prava,
                    const QString &vysledok, double b)
{
    const QString riadok = lava + ' ' + znamienko + ' ' + prava;
    if (znamienko != u">" && znamienko != u"<")
        return riadok + QStringLiteral(": no relation sign");
    if (const QString chyba = Plati(f, lava, prava, b); !chyba.isEmpty())
        return QStringLiteral("boundary: ") + chyba;
    const double smer = vysledok == u">" ? 1 : -1;
    for (double krok : {0.01, 1.0})
        for (bool v_rieseni : {true, false}) {
            const double x = b + (v_rieseni ? smer : -smer) * krok;
            const auto l = Hodnota(f, lava, x), p = Hodnota(f, prava, x);
            if (!l || !p || (znamienko == u">" ? *l > *p : *l < *p) != v_rieseni)
                return QStringLiteral("%1 at x = %2 %3").arg(riadok, FormatNumber(x), v_rieseni ? "fails" : "holds");
        }
    return {};
}

TEST_F(Stupne_, Task18ShippedTemplatesGiveSolvedInequalitiesOfBothKinds)
{
    Hra &h = Nacitaj("18", 0, 5);
    int zlomky = 0, cele = 0;
    Kazda_seria(h, [&](quint32) {
        const int t = Misc::Vybrany_vzor[1];
        const auto [lava, prava] = Strany_16(h);
        const QString zadanie = h.IZnam(1)->Tag, vysledok = h.TZR(6)->Caption;
        SCOPED_TRACE(QStringLiteral("%1 %2 %3, x %4 %5").arg(lava, zadanie, prava, vysledok).arg(QString::fromStdString(Vysledne_tagy(h, 6))).toStdString());
        EXPECT_EQ(h.Je_zlomek, Misc::Vzory[t].Druh() == u"zlomek");
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 6, 7, 8);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        EXPECT_EQ(h.TZR(7)->Caption(), vysledok);
        EXPECT_EQ(Ma_riesenie(h, lava, zadanie, prava, vysledok, *r.x), QString());
        for (int k = 1; k <= 50; ++k) {
            const QString &l = h.Vysledek_prikladu(k, 1), &p = h.Vysledek_prikladu(k, 2);
            EXPECT_EQ(l.isEmpty() ? QString() : Ma_riesenie(h, l, h.Vysledek_prikladu(k, 3), p, vysledok, *r.x), QString())
                << "stage " << k;
        }
        if (t == 6 || t == 9 || t == 10) {
            const int p = int(t == 6 ? h.Par_A : h.Par_C), q = int(t == 6 ? h.Par_B : t == 9 ? h.Par_E : h.Par_F);
            EXPECT_EQ(h.Par_K, std::gcd(p, q));
        }
        EXPECT_FALSE(h.IZnam(1)->Enabled) << "the given sign is not the pupil's";
        zlomky += h.Je_zlomek;
        cele += !h.TV1(6)->Tag().isEmpty();
    });
    EXPECT_GT(zlomky, 1000);
    EXPECT_GT(cele, 500);
    EXPECT_LT(cele, 4500) << "fractional boundaries too";
}

// Templates of tasks 11 and 15 to 18 that can give no example end in one
// message, never in a loop without end, and leave no Tag of the example
// before; a value of 1000 is still in range. Every Rnd gives 0.95: in task
// 11, A to E are 10 and K is 9.
TEST_F(Stupne_, TemplatesThatGiveNoExampleEndInAMessage)
{
    const struct {
        const char *meno, *uloha, *riadok;
        bool vytvoreny = false;
    } Riadky[] = {
        {"1000 is in range", "11", "$x/x-$A*100#x-@A*100@~0#x~@A*100", true},
        {"1000.5 is not", "11", "$x/x-$A*100+0.5#x~0#x~1"},
        {"out of range in a result only", "11", "$x/x-1#x-1~0#x~@A*101"},
        {"division by zero", "11", "$x/x-1#x-1~0#x~@A/(K-9)"},
        {"no ~ in line 2", "11", "$x/x-1#x-1~0#x"},
        {"nothing at all", "11", ""},
        {"value beyond 1000", "15", "$Ax=$A*1000#x@=@1"},
        {"no solution row", "15", "$Ax=$B#Ax@=@B"},
        {"denominator always 0", "15", "$Ax=B#x@=@B@/@A-A"},
        {"piece that does not compile", "15", "$Ax=$B+*#x@=@B"},
        {"equation without =", "15", "$Ax+B#x@=@B"},
        {"unknown kind", "16", "rovnica$Ax=B#x@=@B"},
        {"unclosed bracket", "16", "zlomek$x/A$$$=$B#x@=@(B"},
        {"solution that a condition excludes", "17", "$A/x-B$$$$$=$C#x@=@B@/@1%B%0"},
        {"boundary over a drawn 0", "18", "vzorec$x>$1#x>@A@/@(A-A)"},
        {"fraction without a denominator", "18", "zlomek$x/A$$$>$1#x>@A/#"},
    };
    platform::FakeRandom nahoda({0.95f});
    platform::ScopedService<platform::RandomSource> g(nahoda);
    qsizetype sprav = 0;
    for (const auto &c : Riadky) {
        SCOPED_TRACE(c.meno);
        Hra &h = Nacitaj(c.uloha, 0, 5);
        Vzory(c.uloha, {QString::fromUtf8(c.riadok), QStringLiteral(";")});
        const int prva = QByteArray(c.uloha) == "11" ? 1 : QByteArray(c.uloha) == "15" ? 5 : 6;
        const bool podmienky = QByteArray(c.uloha) == "17";
        h.TV1(prva)->Tag = QStringLiteral("7");
        if (podmienky)
            h.TV1(12)->Tag = QStringLiteral("7");
        (h.*h.Nastavenie_obrazovky.Generator)(false);
        ASSERT_EQ(box.AskedBoxes().size(), sprav += !c.vytvoreny);
        EXPECT_EQ(Vysledne_tagy(h, prva) != "||", c.vytvoreny);
        EXPECT_EQ(h.Priklad_vytvoreny[1], c.vytvoreny) << "an example given up is not counted";
        if (podmienky) {
            EXPECT_EQ(h.TV1(12)->Tag() + h.TV2(12)->Tag(), QString()) << "the conditions row";
        }
    }
}

TEST_F(Stupne_, ASoundTemplateAmongBrokenOnes)
{
    Hra &h = Nacitaj("15", 0, 5);
    // A template without "=" is left at once, one out of range only
    // after its passes.
    QStringList zle(20, QStringLiteral("$Ax+B#x@=@B"));
    Vzory("15", zle << QStringLiteral("$Ax=$A*1000#x@=@1") << QStringLiteral("$Ax=$A*B#x@=@B"));
    for (quint32 s = 1; s <= 5; ++s) {
        Randomize_seed(s);
        h.Vygeneruj_priklad_15(false);
        EXPECT_EQ(h.TV1(5)->Tag, QString::number(h.Par_B)) << "seed " << s;
    }
    EXPECT_TRUE(box.AskedBoxes().isEmpty()) << "a sound template among broken ones";
}

// A bar under every fraction, only as wide as its lines, none through a
// term on the line; row 1 asks for the first step of a fraction example
// only, its cell after "/" drawn as those of the working lines are, with no
// field round it.
TEST_F(Stupne_, Task16FractionBarsByKind)
{
    Hra &h = Nacitaj("16", 0, 5);
    const struct {
        const char *meno, *riadok, *pruhy; // under TZ1 to TZ4
    } Riadky[] = {
        {"two fractions a side", "zlomek$x/A$+$x/B$=$x/C$-$D/E#x@=@1", "1111"},
        {"one term a side, one line on the right", "zlomek$Ax+B/C$$$=$D#x@=@1", "1-0-"},
        {"formula", "vzorec$Ax+B=$C*D#x@=@1", "0-0-"},
    };
    for (const auto &r : Riadky) {
        // Template 5, as the formula templates before it have rules of their own.
        const QString vypln = QStringLiteral("zlomek$x$$$=$1#x@=@1");
        Vzory("16", {vypln, vypln, vypln, vypln, QString::fromUtf8(r.riadok)});
        platform::FakeRandom nahoda({0.9f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.25f});
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_16(false);
        QString pruhy;
        const QImage obraz = h.persistentImage();
        for (auto *clen : {&h.TZ1, &h.TZ2, &h.TZ3, &h.TZ4}) {
            platform::Label *n = (*clen)(1);
            const int y = h.TZR(1)->Top + 9;
            const bool pruh = obraz.pixel(n->Left + n->Width / 2, y) == qRgb(0, 0, 0);
            pruhy += !n->Visible ? '-' : pruh ? '1' : '0';
            EXPECT_FALSE(pruh && obraz.pixel(n->Left + 1, y) == qRgb(0, 0, 0)) << r.meno << ": a bar to the label's edge";
        }
        EXPECT_EQ(pruhy.toStdString(), r.pruhy) << r.meno;
        EXPECT_EQ(h.TV3(1)->Visible && h.TR1(1)->Visible, h.Je_zlomek) << r.meno;
        if (h.Je_zlomek) {
            h.Show();
            QApplication::processEvents();
            const QImage javisko = platform::Stage::instance()->grab().toImage();
            EXPECT_EQ(priklady_test::Kremova_okolo(h.TV3(1), javisko, 1), 0) << r.meno;
            EXPECT_EQ(priklady_test::Kremova_okolo(h.TV3(2), javisko, 1), 0) << r.meno;
            h.Hide();
        }
        EXPECT_FALSE(h.TV1(1)->Visible || h.TV2(1)->Visible) << r.meno;
    }
}

// A template drawn after another within one call shows none of its terms.
TEST_F(Stupne_, Task16ShowsNoTermOfAnEarlierTemplate)
{
    Hra &h = Nacitaj("16", 0, 5);
    Vzory("16", {QStringLiteral("zlomek$x/A$+$x/5$=$1#x@=@A*1000"), QStringLiteral("zlomek$x/A$+$7$=$1#x@=@A")});
    for (quint32 seed = 1; seed <= 12; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_16(false);
        ASSERT_EQ(Misc::Vybrany_vzor[1], 2);
        EXPECT_EQ(h.TZ2(1)->Caption(), "7");
        EXPECT_FALSE(h.TZ2(2)->Visible) << seed;
    }
}

// Whatever the example before left, working rows and result cells are open,
// empty and not judged, and no stage has a sign yet (the sheet code is
// shared by tasks 15 to 18). A stage is split at its first ">", or else at
// its first "<"; row 1 shows the given sign.
TEST_F(Stupne_, NothingOfTheExampleBeforeStays)
{
    Hra &h = Nacitaj("18", 0, 5);
    Vzory("18", {QStringLiteral("vzorec$x>$1#1<x>@0#x>@1")});
    for (int k = 1; k <= 8; ++k) {
        h.TV1(k)->Text = h.TV2(k)->Tag = h.IZnam(k)->Tag = QStringLiteral(">");
        h.TV1(k)->Locked = true;
        h.IZnam(k)->Enabled = false;
    }
    h.Vygeneruj_priklad_18(false);
    for (int k = 2; k <= 8; ++k) {
        EXPECT_TRUE(h.TV1(k)->Visible && h.TV1(k)->Enabled && !h.TV1(k)->Locked) << k;
        EXPECT_EQ(h.TV1(k)->Text(), QString()) << k;
        EXPECT_TRUE(k == 8 || (h.IZnam(k)->Tag() == "?" && h.IZnam(k)->Enabled && h.IZnam(k)->Visible)) << k;
    }
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(h.TV1(k)->Tag() + h.TV2(k)->Tag() + h.TV3(k)->Tag(), QString()) << k;
    const QStringList stav{h.IZnam(1)->Tag, h.Vysledek_prikladu(1, 1), h.Vysledek_prikladu(1, 3), h.Vysledek_prikladu(1, 2)};
    EXPECT_EQ(stav.join('|'), QStringLiteral(">|1<x|>|0"));
}

// The first condition open, the second waiting for the switch and empty,
// whatever the example before left; the conditions' caption stands between
// the equation's strip and the conditions' strip, all three whole.
TEST_F(Stupne_, Task17ConditionsRow)
{
    Hra &h = Nacitaj("17", 0, 5);
    h.TV2(12)->Enabled = true;
    h.TV2(12)->Text = QStringLiteral("staré");
    h.Vygeneruj_priklad_17(false);
    EXPECT_TRUE(h.TV1(12)->Visible && h.TV1(12)->Enabled && !h.TV1(12)->Locked);
    EXPECT_TRUE(h.TV2(12)->Visible && !h.TV2(12)->Enabled) << "the second condition waits for the switch";
    EXPECT_EQ(h.TV2(12)->Text(), QString());
    for (const platform::Picture *obr : {&h.Obr_znamenka[10], &h.Obr_levy[4], &h.Obr_levy[1]})
        EXPECT_TRUE(priklady_test::Kde_je_obrazok(h.persistentImage(), obr->image(), QRect(0, 90, 100, 130)))
            << obr->Width() << " x " << obr->Height();
}

} // namespace
