// GUI tests run headless: an offscreen QApplication exists before any test,
// the printer writes its documents as the program's does,
// and no print server: the print dialog lists its PDF file only, whatever
// printers the machine has. A run on X or one that names its screen
// (offscreen:configfile=...) is drawn at the scale that fills it, as the
// program is; any other at scale 1.
#include "platform/DisplayMode.h"
#include "services/Zapis_dokumentu.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    if (const QByteArray platform = qgetenv("QT_QPA_PLATFORM"); platform.contains("configfile=") || platform == "xcb")
        platform::scaleToScreen(argc, argv);
    QApplication app(argc, argv);
    platform::UseDocumentWriter(Misc::Zapisovac_dokumentov());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
