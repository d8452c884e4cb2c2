#include "resources/Synth.h"

#include <cmath>
#include <numbers>

namespace Resources::Synth {

namespace {

// A sine sweep from f0 to f1 under an exponential decay, with a short fade-in
// so that the start does not pop.
QList<float> tone(double seconds, double f0, double f1, double decay, double level)
{
    const int n = int(seconds * Sample_rate);
    QList<float> out(n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / Sample_rate;
        const double f = f0 + (f1 - f0) * t / seconds;
        phase += 2 * std::numbers::pi * f / Sample_rate;
        const double fadeIn = std::min(1.0, t / 0.002);
        const double fadeOut = std::min(1.0, (seconds - t) / 0.004);
        out[i] = float(level * fadeIn * fadeOut * std::exp(-t * decay) * std::sin(phase));
    }
    return out;
}

} // namespace

QList<float> click()
{
    return tone(0.025, 1800, 900, 160, 0.6);
}

QList<float> hover()
{
    return tone(0.06, 880, 1320, 40, 0.25);
}

} // namespace Resources::Synth
