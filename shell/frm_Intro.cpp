#include "shell/frm_Intro.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Cekani.h"
#include "services/Formular.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"
#include "shell/Formulare.h"
#include "shell/frm_Select.h"

namespace Shell {

frm_Intro::frm_Intro()
{
    Timer1->Interval = 100;
    Timer1->Enabled = false;
    Timer1->OnTimer = [this] { Timer1_Timer(); };
}

void frm_Intro::Form_Load()
{
    Misc::Prizpusob_ovladace(*this);
    Misc::Nastav_formular(*this, 640, 480);
    MousePointer = platform::vbCustom;
    MouseIcon = Misc::Kurzor_ruka;
    if (Je_titulok()) {
        Picture = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Intro\\title.bmp"));
        Refresh();
        Kliknuto = false;
        Cas_konce = platform::services().clock().TickCount() + Doba_titulku;
    }
    Misc::Aktualni_formular = this;
}

void frm_Intro::Form_Activate()
{
    if (!Je_titulok())
        return;
    Timer1->Enabled = true;
    MouseIcon = Misc::Kurzor_ruka;
}

void frm_Intro::Timer1_Timer()
{
    // Ticking inside a wait with events, it would end the title under the
    // code that waits: the backdrop's, in the chooser's load, which then
    // hid the chooser it had just been shown and left a blank page in
    // front. It ends the title on a tick after that wait.
    if (platform::EventWait::running())
        return;
    // The wait below handles events, timers included: one run is enough.
    Timer1->Enabled = false;
    frm_Game01::Nacti_spolocne_obrazky();
    platform::services().clock().WaitWithEventsUntil(Cas_konce, [this] { return Kliknuto; });
    Misc::Aktualni_formular = Formulare::frm_Select.get();
    Formulare::frm_Select->Show();
    Hide();
    Unload();
}

void frm_Intro::Form_MouseDown(int, int, int, int)
{
    Misc::Zahraj_click();
    if (Je_titulok()) {
        Kliknuto = true;
        return;
    }
    if (STAV_FORMU == Uvodni_napoveda && Ukaz_hru(*this)) {
        Unload();
        return;
    }
    if (Nadrazeny_form)
        Nadrazeny_form->Show();
    Misc::Aktualni_formular = Nadrazeny_form;
    Nadrazeny_form = nullptr;
    Hide();
    Unload();
}

} // namespace Shell
