// The exercise screen's load and activation: window, backgrounds, panels,
// counters, the task's answer sheet and templates, then the first screen of
// examples, or in print mode the worksheets.
#include "exercise/frm_Game01.h"

#include "exercise/Nacti_priklady.h"
#include "platform/ResourcePath.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Formular.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"

#include <QDir>

#include <stdexcept>

using namespace Misc;

namespace {

using G = frm_Game01;

struct Riadok_ulohy {
    int uloha;
    int varianta; // 0: every variant
    G::Nastavenie_ulohy n;
};

// background suffix, cap, generator, superscript bar, calculator, focus;
// worksheet: group, task, statement, pages for the five lengths, per page.
const Riadok_ulohy Tabulka_uloh[] = {
    {1, 0, {".bmp", 5, &G::Vygeneruj_priklad_01, "dlouhe", true, 1, 3, 4, 45, {1, 1, 1, 1, 1}, 25}},
    {2, 0, {".bmp", 5, &G::Vygeneruj_priklad_01, "dlouhe", true, 1, 3, 5, 46, {1, 1, 1, 1, 1}, 25}},
    {3, 0, {".bmp", 5, &G::Vygeneruj_priklad_01, "dlouhe", true, 1, 3, 6, 47, {1, 1, 2, 2, 3}, 10}},
    {4, 0, {".bmp", 5, &G::Vygeneruj_priklad_04, "dlouhe", true, 1, 7, 8, 48, {1, 1, 1, 1, 1}, 25}},
    {5, 0, {".bmp", 5, &G::Vygeneruj_priklad_04, "dlouhe", true, 1, 7, 9, 49, {1, 1, 1, 1, 1}, 25}},
    {6, 0, {".bmp", 5, &G::Vygeneruj_priklad_04, "dlouhe", true, 1, 7, 10, 50, {1, 1, 1, 1, 1}, 25}},
    {7, 0, {".bmp", 5, &G::Vygeneruj_priklad_07, "dlouhe", true, 1, 11, 12, 51, {1, 1, 1, 1, 1}, 25}},
    {8, 0, {".bmp", 5, &G::Vygeneruj_priklad_07, "dlouhe", true, 0, 11, 13, 52, {1, 1, 1, 1, 1}, 25}},
    {9, 0, {".bmp", 5, &G::Vygeneruj_priklad_07, "dlouhe", true, 0, 11, 14, 53, {1, 1, 1, 1, 1}, 25}},
    {10, 0, {".bmp", 5, &G::Vygeneruj_priklad_10, "dlouhe", true, 1, 11, 15, 54, {1, 1, 1, 1, 1}, 25}},
    {11, 0, {".bmp", 3, &G::Vygeneruj_priklad_11, "dlouhe", true, 1, 16, 17, 55, {1, 2, 2, 3, 4}, 8}},
    {12, 0, {".bmp", 5, &G::Vygeneruj_priklad_12, "dlouhe", true, 0, 16, 18, 56, {1, 1, 2, 2, 3}, 10}},
    {13, 0, {".bmp", 5, &G::Vygeneruj_priklad_13, "dlouhe", true, 0, 16, 19, 57, {1, 1, 2, 2, 3}, 10}},
    {14, 0, {".bmp", 5, &G::Vygeneruj_priklad_14, "dlouhe", true, 0, 16, 20, 58, {1, 1, 2, 2, 3}, 10}},
    {15, 0, {".bmp", 1, &G::Vygeneruj_priklad_15, "kratke", true, 0, 21, 22, 59, {1, 2, 3, 4, 5}, 5}},
    {16, 0, {".bmp", 1, &G::Vygeneruj_priklad_16, "kratke", true, 0, 21, 23, 60, {1, 2, 3, 4, 5}, 5}},
    {17, 0, {".bmp", 1, &G::Vygeneruj_priklad_17, "kratke", true, 0, 21, 24, 61, {1, 2, 3, 4, 5}, 5}},
    {18, 0, {".bmp", 1, &G::Vygeneruj_priklad_18, "kratke", true, 0, 21, 25, 62, {1, 2, 3, 4, 5}, 5}},
    {19, 1, {"a.bmp", 5, &G::Vygeneruj_priklad_19, "", false, 1, 26, 27, 63, {1, 1, 2, 2, 3}, 10}},
    {19, 2, {"b.bmp", 4, &G::Vygeneruj_priklad_19, "", true, 1, 26, 27, 64, {1, 2, 2, 3, 4}, 6}},
    {20, 0, {".bmp", 5, &G::Vygeneruj_priklad_20, "", true, 1, 26, 28, 65, {1, 2, 2, 3, 3}, 9}},
    {21, 1, {"a.bmp", 5, &G::Vygeneruj_priklad_21, "", true, 2, 26, 29, 66, {1, 2, 3, 4, 5}, 5}},
    {21, 2, {"b.bmp", 5, &G::Vygeneruj_priklad_21, "", true, 2, 26, 29, 67, {1, 2, 3, 4, 5}, 5}},
};

QString Zdroj(const char *cesta) { return Cesta_CD + QLatin1String(cesta); }

} // namespace

std::optional<frm_Game01::Nastavenie_ulohy> frm_Game01::Nastavenie(const QString &uloha, int varianta)
{
    bool cislo = false;
    const int u = uloha.toInt(&cislo);
    if (!cislo || uloha != QString::number(u))
        return std::nullopt;
    for (const Riadok_ulohy &r : Tabulka_uloh)
        if (r.uloha == u && (r.varianta == 0 || r.varianta == varianta))
            return r.n;
    return std::nullopt;
}

// The background, the continue button, the top bar (m*), the notes (p_*)
// and the calculator (k_*) panels.
void frm_Game01::Nacti_spolocne_obrazky()
{
    const QString zlozka = Zdroj("Bitmap\\Games\\");
    const QStringList vzory{QStringLiteral("bg.bmp"), QStringLiteral("pokracuj.bmp"), QStringLiteral("m*.bmp"),
                            QStringLiteral("p_*.bmp"), QStringLiteral("k_*.bmp")};
    for (const QString &subor : QDir(platform::resolvePath(zlozka)).entryList(vzory, QDir::Files))
        Nacti_obrazek(zlozka + subor);
}

void frm_Game01::Form_Load()
{
    const auto n = Nastavenie(Cislo_ulohy, Varianta_ulohy);
    if (!n)
        throw Harok::Chyba_ulohy(
            QStringLiteral("Úloha „%1“ vo variante %2 nemá obrazovku.").arg(Cislo_ulohy).arg(Varianta_ulohy).toStdString());
    Nastavenie_obrazovky = *n;
    Pripoj_udalosti();

    Nastav_formular(*this, 640, 480);
    Prizpusob_ovladace(*this);
    Nacti_tlacitka_menu();
    Obr_pokracuj = Nacti_obrazek(Zdroj("Bitmap\\Games\\pokracuj.bmp"));
    picPokracuj->Visible = false;
    picPokracuj->Enabled = false;
    Zobrazit_pokracuj = true;
    Nakresli_pozadie(*n);
    Nastav_panely(*n);
    Nastav_pocty(*n);

    Zvolena_uloha = {Cislo_ulohy, Varianta_ulohy};
    Vygeneruj_komponenty_ulohy();
    const QString cesta = Cesta_HD + QStringLiteral("Hra.dat");
    const Chyba_suboru chyba = Nacti_priklady_ze_souboru(cesta, Cislo_ulohy, Varianta_ulohy);
    const bool so_vzormi = Cislo_ulohy != QLatin1String("20") && Cislo_ulohy != QLatin1String("21");
    QString sprava = chyba.Text();
    if (!chyba.Je_chyba() && so_vzormi && Pocet_vzoru() == 0)
        sprava = QStringLiteral("V súbore %1 nie sú predlohy úlohy %2.")
                     .arg(QDir::toNativeSeparators(cesta), Cislo_ulohy);
    if (!sprava.isEmpty())
        platform::services().messageBox().Show(
            sprava, platform::MessageStyle::OkOnly | platform::MessageStyle::Critical, QStringLiteral("Chyba"));
    // Without its templates a task has nothing to generate: the pupil goes
    // back to where the series was started from.
    const bool bez_vzorov = so_vzormi && Pocet_vzoru() == 0;

    if (Tisk) {
        if (!bez_vzorov)
            Vytlac(*n);
        Tisk = false;
        return;
    }
    if (bez_vzorov) {
        Unload();
        return;
    }
    (this->*n->Generator)(true);
    Nacti_chybova_okna();
}

void frm_Game01::Nakresli_pozadie(const Nastavenie_ulohy &n)
{
    Picture = Nacti_obrazek(Zdroj("Bitmap\\Games\\bg.bmp"));
    const QString nn = QStringLiteral("%1").arg(Cislo_ulohy.toInt(), 2, 10, QLatin1Char('0'));
    Vykresli_obrazek(Nacti_obrazek(Cesta_CD + QStringLiteral("Bitmap\\Games\\bg_") + nn
                                   + QLatin1String(n.Pripona_pozadia)),
                     *this, 0, 0);
}

void frm_Game01::Nastav_panely(const Nastavenie_ulohy &n)
{
    n.Kalkulacka ? Vytvor_kalkulacku() : Skryj_kalkulacku();
    const double na_pixel = platform::Screen::TwipsPerPixelX / 15.0;
    TKalk->FontSize = 12 * na_pixel;
    TKalk->FontName = QStringLiteral("Ruvo");
    TKalkPoznamky->FontSize = 11 * na_pixel;
    TKalkPoznamky->FontName = QStringLiteral("Ruvo");
    TKalkPoznamky->FontBold = true;
    Vytvor_poznamky();
    if (*n.Lista_exponentu)
        Vytvor_listu_exponentu(QLatin1String(n.Lista_exponentu));
    else
        Skryj_listu_exponentu();
}

void frm_Game01::Nastav_pocty(const Nastavenie_ulohy &n)
{
    Zvyrazneny_prvek = 0;
    Pocet_spravnych = 0;
    Pocet_spatnych = 0;
    Pocet_zbyvajicich_prikladu = Zvoleny_pocet_prikladu;
    Pocet_prikladu = std::min<int>(Zvoleny_pocet_prikladu, n.Strop);
}

// One worksheet per copy asked for in the printer dialog; the device itself
// prints each document once. Hundreds of copies take seconds: the screen
// says how far it is between them, keys and clicks meanwhile dropped.
void frm_Game01::Vytlac(const Nastavenie_ulohy &n)
{
    platform::Printer &tlaciaren = platform::services().printer();
    const int kopie = tlaciaren.Copies();
    const auto priprava = [kopie](int k) {
        return kopie == 1 ? QStringLiteral("Pripravujem pracovný list …")
                          : QStringLiteral("Pripravujem pracovný list %1 z %2 …").arg(k).arg(kopie);
    };
    platform::WaitNote poznamka(priprava(1));
    for (int k = 1; k <= kopie; ++k) {
        if (!poznamka.Update(priprava(k)))
            throw std::runtime_error("Tlač sa prerušila, lebo sa program ukončuje.");
        Tisk = false;
        tlaciaren.SetFontName(QStringLiteral("MS Sans Serif"));
        tlaciaren.SetFontSize(12.0f * platform::Screen::TwipsPerPixelX / 15);
        Vytiskni_pracovni_list(Texty[n.Skupina], Texty[n.Nazov], Texty[n.Zadanie], n.Strany, n.Na_stranu,
                               Pocet_zbyvajicich_prikladu);
    }
}

void frm_Game01::Form_Activate()
{
    const Nastavenie_ulohy &n = Nastavenie_obrazovky;
    if (n.Fokus != 0 && TV1.exists(n.Fokus)) {
        if (PicTop(1)->Enabled)
            TV1(n.Fokus)->SetFocus();
        else
            Text1->SetFocus();
    }
    if (n.Kalkulacka)
        Vykresli_zalozku_kalkulacky_00();
    Vykresli_zalozku_poznamek_00();
}

void frm_Game01::Form_Unload(int &Cancel) { (void)Cancel; }
