// Reading the scrambled data files: the byte transform, the transform of a
// 1 MiB file through the temporary copy, and loading one task from a full
// task data file.
#include "exercise/Nacti_priklady.h"
#include "services/Prekodovani.h"
#include "services/Prekodovany_soubor.h"
#include "services/Text_1250.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr qsizetype MiB = 1 << 20;

QByteArray Nahodne_bajty(qsizetype n)
{
    QByteArray b(n, Qt::Uninitialized);
    QRandomGenerator generator(1);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(generator.bounded(256));
    return b;
}

bool Zapis(const QString &cesta, const QByteArray &bajty)
{
    QFile f(cesta);
    return f.open(QIODevice::WriteOnly) && f.write(bajty) == bajty.size();
}

// A template line of the kind each task's section holds.
QString Riadok_ulohy(int uloha, int k)
{
    const QString n = QString::number(k);
    switch (uloha) {
    case 1: case 2: case 3: return QStringLiteral("zlomek#(A*x^(2)+B*x)/(C*x)#A*x/C+B/C#%1").arg(n);
    case 10: return QStringLiteral("vzorec$A*x$+B*y$-C#A*x+B*y-C#%1*A").arg(n);
    case 11: case 15: case 16: case 17: case 18:
        return QStringLiteral("vzorec$A*x+B$=C*x-D#A*x-C*x@=-D-B#(A-C)*x@=-(D+B)&x@=%1|x@=%1%A*X+B%C*X-D").arg(n);
    case 13: case 14: return QStringLiteral("k$A*x$+B~$C*x$-D#%1*x|(A+C)*x#B-D|B-D").arg(n);
    case 19: return QStringLiteral("%1#%2#Tovar stál A € a zlacnel o B %.#Koľko stojí teraz?/€/%").arg(k % 2 + 1).arg(n);
    default: return QStringLiteral("vzorec$A*x$+B*x#(A+B)*x&x*(A+B)#%1;poznámka").arg(n);
    }
}

void BM_Prekoduj_bajty_1MiB(benchmark::State &state)
{
    QByteArray data = Nahodne_bajty(MiB);
    for (auto _ : state) {
        Misc::Prekoduj_bajty(data);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(state.iterations() * MiB);
}
BENCHMARK(BM_Prekoduj_bajty_1MiB);

void BM_Prekoduj_soubor_1MiB(benchmark::State &state)
{
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath(QStringLiteral("Hra.dat"));
    if (!Zapis(cesta, Nahodne_bajty(MiB)))
        return state.SkipWithError("cannot write the source file");
    for (auto _ : state)
        if (Misc::Prekoduj_soubor(cesta).Je_chyba())
            return state.SkipWithError("transform failed");
    state.SetBytesProcessed(state.iterations() * MiB);
}
BENCHMARK(BM_Prekoduj_soubor_1MiB)->Unit(benchmark::kMillisecond);

// Loads task 11 from a file of 21 sections of range(0) templates each.
void BM_Nacti_priklady_ze_souboru(benchmark::State &state)
{
    QStringList riadky;
    for (int uloha = 1; uloha <= 21; ++uloha) {
        riadky << QStringLiteral("[%1]").arg(uloha);
        for (int k = 1; k <= state.range(0); ++k)
            riadky << Riadok_ulohy(uloha, k);
    }
    riadky << Misc::Koniec_suboru_uloh;
    QByteArray bajty = Misc::Text_do_1250(riadky.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    Misc::Prekoduj_bajty(bajty);
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath(QStringLiteral("Hra.dat"));
    if (!Zapis(cesta, bajty))
        return state.SkipWithError("cannot write the task data file");
    for (auto _ : state)
        if (Misc::Nacti_priklady_ze_souboru(cesta, QStringLiteral("11"), 0).Je_chyba())
            return state.SkipWithError("loading failed");
#ifdef __GLIBC__
    // Heap held by the records of the loaded task.
    const size_t s_vzormi = mallinfo2().uordblks;
    Misc::Vzory.Vyprazdni();
    state.counters["record_heap_bytes"] = double(s_vzormi - mallinfo2().uordblks);
    Misc::Nacti_priklady_ze_souboru(cesta, QStringLiteral("11"), 0);
#endif
    state.counters["file_bytes"] = double(bajty.size());
    state.counters["templates"] = Misc::Pocet_vzoru();
    state.SetBytesProcessed(state.iterations() * bajty.size());
}
BENCHMARK(BM_Nacti_priklady_ze_souboru)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
