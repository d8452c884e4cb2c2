#include "shell/frm_Pozadi.h"

#include "services/Cekani.h"
#include "services/Formular.h"
#include "services/Promenne_cviceni.h"

namespace Shell {

void frm_Pozadi::Form_Load()
{
    Misc::Nastav_formular(*this, 640, 480);
    BackColor = platform::RGB(0, 0, 0);
}

void frm_Pozadi::Form_Activate()
{
    if (Misc::Aktualni_formular && Misc::Aktualni_formular != this)
        Misc::Aktualni_formular->Show();
    platform::Form::Busy busy(this);
    Misc::Cekej_s_udalostmi(100);
}

} // namespace Shell
