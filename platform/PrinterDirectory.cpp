#include "platform/PrinterDirectory.h"

#include <QTimer>

namespace platform {

namespace {

// Knows no printers yet: the dialog offers its PDF file alone.
class NoPrinters final : public PrinterDirectory {
public:
    void AskPrinters(QObject *context, std::function<void(const PrinterListing &)> answer) override
    {
        QTimer::singleShot(0, context, [answer = std::move(answer)] { answer({}); });
    }
    void AskDetails(const QString &printer, QObject *context,
                    std::function<void(const PrinterDetails &)> answer) override
    {
        QTimer::singleShot(0, context, [printer, answer = std::move(answer)] {
            PrinterDetails details;
            details.printer = printer;
            answer(details);
        });
    }
};

} // namespace

std::unique_ptr<PrinterDirectory> MakeSystemPrinterDirectory() { return std::make_unique<NoPrinters>(); }

} // namespace platform
