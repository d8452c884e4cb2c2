#include "exercise/Vzor_prikladu.h"

namespace Misc {

namespace {
int Horna_hranica(Vzor_prikladu::Pole pole)
{
    return pole == Vzor_prikladu::Pole::Zadani ? Max_zadani : Max_kusu;
}

bool V_tabulke(Vzor_prikladu::Pole pole, int i, int j)
{
    return i >= 0 && j >= 0 && i <= Horna_hranica(pole) && j <= Max_kusu;
}
} // namespace

QString Vzor_prikladu::Kus(Pole pole, int i, int j) const
{
    for (const Kus_textu &kus : kusy)
        if (kus.pole == pole && kus.i == i && kus.j == j)
            return kus.text;
    return {};
}

bool Vzor_prikladu::Pridaj(Pole pole, int i, int j, QChar znak)
{
    if (!V_tabulke(pole, i, j))
        return false;
    // The piece being written is nearly always the last one.
    for (auto it = kusy.rbegin(); it != kusy.rend(); ++it)
        if (it->pole == pole && it->i == i && it->j == j) {
            it->text.append(znak);
            return true;
        }
    kusy.push_back({pole, quint8(i), quint8(j), QString(znak)});
    return true;
}

const Vzor_prikladu &Sada_vzoru::operator[](int k) const
{
    static const Vzor_prikladu prazdny;
    return k >= 1 && k <= Pocet() ? vzory[std::size_t(k - 1)] : prazdny;
}

} // namespace Misc
