// Stand-ins for what the shell and the top bar will provide to the side
// tools. Each does as little as the exercise screen can live with alone.
#include "exercise/frm_Game01.h"

// Top-bar buttons back to their normal pictures: nothing to do until the
// top bar is here.
void frm_Game01::Zastupce_zvyrazni_tlacitko_menu(int n) { (void)n; }

// The form's evaluator, whose last program the calculator shares.
cEEvaluator &frm_Game01::Zastupce_evaluator() { return Evaluator_panelu; }
