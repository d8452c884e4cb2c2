// The worksheet driver: page plan, frame and statement of every page, and
// one generated screen per example slot, of which the first example is
// printed by the task's block.
#include "printing/Pracovni_list.h"

#include "exercise/frm_Game01.h"
#include "platform/Controls.h"
#include "platform/Services.h"
#include "printing/Stranka.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>

namespace Misc {

namespace {

platform::Printer &Tlaciaren() { return platform::services().printer(); }

void Nastav_pismo_textu()
{
    Tlaciaren().SetFontName(QStringLiteral("MS Sans Serif"));
    Tlaciaren().SetFontSize(12);
}

// The pages for the chosen count: its place among the task's five counts
// (4 to 20 for the word problems of task 19, else 5 to 25) picks the page
// argument. A count not offered keeps the plan of the worksheet before.
void Zvol_pocet_stran(const std::array<int, 5> &strany)
{
    const bool slovne_ulohy = Cislo_ulohy == QLatin1String("19") && Varianta_ulohy == 2;
    const int krok = slovne_ulohy ? 4 : 5;
    for (int i = 0; i < 5; ++i)
        if (Zvoleny_pocet_prikladu == krok * (i + 1))
            Pocet_stran = qint16(strany[i]);
}

QString Popisek(frm_Game01 &hra, Harok::Pole pole, int index)
{
    auto *popisek = dynamic_cast<platform::Label *>(hra.Prvok(pole, index));
    return popisek ? popisek->Caption() : QString();
}

} // namespace

void Vytiskni_pracovni_list(frm_Game01 &hra, QString Skupina, QString Uloha, QString Text_zadani,
                            std::array<int, 5> Pocet_stran_N, int Prikladu_na_strane, int Zbyva_vytisknout)
{
    // Measured in the face the caller set, upright; printed later in italic.
    Rozdel_text_do_radku(Text_zadani, 190, Radky_zadani[1], Radky_zadani[2], Radky_zadani[3], Radky_zadani[4],
                         Radky_zadani[5]);
    Nastav_pismo_textu();
    Zvol_pocet_stran(Pocet_stran_N);
    Cislo_tisteneho_prikladu = 0;

    const Blok_ulohy *blok = Blok_pre_ulohu(Cislo_ulohy);
    const Blok_v_kode blok_v_kode = Blok_v_kode_pre_ulohu(Cislo_ulohy);
    std::array<int, 31> Vytistene_vzory{};
    const int Prikladu_listu = Zbyva_vytisknout;
    const Blok_rovnice rovnica = Blok_rovnice_pre_ulohu(Cislo_ulohy);
    const auto nastavenie = frm_Game01::Nastavenie(Cislo_ulohy, Varianta_ulohy);
    const Citac_popisku popisek = [&hra](Harok::Pole pole, int index) { return Popisek(hra, pole, index); };

    qint16 Y_zacatku = 0;
    for (int Strana = 1; Strana <= Pocet_stran; ++Strana) {
        // A page left out of the printer dialog's range still uses up its
        // examples, so the pages printed keep their numbers.
        if (!Tlaciaren().PageInRange(Strana)) {
            Zbyva_vytisknout -= std::clamp(Zbyva_vytisknout, 0, Prikladu_na_strane);
            continue;
        }
        // The rows of the page before left the maths font in force.
        Nastav_pismo_textu();
        Vytiskni_hlavicku(Skupina, Uloha, Jmeno_zaka, QLatin1Char(' ') + QString::number(Strana));
        Vytiskni_zadani(Radky_zadani[1], Radky_zadani[2], Radky_zadani[3], Radky_zadani[4], Radky_zadani[5],
                        Y_zacatku);
        for (int slot = 1; slot <= Prikladu_na_strane; ++slot) {
            Cislo_tisteneho_prikladu = 1;
            // Slots beyond the examples asked for stay empty.
            if (Zbyva_vytisknout < 1)
                continue;
            if (blok_v_kode) {
                Slot_listu s{hra, Strana, Prikladu_na_strane, slot, Y_zacatku, Prikladu_listu, Vytistene_vzory};
                if (blok_v_kode(s))
                    Zbyva_vytisknout -= Cislo_tisteneho_prikladu;
                continue;
            }
            if ((!blok && !rovnica) || !nastavenie)
                continue;
            (hra.*nastavenie->Generator)(true);
            const int cislo = (Strana - 1) * Prikladu_na_strane + slot;
            if (blok)
                Vytiskni_blok(*blok, cislo, slot, Y_zacatku, popisek);
            else
                rovnica(hra, cislo, slot, Y_zacatku);
            Zbyva_vytisknout -= Cislo_tisteneho_prikladu;
        }
        Tlaciaren().NewPage();
    }
}

} // namespace Misc

void frm_Game01::Vytiskni_pracovni_list(const QString &skupina, const QString &uloha, const QString &zadani,
                                        const std::array<int, 5> &strany, int na_stranu, int priklady)
{
    Misc::Vytiskni_pracovni_list(*this, skupina, uloha, zadani, strany, na_stranu, priklady);
}
