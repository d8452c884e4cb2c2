#include "platform/Printer.h"

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
    if (dialogPrinter.outputFormat() == QPrinter::NativeFormat)
        choice.deviceName = dialogPrinter.printerName();
    choice.copies = qMax(1, dialogPrinter.copyCount());
    choice.orientation = dialogPrinter.pageLayout().orientation() == QPageLayout::Landscape
                             ? PageOrientation::Landscape
                             : PageOrientation::Portrait;
    return choice;
}

void ApplyPrintDialogChoice(Printer &printer, const PrintDialogChoice &choice)
{
    printer.SetDeviceName(choice.deviceName);
    printer.SetCopies(choice.copies);
    printer.SetOrientation(choice.orientation);
    printer.SetPaperSize(PaperA4);
    printer.SetPrintQuality(300);
}

} // namespace platform
