#pragma once
// Generator tests: screens made with fixed seeds, templates of the test's
// own, and the value of a displayed expression through the engine.
#include "support/Hra.h"
#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Random.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Runtime.h"

#include <QElapsedTimer>
#include <QSet>
#include <cmath>
#include <set>

namespace hra_test {

// The templates of the current task, as the load would read them.
inline void Vzory(const char *uloha, const QStringList &riadky)
{
    Misc::Vzory = Misc::Precti_vzory(QStringList{QStringLiteral("[%1]").arg(QLatin1String(uloha))} + riadky,
                                     QLatin1String(uloha), 0)
                      .vzory;
}

// A displayed text's value at (x, y) as the form reads it; ":" is the
// school's sign of division.
inline std::optional<double> Hodnota(frm_Game01 &f, QString zobrazeny, double x, double y = 0)
{
    return Prevedeni_vstupu_na_vysledek(f.Evaluator_formulara(), zobrazeny.replace(u':', u'/'), x, y, 0);
}

// The example as the pupil sees it: its assignment pieces, the numerator
// line of a task 3 fraction and the operation of tasks 13 and 14.
inline QString Zadanie_prikladu(frm_Game01 &h, int i)
{
    QStringList k{h.Pom_tabulka_1(1, i)};
    if (Misc::Cislo_ulohy == QLatin1String("13") || Misc::Cislo_ulohy == QLatin1String("14"))
        k << h.TZR(2 * i - 1)->Caption;
    for (int s = 1; s <= 50; ++s)
        k << h.Zadani_prikladu(s, i);
    return k.join(u'|');
}

// The shipped templates as a pupil meets them: Serii series, each the
// longest that the setup screen offers (25 examples, 20 in task 19 b),
// screen after screen from one seed. A pupil should seldom see an example
// twice in a series and hardly ever on one screen.
inline constexpr int Serii = 200;
inline constexpr double Opakovanych_na_seriu = 0.5, Obrazoviek_s_opakovanim = 0.02;

// Every screen of the series goes to `obrazovka`, traced with its first
// example's template; every template but the
// `nelosovane` last ones must be drawn. The form shrinks to one pixel:
// drawing is most of a screen's time and no example depends on it.
template <class F> void Kazda_seria(frm_Game01 &h, F &&obrazovka, int nelosovane = 0)
{
    const int strop = Misc::Pocet_prikladu;
    const int dlzka = Misc::Cislo_ulohy == QLatin1String("19") && Misc::Varianta_ulohy == 2 ? 20 : 25;
    h.Width = h.Height = int(platform::Screen::TwipsPerPixelX);
    std::set<int> vzory;
    int opakovane = 0, obrazoviek = 0, s_opakovanim = 0;
    for (quint32 s = 1; s <= Serii; ++s) {
        Randomize_seed(s);
        QSet<QString> v_serii;
        for (int zostava = dlzka; zostava > 0; zostava -= Misc::Pocet_prikladu) {
            Misc::Pocet_prikladu = std::min(strop, zostava);
            Misc::Pocet_zbyvajicich_prikladu = zostava;
            (h.*h.Nastavenie_obrazovky.Generator)(zostava == dlzka);
            QSet<QString> na_obrazovke;
            for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
                const QString z = Zadanie_prikladu(h, i);
                vzory.insert(Misc::Vybrany_vzor[i]);
                opakovane += v_serii.contains(z);
                v_serii << z;
                na_obrazovke << z;
            }
            ++obrazoviek;
            s_opakovanim += na_obrazovke.size() < Misc::Pocet_prikladu;
            SCOPED_TRACE(QStringLiteral("seed %1, template %2").arg(s).arg(Misc::Vybrany_vzor[1]).toStdString());
            obrazovka(s);
        }
    }
    const std::string uloha = "task " + Misc::Cislo_ulohy.toStdString();
    EXPECT_GT(Misc::Pocet_vzoru(), 3) << "templates of " << uloha;
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru() - nelosovane) << "every template drawn, " << uloha;
    EXPECT_LE(double(opakovane) / Serii, Opakovanych_na_seriu) << "repeated examples per series, " << uloha;
    EXPECT_LE(double(s_opakovanim) / obrazoviek, Obrazoviek_s_opakovanim) << "screens with a repeat, " << uloha;
    Misc::Pocet_prikladu = strop;
}

template <class Zaklad> class Generatory_test : public Zaklad {
protected:
    void Obrazovka_so_semienkom(Hra &h, quint32 seed)
    {
        Randomize_seed(seed);
        (h.*h.Nastavenie_obrazovky.Generator)(false);
    }
    // Loads `uloha` and gives `chyby_prikladu`(h, i) every example of every
    // series; the faults it names fail the test, and so does a template never
    // drawn (but the `nelosovane` last ones).
    template <class F> void Kazdy_priklad_ulohy(const char *uloha, F &&chyby_prikladu, int nelosovane = 0)
    {
        Hra &h = this->Nacitaj(uloha, 0, 5);
        QStringList chyby;
        Kazda_seria(h, [&](quint32 s) {
            for (int i = 1; i <= Misc::Pocet_prikladu; ++i)
                for (const QString &c : chyby_prikladu(h, i))
                    chyby << QStringLiteral("seed %1, template %2: ").arg(s).arg(Misc::Vybrany_vzor[i]) + c;
        }, nelosovane);
        EXPECT_TRUE(chyby.isEmpty()) << "task " << uloha << "\n" << chyby.mid(0, 8).join('\n').toStdString();
    }
    // The screen of seed 7 from the one template `sablona` of `uloha`, as
    // `stav` reads it, or "-" when no example came; either way soon, with a
    // message only when no example came. The first column starts with stale
    // Tags "?".
    template <class F> QString Z_jedneho_vzoru(const char *uloha, const char *sablona, F &&stav)
    {
        Hra &h = this->Nacitaj(uloha, 0, 2);
        Vzory(uloha, {QString::fromUtf8(sablona)});
        EXPECT_EQ(Misc::Pocet_vzoru(), 1);
        h.TV1(1)->Tag = h.TV1(2)->Tag = QStringLiteral("?");
        const qsizetype boxov = this->box.AskedBoxes().size();
        QElapsedTimer cas;
        cas.start();
        Obrazovka_so_semienkom(h, 7);
        EXPECT_LT(cas.elapsed(), 20000) << "a template that never passes is given up";
        const QString ziskane = stav(h);
        EXPECT_EQ(this->box.AskedBoxes().size() - boxov, ziskane == QLatin1String("-") ? 1 : 0) << "one message per screen";
        EXPECT_EQ(h.Priklad_vytvoreny[1], ziskane != QLatin1String("-")) << "an example given up is not counted";
        return ziskane;
    }
    // Empty when the two displayed expressions agree at a few points.
    QString Rozdiel(const QString &zadanie, const QString &odpoved)
    {
        for (auto [x, y] : {std::pair{1.5, -0.5}, std::pair{-2.5, 3.5}, std::pair{0.7, 1.3}}) {
            const auto a = Hodnota(*this->hra, zadanie, x, y), b = Hodnota(*this->hra, odpoved, x, y);
            if (!a || !b)
                return QStringLiteral("no value");
            if (std::abs(*a - *b) > 1e-9 * std::max(1.0, std::abs(*a)))
                return QStringLiteral("%1 <> %2 at x=%3").arg(*a).arg(*b).arg(x);
        }
        return {};
    }
};

} // namespace hra_test
