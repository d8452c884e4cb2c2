#include "platform/Printer.h"

namespace platform {

void Printer::Print(const QString &text)
{
    DrawText(currentX_, currentY_, text);
    currentX_ = 0.0f;
    currentY_ += LineHeight();
}

void ApplyPrintDialogChoice(Printer &printer, const PrintDialogChoice &choice)
{
    printer.SetDeviceName(choice.deviceName);
    printer.SetOutputFileName(choice.fileName, choice.madeFolders);
    printer.SetCopies(choice.copies);
    printer.SetPageRange(choice.fromPage, choice.toPage);
    printer.SetOrientation(PageOrientation::Portrait);
    printer.SetPaperSize(PaperA4);
    printer.SetPrintQuality(300);
}

} // namespace platform
