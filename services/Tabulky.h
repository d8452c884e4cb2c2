#pragma once
// The two tables loaded at start: the user-visible texts and the marks.
#include "services/Chyba_suboru.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace Misc {

// Text i is line i of the texts file; element 0 and every element past the
// file's last line stay empty. Lines beyond the last element are ignored.
inline constexpr int Pocet_textov = 1000;
// The texts the screens use: lines 1 to 67 of the texts file.
inline constexpr int Pocet_potrebnych_textov = 67;
inline std::array<QString, Pocet_textov + 1> Texty;

// One row of the marks table: the percentages of right answers, from and
// to, that earn the mark.
struct Hranice_znamky {
    std::uint8_t Dolni_hranice = 0;
    std::uint8_t Horni_hranice = 0;
    std::uint8_t Hodnota_znamky = 0;
};

// Rows 1 to 5 are lines 1 to 5 of the marks file; row 0 is not used.
inline constexpr int Pocet_znamok = 5;
inline std::array<Hranice_znamky, Pocet_znamok + 1> Tabulka_znamek;

// The mark for `spravne` right rows out of `celkove`, as text, from a marks
// table whose rows 1 to size() - 1 hold Dolni_hranice, Horni_hranice and
// Hodnota_znamky. Where ranges overlap, the last row holding the percentage
// wins. The file's bounds are whole numbers while the percentage need not
// be (7 of 12 is 58.3), so a percentage in a gap between rows belongs to the
// row whose upper bound lies just below it, in whatever order the rows are
// listed (the later row where two share that bound). The comparisons are exact, in
// whole numbers: in doubles 29 of 100 came out a hair below 29. A row whose mark
// is 0 (an empty line, a row the file does not reach) gives none. The empty
// text: no examples, or a percentage below every row.
template <class Tabulka>
QString Vlozeni_znamky(int spravne, int celkove, const Tabulka &tabulka)
{
    if (celkove <= 0)
        return {};
    // The percentage and the bounds, all times celkove.
    const qint64 p = qint64(spravne) * 100;
    int najdeny = 0;
    int pod_medzerou = 0;
    for (int k = 1; k < int(tabulka.size()); ++k) {
        if (tabulka[k].Hodnota_znamky == 0)
            continue;
        const qint64 dolni = qint64(tabulka[k].Dolni_hranice) * celkove;
        const qint64 horni = qint64(tabulka[k].Horni_hranice) * celkove;
        if (dolni <= p && p <= horni)
            najdeny = k;
        else if (horni < p
                 && (pod_medzerou == 0 || tabulka[k].Horni_hranice >= tabulka[pod_medzerou].Horni_hranice))
            pod_medzerou = k;
    }
    const int k = najdeny ? najdeny : pod_medzerou;
    if (k == 0)
        return {};
    return QString::number(int(tabulka[k].Hodnota_znamky));
}

// Fills rows 1 to 5 from the marks file; rows the file does not reach keep
// what they held, and an empty line gives a row without a mark. Lines after
// the fifth are ignored. Fails, changing no row, when the file cannot be
// read (or is no regular file) or a line has a field outside 0 to 255 or a
// mark outside 1 to 5; fails when some whole percentage from 0 to 100 then
// lies in no row with a mark.
Chyba_suboru Nacti_znamky(const QString &cesta);

// Empties the texts and fills them from the scrambled texts file. Fails,
// leaving the texts as they were, when the file cannot be read or is no
// texts file (fewer than Pocet_potrebnych_textov lines, the last line cut,
// or a control character in a line).
Chyba_suboru Nacti_texty(const QString &cesta);

// The number a marks field begins with (blanks anywhere ignored, a field
// without a number counts 0), rounded half to even; nothing when it lies
// outside 0 to 255.
std::optional<std::uint8_t> Hodnota_pola(const QString &pole);

} // namespace Misc
