#include "platform/DisplayMode.h"
#include "platform/Runtime.h"
#include "platform/Signals.h"
#include "services/Zapis_dokumentu.h"
#include "shell/Formulare.h"
#include "shell/frm_Select.h"

#include <QApplication>

int main(int argc, char **argv)
{
    platform::scaleToScreen(argc, argv);
    QApplication app(argc, argv);
    // The standard buttons of message and print dialogs speak Slovak too.
    platform::InstallTranslations();
    platform::handleSignals();
    platform::UseDocumentWriter(Misc::Zapisovac_dokumentov());
    // The chooser is the start-up form: its load runs the whole start-up and
    // may end the program before the event loop starts.
    Formulare::frm_Select->Load();
    if (Shell::Program_ukonceny())
        return Shell::Kod_ukoncenia();
    // Told to end during the start: no event loop has run to see it.
    if (platform::terminationRequested())
        return 0;
    return app.exec();
}
