#include "exercise/Gramatika_vzoru.h"

namespace Misc {

namespace {

using Pole = Vzor_prikladu::Pole;

enum class Skupina { Ziadna, Ulohy_1_3, Ulohy_4_12, Uloha_10, Ulohy_11_18, Ulohy_13_14, Uloha_19 };

enum class Kluc { Ziadny, Zadani, Vysledek, Vysledek3, Vysledek4, Overeni };

Skupina Skupina_ulohy(const QString &uloha)
{
    static const struct {
        const char *ulohy;
        Skupina skupina;
    } skupiny[] = {
        {" 1 2 3 ", Skupina::Ulohy_1_3},
        {" 4 5 6 7 8 9 12 ", Skupina::Ulohy_4_12},
        {" 10 ", Skupina::Uloha_10},
        {" 11 15 16 17 18 ", Skupina::Ulohy_11_18},
        {" 13 14 ", Skupina::Ulohy_13_14},
        {" 19 ", Skupina::Uloha_19},
    };
    if (uloha.isEmpty() || uloha.contains(QLatin1Char(' ')))
        return Skupina::Ziadna;
    const QString hladane = QLatin1Char(' ') + uloha + QLatin1Char(' ');
    for (const auto &s : skupiny)
        if (QLatin1String(s.ulohy).contains(hladane))
            return s.skupina;
    return Skupina::Ziadna;
}

// Counters stop one past every table, so a runaway counter stays out of range.
void Zvys(int &pocitadlo)
{
    if (pocitadlo <= Max_zadani)
        ++pocitadlo;
}

// Each reader below returns false when a piece lies beyond the tables.

// Tasks 1-3: "#" or "$" counts markers: 1 assignment, from 2 on results.
bool Rozober_1_3(const QString &riadok, Vzor_prikladu &vzor)
{
    int znacky = 0;
    for (QChar ch : riadok) {
        if (ch == u'#' || ch == u'$') {
            Zvys(znacky);
        } else if (ch == u';') {
            break;
        } else if (znacky == 0) {
            vzor.Pridaj_do_druhu(ch);
        } else if (znacky == 1) {
            vzor.Pridaj_do_zadani_radku(ch);
        } else if (!vzor.Pridaj(Pole::Vysledek, znacky - 1, 0, ch)) {
            return false;
        }
    }
    return true;
}

// Tasks 4-9, 12: "$" assignment piece, "#" result piece, "&" its alternative.
// Task 10: the same without "&", results go to Vysledek2(1, r).
bool Rozober_4_12(const QString &riadok, Vzor_prikladu &vzor, bool uloha_10)
{
    Kluc kluc = Kluc::Ziadny;
    int a = 0, r = 0;
    for (QChar ch : riadok) {
        bool ok = true;
        if (ch == u'$') {
            Zvys(a), kluc = Kluc::Zadani;
        } else if (ch == u'#') {
            Zvys(r), kluc = Kluc::Vysledek;
        } else if (ch == u'&' && !uloha_10) {
            kluc = Kluc::Vysledek3;
        } else if (ch == u';') {
            break;
        } else if (kluc == Kluc::Ziadny) {
            vzor.Pridaj_do_druhu(ch);
        } else if (kluc == Kluc::Zadani) {
            ok = vzor.Pridaj(Pole::Zadani, a, 0, ch);
        } else if (kluc == Kluc::Vysledek) {
            ok = uloha_10 ? vzor.Pridaj(Pole::Vysledek2, 1, r, ch) : vzor.Pridaj(Pole::Vysledek, r, 0, ch);
        } else {
            ok = vzor.Pridaj(Pole::Vysledek3, r, 1, ch);
        }
        if (!ok)
            return false;
    }
    return true;
}

// Tasks 11, 15-18: "#" result piece in columns ("@" next column), "&" and "|"
// second and third tables, "%" verification piece.
bool Rozober_11_18(const QString &riadok, Vzor_prikladu &vzor)
{
    Kluc kluc = Kluc::Ziadny;
    int a = 0, r = 0, c2 = 0, c3 = 0, v = 0;
    for (QChar ch : riadok) {
        bool ok = true;
        switch (ch.unicode()) {
        case u'$': Zvys(a), kluc = Kluc::Zadani; break;
        case u'#': Zvys(r), c2 = 1, kluc = Kluc::Vysledek; break;
        case u'&': c3 = 1, kluc = Kluc::Vysledek3; break;
        case u'|': c3 = 1, kluc = Kluc::Vysledek4; break;
        case u'@': Zvys(c2), Zvys(c3); break;
        case u'%': Zvys(v), kluc = Kluc::Overeni; break;
        case u';': return true;
        default:
            switch (kluc) {
            case Kluc::Ziadny: vzor.Pridaj_do_druhu(ch); break;
            case Kluc::Zadani: ok = vzor.Pridaj(Pole::Zadani, a, 0, ch); break;
            case Kluc::Vysledek: ok = vzor.Pridaj(Pole::Vysledek2, r, c2, ch); break;
            case Kluc::Vysledek3: ok = vzor.Pridaj(Pole::Vysledek3, r, c3, ch); break;
            case Kluc::Vysledek4: ok = vzor.Pridaj(Pole::Vysledek4, r, c3, ch); break;
            case Kluc::Overeni: ok = vzor.Pridaj(Pole::Vysledek, v, 0, ch); break;
            }
        }
        if (!ok)
            return false;
    }
    return true;
}

// Tasks 13, 14: "$" pieces of side 1 before the line's first "~", of side 2
// after it (or everywhere when there is none); "#" result, "|" its table form.
bool Rozober_13_14(const QString &riadok, Vzor_prikladu &vzor)
{
    const qsizetype vlnovka = riadok.indexOf(QLatin1Char('~'));
    Kluc kluc = Kluc::Ziadny;
    int a = 0, r = 0, s = 0;
    for (qsizetype p = 0; p < riadok.size(); ++p) {
        const QChar ch = riadok.at(p);
        bool ok = true;
        if (ch == u'$') {
            Zvys(a), s = vlnovka > p ? 1 : 2, kluc = Kluc::Zadani;
        } else if (ch == u'~') {
            a = 0, s = 0, kluc = Kluc::Zadani;
        } else if (ch == u'#') {
            Zvys(r), kluc = Kluc::Vysledek;
        } else if (ch == u'|') {
            kluc = Kluc::Vysledek4;
        } else if (ch == u';') {
            break;
        } else if (kluc == Kluc::Ziadny) {
            vzor.Pridaj_do_druhu(ch);
        } else if (kluc == Kluc::Zadani) {
            ok = vzor.Pridaj(Pole::Zadani_strany, s, a, ch);
        } else if (kluc == Kluc::Vysledek) {
            ok = vzor.Pridaj(Pole::Vysledek, r, 0, ch);
        } else {
            ok = vzor.Pridaj(Pole::Vysledek4, r, 1, ch);
        }
        if (!ok)
            return false;
    }
    return true;
}

// Task 19: fields at "#" (kind, sub-type, text, word-problem pieces split at
// "/"); no comments.
bool Rozober_19(const QString &riadok, Vzor_prikladu &vzor)
{
    int f = 0, n = 2;
    for (QChar ch : riadok) {
        bool ok = true;
        if (ch == u'#')
            Zvys(f);
        else if (ch == u'/')
            Zvys(n);
        else if (f == 0)
            vzor.Pridaj_do_druhu(ch);
        else if (f == 1)
            vzor.Pridaj_do_zadani_radku(ch);
        else if (f == 2)
            ok = vzor.Pridaj(Pole::Zadani, 1, 0, ch);
        else if (f == 3)
            ok = vzor.Pridaj(Pole::Zadani, n, 0, ch);
        if (!ok)
            return false;
    }
    return true;
}

bool Rozober(Skupina skupina, const QString &riadok, Vzor_prikladu &vzor)
{
    switch (skupina) {
    case Skupina::Ulohy_1_3: return Rozober_1_3(riadok, vzor);
    case Skupina::Ulohy_4_12: return Rozober_4_12(riadok, vzor, false);
    case Skupina::Uloha_10: return Rozober_4_12(riadok, vzor, true);
    case Skupina::Ulohy_11_18: return Rozober_11_18(riadok, vzor);
    case Skupina::Ulohy_13_14: return Rozober_13_14(riadok, vzor);
    case Skupina::Uloha_19: return Rozober_19(riadok, vzor);
    case Skupina::Ziadna: break;
    }
    return true;
}

// A line that left all the fields its group tests empty is no template.
bool Je_prazdny(Skupina skupina, const Vzor_prikladu &v)
{
    if (!v.Druh().isEmpty())
        return false;
    switch (skupina) {
    case Skupina::Ulohy_1_3: return v.Zadani_radek().isEmpty() && v.Vysledek(1).isEmpty();
    case Skupina::Ulohy_4_12: return v.Zadani(1).isEmpty() && v.Vysledek(1).isEmpty();
    case Skupina::Uloha_10:
    case Skupina::Ulohy_11_18: return v.Zadani(1).isEmpty() && v.Vysledek2(1, 1).isEmpty();
    case Skupina::Ulohy_13_14:
        return v.Zadani(1).isEmpty() && v.Vysledek(1).isEmpty() && v.Vysledek4(1, 1).isEmpty();
    case Skupina::Uloha_19: return v.Zadani_radek().isEmpty();
    case Skupina::Ziadna: break;
    }
    return true;
}

} // namespace

Vzory_ulohy Precti_vzory(const QStringList &riadky, const QString &uloha, int varianta)
{
    const Skupina skupina = Skupina_ulohy(uloha);
    const QString hlava = QLatin1Char('[') + uloha + QLatin1Char(']');
    const QChar cislica_varianty = varianta == 1 ? u'1' : varianta == 2 ? u'2' : QChar();
    Vzory_ulohy vysledok;
    bool v_sekcii = false;
    for (qsizetype nr = 0; nr < riadky.size(); ++nr) {
        const QString &riadok = riadky.at(nr);
        if (riadok.startsWith(QLatin1Char('['))) {
            v_sekcii = riadok == hlava;
            continue;
        }
        if (!v_sekcii || skupina == Skupina::Ziadna)
            continue;
        if (skupina == Skupina::Uloha_19
            && (cislica_varianty.isNull() || !riadok.startsWith(cislica_varianty)))
            continue;
        Vzor_prikladu vzor;
        const bool ok = Rozober(skupina, riadok, vzor);
        if (ok && Je_prazdny(skupina, vzor))
            continue;
        if (!ok || vysledok.vzory.Pocet() == Max_vzoru) {
            vysledok.vzory.Vyprazdni();
            vysledok.chybny_riadok = int(nr + 1);
            return vysledok;
        }
        vysledok.vzory.Pridaj(std::move(vzor));
    }
    return vysledok;
}

} // namespace Misc
