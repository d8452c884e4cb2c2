// Speed of the expression engine on typical template expressions:
// compile + execute against a reference parser's parse + evaluate, and
// execute alone per code. Prints the ratios after the table (the medians
// when run with --benchmark_repetitions). Also the judgement of one long
// answer cell against the ten accepted forms of a factorisation.
#include "expr/ECompiler.h"
#include "expr/Vyhodnoceni_vysledku.h"
#include "expr/Zapis_vyrazu.h"

#include <QStringList>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#if LK_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

struct Sample {
    const char *name;
    const char16_t *text;
    const char *reference; // the same expression in the reference parser's syntax
};

const std::vector<Sample> Samples = {
    {"polynomial", u"3*x^(2)-2*x+5", "3*x^(2)-2*x+5"},
    {"fractions", u"(2/3+5/6)*12", "(2/3+5/6)*12"},
    {"root", u"SQR(x^(2)+1)/(x-1)", "sqrt(x^(2)+1)/(x-1)"},
    {"long", u"((-3)^(2)*5-4/(2-7))*x^(3)+(x+1)*(x-1)/7", "((-3)^(2)*5-4/(2-7))*x^(3)+(x+1)*(x-1)/7"},
};

void CompileExecute(benchmark::State &state, const Sample &s)
{
    cECompiler compiler;
    const QString text = QString::fromUtf16(s.text);
    const QString id = QStringLiteral("EP");
    double x = 2;
    for (auto _ : state) {
        auto program = compiler.Compile(text, id);
        benchmark::DoNotOptimize(program->Execute(x, 0, 0, 0));
    }
}

void Execute(benchmark::State &state, const Sample &s)
{
    cECompiler compiler;
    auto program = compiler.Compile(QString::fromUtf16(s.text));
    double x = 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(program->Execute(x, 0, 0, 0));
    }
    const double codes = double(program->Code().size()); // the end mark runs too
    state.counters["codes"] = codes;
    state.counters["per_code"] = benchmark::Counter(codes, benchmark::Counter::kIsIterationInvariantRate
                                                               | benchmark::Counter::kInvert);
}

// A pupil's line of 10,000 characters, brackets and superscripts in every
// term, against the ten forms of a product that the factorisation task
// accepts, one after another as its check compares them. Two such lines
// take turns, as new cells do.
void JudgeLongLine(benchmark::State &state)
{
    const QString dva = Misc::Preved_na_exponent(u"2");
    QString riadok;
    while (riadok.size() < 10000)
        riadok += QStringLiteral("x%1(4x+1)(x-3)%1-3(x-2)·(y+1)+").arg(dva);
    riadok.truncate(10000);
    const QString riadky[] = {riadok, QStringLiteral("y") + riadok.mid(1)};
    QStringList formy;
    for (int k = 1; k <= 10; ++k)
        formy << QStringLiteral("%1x%2(1+4x)").arg(k).arg(dva);
    int bunka = 0;
    for (auto _ : state) {
        const QString &vstup = riadky[bunka++ % 2];
        bool spravne = false;
        for (const QString &forma : formy)
            spravne = spravne || Rovnake_cleny(vstup, forma);
        benchmark::DoNotOptimize(spravne);
    }
}

#if LK_HAVE_MUPARSER
void ReferenceParseEval(benchmark::State &state, const Sample &s)
{
    mu::Parser parser;
    double x = 2;
    parser.DefineVar("x", &x);
    for (auto _ : state) {
        parser.SetExpr(s.reference);
        benchmark::DoNotOptimize(parser.Eval());
    }
}
#endif

// Keeps the CPU time per iteration of every run, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            std::string name = run.benchmark_name();
            if (run.run_type == Run::RT_Aggregate) {
                // With repetitions the median stands for the benchmark.
                if (run.aggregate_name != "median")
                    continue;
                name.resize(name.size() - run.aggregate_name.size() - 1);
            }
            times[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times; // ns
};

void PrintRatios(const RatioReporter &r)
{
    std::printf("\n%-12s %14s %14s %8s %14s\n", "expression", "ours ns", "reference ns", "ratio", "exec ns/code");
    for (const Sample &s : Samples) {
        const auto ours = r.times.find(std::string("CompileExecute/") + s.name);
        const auto ref = r.times.find(std::string("ReferenceParseEval/") + s.name);
        const auto exec = r.times.find(std::string("Execute/") + s.name);
        if (ours == r.times.end() || exec == r.times.end())
            continue;
        cECompiler compiler;
        const double codes = double(compiler.Compile(QString::fromUtf16(s.text))->Code().size());
        const double refNs = ref == r.times.end() ? 0 : ref->second;
        std::printf("%-12s %14.1f %14.1f %7.1fx %14.2f\n", s.name, ours->second, refNs,
                    refNs > 0 ? refNs / ours->second : 0.0, exec->second / codes);
    }
}

} // namespace

int main(int argc, char **argv)
{
    for (const Sample &s : Samples) {
        benchmark::RegisterBenchmark((std::string("CompileExecute/") + s.name).c_str(), CompileExecute, s);
        benchmark::RegisterBenchmark((std::string("Execute/") + s.name).c_str(), Execute, s);
#if LK_HAVE_MUPARSER
        benchmark::RegisterBenchmark((std::string("ReferenceParseEval/") + s.name).c_str(), ReferenceParseEval, s);
#endif
    }
    benchmark::RegisterBenchmark("Judge/line_10000_ten_forms", JudgeLongLine)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
