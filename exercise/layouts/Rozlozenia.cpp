// The answer sheets of the eleven task families, as step lists. Row 1 is
// finished before any row is loaded, so that the loaded rows copy it. Row
// marks stand at 590 at most, a pixel clear of the notes tab.
#include "exercise/layouts/Harok.h"

namespace Harok {

using enum Pole;
using enum Vlastnost;
using enum Recept;

namespace {

Rozlozenie operator+(Rozlozenie a, const Rozlozenie &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Element 1 of an answer cell: place, tab stop, unlocked, maybe the maths font.
Rozlozenie Bunka_1(Pole p, int left, int top, int width, bool pismo = false)
{
    Rozlozenie r{Umiestni(p, 1, left, top, width), Nastav(p, 1, TabStop, 1), Nastav(p, 1, Locked, 0)};
    if (pismo)
        r.push_back(Pismo(p, 1));
    return r;
}

// A two-level header cell (tasks 16 to 18): element 1 and element 2 on it.
Rozlozenie Hlavicka(Pole p, int left, int top, int width)
{
    return {Umiestni(p, 1, left, top, width), Pismo(p, 1), Nacitaj(2, 2, 0, {{p, Skryty}}),
            Umiestni(p, 2, left, top, width), Pismo(p, 2)};
}

// Line nudges of the one-example families: whole lines move together.
Rozlozenie Posuny(std::initializer_list<std::pair<int, int>> posuny)
{
    Rozlozenie r;
    for (auto [riadok, delta] : posuny)
        r.push_back(Posun(riadok, delta, {TZ1, TV1, TZR, TV2, TR1, TV3}));
    return r;
}

const std::vector<Stlpec> Riadok_rovnice = {
    {TZR, Skryty}, {TV1, Bunka_matematicka}, {TV2, Bunka_matematicka}, {TR1, Skryty}, {TV3, Bunka_matematicka}};

} // namespace

const Rozlozenie &Rozlozenie_01(bool uloha_12)
{
    static const auto zostav = [](bool dvanast) {
        Rozlozenie r{Umiestni(TZ1, 1, nic, 105, 220), Umiestni(TR1, 1, nic, 105), Umiestni(TR2, 1, nic, 105),
                     Umiestni(TV1, 1, nic, 105),      Umiestni(TV2, 1, nic, 105), Umiestni(IHod, 1, 590, 100),
                     Nastav(TV1, 1, TabStop, 1),      Nastav(TV2, 1, TabStop, 1)};
        if (dvanast)
            r = r + Rozlozenie{Umiestni(TZ1, 1, 55, nic, 80), Umiestni(TR1, 1, 135, nic, 15),
                               Umiestni(TV1, 1, 150, nic, 270), Umiestni(TR2, 1, 420, nic, 15),
                               Umiestni(TV2, 1, 435, nic, 140)};
        return r + Rozlozenie{
            Nacitaj(2, 10, 35, {{TZ1, Skryty}, {TR1, Skryty}, {TR2, Skryty}, {TV1, Bunka}, {TV2, Bunka}, {IHod, Skryty}}),
            Poradie({TV1, TV2}, 5, 2, 4)};
    };
    static const Rozlozenie ulohy_1_az_3 = zostav(false), uloha_12_ = zostav(true);
    return uloha_12 ? uloha_12_ : ulohy_1_az_3;
}

const Rozlozenie &Rozlozenie_04()
{
    static const Rozlozenie r{
        Umiestni(TZ1, 1, nic, 105), Umiestni(TR1, 1, nic, 105), Umiestni(TR2, 1, nic, 105),
        Umiestni(TV1, 1, nic, 105), Umiestni(TV2, 1, nic, 105), Umiestni(IHod, 1, nic, 100),
        Pripocitaj(TZ1, 1, Width, 10), Pripocitaj(TR1, 1, Left, 10), Pripocitaj(TV1, 1, Left, 10),
        Umiestni(TV1, 1, nic, nic, 257), Umiestni(IHod, 1, 590, nic),
        Nastav(TV1, 1, TabStop, 1), Nastav(TV2, 1, TabStop, 0), Nastav(TR2, 1, Visible, 0), Nastav(TV2, 1, Visible, 0),
        Nacitaj(2, 5, 70, {{TZ1, Skryty}, {TR1, Skryty}, {TV1, Bunka}, {IHod, Skryty}}),
        Poradie({TV1}, 5, 1, 1)};
    return r;
}

const Rozlozenie &Rozlozenie_19_2()
{
    static const Rozlozenie r{
        Umiestni(TZ1, 1, 30, 105, 539), Umiestni(TR1, 1, 29, 145), Umiestni(TV1, 1, 57, 145, 87),
        Umiestni(TV2, 1, 187, 145, 87), Umiestni(TV3, 1, 317, 145, 87), Umiestni(TV4, 1, 487, 145, 81),
        Umiestni(IHod, 1, 590, 100),
        // The names of the cells: one label before each cell.
        Nacitaj(2, 5, 90, {{TZ1, Skryty}, {TR1, Skryty}, {TR2, Skryty}, {TR3, Skryty}, {TR4, Skryty},
                           {TV1, Bunka_bez_zastavky}, {TV2, Bunka_bez_zastavky},
                           {TV3, Bunka_bez_zastavky}, {TV4, Bunka_bez_zastavky}, {IHod, Skryty}}),
        Poradie({TV1, TV2, TV3, TV4}, 5, 1, 4, true)};
    return r;
}

const Rozlozenie &Rozlozenie_13()
{
    static const Rozlozenie r =
        Rozlozenie{Umiestni(TZ1, 1, 32, 105, 55), Umiestni(TZR, 1, 87, 105, 15), Umiestni(TZ2, 1, 102, 105, 55),
                   Umiestni(TR1, 1, 157, 105, 15)}
        + Bunka_1(TV1, 172, 105, 235) + Rozlozenie{Umiestni(TR2, 1, 407, 105, 15)} + Bunka_1(TV2, 422, 105, 153)
        + Rozlozenie{Umiestni(IHod, 1, 590, 100),
                     Nacitaj(2, 10, 35, {{TZ1, Skryty}, {TZ2, Skryty}, {TZR, Skryty}, {TR1, Skryty}, {TR2, Skryty},
                                         {TV1, Bunka}, {TV2, Bunka}, {IHod, Skryty}}),
                     Poradie({TV1, TV2}, 5, 2, 6)};
    return r;
}

const Rozlozenie &Rozlozenie_11()
{
    static const auto znamienko = [](Pole p, int left) {
        return Rozlozenie{Umiestni(p, 1, left, 105, 20), Pismo(p, 1), Nastav(p, 1, FontBold, 1),
                          Text(p, 1, Caption, QStringLiteral("\u017C"))};
    };
    static const Rozlozenie r =
        Rozlozenie{Umiestni(TZ1, 1, 32, 105, 150)} + Bunka_1(TV1, 221, 105, 106) + znamienko(TR1, 327)
        + Bunka_1(TV2, 347, 105, 30) + Rozlozenie{Umiestni(ICheck, 1, 397, 100)} + Bunka_1(TV3, 449, 105, 106)
        + znamienko(TR2, 555) + Bunka_1(TV4, 575, 105, 30)
        + Rozlozenie{Umiestni(IHod, 1, 588, 100),
                     Nacitaj(2, 9, 35, {{TZ1, Skryty}, {TR1, Znamienko_ruvo}, {TR2, Znamienko_ruvo}, {TV1, Bunka},
                                        {TV2, Bunka}, {TV3, Bunka}, {TV4, Bunka}, {ICheck, Skryty}}),
                     Nacitaj(2, 3, 105, {{IHod, Skryty}}),
                     Poradie({TV1, TV2, TV3, TV4}, 9, 1, 4)};
    return r;
}

const Rozlozenie &Rozlozenie_20()
{
    static const Rozlozenie r{
        Umiestni(TZ1, 1, nic, 105), Umiestni(TR1, 1, nic, 105), Umiestni(TV1, 1, nic, 105),
        Umiestni(TV2, 1, nic, 105), Umiestni(TV3, 1, nic, 105), Umiestni(IHod, 1, 590, 100),
        Nastav(TV1, 1, TabStop, 1), Nastav(TV2, 1, TabStop, 1), Nastav(TV3, 1, TabStop, 1),
        Nastav(TR2, 1, Visible, 0), Nastav(TV1, 1, Visible, 0), Nastav(TV2, 1, Visible, 0),
        Nacitaj(2, 10, 35, {{TZ1, Skryty}, {TR1, X_rovna_sa}, {TV1, Bunka_bez_zastavky}, {TV2, Bunka_bez_zastavky},
                            {TV3, Bunka_bez_zastavky}, {IHod, Skryty}}),
        Poradie({TV1, TV2, TV3}, 5, 2, 6, true)};
    return r;
}

const Rozlozenie &Rozlozenie_15()
{
    static const Rozlozenie r =
        Rozlozenie{Umiestni(TZ1, 1, 48, 130, 179), Pismo(TZ1, 1),
                   Sucet(TZR, 1, Left, {{TZ1, 1, Left}, {TZ1, 1, Width}}), Umiestni(TZR, 1, nic, 130, 15),
                   Sucet(TZ2, 1, Left, {{TZR, 1, Left}, {TZR, 1, Width}}), Umiestni(TZ2, 1, nic, 130, 179),
                   Pismo(TZ2, 1)}
        + Bunka_1(TV1, 48, 130, 179, true) + Bunka_1(TV2, 242, 130, 179, true)
        + Rozlozenie{Sucet(TR1, 1, Left, {{TV2, 1, Left}, {TV2, 1, Width}}), Umiestni(TR1, 1, nic, 130, 15),
                     Sucet(TV3, 1, Left, {{TR1, 1, Left}, {TR1, 1, Width}}), Umiestni(TV3, 1, nic, 130, 120),
                     Nastav(TV3, 1, TabStop, 1), Nastav(TV3, 1, Locked, 0), Pismo(TV3, 1),
                     Umiestni(IHod, 1, 608, 125), Nastav(TR2, 1, Visible, 0), Nastav(TR3, 1, Visible, 0),
                     Nacitaj(2, 7, 50, {{TZ1, Skryty}, {TZR, Skryty}, {TV1, Bunka_matematicka},
                                        {TV2, Bunka_matematicka}, {TR1, Skryty}, {TV3, Bunka_matematicka}}),
                     Poradie({TV1, TV2, TV3}, 7, 1, 3)}
        + Posuny({{2, 10}, {4, -10}, {5, 10}});
    return r;
}

namespace {

// Tasks 16 and 18: four header cells over the first line; task 18 moves
// everything right of the sign column by 9 px for its relation-sign image.
Rozlozenie Rovnica_s_hlavickou(int riadkov, bool znamienka)
{
    const int d = znamienka ? 9 : 0;
    Rozlozenie r = Hlavicka(TZ1, 48, 130, 82) + Rozlozenie{Umiestni(TR2, 1, 130, 130, 15)}
                   + Hlavicka(TZ2, 145, 130, 82) + Rozlozenie{Umiestni(TZR, 1, 227, 130, 15)};
    if (znamienka)
        r = r + Rozlozenie{Umiestni(IZnam, 1, 227, 145), Text(IZnam, 1, Tag, QStringLiteral("?"))};
    r = r + Hlavicka(TZ3, 242 + d, 130, 82) + Rozlozenie{Umiestni(TR3, 1, 324 + d, 130, 15)}
        + Hlavicka(TZ4, 339 + d, 130, 82) + Bunka_1(TV1, 48, 130, 179, true) + Bunka_1(TV2, 242 + d, 130, 179, true)
        + Rozlozenie{Umiestni(TR1, 1, 421 + d, 130, 15)} + Bunka_1(TV3, 436 + d, 130, 120, true)
        + Rozlozenie{Umiestni(IHod, 1, 608 + d, 125), Nastav(TR2, 1, Visible, 0), Nastav(TR3, 1, Visible, 0),
                     Nacitaj(3, riadkov, 50, {{TZ1, Skryty}})};
    std::vector<Stlpec> riadok = Riadok_rovnice;
    if (znamienka)
        riadok.insert(riadok.begin() + 1, {IZnam, Znamienko_obrazok});
    return r + Rozlozenie{Nacitaj(2, riadkov, 50, riadok), Poradie({TV1, TV2, TV3}, riadkov, 1, 3)}
           + Posuny({{2, 10}, {4, -10}, {5, -20}, {6, 10}});
}

} // namespace

const Rozlozenie &Rozlozenie_16()
{
    static const Rozlozenie r = Rovnica_s_hlavickou(8, false);
    return r;
}

const Rozlozenie &Rozlozenie_18()
{
    static const Rozlozenie r = Rovnica_s_hlavickou(9, true);
    return r;
}

// Task 17 up to the loaded lines; the lines are then re-stacked in code.
const Rozlozenie &Rozlozenie_17_hlavicka()
{
    static const Rozlozenie r =
        Hlavicka(TZ1, 48, 115, 50) + Rozlozenie{Umiestni(TR2, 1, 98, 115, 14)} + Hlavicka(TZ2, 112, 115, 50)
        + Rozlozenie{Umiestni(TR3, 1, 162, 115, 15)} + Hlavicka(TZ3, 177, 115, 50)
        + Rozlozenie{Umiestni(TZR, 1, 227, 115, 15)} + Hlavicka(TZ4, 242, 115, 82)
        + Rozlozenie{Umiestni(TR4, 1, 324, 115, 15)} + Hlavicka(TZ5, 339, 115, 82)
        + Bunka_1(TV1, 48, 115, 179, true) + Bunka_1(TV2, 242, 115, 179, true)
        + Rozlozenie{Umiestni(TR1, 1, 421, 115, 15)} + Bunka_1(TV3, 436, 115, 120, true)
        + Rozlozenie{Umiestni(ICheck, 1, 575, 110), Nastav(ICheck, 1, Enabled, 1),
                     // The conditions switch starts one step above the check button.
                     Nacitaj(12, 12, 0, {{ICheck, Skryty}}, -50), Nastav(ICheck, 12, Enabled, 1),
                     Umiestni(IHod, 1, 608, 110), Nastav(TR2, 1, Visible, 0), Nastav(TR3, 1, Visible, 0),
                     Nacitaj(3, 12, 50, {{TZ1, Skryty}}), Nacitaj(2, 12, 50, Riadok_rovnice)};
    return r;
}

const Rozlozenie &Rozlozenie_17_poradie()
{
    static const Rozlozenie r =
        Rozlozenie{Poradie({TV1, TV2, TV3}, 10, 1, 3)} + Posuny({{2, 10}, {4, -10}, {5, -20}, {6, 30}});
    return r;
}

namespace {

// Task 21, one variant: where the table stands, how wide its cells are,
// how the row pairs and marks move, and the size of the cell font.
struct Varianta_21 {
    int top, left, sirka_nadpisu, sirka_bunky;
    bool posun_vsetkych; // variant 1 moves the value labels with their rows
    int posuny[4];       // rows 3-4, 5-6, 7-8, 9-10
    int krok_znamok;
    Rozlozenie posuny_znamok;
    int pismo;
};

Rozlozenie Riadok_1_tabulky()
{
    const Pole bunky[] = {TV1, TV2, TV3, TV4, TV5, TV6};
    const Pole popisy[] = {TZ2, TZ3, TZ4, TZ5, TZ6, TZ7};
    Rozlozenie r{Nastav(TZ1, 1, Alignment, 2), Nastav(TZ1, 1, BackStyle, 0), Nastav(TZ1, 1, Height, 20)};
    for (const Pole *rad : {bunky, popisy})
        for (int k = 0; k < 6; ++k) {
            r.push_back(Sucet(rad[k], 1, Top, {{TZ1, 1, Top}}, 2));
            r.push_back(k == 0 ? Sucet(rad[k], 1, Left, {{TZ1, 1, Left}, {TZ1, 1, Width}}, 1)
                               : Sucet(rad[k], 1, Left, {{rad[k - 1], 1, Left}, {rad[k - 1], 1, Width}}, 1));
            if (rad[k] != TV1)
                r.push_back(Sucet(rad[k], 1, Width, {{TV1, 1, Width}}));
            r.push_back(Nastav(rad[k], 1, Height, 18));
        }
    return r + Rozlozenie{Sucet(IHod, 1, Top, {{TZ1, 1, Top}}, 4),
                          Sucet(IHod, 1, Left, {{TV6, 1, Left}, {TV6, 1, Width}}, 8),
                          Sucet(TR1, 1, Top, {{TZ1, 1, Top}}), Sucet(TR1, 1, Left, {{TV4, 1, Left}}),
                          Vsetky(1, 1, {TV1, TV2, TV3, TV4, TV5, TV6}, TabStop, 1), Nastav(TR2, 1, Visible, 0)};
}

Rozlozenie Tabulka_21(const Varianta_21 &v)
{
    const std::vector<Pole> bunky{TV1, TV2, TV3, TV4, TV5, TV6}, popisy{TZ2, TZ3, TZ4, TZ5, TZ6, TZ7};
    Rozlozenie r{Umiestni(TZ1, 1, v.left, v.top, v.sirka_nadpisu), Umiestni(TV1, 1, nic, nic, v.sirka_bunky)};
    r = r + Riadok_1_tabulky();
    std::vector<Stlpec> riadok{{TZ1, Skryty}};
    for (Pole p : popisy)
        riadok.push_back({p, Skryty});
    riadok.push_back({TR1, Skryty});
    for (Pole p : bunky)
        riadok.push_back({p, Bunka});
    r.push_back(Nacitaj(2, 10, 38, riadok, 1));

    // Row pairs 3-4 to 9-10 move as a pair; rows 1 and 2 stay.
    std::vector<Pole> posuvane{TZ1};
    if (v.posun_vsetkych)
        posuvane.insert(posuvane.end(), popisy.begin(), popisy.end());
    posuvane.push_back(TR1);
    posuvane.insert(posuvane.end(), bunky.begin(), bunky.end());
    for (int i = 3; i <= 10; ++i)
        r.push_back(Posun(i, v.posuny[(i - 3) / 2], posuvane));

    r.push_back(Nacitaj(2, 5, v.krok_znamok, {{IHod, Skryty}}));
    r = r + v.posuny_znamok;
    std::vector<Pole> s_pismom = bunky;
    s_pismom.insert(s_pismom.end(), popisy.begin(), popisy.end());
    return r + Rozlozenie{Poradie(bunky, 5, 2, 12), Vsetky(1, 10, s_pismom, FontSize, v.pismo),
                          Vsetky(1, 10, popisy, Alignment, 2), Vsetky(1, 10, bunky, Locked, 0)};
}

} // namespace

// The marks keep off the bottom bar and the notes tab: the fifth mark of a
// stands 2 px higher and the table of b 14 px further left than they would
// by the shifts alone.
const Rozlozenie &Rozlozenie_21(int varianta)
{
    static const Rozlozenie a = Tabulka_21({153, 28, 20, 39, true, {-24, -7, -29, 2}, 70,
                                            {Pripocitaj(IHod, 2, Top, -16), Pripocitaj(IHod, 3, Top, 7),
                                             Pripocitaj(IHod, 4, Top, -9), Pripocitaj(IHod, 5, Left, 256),
                                             Pripocitaj(IHod, 5, Top, -14)},
                                            10});
    static const Rozlozenie b = Tabulka_21({106, 215, 36, 54, false, {-3, -5, -7, -9}, 77, {}, 12});
    if (varianta != 1 && varianta != 2)
        throw Chyba_ulohy("Task 21 has variants 1 and 2, not " + std::to_string(varianta));
    return varianta == 1 ? a : b;
}

} // namespace Harok
