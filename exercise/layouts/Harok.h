#pragma once
// The answer sheet as data: a layout is an ordered list of steps over the
// answer-sheet arrays of the exercise screen, read by one small interpreter
// (Vykonaj). Steps run in list order, exactly as written, because a loaded
// row copies element 1 as it stands at that moment.
#include <QString>

#include <climits>
#include <stdexcept>
#include <vector>

class frm_Game01;

namespace Harok {

enum class Pole : quint8 {
    TV1, TV2, TV3, TV4, TV5, TV6,
    TZ1, TZ2, TZ3, TZ4, TZ5, TZ6, TZ7, TZR,
    TR1, TR2, TR3, TR4,
    IHod, ICheck, IZnam,
};
const char *Meno(Pole pole);
bool Je_bunka(Pole pole);

enum class Vlastnost : quint8 {
    Left, Top, Width, Height, Visible, Enabled, TabStop, TabIndex, Locked, Alignment, BackStyle, AutoSize,
    FontBold, Caption, Tag, FontName,
    FontSize, // in points at 15 twips per pixel; scaled by the screen's TwipsPerPixelX / 15
};

// What a loaded row element gets after its place.
enum class Recept : quint8 {
    Skryty,            // Visible False
    Bunka,             // centred, unlocked, hidden, tab stop
    Bunka_bez_zastavky,// centred, unlocked, hidden
    Bunka_matematicka, // Bunka, then the maths font
    Znamienko_ruvo,    // maths font, bold, caption "ż", hidden (task 11)
    X_rovna_sa,        // hidden, caption "x = " with the size fitted to it (task 20)
    Znamienko_obrazok, // hidden, Tag of element 1 (task 18)
};

inline constexpr int nic = INT_MIN; // "not set" in a geometry step

struct Odkaz {
    Pole pole;
    int prvok;
    Vlastnost vlastnost;
};

struct Krok {
    enum class Druh : quint8 {
        Geometria,  // Left, Top, Width, Height of one element (nic = keep)
        Nastav,     // a number or truth value
        Text,       // Caption, Tag or FontName
        Pismo,      // the maths font: FontName "Ruvo", FontSize 12 (scaled)
        Pripocitaj, // current value + hodnota
        Sucet,      // sum of zdroje + hodnota
        Nacitaj,    // rows od..po of polia, row step krok (+ pridavok), by recepty
        Poradie,    // TabIndex of the columns polia, example by example
        Posun,      // Top + hodnota for element prvok of every array of polia
        Vsetky,     // vlastnost = hodnota for elements od..po of every array of polia
    };
    Druh druh = Druh::Nastav;
    Pole pole = Pole::TV1;
    int prvok = 1;
    Vlastnost vlastnost = Vlastnost::Left;
    int hodnota = 0;
    QString text;
    int geometria[4] = {nic, nic, nic, nic};
    std::vector<Odkaz> zdroje;
    int od = 0, po = 0, krok = 0, pridavok = 0; // Poradie: od = examples, po = rows of one
    std::vector<Pole> polia;
    std::vector<Recept> recepty;
    bool zastavky = false; // Poradie: TabStop True before TabIndex
};

using Rozlozenie = std::vector<Krok>;

// Steps, named for what they do.
Krok Umiestni(Pole pole, int prvok, int left, int top, int width = nic, int height = nic);
Krok Nastav(Pole pole, int prvok, Vlastnost v, int hodnota);
Krok Text(Pole pole, int prvok, Vlastnost v, QString text);
Krok Pismo(Pole pole, int prvok);
Krok Pripocitaj(Pole pole, int prvok, Vlastnost v, int hodnota);
Krok Sucet(Pole pole, int prvok, Vlastnost v, std::vector<Odkaz> zdroje, int k = 0);
// For i = od..po, array by array: load element i at Top(1) + krok * (i - 1) + pridavok.
struct Stlpec {
    Pole pole;
    Recept recept;
};
Krok Nacitaj(int od, int po, int krok, std::vector<Stlpec> riadok, int pridavok = 0);
// Example e (1..prikladov) has `riadkov` rows from row riadkov * (e - 1) + 1;
// its cells take TabIndex krok * (e - 1) + 1 upwards, column by column and,
// within a column, row by row.
Krok Poradie(std::vector<Pole> stlpce, int prikladov, int riadkov, int krok, bool zastavky = false);
Krok Posun(int riadok, int delta, std::vector<Pole> polia);
Krok Vsetky(int od, int po, std::vector<Pole> polia, Vlastnost v, int hodnota);

// A task number or variant that has no answer sheet.
class Chyba_ulohy : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The layouts of the eleven families (Vygeneruj_komponenty_NN).
const Rozlozenie &Rozlozenie_01(bool uloha_12);
const Rozlozenie &Rozlozenie_04();
const Rozlozenie &Rozlozenie_19_2();
const Rozlozenie &Rozlozenie_13();
const Rozlozenie &Rozlozenie_11();
const Rozlozenie &Rozlozenie_20();
const Rozlozenie &Rozlozenie_15();
const Rozlozenie &Rozlozenie_16();
const Rozlozenie &Rozlozenie_18();
const Rozlozenie &Rozlozenie_17_hlavicka();
const Rozlozenie &Rozlozenie_17_poradie();
const Rozlozenie &Rozlozenie_21(int varianta);

// Runs the steps on the exercise screen's sheet.
void Vykonaj(frm_Game01 &forma, const Rozlozenie &kroky);

} // namespace Harok
