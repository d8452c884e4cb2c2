#include "expr/Random.h"

#include <bit>
#include <chrono>
#include <optional>
#include <random>

namespace {

struct Source {
    std::optional<std::mt19937> engine;
    float last = 0;
};

Source &State()
{
    static Source s;
    return s;
}

std::mt19937 &Engine()
{
    Source &s = State();
    if (!s.engine) {
        std::random_device device;
        const auto clock = std::chrono::steady_clock::now().time_since_epoch().count();
        std::seed_seq seq{device(), device(), quint32(clock), quint32(quint64(clock) >> 32)};
        s.engine.emplace(seq);
    }
    return *s.engine;
}

// 24 random bits make every float in [0, 1) with step 2^-24 equally likely;
// more bits could round up to 1.
float Unit(quint32 bits) { return float(bits >> 8) * (1.0f / 16777216.0f); }

quint32 Mix(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return quint32((x ^ (x >> 31)) >> 32);
}

} // namespace

float Rnd(double arg)
{
    Source &s = State();
    if (arg > 0)
        s.last = Unit(Engine()());
    else if (arg < 0)
        s.last = Unit(Mix(std::bit_cast<quint64>(arg)));
    return s.last;
}

void Randomize()
{
    Engine();
}

void Randomize_seed(quint32 seed)
{
    State().engine.emplace(seed);
    State().last = 0;
}
