// What a print to a print server that stopped answering costs the teacher:
// how far past the print's bound the wait goes (the thread's grace and the
// screen's own turns), and the longest the screen's thread goes without a
// turn meanwhile (a timer on it fires every 20 ms). The print's bounds are
// shortened (1 s for the queue's answer, 3 s in all); the targets are the
// grace, 750 ms, and a tenth of a second. Needs cupsd (cups-daemon).
#include "platform/PrintQueue.h"
#include "platform/PrinterDevice.h"
#include "services/Zapis_dokumentu.h"
#include "support/PrintServer.h"
#include "ScreenStill.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// stopAtSend: the server stops once the queue has said yes, before the
// document is sent; else before the queue is asked.
void Tlac_bez_odpovede(benchmark::State &state, bool stopAtSend)
{
    lktest::PrintServer server;
    if (!server.Running() || !server.AddQueue(QStringLiteral("Kabinet"), QStringLiteral("file:///dev/null")))
        return state.SkipWithError("no print server of the bench's own here (needs cupsd)");
    platform::PrintWaitLimits &limits = platform::PrintWaits();
    limits = {std::chrono::milliseconds(1000), std::chrono::milliseconds(3000), std::chrono::milliseconds(3000)};
    const auto bound = stopAtSend ? limits.job : limits.queue;
    qint64 over = 0, still = 0;
    for (auto _ : state) {
        platform::PrinterDevice printer;
        printer.SetDeviceName(QStringLiteral("Kabinet"));
        ScreenStill screen(20);
        try {
            if (stopAtSend) {
                printer.Print(QStringLiteral("Pracovný list"));
                server.Pause();
            } else {
                server.Pause();
                printer.Print(QStringLiteral("Pracovný list"));
            }
            printer.EndDoc();
        } catch (const platform::PrinterError &) {
        }
        over = std::max(over, screen.Elapsed() - qint64(bound.count()));
        still = std::max(still, screen.Longest());
        server.Resume();
    }
    state.counters["over_bound_ms"] = double(over);
    state.counters["longest_still_ms"] = double(still);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::UseDocumentWriter(Misc::Zapisovac_dokumentov());
    benchmark::RegisterBenchmark("Stalled/BeforeTheQueue", Tlac_bez_odpovede, false)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("Stalled/AtTheSend", Tlac_bez_odpovede, true)
        ->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
