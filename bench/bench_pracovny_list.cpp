// A worksheet of 25 examples as the print command makes it: the exercise
// screen loaded in print mode writes every page to a PDF file. The target
// is 300 ms a worksheet. And many copies of it in one file: the longest the
// screen's thread goes without a turn of events meanwhile (a 0-ms timer
// there notes every turn), the file's writing included; the target is half
// a second at 999 copies.
#include "exercise/frm_Game01.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/PrinterDevice.h"
#include "platform/Services.h"
#include "platform/Sound.h"
#include "services/Konfigurace.h"
#include "services/Pismo.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "services/Zapis_dokumentu.h"
#include "ScreenStill.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void Pracovny_list(benchmark::State &state, const char *uloha, int varianta)
{
    QTemporaryDir priecinok;
    platform::PrinterDevice tlaciaren(false);
    tlaciaren.SetOutputFileName(priecinok.filePath(QStringLiteral("list.pdf")));
    platform::ScopedService<platform::Printer> g(tlaciaren);
    for (auto _ : state) {
        Misc::Tisk = true;
        Misc::Cislo_ulohy = QString::fromLatin1(uloha);
        Misc::Varianta_ulohy = quint8(varianta);
        Misc::Zvoleny_pocet_prikladu = 25;
        frm_Game01 hra;
        hra.Load();
        tlaciaren.EndDoc();
    }
}

void Kopie(benchmark::State &state)
{
    QTemporaryDir priecinok;
    platform::PrinterDevice tlaciaren(false);
    tlaciaren.SetOutputFileName(priecinok.filePath(QStringLiteral("list.pdf")));
    tlaciaren.SetCopies(int(state.range(0)));
    platform::ScopedService<platform::Printer> g(tlaciaren);
    qint64 stal = 0, koniec = 0;
    for (auto _ : state) {
        Misc::Tisk = true;
        Misc::Cislo_ulohy = QStringLiteral("1");
        Misc::Varianta_ulohy = 0;
        Misc::Zvoleny_pocet_prikladu = 25;
        ScreenStill obrazovka(0);
        frm_Game01 hra;
        hra.Load();
        const qint64 pred_koncom = obrazovka.Elapsed();
        tlaciaren.EndDoc();
        koniec = std::max(koniec, obrazovka.Elapsed() - pred_koncom);
        stal = std::max(stal, obrazovka.Longest());
    }
    state.counters["longest_still_ms"] = double(stal);
    state.counters["end_doc_ms"] = double(koniec);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::UseDocumentWriter(Misc::Zapisovac_dokumentov());
    platform::FakeClock hodiny;
    platform::FakeSound zvuk;
    platform::FakeMessageBox okno;
    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::ScopedService<platform::Clock> g1(hodiny);
    platform::ScopedService<platform::Sound> g2(zvuk);
    platform::ScopedService<platform::MessageBox> g3(okno);
    platform::ScopedService<platform::KeyboardLayout> g4(klavesnica);
    Misc::Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");
    Misc::Cesta_HD = QStringLiteral(LK_DEFAULT_DATA_DIR "/");
    Misc::Nacti_texty(Misc::Cesta_HD + QStringLiteral("Texty.dat"));
    Misc::Zaregistruj_pismo();
    Misc::Jmeno_zaka = QStringLiteral("Ľudmila Šťastná");
    // One page of 25, four of fractions, five of equations, arrows, graphs.
    for (const auto &[uloha, varianta] : {std::pair{"1", 0}, std::pair{"11", 0}, std::pair{"16", 0},
                                          std::pair{"20", 0}, std::pair{"21", 1}})
        benchmark::RegisterBenchmark((std::string("Worksheet25/") + uloha).c_str(), Pracovny_list, uloha, varianta)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Copies", Kopie)->Arg(30)->Arg(999)->Unit(benchmark::kMillisecond)->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
