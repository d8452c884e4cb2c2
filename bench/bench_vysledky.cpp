// The results table: what every added result pays for sharing the data
// directory (take the lock, read the table again), the whole addition
// (lock, read, sort, save), for tables of range(0) results, and a class of
// programs saving at the same moment.
#include "shell/Vysledky.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

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

// One finished series as the results screen saves it: its row and its log entry.
bool Uloz(const QString &cesta, const QString &log, QList<Vysledky::Zaznam_vysledku> &zobrazene,
          const Vysledky::Zaznam_vysledku &novy)
{
    const Vysledky::Zamok_vysledkov zamok(cesta);
    return Vysledky::Uloz_do_tabulky(zamok, cesta, zobrazene, novy).pridanie.zapis == Vysledky::Zapis::Hotovy
        && Vysledky::Uloz_do_logu(zamok, log, QStringLiteral("zaznam\r\n")).pridanie.zapis == Vysledky::Zapis::Hotovy;
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
BENCHMARK(BM_Zamok_a_citanie)->Arg(0)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_Pridaj_do_tabulky)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// range(0) programs, released together, each add one result and its log
// entry to a table of 10,000 results; the time until the last is done.
void BM_Trieda_naraz(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath(QStringLiteral("Hra.res"));
    const QString log = adresar.filePath(QStringLiteral("Vysledky.dat"));
    const QList<Vysledky::Zaznam_vysledku> tabulka = Tabulka(10000);
    int neulozene = 0;
    for (auto _ : state) {
        if (!Vysledky::Uloz_tabulku_do_souboru(cesta, tabulka))
            return state.SkipWithError("cannot write the table");
        int start[2];
        if (pipe(start) != 0)
            return state.SkipWithError("no pipe");
        QList<pid_t> programy;
        for (int i = 0; i < state.range(0); ++i)
            if (const pid_t pid = fork(); pid == 0) {
                close(start[1]);
                (void)!read(start[0], start, 1);
                QList<Vysledky::Zaznam_vysledku> zobrazene;
                const bool ok = Uloz(cesta, log, zobrazene, {7, QStringLiteral("Žiak %1").arg(i), 20, 5, 2, 1});
                _exit(ok ? 0 : 1);
            } else {
                programy.append(pid);
            }
        QElapsedTimer cas;
        cas.start();
        close(start[0]), close(start[1]);
        for (const pid_t program : programy) {
            int stav = 0;
            waitpid(program, &stav, 0);
            neulozene += !WIFEXITED(stav) || WEXITSTATUS(stav) != 0;
        }
        state.SetIterationTime(double(cas.nsecsElapsed()) / 1e9);
    }
    state.counters["unsaved"] = neulozene;
}
BENCHMARK(BM_Trieda_naraz)->Arg(30)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
