#pragma once
// The display mode of the run: 640 x 480 x 16 while the program runs (the
// display service makes the stage fill the screen), the saved mode again
// at exit.
namespace Misc {

// The mode in force before the switch.
inline int Puvodni_sirka = 0;
inline int Puvodni_vyska = 0;
inline int Puvodni_barvy = 0;
inline int Puvodni_frekvence = 0;

// Saves the current mode and asks for 640 x 480 x 16. A refused switch
// shows Texty(40) titled Texty(41) and returns false: the caller then
// shows the backdrop frm_Pozadi behind its forms.
bool Zmen_rozliseni();

// Asks for the saved mode; a refusal shows Texty(43) titled Texty(44).
void Obnov_rozliseni();

} // namespace Misc
