// The results table: what every added result pays for sharing the data
// directory (take the lock, read the table again) and the whole addition
// (lock, read, sort, save), for tables of range(0) results.
#include "shell/Vysledky.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QList<Vysledky::Zaznam_vysledku> Tabulka(int pocet)
{
    QList<Vysledky::Zaznam_vysledku> zaznamy;
    for (int k = 0; k < pocet; ++k)
        zaznamy.append({k % 21 + 1, QStringLiteral("Žiak Ľubomír Čierny %1").arg(k), k % 25, 25 - k % 25, k % 5 + 1, 0});
    Vysledky::Zorad_zaznamy(zaznamy);
    return zaznamy;
}

void BM_Zamok_a_citanie(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath(QStringLiteral("Hra.res"));
    if (!Vysledky::Uloz_tabulku_do_souboru(cesta, Tabulka(int(state.range(0)))))
        return state.SkipWithError("cannot write the table");
    for (auto _ : state) {
        const Vysledky::Zamok_vysledkov zamok(cesta);
        if (zamok.Stav() != Vysledky::Zapis::Hotovy)
            return state.SkipWithError("no lock");
        benchmark::DoNotOptimize(Vysledky::Nacti_tabulku_ze_souboru(cesta).zaznamy.size());
    }
}
BENCHMARK(BM_Zamok_a_citanie)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Pridaj_do_tabulky(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath(QStringLiteral("Hra.res"));
    const QList<Vysledky::Zaznam_vysledku> tabulka = Tabulka(int(state.range(0)));
    QList<Vysledky::Zaznam_vysledku> zobrazene;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Vysledky::Uloz_tabulku_do_souboru(cesta, tabulka))
            return state.SkipWithError("cannot write the table");
        state.ResumeTiming();
        if (Vysledky::Pridaj_do_tabulky(cesta, zobrazene, {7, QStringLiteral("Nový"), 20, 5, 2, 1}).zapis
            != Vysledky::Zapis::Hotovy)
            return state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_Pridaj_do_tabulky)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
