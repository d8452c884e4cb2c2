#pragma once
// What the generators of the equations and inequalities solved in stages
// (tasks 15 to 18) have in common: the letters of a template, the value of
// a piece, the pass loop, the result rows, the expected result and the
// opening of the sheet.
#include "exercise/Tabulka.h"

#include <QColor>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <initializer_list>

class frm_Game01;
namespace platform {
class Label;
class Picture;
class TextBox;
template <class T> class ControlArray;
} // namespace platform
class cEEvaluator;
namespace Misc {
class Vzor_prikladu;
}

namespace Stupne {

// Texts that the letters of a template stand for, in either case; any other
// character, "x" included, is copied.
class Pismena {
public:
    void Nastav(char pismeno, const QString &text);
    QString Dosad(QStringView kus) const;

private:
    std::array<QString, 26> texty;
};

// A to F with the form's parameters as they are now.
Pismena Parametre(const frm_Game01 &f);

// The form's six parameters A to F, in this order, each a whole number 2..5.
void Losuj_parametre(frm_Game01 &f);
// A to F drawn again until they suit the template (`vyhovuje`, which may
// draw more of its own); false when no draw within the bound did.
bool Losuj_vyhovujuce(frm_Game01 &f, const std::function<bool()> &vyhovuje);

// The value of a piece that holds no unknown, as text: bracketed when it is
// negative. A value beyond 1000 either way, a failed run (a division by
// zero) and a text that does not compile give no text.
enum class Stav { Ok, Mimo_rozsah, Chyba_vypoctu, Chybny_zapis };
struct Hodnota {
    Stav stav = Stav::Ok;
    QString text;
};
Hodnota Vycisli(cEEvaluator &vypocet, const QString &kus);

// How a pass ended. A broken template makes the next pass draw another.
enum class Priechod { Prijaty, Zamietnuty, Zly_vzor };
Priechod Z_hodnoty(Stav stav);

// Passes for example `priklad` until one is accepted: a template is drawn
// into Vybrany_vzor when Pokus is 1 and kept for 499 passes, or dropped at
// once when it is broken. False when no pass was accepted within the bound.
bool Hladaj_priklad(frm_Game01 &f, int priklad, const std::function<Priechod(int vzor)> &priechod);

// The equation of example i written on one line: the pieces with the
// unknown as text, the others evaluated, joined into Zadani_prikladu(1, i)
// and split at "=" into the two shown sides Leva_strana(1), Prava_strana(1).
// An inequality is split at its first ">", or else its first "<".
Priechod Zostav_rovnicu(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i,
                        bool nerovnica = false);

// Every example of the screen (Pocet_prikladu) by Hladaj_priklad; false
// as soon as one cannot be made.
bool Vygeneruj_priklady(frm_Game01 &f, const std::function<Priechod(int priklad, int vzor)> &priechod);
// A sheet without an example: the result cells from row `cele` on judge
// nothing, and the pupil is told that the templates are broken.
void Bez_prikladu(frm_Game01 &f, const QString &uloha, int cele);

// Tasks 16 and 18: Je_zlomek by the template's kind, "vzorec" or "zlomek";
// false for a template of neither kind.
bool Nastav_druh(frm_Game01 &f, const Misc::Vzor_prikladu &vzor);
// The assignment of example i by kind: written on one line, or as terms
// (Zostav_zlomky) where "K" stands for Par_K.
Priechod Zostav_zadanie(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i,
                        bool nerovnica);

// The pieces of an assignment whose terms are fractions stay text: signs
// between the terms, and terms split at their first "/" into numerator
// (Pom_tabulka_1) and denominator (Pom_tabulka_2).
void Zostav_zlomky(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena, int i);

// The result rows of the template, one stage a row, into Vysledek_prikladu:
// pieces with text are taken as they are, the others evaluated; each row is
// joined, shown, split at "=" into its two sides and simplified. With
// `zatvorka_je_text` a piece with ")" but no "(" is text too; with
// `hodnota_x` the value of the solution row goes to Hodnota_X_kontroly;
// the rows of an inequality keep their relation sign in column 3.
// A pass is rejected when a value is out of range, or when the template has
// no solution row whose value can be read.
Priechod Zostav_riadky(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Pismena &pismena,
                       bool zatvorka_je_text, bool hodnota_x, bool nerovnica = false);

// The solution as the result cells expect it: from the last row whose left
// side is "x", a whole number or a reduced fraction.
struct Vysledok {
    int riadok = 0; // 0: no such row
    bool platny = false; // the value can be read and its denominator is not 0
    bool nulovy_menovatel = false;
    QString cele;               // the whole number, or empty
    QString citatel, menovatel; // the reduced fraction, or empty
};
Vysledok Vysledok_rovnice(const Tabulka_prikladov &Vysledek_prikladu);
// Writes the solution row's whole value and the reduced fraction back into
// the tables, and the expected answers into the Tags of the three result
// cells of TV1; nothing when there is no solution row.
void Zapis_vysledok(frm_Game01 &f, const Vysledok &v, int cele, int citatel, int menovatel);

// Pictures "Bitmap\Games\<name>" of the resource directory, in this order.
void Nacitaj_obrazky(std::initializer_list<std::pair<const char *, platform::Picture *>> obrazky);
// The sheet area given wiped with its background "blue.bmp": what earlier
// examples drew there goes.
void Zakry_harok(frm_Game01 &f, int x, int y, int sirka, int vyska);

// The opening of every staged sheet: the pictures of its strips and signs,
// empty Tags in rows 1..riadkov, the sheet area wiped with its background.
void Otvor_harok(frm_Game01 &f, int riadkov);

// A label shown with its caption centred, at a width of its own when given.
void Ukaz_text(platform::Label *popis, const QString &text, int sirka = 0);
// An answer cell shown empty and open to the pupil.
void Otvor_bunku(platform::TextBox *bunka);

// Row 1 of an equation of fractions: each term (numerator and denominator
// labels) shows its assignment piece, each sign label its piece.
struct Clen {
    platform::ControlArray<platform::Label> *popisy;
    int kus;
};
struct Znamienko {
    platform::Label *popis;
    int kus;
};
void Popisy_zlomkov(frm_Game01 &f, std::initializer_list<Clen> cleny, std::initializer_list<Znamienko> znamienka);
// A term of row 1 shown on the line, or as a fraction with its numerator
// 11 px above the line and its denominator right under the numerator.
void Umiestni_clen(frm_Game01 &f, platform::Label *citatel, platform::Label *menovatel);
// One side of row 1 ending at `po`: its terms left to right, each with the
// sign label after it (none after the last), placed as the sheet has them.
// When a term's captions need more than its width, the terms are set again
// from the first one's Left, each as wide as its captions need with the
// room left shared out, the signs keeping their widths; a side too narrow
// even so sets its terms smaller.
struct Clen_strany {
    platform::ControlArray<platform::Label> *popisy;
    platform::Label *znamienko = nullptr;
};
void Uprav_stranu(int po, std::initializer_list<Clen_strany> cleny);
// The rest of row 1 of an equation of fractions: "/" and the open cell of
// the first step, the two-line strip, a box around that cell, and the bars
// under the terms shown as fractions.
void Dokonci_riadok_zlomkov(frm_Game01 &f, std::initializer_list<platform::ControlArray<platform::Label> *> cleny);

// Row 1 written on one line: the left side, the sign label with `znamienko`
// and the right side, in a one-line strip; the cells of the row hidden.
void Riadok_vzorca(frm_Game01 &f, const QString &znamienko);
// Row 1 of up to two terms a side (tasks 16 and 18): numerators and
// denominators from the assignment pieces 1, 3, 5 and 7, the operators
// and the sign label from pieces 2, 4 and 6.
void Riadok_styroch_clenov(frm_Game01 &f);

// Rows od..po for the pupil's stages: new left side "=" new right side "/"
// the step taken, each in a marked strip; the row mark will judge the result.
void Riadky_krokov(frm_Game01 &f, int od, int po);
// The result under its stage label (`nad_popisom` px above it): "x =" and
// one cell in row `cele`, and beside it "x =" and a numerator cell over a
// denominator cell in the two rows after it, each in its strip; the row
// mark right of the fraction. An inequality has "x", a sign image for the
// pupil to set and then the cells.
void Riadok_vysledku(frm_Game01 &f, int cele, int nad_popisom = 30, bool nerovnica = false);

// Rows 2..posledny_krok for the stages, the result from row `cele` on, its
// expected answers; then the sheet is shown and the row check starts anew.
void Dokonci_harok(frm_Game01 &f, int posledny_krok, int cele, int nad_popisom = 30);

// A box between two corners in a colour of its own, outlined or filled; the
// form's ForeColor ends as it was.
void Nakresli_obdlznik(frm_Game01 &f, int x1, int y1, int x2, int y2, const QColor &farba, bool vyplneny);


} // namespace Stupne
