#include "exercise/frm_Game01.h"
#include "shell/Formulare.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

namespace {

void Uvolni_okna()
{
    if (auto *okno = Formulare::frm_Chybovy.existing())
        okno->Unload();
    if (auto *okno = Formulare::frm_Chybovy2.existing())
        okno->Unload();
}

} // namespace

// The windows take their layout from the task when they load; a window
// still loaded from an earlier screen goes first, or it would keep that
// screen's layout.
void frm_Game01::Nacti_chybova_okna()
{
    Uvolni_okna();
    for (Shell::Okno_napovedy *okno : {static_cast<Shell::Okno_napovedy *>(Formulare::frm_Chybovy.get()),
                                       static_cast<Shell::Okno_napovedy *>(Formulare::frm_Chybovy2.get())}) {
        okno->Plocha_obrazku = PicMain(1);
        okno->Load();
    }
}

void frm_Game01::Uvolni_chybova_okna()
{
    Uvolni_okna();
}
