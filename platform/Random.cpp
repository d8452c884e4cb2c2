#include "platform/Random.h"

#include "expr/Random.h"

namespace platform {

// The engine keeps the one sequence, so generators and RND draw from it alike.
float EngineRandom::Rnd()
{
    return ::Rnd();
}

void EngineRandom::Randomize()
{
    ::Randomize();
}

float FakeRandom::Rnd()
{
    if (values_.isEmpty())
        return 0.0f;
    return values_.at(rndCount_++ % values_.size());
}

} // namespace platform
