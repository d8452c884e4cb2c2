#include "exercise/generators/Dva_zlomky.h"

#include "expr/Zapis_vyrazu.h"

using namespace Generovanie;

namespace Dva_zlomky {

bool Strany(frm_Game01 &f, int i, const Misc::Vzor_prikladu &vzor, const Pismena &pismena)
{
    for (int s = 1; s <= Misc::Max_kusu; ++s) {
        QString &strana = f.Zadani_prikladu(s, i);
        strana.clear();
        f.Pom_tabulka_1(s, i).clear();
        f.Pom_tabulka_2(s, i).clear();
        if (!Pridaj_kusy(f, strana, [&](int k) { return vzor.Zadani_strany(s, k); }, pismena, u"xyz/"))
            return false;
        if (strana.isEmpty())
            continue;
        strana = Uprav_znamenka(Vypocitej_exponenty(Preved_na_zobrazeni(strana), f.Evaluator_formulara()));
        if (!Rozdel_zlomok(strana, f.Pom_tabulka_1(s, i), f.Pom_tabulka_2(s, i)))
            return false;
    }
    return true;
}

bool Vysledok(frm_Game01 &f, const std::function<QString(int)> &kus, const Pismena &pismena, QString &citatel,
              QString &menovatel, bool moze_chybat)
{
    citatel.clear();
    menovatel.clear();
    QString text;
    if (!Pridaj_kusy(f, text, kus, pismena, u"xyz~/"))
        return false;
    if (text.isEmpty() && moze_chybat)
        return true;
    return Rozdel_zlomok(Uprav_znamenka(Preved_na_zobrazeni(text)), citatel, menovatel);
}

namespace {

void Otvor_bunku(platform::TextBox *t, const std::optional<QString> &tag)
{
    Otvor(t);
    if (tag)
        t->Tag = *tag;
    t->Alignment = 2;
}

// A fraction's lines in a label column: the lower one 21 pixels below.
void Zlomok(platform::Label *hore, platform::Label *dole, const QString &citatel, const QString &menovatel)
{
    Popis(hore, citatel);
    hore->Visible = true;
    dole->Top = hore->Top + 21;
    Popis(dole, menovatel);
    dole->Visible = true;
}

// An answer fraction: its "=" on the upper line, 24 pixels above the
// lower row's place, and its two cells.
void Odpoved(platform::Label *hore_znak, platform::Label *dole_znak, platform::TextBox *hore,
             platform::TextBox *dole, const std::optional<QString> &citatel, const std::optional<QString> &menovatel)
{
    hore_znak->Top = dole_znak->Top - 24;
    hore_znak->Visible = true;
    dole_znak->Visible = false;
    hore_znak->Alignment = 2;
    Otvor_bunku(hore, citatel);
    dole->Top = hore->Top + 21;
    Otvor_bunku(dole, menovatel);
}

} // namespace

void Zobraz(frm_Game01 &f, int i, const QString &znamienko, bool druhy_vysledok)
{
    const int u = 2 * i - 1, l = 2 * i;
    Ramcek(f, f.TZ1(u), f.TV2(u), 53);
    for (const platform::Control *c : std::initializer_list<const platform::Control *>{f.TZ1(u), f.TZ2(u),
                                       f.TV1(u), f.TV2(u)})
        Ciara_pod(f, c);
    Zlomok(f.TZ1(u), f.TZ1(l), f.Pom_tabulka_1(1, i), f.Pom_tabulka_2(1, i));
    f.TZR(u)->Caption = znamienko;
    f.TZR(u)->Top = f.TZ1(u)->Top + 10;
    f.TZR(u)->Visible = true;
    f.TZR(l)->Visible = false;
    Zlomok(f.TZ2(u), f.TZ2(l), f.Pom_tabulka_1(2, i), f.Pom_tabulka_2(2, i));
    // Task 14 leaves the first column's Tags as they were.
    const auto druhy = [&](int r) { return druhy_vysledok ? std::optional(f.Vysledek_prikladu_3(r, i)) : std::nullopt; };
    Odpoved(f.TR1(u), f.TR1(l), f.TV1(u), f.TV1(l), druhy(1), druhy(2));
    Odpoved(f.TR2(u), f.TR2(l), f.TV2(u), f.TV2(l), f.Vysledek_prikladu(1, i), f.Vysledek_prikladu(2, i));
}

void Skry(frm_Game01 &f, int i)
{
    Skry_zlomok(f, i);
    for (int r : {2 * i - 1, 2 * i}) {
        f.TZR(r)->Visible = false;
        f.TZ2(r)->Visible = false;
    }
}

} // namespace Dva_zlomky
