// Task 19 screens: the numbers read back from each assignment text give
// the answer in its cell's Tag, word problems never repeat on a screen or
// straight after it, and broken template data cannot hold the screen.
#include "Generatory_support.h"
#include "Priklady_support.h"

#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"

#include <QRegularExpression>
#include <map>
#include <set>

namespace {

using namespace hra_test;
using namespace priklady_test;
using Priklady19 = Obrazovka;

// The numbers that stand for "AA", "BB" and "xx" in `text` made from `sablona`.
std::map<QString, double> Dosadene(const QString &sablona, const QString &text)
{
    static const QRegularExpression miesto(QStringLiteral("AA|BB|xx"));
    QString vzor = QStringLiteral("^");
    QStringList mena;
    qsizetype od = 0;
    for (auto it = miesto.globalMatch(sablona); it.hasNext();) {
        const auto m = it.next();
        vzor += QRegularExpression::escape(sablona.mid(od, m.capturedStart() - od)) + QStringLiteral("([0-9,]+)");
        mena << m.captured();
        od = m.capturedEnd();
    }
    vzor += QRegularExpression::escape(sablona.mid(od)) + QLatin1Char('$');
    const auto m = QRegularExpression(vzor).match(text);
    std::map<QString, double> hodnoty;
    EXPECT_TRUE(m.hasMatch()) << text.toStdString();
    for (int k = 0; m.hasMatch() && k < mena.size(); ++k)
        hodnoty[mena[k]] = Cislo(m.captured(k + 1));
    return hodnoty;
}

// Variant 1: what each sub-type asks, from the numbers the pupil reads.
double Odpoved_1(const QString &podtyp, std::map<QString, double> c)
{
    const double p = c["xx"], A = c["AA"], B = c["BB"];
    return podtyp == "1" ? p * A / 100 : podtyp == "2" ? 100 * A / p : 100 * A / B;
}

// Variant 2: the formula of each sub-type, in words.
double Odpoved_2(int t, std::map<QString, double> c)
{
    const double h = c["xx"], A = c["AA"], B = c["BB"];
    if (t == 4 || t == 8) return A * (100 - h) / 100;   // A lowered by h percent
    if (t <= 10) return A * h / 100;                    // h percent of A
    if (t >= 18 && t <= 20) return 100 * (A - B) / A;   // by how many percent B is less than A
    if (t <= 17) return 100 * B / A;                    // B as a percentage of A
    if (t == 22) return A - 100 * A / h;                // the rise, A being h percent of the old value
    if (t == 26 || t == 27) return 100 * A / (100 + h); // before a rise by h percent
    if (t == 28 || t == 29) return 100 * A / (100 - h); // before a fall by h percent
    return 100 * A / h;                                 // the base of which A is h percent
}

void Over_obrazovku(Hra &h, int varianta)
{
    const int pocet = Misc::Pocet_prikladu;
    std::set<int> vzory, pary;
    for (int i = 1; i <= pocet; ++i) {
        SCOPED_TRACE(i);
        const Misc::Vzor_prikladu &R = Misc::Vzory[Misc::Vybrany_vzor[size_t(i)]];
        const QString text = h.TZ1(i)->Caption;
        auto cisla = Dosadene(R.Zadani(1), text);
        platform::TextBox *bunka = varianta == 1 ? h.TV1(i) : h.TV4(i);
        const double x = Cislo(bunka->Tag);
        EXPECT_EQ(x, std::round(x)) << "whole answer";
        EXPECT_TRUE(bunka->Visible && !bunka->Locked && bunka->Text().isEmpty());
        if (varianta == 1) {
            EXPECT_NEAR(x, Odpoved_1(R.Zadani_radek(), cisla), 1e-9);
            continue;
        }
        const int t = R.Zadani_radek().toInt(), q = h.Pouzite_hodnoty[size_t(i)];
        EXPECT_NEAR(x, Odpoved_2(t, cisla), 1e-9) << text.toStdString();
        const QString prvy = t >= 11 && t <= 20 ? "AA" : "xx", druhy = t >= 11 && t <= 20 ? "BB" : "AA";
        EXPECT_EQ(cisla[prvy], Cislo(R.Zadani(q)));
        EXPECT_EQ(cisla[druhy], Cislo(R.Zadani(q + 1)));
        vzory.insert(Misc::Vybrany_vzor[size_t(i)]);
        pary.insert(q);
        EXPECT_TRUE(h.TV1(i)->Tag().isEmpty()) << "only the last cell is judged";
    }
    if (varianta == 2) {
        EXPECT_EQ(int(vzory.size()), pocet) << "word problems differ on a screen";
        if (Misc::Pocet_vzoru() > 5) {
            EXPECT_EQ(int(pary.size()), pocet) << "pair indices differ on a screen";
        }
    }
}

TEST_F(Priklady19, EveryAnswerComesFromTheNumbersOfItsText)
{
    for (int varianta : {1, 2}) {
        SCOPED_TRACE(varianta);
        Hra &h = Nacitaj("19", varianta, varianta == 1 ? 25 : 20);
        std::set<int> predosle;
        quint32 seria = 0;
        Kazda_seria(h, [&](quint32 s) {
            Over_obrazovku(h, varianta);
            const std::set<int> tieto(Misc::Vybrany_vzor.begin() + 1, Misc::Vybrany_vzor.begin() + 1 + Misc::Pocet_prikladu);
            for (int v : tieto)
                EXPECT_TRUE(varianta == 1 || s != seria || !predosle.count(v)) << "record " << v << " again";
            predosle = tieto;
            seria = s;
        });
        platform::FakeRandom nahoda({0.0f}); // a random sequence stuck on one value still fills the screen
        platform::ScopedService<platform::RandomSource> g(nahoda);
        Over_obrazovku(Nacitaj("19", varianta, 8), varianta);
    }
}

TEST_F(Priklady19, BrokenTemplateDataCannotHoldTheScreen)
{
    const struct {
        const char *nazov;
        int varianta;
        QStringList riadky;
        const char *ukazane; // examples shown, "1" or "0" each
    } Pripady[] = {
        {"one pair shared by four examples", 2,
         {"2#1#A xx AA#10/10", "2#2#B xx AA#10/10", "2#3#C xx AA#10/10", "2#6#D xx AA#10/10", "2#7#E xx AA#10/10"},
         "1111"},
        {"four sound word problems for a series of eight, pieces that are no numbers, unknown sub-types", 2,
         {"2#1#A xx AA#a/b/10/10/20/20/30/30/40/40", "2#31#B xx AA#10/10", "2#x#C#10/10",
          "2#2#D xx AA#10/10/20/20/30/30/40/40", "2#3#E xx AA#10/10/20/20/30/30/40/40",
          "2#6#F xx AA#10/10/20/20/30/30/40/40", "2#7#G xx AA#10/10/20/20/30/30/40/40"},
         "1111"},
        {"no record gives a whole answer", 2, {"2#12#AA z BB#3/1/7/1/9/1/11/1"}, "0000"},
        {"an answer of no finite value", 2, {"2#21#AA je xx#0/10"}, "0000"},
        {"a sub-type of variant 1 that does not exist", 1, {"1#4#AA", "1#1#xx % z AA"}, "11111"},
    };
    Hra &h = Nacitaj("19", 2, 8);
    for (const auto &p : Pripady) {
        SCOPED_TRACE(p.nazov);
        Misc::Varianta_ulohy = quint8(p.varianta);
        Misc::Vzory = Misc::Precti_vzory(QStringList{QStringLiteral("[19]")} + p.riadky, "19", p.varianta).vzory;
        Misc::Pocet_prikladu = p.varianta == 1 ? 5 : 4;
        Misc::Pocet_zbyvajicich_prikladu = 8;
        Randomize_seed(7);
        const qsizetype sprav = box.AskedBoxes().size();
        h.Vygeneruj_priklad_19(true);
        QString ukazane;
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
            ukazane += h.TZ1(i)->Visible ? u'1' : u'0';
            EXPECT_EQ(h.TZ1(i)->Visible, h.Priklad_vytvoreny[size_t(i)]) << "an example left out is not counted";
        }
        EXPECT_EQ(ukazane, QLatin1String(p.ukazane));
        EXPECT_EQ(box.AskedBoxes().size() - sprav, ukazane.contains(u'0') ? 1 : 0) << "the examples left out are said";
        if (ukazane.contains(u'1'))
            Over_obrazovku(h, p.varianta);
    }
}

} // namespace
