#pragma once
// The two variants of task 21 inside the generator's frame, and what they
// share. Example i uses the row pair u = 2i - 1 (x) and l = 2i (y); column c
// of its value table is the cell TVc with the label TZ(c + 1) lying over it.
#include "exercise/frm_Game01.h"

namespace Priklad_21 {

using Bunky = platform::ControlArray<platform::TextBox>;
using Popisy = platform::ControlArray<platform::Label>;

Bunky &TV(frm_Game01 &f, int stlpec);   // TV1 .. TV6
Popisy &TZ(frm_Game01 &f, int cislo);   // TZ1 .. TZ7

// The size of the form's own font for what a generator prints on the form.
double Velkost_pisma();

// Examples of one screen: the count on the screen, but no more than the
// value arrays hold.
int Pocet_na_obrazovke();

// A value table in which odd columns give x and even columns give y; the
// other value of each column is asked. Variant 1 also sizes the asked cells
// and hides the labels over them.
void Tabulka_hodnot(frm_Game01 &f, int i, bool varianta_1);

void Varianta_1(frm_Game01 &f);
void Varianta_2(frm_Game01 &f);

} // namespace Priklad_21
