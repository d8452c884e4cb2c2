#pragma once
// What the row-check button of the exercise screen shares with the check
// of all rows: task 11's rule for one example and the marking of an example.
#include "exercise/frm_Game01.h"

namespace Kontrola {

// The pupil's answer against the expected text, term by term.
bool VV(frm_Game01 &g, const QString &vstup, const QString &vzor);

// A cell of nothing but blanks is as empty as one never typed into.
bool Vyplnena(const platform::TextBox *bunka);

// Task 17: the two values that x must not take, in either order; a second
// value not expected wants its cell left empty.
bool Podmienky_17(frm_Game01 &g);

// Task 11: the row that judges example i: row 3i, or row 3i - 1 when row 3i
// expects nothing; 0 when neither expects a first condition.
int Posudzovany_riadok_11(frm_Game01 &g, int i);

// Task 11, example i (rows 3i - 2 to 3i): its twelve cells locked, its row
// buttons switched off, and whether it is right.
bool Posud_priklad_11(frm_Game01 &g, int i);

// The example's mark IHod(znacka) shows the verdict; a wrong one can be
// pressed for the correct answer. Counted in the series when `pocitat`.
void Oznac_priklad(frm_Game01 &g, int znacka, bool spravne, bool pocitat);

} // namespace Kontrola
