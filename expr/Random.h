#pragma once
// The program's one random sequence: the example generators draw from it and
// the evaluator's RND shares it. It is seeded once per run, on first use.
#include <QtGlobal>

// arg > 0: the next number of the sequence, uniform in [0, 1).
// arg = 0: the number returned last.
// arg < 0: a number that depends on arg alone; the sequence does not move.
float Rnd(double arg = 1.0);

// Seeds the sequence from the clock if it is not seeded yet. Generators call
// it on every screen; reseeding there would repeat examples drawn within one
// clock tick, so later calls keep the running sequence.
void Randomize();

// Makes the sequence repeatable, for tests.
void Randomize_seed(quint32 seed);
