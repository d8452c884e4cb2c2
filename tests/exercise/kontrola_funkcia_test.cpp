// The check of task 21: value tables of y = k·x completed by the pupil and
// the coefficient k, in both variants.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;

// Example 1 as a table: x values 1 to 6 on row 1, y = 2x on row 2; `zmena`
// ("TV2(1)=2,4") replaces cells.
std::string Tabulka(const QString &zmena = {})
{
    QMap<QString, QString> bunky;
    for (int k = 1; k <= 6; ++k) {
        bunky[QStringLiteral("TV%1(1)").arg(k)] = QString::number(k);
        bunky[QStringLiteral("TV%1(2)").arg(k)] = QString::number(2 * k);
    }
    for (const QString &z : zmena.split(' ', Qt::SkipEmptyParts))
        bunky[z.section('=', 0, 0)] = z.section('=', 1);
    QStringList t;
    for (auto it = bunky.cbegin(); it != bunky.cend(); ++it)
        t << it.key() + '=' + it.value();
    return t.join(' ').toStdString();
}

TEST_F(Kontrola, TablesAndCoefficientsOfTheLinearFunction)
{
    const Pravidlo Pravidla[] = {
        {"a table with one empty cell", "21", 1, Tabulka(), Tabulka("TV6(2)="), false},
        {"an x value near the expected one", "21", 1, Tabulka(), Tabulka("TV2(1)=2,4"), false},
        {"an x value near the expected one, variant b", "21", 2, Tabulka(), Tabulka("TV2(1)=2,4"), true},
        {"a half rounds to the even 2, variant b", "21", 2, Tabulka(), Tabulka("TV2(1)=2,5"), true},
        {"a half rounds to the even 4, variant b", "21", 2, Tabulka(), Tabulka("TV3(1)=3,5"), false},
        {"a y value near the expected one, variant b", "21", 2, Tabulka(), Tabulka("TV2(2)=4,4"), false},
        {"letters for an x value, variant b", "21", 2, Tabulka(), Tabulka("TV2(1)=dva"), false},
    };
    Over_pravidla(Pravidla, 5, 5);
}

} // namespace
