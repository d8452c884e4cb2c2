// Task 21 screens, many seeds each: every expected answer in the cells'
// Tags fits its example (y = k·x, y = k / x), the given values stand in
// labels over hidden locked cells, the asked cells are open and empty.
#include "Priklady_support.h"

#include <functional>
#include <set>

namespace {

using namespace hra_test;
using namespace priklady_test;
using Priklady21 = Obrazovka;

// y of a column as the task shows it, within its rounding; `stlpec` of a
// table, 0 for a column given to find k.
using Vzorec = std::function<void(double k, double x, double y, const QString &text_y, int stlpec)>;

const Vzorec Priamy = [](double k, double x, double y, const QString &, int) { EXPECT_NEAR(y, k * x, 1e-6); };

// Whether the last digit shown falls on an exact half, where rounding half up
// and rounding half to even part.
bool Na_polovici(double hodnota) { return hodnota - std::floor(hodnota) == 0.5; }

// In a table no y shown falls on a half, and an asked x (even columns) comes
// back from the y shown.
const Vzorec Nepriamy = [](double k, double x, double y, const QString &text_y, int stlpec) {
    EXPECT_NEAR(y, k / x, 0.0005 + 1e-9);
    EXPECT_LE(text_y.section(u',', 1).size(), 3) << "decimal places of " << text_y.toStdString();
    const double spat = k * 1000 / std::round(y * 1000);
    EXPECT_TRUE(!stlpec || (!Na_polovici(k * 1000 / x) && (stlpec % 2 || (!Na_polovici(spat) && std::nearbyint(spat) == x))))
        << "k " << k << ", x " << x << ", y " << y;
};

void Over_tabulku(frm_Game01 &h, int i, const Vzorec &vzorec)
{
    const int u = 2 * i - 1, l = 2 * i;
    SCOPED_TRACE(i);
    const double k = Cislo(h.TZ1(u)->Tag);
    platform::ControlArray<platform::TextBox> *tv[] = {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6};
    platform::ControlArray<platform::Label> *tz[] = {&h.TZ2, &h.TZ3, &h.TZ4, &h.TZ5, &h.TZ6, &h.TZ7};
    double predosle = 0;
    for (int c = 1; c <= 6; ++c) {
        const double x = Cislo((*tv[c - 1])(u)->Tag), y = Cislo((*tv[c - 1])(l)->Tag);
        EXPECT_GT(x, predosle) << "x rises, column " << c;
        EXPECT_EQ(x, std::round(x));
        predosle = x;
        vzorec(k, x, y, (*tv[c - 1])(l)->Tag, c);
        const int dany = c % 2 ? u : l, hladany = c % 2 ? l : u;
        platform::TextBox *d = (*tv[c - 1])(dany), *o = (*tv[c - 1])(hladany);
        EXPECT_TRUE(!d->Visible && d->Locked && d->Text() == d->Tag()) << "given cell, column " << c;
        EXPECT_EQ((*tz[c - 1])(dany)->Caption(), d->Tag());
        EXPECT_TRUE((*tz[c - 1])(dany)->Visible);
        EXPECT_TRUE(o->Visible && !o->Locked && o->Text().isEmpty()) << "asked cell, column " << c;
    }
}

// Two given columns and the one answer cell TV5(l), whose Tag is k.
double Over_koeficient(frm_Game01 &h, int i, const Vzorec &vzorec)
{
    const int u = 2 * i - 1, l = 2 * i;
    SCOPED_TRACE(i);
    const double k = Cislo(h.TV5(l)->Tag);
    vzorec(k, Cislo(h.TZ2(u)->Caption), Cislo(h.TZ2(l)->Caption), h.TZ2(l)->Caption, 0);
    vzorec(k, Cislo(h.TZ3(u)->Caption), Cislo(h.TZ3(l)->Caption), h.TZ3(l)->Caption, 0);
    EXPECT_LT(Cislo(h.TZ2(u)->Caption), Cislo(h.TZ3(u)->Caption));
    EXPECT_TRUE(h.TV5(l)->Visible && !h.TV5(l)->Locked && h.TV5(l)->Text().isEmpty());
    return k;
}

// The graph example: k can be read off a grid point with whole coordinates.
void Over_graf(frm_Game01 &h, double k)
{
    EXPECT_TRUE(h.TV5(10)->Visible && !h.TV5(10)->Locked && h.PicGraf->Visible);
    bool bod = false;
    for (int p = 1; p <= 10; ++p) {
        const double y = std::round(k * 100) * p / 100;
        bod = bod || (y == std::round(y) && y <= 10);
    }
    EXPECT_TRUE(bod) << "k = " << k;
}

// The equation printed above a table lies inside its strip: no ink of it
// on the strip's right piece, which shows whole.
void Over_rovnicu_v_ramceku(frm_Game01 &h, int i)
{
    const QRect pred_tabulkou(0, h.TV1(2 * i - 1)->Top - 60, h.PicGraf->Left, 30);
    EXPECT_TRUE(Kde_je_obrazok(h.persistentImage(), h.Obr_pravy[1].image(), pred_tabulkou)) << "example " << i;
}

void Over_variantu_1(frm_Game01 &h)
{
    std::vector<double> k;
    for (int i : {1, 3}) {
        Over_tabulku(h, i, Priamy);
        Over_rovnicu_v_ramceku(h, i);
        k.push_back(Cislo(h.TZ1(2 * i - 1)->Tag));
    }
    for (int i : {2, 4}) {
        k.push_back(Over_koeficient(h, i, Priamy));
        EXPECT_NE(Cislo(h.TZ2(2 * i - 1)->Caption), 1) << "x = 1 would give k away";
    }
    k.push_back(Cislo(h.TV5(10)->Tag));
    EXPECT_EQ(std::set<double>(k.begin(), k.end()).size(), k.size()) << "k's differ";
    for (double v : k)
        EXPECT_TRUE(v >= 1 && v <= 2 && std::abs(v * 100 - std::round(v * 100)) < 1e-6) << "1 to 2 in hundredths: " << v;
    Over_graf(h, k.back());
}

void Over_variantu_2(frm_Game01 &h)
{
    std::set<double> k;
    for (int i : {1, 3, 5}) {
        Over_tabulku(h, i, Nepriamy);
        k.insert(Cislo(h.TZ1(2 * i - 1)->Tag));
    }
    for (int i : {2, 4})
        k.insert(Over_koeficient(h, i, Nepriamy));
    EXPECT_EQ(k.size(), 5u) << "k's differ";
    for (double v : k)
        EXPECT_TRUE(v >= 1 && v <= 20 && v == std::round(v)) << v;
}

// Many seeded screens of each variant, then screens from random sequences
// that still must fill: stuck on one value, or in variant b a cycle that
// draws k = 9 and x = 26, 53, 80, ... first, where 9 / 80 falls on a half.
TEST_F(Priklady21, EveryAnswerFitsItsExample)
{
    const struct {
        const char *nazov;
        int varianta;
        void (*over)(frm_Game01 &);
        QList<float> nahody[2];
    } Varianty[] = {{"y = k·x", 1, Over_variantu_1, {{0.0f}, {0.9999f}}},
                    {"y = k / x", 2, Over_variantu_2, {{0.0f}, {0.42f, 0.85f, 0.85f, 0.85f, 0.85f, 0.85f, 0.85f, 0.85f}}}};
    for (const auto &v : Varianty) {
        SCOPED_TRACE(v.nazov);
        Hra &h = Nacitaj("21", v.varianta, 10);
        for (quint32 seed = 1; seed <= 200 && !HasFailure(); ++seed) {
            SCOPED_TRACE(seed);
            Randomize_seed(seed);
            h.Vygeneruj_priklad_21(false);
            v.over(h);
        }
        for (const QList<float> &r : v.nahody) {
            SCOPED_TRACE(r.first());
            platform::FakeRandom nahoda(r);
            platform::ScopedService<platform::RandomSource> g(nahoda);
            v.over(Nacitaj("21", v.varianta, 5));
        }
    }
}

} // namespace
