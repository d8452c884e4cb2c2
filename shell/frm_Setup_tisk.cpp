// The setup screen's print command: the printer dialog, then the exercise
// screen loaded in print mode, which prints the worksheet in its load.
#include "shell/frm_Setup.h"

#include "platform/PrintDialog.h"
#include "platform/Services.h"
#include "services/Formular.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "shell/Formulare.h"

#include <QDir>

#include <exception>
#include <optional>

namespace Shell {

void frm_Setup::Vytiskni()
{
    const std::optional<platform::PrintDialogChoice> volba = platform::AskPrintChoice(Misc::Texty[30]);
    if (!volba)
        return;
    // The copies stay on the printer for the exercise screen, which prints
    // one worksheet per copy; the device itself prints each document once.
    platform::Printer &tlaciaren = platform::services().printer();
    platform::ApplyPrintDialogChoice(tlaciaren, *volba);

    platform::Form *hra = Formulare::frm_Game01 ? Formulare::frm_Game01() : nullptr;
    if (!hra)
        return;
    Misc::Tisk = true;
    bool vytlacene = false;
    bool neiste = false; // sent, but its end could not be learnt
    QString dovod;
    try {
        hra->Load();
        tlaciaren.EndDoc();
        vytlacene = true;
    } catch (const platform::PrintFateUnknown &e) {
        dovod = QString::fromUtf8(e.what());
        neiste = true;
    } catch (const std::exception &e) {
        dovod = QString::fromUtf8(e.what());
    }
    Misc::Tisk = false;
    if (!vytlacene)
        tlaciaren.KillDoc();
    // The next series must start from a freshly loaded exercise screen.
    hra->Unload();
    // The teacher waits for paper: a dropped document must be said, and a
    // file must be found.
    auto &okno = platform::services().messageBox();
    if (neiste)
        okno.Show(QStringLiteral("Pracovný list sa možno nevytlačil.\n%1\nPozrite sa na tlačiareň, či ho vytlačila.")
                      .arg(dovod),
                  platform::MessageStyle::OkOnly | platform::MessageStyle::Exclamation, Misc::Nazov_okna);
    else if (!vytlacene)
        okno.Show(QStringLiteral("Pracovný list sa nepodarilo vytlačiť.\n%1").arg(dovod),
                  platform::MessageStyle::OkOnly | platform::MessageStyle::Critical, QStringLiteral("Chyba"));
    else if (const QString subor = tlaciaren.DocumentFile(); !subor.isEmpty())
        okno.Show(QStringLiteral("Pracovný list je uložený v súbore\n%1").arg(QDir::toNativeSeparators(subor)),
                  platform::MessageStyle::OkOnly | platform::MessageStyle::Information, Misc::Nazov_okna);
}

} // namespace Shell
