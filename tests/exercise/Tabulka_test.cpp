#include "exercise/Tabulka.h"

#include <gtest/gtest.h>

namespace {

TEST(TabulkaPrikladov, HoldsZeroToFiftyBothWaysAndRefusesTheRest)
{
    Tabulka_prikladov t;
    t(50, 50) = QStringLiteral("posledny");
    t(1, 3) = QStringLiteral("3/4");
    EXPECT_EQ(t(50, 50), "posledny");
    EXPECT_EQ(t(3, 1), "") << "rows and columns are not swapped";
    const struct { const char *nazov; int i, j; } mimo[] = {
        {"row 51", 51, 0}, {"column 51", 0, 51}, {"negative row", -1, 5}, {"negative column", 5, -1}};
    for (const auto &m : mimo)
        EXPECT_THROW(t(m.i, m.j), std::out_of_range) << m.nazov;
    t.Vymaz();
    EXPECT_EQ(t(1, 3), "");
}

} // namespace
