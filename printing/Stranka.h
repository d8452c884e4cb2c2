#pragma once
// The page services of worksheet printing: millimetres on an upright A4
// sheet turned into printer units, a row of text pieces, the word wrap of a
// statement, the statement block and the frame of every page.
//
// Everything goes to the current printer, platform::services().printer(),
// asked for anew for every operation. A text is always printed in the same
// three steps: CurrentX, then CurrentY, then Print. The services set the
// font and colour they need just before they print and restore nothing.
// They handle no errors: a failure ends the service where it happens and
// goes to the caller; what was printed before stays on the page.
#include <QString>

#include <stdexcept>

namespace Misc {

// --- Millimetres ----------------------------------------------------------

inline constexpr float Sirka_listu_mm = 210.0f;
inline constexpr float Vyska_listu_mm = 297.0f;

// A horizontal position or width in printer units: page width / 210 x mm,
// the quotient kept in double precision and the product rounded to a
// float once. The paper and orientation of the job are not consulted: a
// landscape sheet stretches the A4 layout across its width.
float Prepocitej_mm_x(float mm);
// The same downwards with the page height and 297.
float Prepocitej_mm_y(float mm);

// --- Row of text pieces ---------------------------------------------------

// Prints Cast1 in face Pismo1 with its top-left corner at (X_mm, Y_mm),
// then Cast2 and Cast3, each when not empty, each in its own face 1 mm
// after the pieces before it, all on the same top edge. Switches italic
// off; the caller's size, bold and colour stay. The widths of the earlier
// pieces are measured in the face of the piece about to be printed.
void Vytiskni_radek(float X_mm, qint16 Y_mm, QString Cast1, QString Pismo1, QString Cast2 = QString(),
                    QString Pismo2 = QString(), QString Cast3 = QString(), QString Pismo3 = QString());

// --- Fitting the maths font -------------------------------------------------

// Width in millimetres of the text in the maths font at the printer's size.
float Sirka_mm(const QString &text);
// Where an example number ("7) ", "12) ") starts so that it ends where a
// one-digit one set at x_mm does: the numbers of a column align on their
// right edge.
float Zaciatok_cisla(float x_mm, const QString &cislo);
// A fraction bar or answer line of underscores at least `mm` long, or with
// najviac at most that long (but one underscore at least).
QString Ciara_mm(float mm, bool najviac = false);

// --- Statement word wrap --------------------------------------------------

// The wrap ran out of lines (a sixth line, or a word wider than the width
// on its own), or of pieces (600 or more blanks in the text).
class Chyba_rozsahu : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};
// The text is too long to be walked with a 16-bit position (32,767
// characters or more).
class Chyba_preteceni : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Breaks the text at blanks (U+0020 alone) into at most five lines whose
// printed width, trailing blank included, is at most Sirka millimetres in
// the printer's current face at 12 points. Every line that holds words
// ends in one blank; unused lines are empty. Sets the font size to 12 and
// leaves it so. On failure throws Chyba_rozsahu or Chyba_preteceni and
// leaves the five lines as they were.
void Rozdel_text_do_radku(QString Text, qint16 Sirka, QString &Radek1, QString &Radek2, QString &Radek3,
                          QString &Radek4, QString &Radek5);

// --- Statement block ------------------------------------------------------

// Prints the five statement lines in italic 12-point type at x 4 mm and
// y 30, 35, 40, 45 and 50 mm, each in its own slot whatever the others
// hold. Y_pod_zadanim becomes the line's y + 7 for every non-empty line,
// so it ends as that of the last one; with five empty lines it is kept.
void Vytiskni_zadani(QString Radek1, QString Radek2, QString Radek3, QString Radek4, QString Radek5,
                     qint16 &Y_pod_zadanim);

// --- Page frame -------------------------------------------------------------

inline const QString Nazev_produktu = QStringLiteral("Loravik Kvantira 2 - Algebra");
// "Jméno:", one blank and 56 full stops, of which the page frame prints as
// many as end inside the right margin.
inline const QString Radek_jmena = QStringLiteral("Jméno: ") + QString(56, QLatin1Char('.'));

// The frame of one worksheet page: group and task titles, the name line
// (its dots cut to end 4 mm inside the sheet)
// and the pupil's name on them (set smaller or cut short to end there)
// above a rule at 25 mm; a rule at 282 mm, and under
// it the date (text 32 of the text table, ": ", today as dd.mm.yyyy), the
// page line ("Stránka: " and Stranka as given) and the product caption.
// Titles, name line and caption are navy; the rest is black, and black is
// what the printer keeps, at 10 points, not bold, not italic.
void Vytiskni_hlavicku(QString Skupina, QString Typ_ulohy, QString Jmeno, QString Stranka);

} // namespace Misc
