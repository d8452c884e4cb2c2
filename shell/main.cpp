#include "services/Konfigurace.h"
#include "services/Pismo.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Nothing of the program may run without its directories and tables.
    if (!Misc::Nacti_konfiguraci())
        return Misc::Kod_zlyhania_konfiguracie;
    QWidget stage;
    stage.setWindowTitle(QStringLiteral("Loravik Kvantira 2 - Algebra"));
    stage.setFixedSize(640, 480);
    stage.show();
    const int kod = app.exec();
    Misc::Odeber_pismo();
    return kod;
}
