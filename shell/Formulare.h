#pragma once
// The shell screens' default instances, each named as its form, and the
// program's end. Forms reach each other only through these.
#include "platform/Form.h"

#include <functional>

namespace Shell {
class frm_Chybovy;
class frm_Chybovy2;
class frm_Intro;
class frm_Pozadi;
class frm_Select;
class frm_Setup;
class frm_Tabulka;
} // namespace Shell

namespace Formulare {

extern platform::DefaultInstance<Shell::frm_Chybovy> frm_Chybovy;
extern platform::DefaultInstance<Shell::frm_Chybovy2> frm_Chybovy2;
extern platform::DefaultInstance<Shell::frm_Intro> frm_Intro;
extern platform::DefaultInstance<Shell::frm_Pozadi> frm_Pozadi;
extern platform::DefaultInstance<Shell::frm_Select> frm_Select;
extern platform::DefaultInstance<Shell::frm_Setup> frm_Setup;
extern platform::DefaultInstance<Shell::frm_Tabulka> frm_Tabulka;

// The exercise screen frm_Game01 (made on first use, afresh after its
// Unload). Tests may put a stand-in screen here, or none.
extern std::function<platform::Form *()> frm_Game01;

} // namespace Formulare

namespace Shell {

// Ends the program with `kod`: leaves the event loop, or, before it runs,
// tells main not to enter it.
void Ukonci_program(int kod);
bool Program_ukonceny();
int Kod_ukoncenia();
// A new run in the same process (tests).
void Zacni_znovu();

// Shows the exercise screen in place of `odkial` and makes it the current
// form. False, with nothing changed, when there is no exercise screen or it
// could not start (its task's examples cannot be read).
bool Ukaz_hru(platform::Form &odkial);

} // namespace Shell
