#include "platform/Random.h"

#include <QRandomGenerator>

namespace platform {

namespace {

// Stand-in until the engine's sequence (expr: Rnd, Randomize) is on main;
// then Rnd() returns ::Rnd() and Randomize() calls ::Randomize().
QRandomGenerator &Generator()
{
    static QRandomGenerator generator(QRandomGenerator::global()->generate());
    return generator;
}

} // namespace

float EngineRandom::Rnd()
{
    // 24 random bits fill a float's mantissa exactly, so 1.0 never comes out.
    return static_cast<float>(Generator().generate() >> 8) * (1.0f / 16777216.0f);
}

void EngineRandom::Randomize()
{
    // Seeded once on first use: reseeding from the clock on every screen
    // would repeat the examples drawn within one clock tick.
    Generator();
}

float FakeRandom::Rnd()
{
    if (values_.isEmpty())
        return 0.0f;
    return values_.at(rndCount_++ % values_.size());
}

} // namespace platform
