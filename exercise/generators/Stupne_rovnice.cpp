#include "exercise/generators/Stupne_rovnice.h"
#include "exercise/generators/Generovanie.h"

#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "expr/EEvaluator.h"
#include "expr/Nsd.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Services.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>
#include <cmath>

namespace Stupne {

namespace {

// A template is kept this many passes before another is drawn.
constexpr int Priechodov_so_vzorom = 500;
// Passes of one example in all: the templates of a sound task give an
// example long before, broken ones must not hold the screen for ever.
constexpr int Najviac_priechodov = 5000;
constexpr float Hranica_hodnoty = 1000;
// Draws of the parameters for one pass: every rule of a sound template is
// met within a few.
constexpr int Najviac_losovani = 1000;

bool Je_text_vysledku(const QString &kus, bool zatvorka_je_text)
{
    return kus.contains(u'/') || kus.contains(u'x') || kus.contains(u'=') || kus == u"-"
           || (zatvorka_je_text && kus.contains(u')') && !kus.contains(u'('));
}

// Where a line is split into its two sides: its "=", or for an inequality
// its first ">" or else its first "<"; -1 when it has no such sign.
qsizetype Znamienko_vztahu(const QString &riadok, bool nerovnica)
{
    if (!nerovnica)
        return riadok.indexOf(u'=');
    const qsizetype vacsi = riadok.indexOf(u'>');
    return vacsi >= 0 ? vacsi : riadok.indexOf(u'<');
}

} // namespace

void Pismena::Nastav(char pismeno, const QString &text) { texty[size_t(pismeno - 'A')] = text; }

QString Pismena::Dosad(QStringView kus) const
{
    QString vysledok;
    vysledok.reserve(kus.size() + 8);
    for (QChar c : kus) {
        const char16_t velke = c.toUpper().unicode();
        if (velke >= u'A' && velke <= u'Z' && !texty[velke - u'A'].isEmpty())
            vysledok += texty[velke - u'A'];
        else
            vysledok += c;
    }
    return vysledok;
}

Pismena Parametre(const frm_Game01 &f)
{
    Pismena p;
    const float hodnoty[] = {f.Par_A, f.Par_B, f.Par_C, f.Par_D, f.Par_E, f.Par_F};
    for (int k = 0; k < 6; ++k)
        p.Nastav(char('A' + k), FormatNumber(hodnoty[k], 7));
    return p;
}

void Losuj_parametre(frm_Game01 &f)
{
    for (float *p : {&f.Par_A, &f.Par_B, &f.Par_C, &f.Par_D, &f.Par_E, &f.Par_F})
        *p = float(Generovanie::Los_vzoru(4) + 1);
}

bool Losuj_vyhovujuce(frm_Game01 &f, const std::function<bool()> &vyhovuje)
{
    for (int losovani = 0; losovani < Najviac_losovani; ++losovani) {
        Losuj_parametre(f);
        f.Vyber_vyhovuje = vyhovuje();
        if (f.Vyber_vyhovuje)
            return true;
    }
    return false;
}

Hodnota Vycisli(cEEvaluator &vypocet, const QString &kus)
{
    const EValue v = vypocet.Evaluate(kus, 0, 0, 0);
    if (v.status == EValue::Status::CompileFailed)
        return {Stav::Chybny_zapis, {}};
    if (!v.ok())
        return {Stav::Chyba_vypoctu, {}};
    const float hodnota = float(v.value);
    if (!(std::fabs(hodnota) <= Hranica_hodnoty))
        return {Stav::Mimo_rozsah, {}};
    const QString text = FormatNumber(v.value);
    return {Stav::Ok, hodnota < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text};
}

Priechod Z_hodnoty(Stav stav)
{
    switch (stav) {
    case Stav::Ok: return Priechod::Prijaty;
    case Stav::Chybny_zapis: return Priechod::Zly_vzor;
    case Stav::Mimo_rozsah:
    case Stav::Chyba_vypoctu: break;
    }
    return Priechod::Zamietnuty;
}

bool Hladaj_priklad(frm_Game01 &f, int priklad, const std::function<Priechod(int vzor)> &priechod)
{
    if (Misc::Pocet_vzoru() == 0)
        return false;
    f.Pokus = 1;
    for (int n = 0; n < Najviac_priechodov; ++n) {
        if (f.Pokus == 1)
            Misc::Vybrany_vzor[size_t(priklad)] = Generovanie::Los_vzoru(Misc::Pocet_vzoru());
        f.Prijato = false;
        ++f.Pokus;
        const Priechod p = priechod(Misc::Vybrany_vzor[size_t(priklad)]);
        if (p == Priechod::Prijaty) {
            f.Prijato = true;
            return true;
        }
        if (p == Priechod::Zly_vzor || f.Pokus >= Priechodov_so_vzorom)
            f.Pokus = 1;
    }
    return false;
}

Priechod Zostav_rovnicu(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i,
                        bool nerovnica)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (int j = 1; j <= 50; ++j) {
        f.Pom_j = qint16(j);
        f.Zadani_prikladu(j, i).clear();
        f.Pom_text[1].clear();
        if (!vzor.Zadani(j).isEmpty()) {
            f.Zadani_prikladu(j, i) = pismena.Dosad(vzor.Zadani(j));
            if (f.Zadani_prikladu(j, i).contains(u'x')) {
                f.Pom_text[1] = f.Zadani_prikladu(j, i);
            } else {
                const Hodnota h = Vycisli(vypocet, f.Zadani_prikladu(j, i));
                if (h.stav != Stav::Ok)
                    return Z_hodnoty(h.stav);
                f.Pom_text[1] = h.text;
            }
        }
        f.Zadani_prikladu(j, i) = Vypocitej_exponenty(f.Pom_text[1], vypocet);
    }
    for (int j = 2; j <= 50; ++j)
        f.Zadani_prikladu(1, i) += f.Zadani_prikladu(j, i);
    const qsizetype rovna_sa = Znamienko_vztahu(f.Zadani_prikladu(1, i), nerovnica);
    if (rovna_sa < 0)
        return Priechod::Zly_vzor;
    f.Leva_strana[1] = f.Zadani_prikladu(1, i).left(rovna_sa);
    f.Prava_strana[1] = f.Zadani_prikladu(1, i).mid(rovna_sa + 1);
    for (QString *strana : {&f.Leva_strana[1], &f.Prava_strana[1]})
        *strana = Zjednodus_zapis(Uprav_znamenka(Preved_na_zobrazeni(*strana)), true);
    return Priechod::Prijaty;
}

void Zostav_zlomky(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (int j = 1; j <= 50; ++j) {
        f.Pom_j = qint16(j);
        f.Zadani_prikladu(j, i).clear();
        f.Pom_text[1].clear();
        // A term that an earlier template had must not show in this one.
        f.Pom_tabulka_1(j, i).clear();
        f.Pom_tabulka_2(j, i).clear();
        if (vzor.Zadani(j).isEmpty())
            continue;
        QString kus = pismena.Dosad(vzor.Zadani(j));
        kus = Uprav_znamenka(Vypocitej_exponenty(Preved_na_zobrazeni(kus), vypocet));
        f.Zadani_prikladu(j, i) = kus;
        const qsizetype lomka = kus.indexOf(u'/');
        f.Pom_tabulka_1(j, i) = lomka < 0 ? kus : kus.left(lomka);
        if (lomka >= 0)
            f.Pom_tabulka_2(j, i) = kus.mid(lomka + 1);
    }
}

bool Nastav_druh(frm_Game01 &f, const Misc::Vzor_prikladu &vzor)
{
    if (vzor.Druh() == u"vzorec")
        f.Je_zlomek = false;
    else if (vzor.Druh() == u"zlomek")
        f.Je_zlomek = true;
    else
        return false;
    return true;
}

Priechod Zostav_zadanie(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i,
                        bool nerovnica)
{
    if (!f.Je_zlomek)
        return Zostav_rovnicu(f, vzor, pismena, i, nerovnica);
    Pismena s_k = pismena;
    s_k.Nastav('K', QString::number(f.Par_K));
    Zostav_zlomky(f, vzor, s_k, i);
    return Priechod::Prijaty;
}

Priechod Zostav_riadky(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena,
                       bool zatvorka_je_text, bool hodnota_x, bool nerovnica)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    Tabulka_prikladov &v = f.Vysledek_prikladu;
    for (int r = 1; r <= 50; ++r) {
        f.Radek = qint16(r);
        for (int k = 1; k <= 50; ++k) {
            v(r, k).clear();
            const QString sablona = vzor.Vysledek2(r, k);
            if (sablona.isEmpty())
                continue;
            const QString kus = Vypocitej_exponenty(pismena.Dosad(sablona), vypocet);
            if (Je_text_vysledku(kus, zatvorka_je_text)) {
                v(r, k) = kus;
                continue;
            }
            const Hodnota h = Vycisli(vypocet, kus);
            if (h.stav != Stav::Ok)
                return Z_hodnoty(h.stav);
            v(r, k) = h.text;
        }
        for (int k = 1; k <= 50; ++k) {
            v(r, k) = Preved_na_zobrazeni(v(r, k));
            if (k >= 2)
                v(r, 1) += v(r, k);
        }
        v(r, 1) = Uprav_znamenka(Preved_na_zobrazeni(v(r, 1)));
        if (!v(r, 1).isEmpty()) {
            const qsizetype rovna_sa = Znamienko_vztahu(v(r, 1), nerovnica);
            v(r, 2) = rovna_sa < 0 ? QString() : v(r, 1).mid(rovna_sa + 1);
            if (nerovnica)
                v(r, 3) = rovna_sa < 0 ? QString() : v(r, 1).mid(rovna_sa, 1);
            v(r, 1) = rovna_sa < 0 ? v(r, 1) : v(r, 1).left(rovna_sa);
        }
        v(r, 2) = Zjednodus_zapis(v(r, 2), true);
        v(r, 1) = Zjednodus_zapis(v(r, 1), true);
    }
    // Without a solution that can be read the result cells would judge the
    // pupil against nothing, or against the example before.
    const Vysledok riesenie = Vysledok_rovnice(v);
    if (!riesenie.platny)
        return riesenie.nulovy_menovatel ? Priechod::Zamietnuty : Priechod::Zly_vzor;
    if (hodnota_x) {
        const EValue x = vypocet.Evaluate(v(riesenie.riadok, 2), 0, 0, 0);
        if (!x.ok())
            return Priechod::Zamietnuty;
        f.Hodnota_X_kontroly = x.value;
    }
    return Priechod::Prijaty;
}

Vysledok Vysledok_rovnice(const Tabulka_prikladov &Vysledek_prikladu)
{
    Vysledok v;
    for (int r = 50; r >= 1 && v.riadok == 0; --r)
        if (Vysledek_prikladu(r, 1) == u"x")
            v.riadok = r;
    if (v.riadok == 0)
        return v;
    const QString &prava = Vysledek_prikladu(v.riadok, 2);
    const qsizetype lomka = prava.indexOf(u'/');
    if (lomka < 0) {
        v.cele = prava;
        v.platny = ParseNumber(prava).has_value();
        return v;
    }
    const std::optional<double> a = ParseNumber(Zjednodus_zapis(prava.left(lomka), true));
    const std::optional<double> b = ParseNumber(Zjednodus_zapis(prava.mid(lomka + 1), true));
    v.nulovy_menovatel = b && *b == 0;
    if (!a || !b || *b == 0)
        return v;
    v.platny = true;
    // Divisible, 0 among them, is whole; the divisor of 0 would be taken for 1.
    if (std::fmod(*a, *b) == 0) {
        v.cele = FormatNumber(*a / *b);
        return v;
    }
    double g = Misc::Najdi_NSD(*a, *b);
    if (*b / g < 0) // the minus goes above the bar
        g = -g;
    v.citatel = FormatNumber(*a / g);
    v.menovatel = FormatNumber(*b / g);
    return v;
}

bool Vygeneruj_priklady(frm_Game01 &f, const std::function<Priechod(int priklad, int vzor)> &priechod)
{
    const int pocet = Misc::Pocet_prikladu;
    for (f.Priklad = 1; f.Priklad <= pocet; ++f.Priklad) {
        const int i = f.Priklad;
        if (!Hladaj_priklad(f, i, [&priechod, i](int t) { return priechod(i, t); }))
            return false;
    }
    return true;
}

} // namespace Stupne
