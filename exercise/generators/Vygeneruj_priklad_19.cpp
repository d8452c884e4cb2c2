// Task 19: percentages from templates. Variant 1: short assignments whose
// sub-type says what is sought (the part, the base or the percentage), the
// numbers drawn until the answer is whole. Variant 2: word problems, each
// with its own number pairs; a screen never repeats one, nor takes one of
// the screen before it.
#include "exercise/Nacti_priklady.h"
#include "exercise/generators/Generovanie.h"
#include "exercise/generators/Losovanie_19_21.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>
#include <optional>
#include <vector>

using namespace Losovanie;
using Misc::Vybrany_vzor;

namespace {

// One template is tried for this many passes before another is chosen.
constexpr int Pokusov_na_vzor = 499;

int Pocet_na_obrazovke() { return std::min(Misc::Pocet_prikladu, 10); }
// Positions of the series whose records a new choice avoids.
int Pozicie_serie() { return std::clamp(Misc::Pocet_zbyvajicich_prikladu, 0, 30); }

bool Drzany(int vzor, int po)
{
    for (int j = 1; j <= po; ++j)
        if (Vybrany_vzor[size_t(j)] == vzor)
            return true;
    return false;
}

// The records that the screen before this one showed (0 when none).
using Predosle = std::array<int, 11>;

bool Predosly(const Predosle &predosle, int vzor)
{
    return std::find(predosle.begin() + 1, predosle.end(), vzor) != predosle.end();
}

// With fewer word problems than the series needs the choice could not end:
// then rather a record of an earlier screen than one already on this one,
// and not the one that position j held, which may be the one that failed.
int Nahradny_vzor(int j, int n, const Predosle &predosle)
{
    const int stary = Vybrany_vzor[size_t(j)];
    const std::function<bool(int)> stupne[] = {
        [&](int v) { return !Drzany(v, n) && !Predosly(predosle, v); },
        [&](int v) { return !Drzany(v, j - 1) && v != stary; },
        [&](int v) { return !Drzany(v, j - 1); },
        [&](int v) { return v != stary; },
        [](int) { return true; },
    };
    for (const auto &vyhovuje : stupne) {
        std::vector<int> kandidati;
        for (int v = 1; v <= Misc::Pocet_vzoru(); ++v)
            if (vyhovuje(v))
                kandidati.push_back(v);
        if (!kandidati.empty())
            return kandidati[size_t(Los(int(kandidati.size()), 0))];
    }
    return 1;
}

// A new record for example i and for every later position of the series,
// each different from all that the series holds at that moment. The first
// example's round overwrites the later positions, so the records of the
// screen before are kept out by name.
void Vyber_vzory_2(int i, const Predosle &predosle)
{
    const int n = Pozicie_serie();
    for (int j = i; j <= n; ++j) {
        int v = 0;
        bool novy = false;
        for (int k = 1; k <= Max_pokusu && !novy; ++k) {
            v = Los(Misc::Pocet_vzoru(), 1);
            novy = !Drzany(v, n) && !Predosly(predosle, v);
        }
        Vybrany_vzor[size_t(j)] = novy ? v : Nahradny_vzor(j, n, predosle);
    }
}

// ⌊n·r + 1⌋ drawn again until it is one of `povolene`; the bound ends on
// the first of them.
int Los_z(int n, std::initializer_list<int> povolene)
{
    for (int k = 1; k <= Max_pokusu; ++k)
        if (const int v = Los(n, 1); std::find(povolene.begin(), povolene.end(), v) != povolene.end())
            return v;
    return *povolene.begin();
}

std::optional<double> Cisla_1(frm_Game01 &f, const QString &podtyp)
{
    const auto percento = [&] { f.Hodnota_x = qint16(Los_z(100, {10, 20, 25, 50, 75})); };
    if (podtyp == QLatin1String("1")) {
        percento();
        f.Par_K = qint16(Los(20, 1));
        f.Par_A = float(f.Hodnota_x * f.Par_K);
        return f.Hodnota_x / 100.0 * f.Par_A;
    }
    if (podtyp == QLatin1String("2")) {
        percento();
        f.Par_A = float(Los(496, 5));
        return 100.0 / f.Hodnota_x * f.Par_A;
    }
    if (podtyp == QLatin1String("3")) {
        f.Par_K = qint16(Los_z(10, {1, 2, 4, 5, 10}));
        f.Par_A = float(Los(496, 5));
        f.Par_B = float(f.Par_K) * f.Par_A;
        return 100.0 / f.Par_K;
    }
    return std::nullopt;
}

// The pair at q, when both its pieces are numbers and not all is 0. A
// piece that is no number makes no pair rather than a wrong example.
bool Nacitaj_par(frm_Game01 &f, const Misc::Vzor_prikladu &R, int t, int q)
{
    f.Hodnoty_x[1] = 0;
    f.Par_A = 0;
    f.Par_B = 0;
    const auto a = ParseNumber(R.Zadani(q)), b = ParseNumber(R.Zadani(q + 1));
    if (!a || !b)
        return false;
    if (t <= 10 || (t >= 21 && t <= 30)) {
        f.Hodnoty_x[1] = float(*a);
        f.Par_A = float(*b);
    } else if (t <= 20) {
        f.Par_A = float(*a);
        f.Par_B = float(*b);
    }
    return f.Hodnoty_x[1] != 0 || f.Par_A != 0 || f.Par_B != 0;
}

bool Pouzity_par(const frm_Game01 &f, int q, int okrem)
{
    for (int j = 1; j <= Pocet_na_obrazovke(); ++j)
        if (j != okrem && f.Pouzite_hodnoty[size_t(j)] == q)
            return true;
    return false;
}

// A pair at an even index that no example of the screen uses. A thousand
// draws all but surely find one if there is one; then the first free usable
// pair is taken, and a record with fewer pairs than the screen's examples
// rather shares a pair index than gives none.
bool Losuj_par(frm_Game01 &f, const Misc::Vzor_prikladu &R, int t, int i)
{
    for (int k = 1; k <= 1000; ++k) {
        const int q = Los(88, 2);
        if (Pouzity_par(f, q, 0))
            continue;
        f.Pouzite_hodnoty[size_t(i)] = qint16(q);
        if (q % 2 == 0 && Nacitaj_par(f, R, t, q))
            return true;
    }
    for (bool aj_pouzity : {false, true})
        for (int q = 2; q <= 88; q += 2)
            if ((aj_pouzity || !Pouzity_par(f, q, i)) && Nacitaj_par(f, R, t, q)) {
                f.Pouzite_hodnoty[size_t(i)] = qint16(q);
                return true;
            }
    return false;
}

std::optional<double> Vysledok_2(int t, double h, double A, double B)
{
    if (t == 4 || t == 8)
        return A - A / 100 * h;
    if (t >= 1 && t <= 10)
        return A / 100 * h;
    if (t >= 18 && t <= 20)
        return 100 - B / A * 100;
    if (t >= 11 && t <= 17)
        return B / A * 100;
    if (t == 22)
        return A - A / h * 100;
    if (t == 26 || t == 27)
        return A / (100 + h) * 100;
    if (t == 28 || t == 29)
        return A / (100 - h) * 100;
    if (t == 21 || (t >= 23 && t <= 25) || t == 30)
        return A / h * 100;
    return std::nullopt;
}

// "AA", "BB" and "xx" stand for A, B and the percentage; a single letter
// is plain text.
QString Dosad(const QString &sablona, const QString &A, const QString &B, const QString &percento)
{
    QString text;
    for (qsizetype p = 0; p < sablona.size(); ++p) {
        const QChar c = sablona.at(p), d = p + 1 < sablona.size() ? sablona.at(p + 1) : QChar();
        const QString *za = c == u'A' && d == u'A'   ? &A
                            : c == u'B' && d == u'B' ? &B
                            : c == u'x' && d == u'x' ? &percento
                                                     : nullptr;
        if (za) {
            text += *za;
            ++p;
        } else {
            text += c;
        }
    }
    return text;
}

// One drawing pass of example i from its record: numbers, text, answer.
bool Priechod(frm_Game01 &f, int i, bool varianta_1)
{
    const Misc::Vzor_prikladu &R = Misc::Vzory[Vybrany_vzor[size_t(i)]];
    std::optional<double> x;
    if (varianta_1) {
        x = Cisla_1(f, R.Zadani_radek());
    } else {
        const int t = R.Zadani_radek().toInt();
        if (Losuj_par(f, R, t, i))
            x = Vysledok_2(t, f.Hodnoty_x[1], f.Par_A, f.Par_B);
    }
    const QString percento = varianta_1 ? Text(float(f.Hodnota_x)) : Text(f.Hodnoty_x[1]);
    f.Zadani_prikladu(1, i) = Dosad(R.Zadani(1), Text(f.Par_A), Text(f.Par_B), percento);
    if (!x)
        return false;
    f.Vysledek_cislo[i] = float(*x);
    return std::isfinite(f.Vysledek_cislo[i]) && Je_cele(f.Vysledek_cislo[i]);
}

// False when no template gave a whole answer in twenty templates' worth of
// passes: the data file holds none that can.
bool Vygeneruj(frm_Game01 &f, int i, bool varianta_1, const Predosle &predosle)
{
    if (Misc::Pocet_vzoru() == 0)
        return false;
    f.Pokus = 1;
    for (int n = 1; n <= 20 * Pokusov_na_vzor; ++n) {
        if (f.Pokus == 1) {
            if (varianta_1)
                Vybrany_vzor[size_t(i)] = Los(Misc::Pocet_vzoru(), 1);
            else
                Vyber_vzory_2(i, predosle);
        }
        f.Prijato = false;
        ++f.Pokus;
        f.Prijato = Priechod(f, i, varianta_1);
        if (f.Prijato)
            return true;
        if (f.Pokus > Pokusov_na_vzor)
            f.Pokus = 1;
    }
    return false;
}

// Whether example i asks for the percentage itself (variant 1 sub-type "3",
// variant 2 sub-types 11 to 20): then its answer may carry its "%", a
// second accepted form in the Tag of the assignment; elsewhere that Tag is
// empty, and a number with "%" is no answer.
void Druha_forma(frm_Game01 &f, int i, bool varianta_1)
{
    const QString podtyp = Misc::Vzory[Vybrany_vzor[size_t(i)]].Zadani_radek();
    const int t = podtyp.toInt();
    const bool percento = varianta_1 ? podtyp == QLatin1String("3") : t >= 11 && t <= 20;
    f.TZ1(i)->Tag = percento ? Text(f.Vysledek_cislo[i]) + QStringLiteral(" %") : QString();
}

platform::Picture Obrazok(const char *meno)
{
    return Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Games\\") + QLatin1String(meno));
}

void Zobraz_1(frm_Game01 &f, int i)
{
    platform::Label *z = f.TZ1(i);
    platform::TextBox *b = f.TV1(i);
    z->Caption = f.Zadani_prikladu(1, i);
    z->Alignment = 0;
    z->Width = 320;
    b->Width = 200;
    z->Visible = true;
    f.TR1(i)->Visible = false;
    b->Tag = Text(f.Vysledek_cislo[i]);
    Druha_forma(f, i, true);
    b->Left = z->Left + z->Width;
    b->Text = QString();
    b->Locked = false;
    b->Visible = true;
    Misc::Vykresli_obrazek(f.Obr_levy[1], f, z->Left - 15, z->Top - 5);
    Misc::Vykresli_obrazek_roztazeny(f.Obr_stred[1], f, z->Left, z->Top - 5, b->Left + b->Width - z->Left, 32);
    Misc::Vykresli_obrazek(f.Obr_pravy[1], f, b->Left + b->Width, b->Top - 5);
}

void Zobraz_2(frm_Game01 &f, int i, const platform::Picture &lista)
{
    platform::Label *z = f.TZ1(i);
    z->Height = 40;
    z->AutoSize = false;
    z->WordWrap = true;
    z->Caption = f.Zadani_prikladu(1, i);
    z->Alignment = 0;
    z->ForeColor = platform::RGB(255, 255, 255);
    z->BackStyle = 0;
    z->Visible = true;
    // Each cell's name stands just left of it, on the band, set smaller
    // where the gap after the cell before is too narrow for it.
    const struct {
        platform::ControlArray<platform::Label> *nazov;
        platform::ControlArray<platform::TextBox> *bunka;
        const char *text;
    } stlpce[] = {{&f.TR1, &f.TV1, "z ="}, {&f.TR2, &f.TV2, "č ="}, {&f.TR3, &f.TV3, "p ="},
                  {&f.TR4, &f.TV4, "výsledok ="}};
    int volne_od = z->Left - 8;
    for (const auto &s : stlpce) {
        platform::TextBox *bunka = (*s.bunka)(i);
        platform::Label *nazov = (*s.nazov)(i);
        nazov->Alignment = 0;
        nazov->BackStyle = 0;
        nazov->Caption = QString::fromUtf8(s.text);
        nazov->FontSize = Velkost_pre_sirku(*nazov, {nazov->Caption}, bunka->Left - 3 - volne_od);
        nazov->AutoSize = true;
        nazov->Top = bunka->Top + (bunka->Height - nazov->Height) / 2;
        nazov->Left = bunka->Left - 3 - nazov->Width;
        nazov->Visible = true;
        bunka->Text = QString();
        bunka->Locked = false;
        bunka->Visible = true;
        volne_od = bunka->Left + bunka->Width + 3;
    }
    f.TV4(i)->Tag = Text(f.Vysledek_cislo[i]);
    Druha_forma(f, i, false);
    Misc::Vykresli_obrazek(lista, f, z->Left - 15, z->Top - 7);
}

// An example that could not be made is left out of the screen.
void Skry(frm_Game01 &f, int i, bool varianta_1)
{
    f.TZ1(i)->Visible = false;
    f.TZ1(i)->Tag = QString();
    for (auto *tr : {&f.TR1, &f.TR2, &f.TR3, &f.TR4})
        if (!varianta_1 || tr == &f.TR1)
            (*tr)(i)->Visible = false;
    for (auto *tv : {&f.TV1, &f.TV2, &f.TV3, &f.TV4})
        if (!varianta_1 || tv == &f.TV1) {
            (*tv)(i)->Tag = QString();
            (*tv)(i)->Visible = false;
        }
}

} // namespace

void frm_Game01::Vygeneruj_priklad_19(bool Prvni_generovani)
{
    Losovanie::Randomize();
    Vymaz_data_prikladu();
    if (Prvni_generovani)
        for (int j = 1; j <= Pozicie_serie(); ++j)
            Vybrany_vzor[size_t(j)] = 0;
    Predosle predosle{};
    std::copy_n(Vybrany_vzor.begin() + 1, Pocet_na_obrazovke(), predosle.begin() + 1);
    const bool varianta_1 = Misc::Varianta_ulohy == 1;
    if (!varianta_1 && Misc::Varianta_ulohy != 2)
        return;
    std::array<bool, 11> hotovo{};
    for (Priklad = 1; Priklad <= Pocet_na_obrazovke(); ++Priklad)
        hotovo[size_t(Priklad)] = Vygeneruj(*this, Priklad, varianta_1, predosle);

    platform::Picture lista;
    if (varianta_1) {
        Obr_levy[1] = Obrazok("1list_l.bmp");
        Obr_stred[1] = Obrazok("1list_s.bmp");
        Obr_pravy[1] = Obrazok("1list_p.bmp");
    } else {
        lista = Obrazok("19lista.bmp");
    }
    const int riadkov = std::min(Pocet_na_obrazovke(), 5);
    int nevytvorene = 0;
    for (Priklad = 1; Priklad <= riadkov; ++Priklad) {
        if (!hotovo[size_t(Priklad)]) {
            Skry(*this, Priklad, varianta_1);
            Priklad_vytvoreny[size_t(Priklad)] = false;
            ++nevytvorene;
        } else if (varianta_1)
            Zobraz_1(*this, Priklad);
        else
            Zobraz_2(*this, Priklad, lista);
    }
    Refresh();
    Generovanie::Ohlas_nevytvorene(nevytvorene);
}
