#include "shell/Formulare.h"

#include "exercise/frm_Game01.h"
#include "services/Cekani.h"
#include "services/Promenne_cviceni.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"
#include "shell/frm_Intro.h"
#include "shell/frm_Pozadi.h"
#include "shell/frm_Select.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

#include <QCoreApplication>
#include <QThread>

namespace Formulare {

platform::DefaultInstance<Shell::frm_Chybovy> frm_Chybovy;
platform::DefaultInstance<Shell::frm_Chybovy2> frm_Chybovy2;
platform::DefaultInstance<Shell::frm_Intro> frm_Intro;
platform::DefaultInstance<Shell::frm_Pozadi> frm_Pozadi;
platform::DefaultInstance<Shell::frm_Select> frm_Select;
platform::DefaultInstance<Shell::frm_Setup> frm_Setup;
platform::DefaultInstance<Shell::frm_Tabulka> frm_Tabulka;
namespace {
platform::DefaultInstance<::frm_Game01> Hra;
}
std::function<platform::Form *()> frm_Game01 = [] { return static_cast<platform::Form *>(Hra.get()); };

} // namespace Formulare

namespace Shell {

namespace {
bool ukonceny = false;
int kod_ukoncenia = 0;
} // namespace

void Ukonci_program(int kod)
{
    ukonceny = true;
    kod_ukoncenia = kod;
    // Outside any event loop exit() would only make every later loop, a
    // dialog's too, end at once: main then sees the flag instead.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(kod);
}

bool Program_ukonceny() { return ukonceny; }
int Kod_ukoncenia() { return kod_ukoncenia; }

void Zacni_znovu()
{
    ukonceny = false;
    kod_ukoncenia = 0;
}

bool Ukaz_hru(platform::Form &odkial)
{
    platform::Form *hra = Formulare::frm_Game01 ? Formulare::frm_Game01() : nullptr;
    if (!hra)
        return false;
    hra->Show();
    // A screen without its task's examples has unloaded itself after saying so.
    if (!hra->isLoaded())
        return false;
    Misc::Cekej(10);
    odkial.Hide();
    Misc::Aktualni_formular = hra;
    return true;
}

} // namespace Shell
