#pragma once
// A printer directory of the test's own: it answers what the test put in
// it, at once, a while later, when the test says or never, on the screen's
// thread as the real one does, and keeps what it was asked.
#include "platform/PrinterDirectory.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace lktest {

class Adresar_tlaciarni final : public platform::PrinterDirectory {
public:
    // An answer that never comes.
    static constexpr int Nikdy = -1;
    // An answer kept until the test calls Povedz().
    static constexpr int Na_pokyn = -2;

    platform::PrinterListing zoznam;
    int zoznam_ms = 0;
    // When set, the default printer is told this long after the question,
    // the printers zoznam_ms after it with the default awaited.
    std::optional<int> predvolena_ms;
    // By printer; one not here is known and has nothing to tell.
    QHash<QString, platform::PrinterDetails> podrobnosti;
    int podrobnosti_ms = 0;

    int zoznamy = 0;    // how often the printers were asked for
    QStringList opytane; // the printers whose details were asked, in order

    // Gives the oldest answer kept, when there is one, to a dialog still
    // there; the answers of one gone are dropped.
    bool Povedz()
    {
        if (odlozene_.isEmpty())
            return false;
        odlozene_.takeFirst()();
        return true;
    }

    void AskPrinters(QObject *context, std::function<void(const platform::PrinterListing &)> answer) override
    {
        ++zoznamy;
        if (predvolena_ms) {
            platform::PrinterListing bez_predvolenej;
            bez_predvolenej.printers = zoznam.printers;
            bez_predvolenej.defaultAwaited = true;
            Odpovedz(context, zoznam_ms, [answer, bez_predvolenej] { answer(bez_predvolenej); });
        }
        Odpovedz(context, predvolena_ms.value_or(zoznam_ms),
                 [answer = std::move(answer), zoznam = zoznam] { answer(zoznam); });
    }
    void AskDetails(const QString &printer, QObject *context,
                    std::function<void(const platform::PrinterDetails &)> answer) override
    {
        opytane << printer;
        platform::PrinterDetails o_nej = podrobnosti.value(printer);
        o_nej.printer = printer;
        Odpovedz(context, podrobnosti_ms, [answer = std::move(answer), o_nej] { answer(o_nej); });
    }

private:
    void Odpovedz(QObject *context, int ms, std::function<void()> odpoved)
    {
        if (ms == Na_pokyn)
            odlozene_.append([context = QPointer<QObject>(context), odpoved = std::move(odpoved)] {
                if (context)
                    odpoved();
            });
        else if (ms != Nikdy)
            QTimer::singleShot(ms, context, std::move(odpoved));
    }

    QList<std::function<void()>> odlozene_;
};

} // namespace lktest
