#include "services/Prekodovani.h"

namespace Misc {

void Prekoduj_bajty(QByteArray &data)
{
    static constexpr char klic[4] = {'6', '0', '8', '3'};
    char *p = data.data();
    const qsizetype n = data.size();
    for (qsizetype zaciatok = 0; zaciatok < n; zaciatok += Velikost_bloku) {
        const qsizetype koniec = std::min(n, zaciatok + Velikost_bloku);
        // The first byte of every chunk stays as it is.
        for (qsizetype i = zaciatok + 1; i < koniec; ++i)
            p[i] = static_cast<char>(p[i] ^ klic[(i - zaciatok) % 4]);
    }
}

} // namespace Misc
