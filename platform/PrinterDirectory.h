#pragma once
// The printers as the print dialog shows them. The print system is asked on
// a thread of its own, each answer awaited a bounded time, so the screen's
// thread never waits on it: the answer comes back on the screen's thread,
// through the event loop, and never once its context is gone.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace platform {

struct PrinterListing {
    // Queue names, as jobs name them.
    QStringList printers;
    // Empty when the print system names none.
    QString defaultPrinter;
    // For the teacher, in Slovak: why the printers could not be had (the
    // print system does not answer in time, refused, wants a login, is not
    // there); empty when the list is whole.
    QString why;
    // The default printer named for this user is not on the print server:
    // defaultPrinter is the server's own, if it names one, offered, not
    // chosen for the teacher.
    bool ownDefaultMissing = false;
    // The default printer is still being asked: the listing is told again,
    // whole, once it is known or the bound has passed.
    bool defaultAwaited = false;
};

struct PrinterDetails {
    QString printer;
    QString location;
    QString model;
    // Slovak: ready, printing, stopped with its reason in our words.
    QString state;
    bool acceptsJobs = true;
    // For the teacher, in Slovak: why the details could not be had; empty
    // when they are known.
    QString why;
};

class PrinterDirectory {
public:
    virtual ~PrinterDirectory() = default;
    // Asks for the printers and the default one; answer runs on the
    // screen's thread, whenever that thread gets its turn, unless context
    // is destroyed first: with the printers as soon as they are known (the
    // default awaited), and once with the listing whole.
    virtual void AskPrinters(QObject *context, std::function<void(const PrinterListing &)> answer) = 0;
    // Asks for one printer's details, the same way.
    virtual void AskDetails(const QString &printer, QObject *context,
                            std::function<void(const PrinterDetails &)> answer) = 0;
};

// The print system's printers, asked of it on a thread of its own.
std::unique_ptr<PrinterDirectory> MakeSystemPrinterDirectory();

} // namespace platform
