// Word wrap of a statement or word problem into at most five printed lines.
#include "printing/Stranka.h"

#include "platform/Services.h"

#include <array>

namespace Misc {

namespace {

constexpr int Pocet_kusu = 600;
constexpr int Pocet_radku = 5;
// Positions in the text are 16-bit: 32,767 characters cannot be walked.
constexpr int Nejdelsi_text = 32766;

platform::Printer &Tlaciaren() { return platform::services().printer(); }

// Pieces are the runs between blanks, empty runs included; element 0 unused.
std::array<QString, Pocet_kusu + 1> Rozdel_na_kusy(const QString &text, int &posledni)
{
    std::array<QString, Pocet_kusu + 1> kusy;
    int cislo = 1;
    QString slovo;
    auto uloz = [&] {
        if (cislo > Pocet_kusu)
            throw Chyba_rozsahu("Text má viac ako 600 slov.");
        kusy[cislo] = slovo;
    };
    if (text.size() > Nejdelsi_text)
        throw Chyba_preteceni("Text je na zalomenie pridlhý.");
    for (const QChar znak : text) {
        if (znak == QLatin1Char(' ')) {
            uloz();
            slovo.clear();
            ++cislo;
        } else {
            slovo += znak;
        }
    }
    uloz();
    posledni = cislo;
    return kusy;
}

} // namespace

void Rozdel_text_do_radku(QString Text, qint16 Sirka, QString &Radek1, QString &Radek2, QString &Radek3,
                          QString &Radek4, QString &Radek5)
{
    Tlaciaren().SetFontSize(12);

    int posledni = 0;
    const auto kusy = Rozdel_na_kusy(Text, posledni);

    std::array<QString, Pocet_radku + 1> radky; // element 0 unused
    int radek = 1;
    for (int k = 1; k <= posledni; ++k) {
        if (kusy[k].isEmpty())
            continue;
        // A word that does not fit moves whole to the next line, and is
        // tried there again.
        for (;;) {
            if (radek > Pocet_radku)
                throw Chyba_rozsahu("Text sa nezmestí do piatich riadkov.");
            const QString kandidat = radky[radek] + kusy[k] + QLatin1Char(' ');
            const float mez = Prepocitej_mm_x(float(Sirka));
            const float sirka = Tlaciaren().TextWidth(kandidat);
            if (sirka <= mez) {
                radky[radek] = kandidat;
                break;
            }
            ++radek;
        }
    }

    Radek1 = radky[1];
    Radek2 = radky[2];
    Radek3 = radky[3];
    Radek4 = radky[4];
    Radek5 = radky[5];
}

} // namespace Misc
