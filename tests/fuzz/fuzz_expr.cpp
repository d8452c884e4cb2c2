// Compile and run arbitrary texts; also feed them to the number text reader.
// Any crash, sanitizer report or broken invariant is a finding.
#include "expr/ECompiler.h"
#include "expr/EEvaluator.h"
#include "expr/NumberText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QString Text(const uint8_t *data, size_t size)
{
    // The first byte picks UTF-8 or raw UTF-16, so lone surrogates occur too.
    if (size == 0 || data[0] % 2 == 0)
        return QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * 2);
    return text;
}

void RoundTrip(double v)
{
    const QString written = FormatNumber(v);
    const auto back = ParseNumber(written);
    Check(back.has_value());
    Check(FormatNumber(*back) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Text(data, size);
    cECompiler compiler;
    auto program = compiler.Compile(text, QStringLiteral("EP"));
    Check(program.has_value() == (compiler.ErrMsg() == QLatin1String("OK")));
    if (program) {
        for (const double x : {0.0, 1.0, -2.5, 1e300}) {
            const double v = program->Execute(x, x / 3, -x, 0);
            Check(std::isfinite(v));
            Check(program->ErrMsg() == QLatin1String("OK") || v == 0);
            RoundTrip(v);
        }
    }
    cEEvaluator evaluator;
    const QString shown = evaluator.Vypocitej_vyraz(text, 2, 3, 4);
    Check(!shown.isEmpty());
    if (const auto number = ParseNumber(text)) {
        Check(std::isfinite(*number));
        RoundTrip(*number);
    }
    return 0;
}
