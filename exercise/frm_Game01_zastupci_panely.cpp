// Stand-ins for what the shell will provide to the side tools. Each does
// as little as the exercise screen can live with alone.
#include "exercise/frm_Game01.h"

// The form's evaluator, whose last program the calculator shares.
cEEvaluator &frm_Game01::Zastupce_evaluator() { return Evaluator_panelu; }
