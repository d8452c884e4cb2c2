// The results table: what every added result pays for sharing the data
// directory (take the lock, read the table again), the whole addition of a
// row (kept copy, lock, read, sort, safe write), for tables of range(0)
// results, beside the bare write of the same bytes, and a class of programs
// saving at the same moment.
#include "shell/Ulozenie_vysledku.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
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

bool Zapis_tabulku(const QString &cesta, const QList<Vysledky::Zaznam_vysledku> &zaznamy)
{
    const QByteArray bajty = Vysledky::Text_tabulky(zaznamy);
    QFile f(cesta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bajty) == bajty.size();
}

// One finished series as the results screen saves it: its row and its log entry.
bool Uloz(const QString &hd, QList<Vysledky::Zaznam_vysledku> &zobrazene, const Vysledky::Zaznam_vysledku &novy)
{
    const QString log = QStringLiteral("zaznam\r\n");
    Misc::Cakanie cakanie;
    Vysledky::Ulozenie_vysledku ulozenie(hd);
    return ulozenie.Pridaj_riadok(novy, log, zobrazene, cakanie).osud == Vysledky::Osud::Ulozeny
        && ulozenie.Pripis_log(log, cakanie).osud == Vysledky::Osud::Ulozeny;
}

void BM_Zamok_a_citanie(benchmark::State &state)
{
    QTemporaryDir adresar;
    if (!Zapis_tabulku(adresar.filePath(QStringLiteral("Hra.res")), Tabulka(int(state.range(0)))))
        return state.SkipWithError("cannot write the table");
    const Misc::Priecinok priecinok(adresar.path());
    Misc::Cakanie cakanie;
    for (auto _ : state) {
        const Misc::Zamok_priecinka zamok(priecinok, Vysledky::Cakanie_na_zamok, cakanie);
        if (!zamok.Drzany())
            return state.SkipWithError("no lock");
        benchmark::DoNotOptimize(Vysledky::Nacti_tabulku(priecinok, QStringLiteral("Hra.res")).zaznamy.size());
    }
}
BENCHMARK(BM_Zamok_a_citanie)->Arg(0)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Pridaj_do_tabulky(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString hd = adresar.path() + QLatin1Char('/');
    const QList<Vysledky::Zaznam_vysledku> tabulka = Tabulka(int(state.range(0)));
    QList<Vysledky::Zaznam_vysledku> zobrazene;
    Misc::Cakanie cakanie;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Zapis_tabulku(hd + QStringLiteral("Hra.res"), tabulka))
            return state.SkipWithError("cannot write the table");
        state.ResumeTiming();
        Vysledky::Ulozenie_vysledku ulozenie(hd);
        if (ulozenie.Pridaj_riadok({7, QStringLiteral("Nový"), 20, 5, 2, 1}, QString(), zobrazene, cakanie).osud
            != Vysledky::Osud::Ulozeny)
            return state.SkipWithError("not saved");
    }
}
BENCHMARK(BM_Pridaj_do_tabulky)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What the disk alone asks of that addition: the same bytes written to a
// new file in the same folder, synced and renamed over the table.
void BM_Holy_zapis(benchmark::State &state)
{
    QTemporaryDir adresar;
    QList<Vysledky::Zaznam_vysledku> tabulka = Tabulka(int(state.range(0)));
    Vysledky::Pridaj(tabulka, {{7, QStringLiteral("Nový"), 20, 5, 2, 1}});
    const QByteArray bajty = Vysledky::Text_tabulky(tabulka);
    const QByteArray novy = QFile::encodeName(adresar.filePath(QStringLiteral("Hra.res.novy")));
    const QByteArray meno = QFile::encodeName(adresar.filePath(QStringLiteral("Hra.res")));
    for (auto _ : state) {
        const int fd = open(novy.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || write(fd, bajty.constData(), size_t(bajty.size())) != bajty.size() || fsync(fd) != 0
            || close(fd) != 0 || rename(novy.constData(), meno.constData()) != 0)
            return state.SkipWithError("cannot write");
    }
}
BENCHMARK(BM_Holy_zapis)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// range(0) programs, released together, each add one result and its log
// entry to a table of 10,000 results; the time until the last is done.
void BM_Trieda_naraz(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString hd = adresar.path() + QLatin1Char('/');
    const QList<Vysledky::Zaznam_vysledku> tabulka = Tabulka(10000);
    int neulozene = 0;
    for (auto _ : state) {
        if (!Zapis_tabulku(hd + QStringLiteral("Hra.res"), tabulka))
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
                _exit(Uloz(hd, zobrazene, {7, QStringLiteral("Žiak %1").arg(i), 20, 5, 2, 1}) ? 0 : 1);
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

int main(int argc, char **argv)
{
    // Every save keeps its parts in the user's data folder first: a folder of the run's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
