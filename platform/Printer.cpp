#include "platform/Printer.h"

#include "platform/Services.h"

#include <QFileInfo>
#include <QPrinter>

namespace platform {

void Printer::Print(const QString &text)
{
    DrawText(currentX_, currentY_, text);
    currentX_ = 0.0f;
    currentY_ += LineHeight();
}

PrintDialogChoice ChoiceFromDialog(const QPrinter &dialogPrinter)
{
    PrintDialogChoice choice;
    if (dialogPrinter.outputFormat() == QPrinter::NativeFormat) {
        choice.deviceName = dialogPrinter.printerName();
    } else {
        // A file asked for without a name (some dialogs offer the home
        // folder as one) must still not reach a printer.
        const QFileInfo file(dialogPrinter.outputFileName());
        choice.fileName = file.fileName().isEmpty() || file.isDir() ? DefaultPdfPath() : file.filePath();
    }
    choice.copies = qMax(1, dialogPrinter.copyCount());
    if (dialogPrinter.printRange() == QPrinter::PageRange) {
        choice.fromPage = dialogPrinter.fromPage();
        choice.toPage = dialogPrinter.toPage();
    }
    return choice;
}

void ApplyPrintDialogChoice(Printer &printer, const PrintDialogChoice &choice)
{
    printer.SetDeviceName(choice.deviceName);
    printer.SetOutputFileName(choice.fileName);
    printer.SetCopies(choice.copies);
    printer.SetPageRange(choice.fromPage, choice.toPage);
    printer.SetOrientation(PageOrientation::Portrait);
    printer.SetPaperSize(PaperA4);
    printer.SetPrintQuality(300);
}

} // namespace platform
