#pragma once
// The program-wide random source of the example generators (Rnd, Randomize).
// The expression evaluator's RND shares the same sequence.
#include <QList>

namespace platform {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Next value of the sequence, in [0, 1).
    virtual float Rnd() = 0;
    // Seeds the sequence if it is not seeded yet; later calls keep it running.
    virtual void Randomize() = 0;
};

class EngineRandom final : public RandomSource {
public:
    float Rnd() override;
    void Randomize() override;
};

// Gives the scripted values in order and starts again from the first when
// they run out; Randomize changes nothing but is counted.
class FakeRandom final : public RandomSource {
public:
    explicit FakeRandom(QList<float> values = {0.0f}) : values_(std::move(values)) {}

    float Rnd() override;
    void Randomize() override { ++randomizeCount_; }

    int RandomizeCount() const { return randomizeCount_; }
    int RndCount() const { return rndCount_; }

private:
    QList<float> values_;
    int rndCount_ = 0;
    int randomizeCount_ = 0;
};

} // namespace platform
