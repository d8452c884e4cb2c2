#pragma once
// The two sounds, synthesised: a soft click and a short hover tone.
#include <QList>

namespace Resources::Synth {

inline constexpr int Sample_rate = 22050;

QList<float> click();
QList<float> hover();

} // namespace Resources::Synth
