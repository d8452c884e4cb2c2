#include "platform/Random.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace platform {

namespace {

// Stand-in until the engine's own Rnd and Randomize are linked in here.
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
    Generator().seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
}

float FakeRandom::Rnd()
{
    if (values_.isEmpty())
        return 0.0f;
    return values_.at(rndCount_++ % values_.size());
}

} // namespace platform
