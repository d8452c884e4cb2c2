// Stand-ins for what other parts of the program will give the exercise
// screen: the top bar, the generators and the worksheet printing. Each
// does nothing; whoever builds the real one removes its entry here (and its
// line among the stand-ins in frm_Game01.h).
#include "exercise/frm_Game01.h"

void frm_Game01::Vygeneruj_priklad_13(bool) {}
void frm_Game01::Vygeneruj_priklad_14(bool) {}
void frm_Game01::Vygeneruj_priklad_19(bool) {}
void frm_Game01::Vygeneruj_priklad_20(bool) {}
void frm_Game01::Vygeneruj_priklad_21(bool) {}
