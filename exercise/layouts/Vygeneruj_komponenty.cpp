// The answer-sheet layouts of the exercise screen and the choice of one by
// the task. Each runs once on a freshly loaded form.
#include "exercise/frm_Game01.h"

namespace {

using Harok::Chyba_ulohy;

QString Bez_varianty(const QString &uloha, int varianta)
{
    return QStringLiteral("Úloha %1 má varianty 1 a 2, zvolená je %2: hárok sa nedá zostaviť.").arg(uloha).arg(varianta);
}

} // namespace

void frm_Game01::Vygeneruj_komponenty_01()
{
    Harok::Vykonaj(*this, Harok::Rozlozenie_01(Zvolena_uloha.Cislo_ulohy == QLatin1String("12")));
}

void frm_Game01::Vygeneruj_komponenty_04() { Harok::Vykonaj(*this, Harok::Rozlozenie_04()); }
void frm_Game01::Vygeneruj_komponenty_19_2() { Harok::Vykonaj(*this, Harok::Rozlozenie_19_2()); }
void frm_Game01::Vygeneruj_komponenty_13() { Harok::Vykonaj(*this, Harok::Rozlozenie_13()); }
void frm_Game01::Vygeneruj_komponenty_11() { Harok::Vykonaj(*this, Harok::Rozlozenie_11()); }
void frm_Game01::Vygeneruj_komponenty_20() { Harok::Vykonaj(*this, Harok::Rozlozenie_20()); }
void frm_Game01::Vygeneruj_komponenty_15() { Harok::Vykonaj(*this, Harok::Rozlozenie_15()); }
void frm_Game01::Vygeneruj_komponenty_16() { Harok::Vykonaj(*this, Harok::Rozlozenie_16()); }
void frm_Game01::Vygeneruj_komponenty_18() { Harok::Vykonaj(*this, Harok::Rozlozenie_18()); }

void frm_Game01::Vygeneruj_komponenty_17()
{
    using enum Harok::Pole;
    Harok::Vykonaj(*this, Harok::Rozlozenie_17_hlavicka());
    // Line 12 (the conditions) goes under line 1: lines 2 to 11 move one
    // step down, ascending, so each takes the place of the line below it.
    const Harok::Pole riadok[] = {TZR, TV1, TV2, TR1, TV3};
    for (int i = 2; i <= 11; ++i)
        for (Harok::Pole p : riadok)
            Prvok(p, i)->Top = Prvok(p, i + 1)->Top;
    for (Harok::Pole p : riadok)
        Prvok(p, 12)->Top = Prvok(p, 2)->Top - (Prvok(p, 3)->Top - Prvok(p, 2)->Top) + 10;
    Harok::Vykonaj(*this, Harok::Rozlozenie_17_poradie());
}

void frm_Game01::Vygeneruj_komponenty_21()
{
    // Checked before anything is placed: another variant has no table.
    const int varianta = Zvolena_uloha.Varianta_ulohy;
    if (varianta != 1 && varianta != 2)
        throw Chyba_ulohy(Bez_varianty(QStringLiteral("21"), varianta).toStdString());
    Harok::Vykonaj(*this, Harok::Rozlozenie_21(varianta));
}

void frm_Game01::Vygeneruj_komponenty_ulohy()
{
    const QString &uloha = Zvolena_uloha.Cislo_ulohy;
    const int varianta = Zvolena_uloha.Varianta_ulohy;
    const struct {
        const char *ulohy;
        void (frm_Game01::*metoda)();
    } volby[] = {
        {" 1 2 3 12 ", &frm_Game01::Vygeneruj_komponenty_01},
        {" 4 5 6 7 8 9 10 ", &frm_Game01::Vygeneruj_komponenty_04},
        {" 11 ", &frm_Game01::Vygeneruj_komponenty_11},
        {" 13 14 ", &frm_Game01::Vygeneruj_komponenty_13},
        {" 15 ", &frm_Game01::Vygeneruj_komponenty_15},
        {" 16 ", &frm_Game01::Vygeneruj_komponenty_16},
        {" 17 ", &frm_Game01::Vygeneruj_komponenty_17},
        {" 18 ", &frm_Game01::Vygeneruj_komponenty_18},
        {" 20 ", &frm_Game01::Vygeneruj_komponenty_20},
        {" 21 ", &frm_Game01::Vygeneruj_komponenty_21},
    };
    if (uloha == QLatin1String("19")) {
        if (varianta != 1 && varianta != 2)
            throw Chyba_ulohy(Bez_varianty(uloha, varianta).toStdString());
        varianta == 1 ? Vygeneruj_komponenty_04() : Vygeneruj_komponenty_19_2();
        return;
    }
    for (const auto &v : volby)
        if (!uloha.isEmpty() && !uloha.contains(' ') && QString::fromLatin1(v.ulohy).contains(' ' + uloha + ' ')) {
            (this->*v.metoda)();
            return;
        }
    throw Chyba_ulohy(QStringLiteral("Úloha „%1“ nemá hárok odpovedí.").arg(uloha).toStdString());
}
