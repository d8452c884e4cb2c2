// How the worksheets of tasks 19, 20 and 21 print their examples. These
// blocks do more than read captions: word problems must not repeat on a
// sheet, task 20 draws its arrows, and task 21 prints a whole generated
// screen of five examples per page, with grids and the graph.
#include "printing/Pracovni_list.h"

#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "platform/Services.h"
#include "printing/Stranka.h"
#include "services/Promenne_cviceni.h"

#include <algorithm>
#include <cmath>

namespace Misc {

namespace {

const QString Ruvo = QStringLiteral("Ruvo");
const QString Text_pismo = QStringLiteral("MS Sans Serif");

int Cislo(const Slot_listu &s) { return (s.Strana - 1) * s.Prikladu_na_strane + s.Poradi_na_strane; }
QString Cislo_s(const Slot_listu &s, const char *za) { return QString::number(Cislo(s)) + QLatin1String(za); }

void Text(float x, int y, const QString &text, const QString &pismo = Ruvo)
{
    Vytiskni_radek(x, qint16(y), text, pismo);
}

void Ciara(int x1, int y1, int x2, int y2)
{
    platform::services().printer().Line(Prepocitej_mm_x(float(x1)), Prepocitej_mm_y(float(y1)),
                                        Prepocitej_mm_x(float(x2)), Prepocitej_mm_y(float(y2)), QColor(0, 0, 0));
}

// --- Task 19 -------------------------------------------------------------------

bool Blok_19_1(Slot_listu &s)
{
    s.hra.Vygeneruj_priklad_19(true);
    const int Y = 18 * s.Poradi_na_strane + s.Y_zacatku;
    Text(20, Y, Cislo_s(s, ")  ") + s.hra.TZ1(1)->Caption, Text_pismo);
    Text(20, Y + 7, QString(72, QLatin1Char('_')), Text_pismo);
    return true;
}

// A word problem not yet on the sheet. Once the sheet holds every record
// of the task data, or the draws keep missing, a repeat is let through.
void Novy_vzor(Slot_listu &s)
{
    const int N = std::clamp(s.Prikladu_listu, 0, 30);
    const auto vytlaceny = [&](int v) {
        return std::find(s.Vytistene_vzory.begin() + 1, s.Vytistene_vzory.begin() + 1 + N, v)
               != s.Vytistene_vzory.begin() + 1 + N;
    };
    int roznych = 0;
    for (int v = 1; v <= Pocet_vzoru(); ++v)
        roznych += vytlaceny(v);
    for (int pokus = 1; pokus <= 1000; ++pokus) {
        s.hra.Vygeneruj_priklad_19(true);
        if (roznych >= Pocet_vzoru() || !vytlaceny(Vybrany_vzor[1]))
            return;
    }
}

bool Blok_19_2(Slot_listu &s)
{
    Novy_vzor(s);
    if (Cislo(s) <= 30)
        s.Vytistene_vzory[size_t(Cislo(s))] = Vybrany_vzor[1];
    std::array<QString, 6> r;
    Rozdel_text_do_radku(s.hra.TZ1(1)->Caption, 170, r[1], r[2], r[3], r[4], r[5]);
    const int Y = 32 * s.Poradi_na_strane + s.Y_zacatku;
    const QString zaklad = QStringLiteral("Základ:_____________, časť:_____________, percentá:_____________.");
    const QString vysledok = QStringLiteral("Výsledok:") + QString(52, QLatin1Char('_')) + QLatin1Char('.');
    if (!r[2].isEmpty()) {
        Text(20, Y - 14, Cislo_s(s, ")  ") + r[1], Text_pismo);
        Text(20, Y - 7, r[2], Text_pismo);
        Text(20, Y, zaklad, Text_pismo);
        Text(20, Y + 7, vysledok, Text_pismo);
    } else if (!r[1].isEmpty()) {
        Text(20, Y - 14, Cislo_s(s, ")  ") + r[1], Text_pismo);
        Text(20, Y - 7, zaklad, Text_pismo);
        Text(20, Y, vysledok, Text_pismo);
    }
    return true;
}

bool Blok_19(Slot_listu &s)
{
    if (Varianta_ulohy == 1)
        return Blok_19_1(s);
    if (Varianta_ulohy == 2)
        return Blok_19_2(s);
    return false;
}

// --- Task 20 -------------------------------------------------------------------

// A shaft from y1 to y2 with its head at y1.
void Sipka(int x, int y1, int y2)
{
    const int hlava = y1 < y2 ? y1 + 3 : y1 - 3;
    Ciara(x, y2 < y1 ? y2 : y1, x, y2 < y1 ? y1 : y2);
    Ciara(x, y1, x - 1, hlava);
    Ciara(x, y1, x + 1, hlava);
}

bool Blok_20(Slot_listu &s)
{
    s.hra.Vygeneruj_priklad_20(true);
    const int Y = 25 * s.Poradi_na_strane + s.Y_zacatku;
    const QString riadok1 = s.hra.TZ1(1)->Caption, riadok2 = s.hra.TZ1(2)->Caption, cislo = Cislo_s(s, ") ");
    // Our maths font is wide: the right arrow stands after the longer line,
    // and the blank proportion moves right with it.
    const int x_sipky = std::max(68, int(std::ceil(30 + std::max(Sirka_mm(riadok1), Sirka_mm(riadok2)) + 1.5f)));
    const int x_zlomku = std::max(80, x_sipky + 5);
    const QString zlomok(11, QLatin1Char('_'));
    Text(Zaciatok_cisla(20, cislo), Y - 5, cislo);
    Text(30, Y - 5, riadok1);
    Text(30, Y + 2, riadok2);
    Text(x_zlomku, Y - 3, zlomok);
    Text(x_zlomku + 30, Y - 3, zlomok);
    // " = " in the middle of the gap between the two bars.
    const float koniec_prveho = float(x_zlomku) + Sirka_mm(zlomok);
    Text(int(std::floor((koniec_prveho + float(x_zlomku + 30) - Sirka_mm(QStringLiteral(" = "))) / 2)), Y - 1,
         QStringLiteral(" = "));
    Text(x_zlomku, Y + 9, QStringLiteral("x = ") + QString(25, QLatin1Char('_')) + QStringLiteral(" = ") + zlomok);
    Sipka(28, Y - 5, Y + 7);
    if (Vybrany_vzor[1] == 1)
        Sipka(x_sipky, Y - 5, Y + 7);
    else
        Sipka(x_sipky, Y + 7, Y - 5);
    return true;
}

// --- Task 21 -------------------------------------------------------------------

using Popisy = platform::ControlArray<platform::Label>;

QString Popis(Popisy &pole, int riadok) { return pole(riadok)->Caption; }

// Row names, then every value of the odd columns in the x row and of the
// even columns in the y row; the other cells are the pupil's.
void Tabulka_hodnot(frm_Game01 &f, int C, int Y)
{
    Popisy *stlpce[] = {&f.TZ2, &f.TZ3, &f.TZ4, &f.TZ5, &f.TZ6, &f.TZ7};
    Text(30, Y, Popis(f.TZ1, 2 * C - 1));
    Text(30, Y + 7, Popis(f.TZ1, 2 * C));
    for (int c = 1; c <= 6; ++c)
        Text(25 + 15 * c, c % 2 ? Y : Y + 7, Popis(*stlpce[c - 1], c % 2 ? 2 * C - 1 : 2 * C));
}

void Mriezka(int Y, int koniec, std::initializer_list<int> stlpce)
{
    Ciara(28, Y + 6, koniec, Y + 6);
    for (int x : stlpce)
        Ciara(x, Y, x, Y + 12);
}

void Dva_body(frm_Game01 &f, int C, int Y)
{
    Text(30, Y, Popis(f.TZ1, 2 * C - 1));
    Text(30, Y + 7, Popis(f.TZ1, 2 * C));
    Text(40, Y, Popis(f.TZ2, 2 * C - 1));
    Text(40, Y + 7, Popis(f.TZ2, 2 * C));
    Text(55, Y, Popis(f.TZ3, 2 * C - 1));
    Text(55, Y + 7, Popis(f.TZ3, 2 * C));
}

const QString Sablona_k = QStringLiteral("y = _____________ \u00B7 x");
const QString Zlomkova_ciara(9, QLatin1Char('_'));

void Priklad_21_1(frm_Game01 &f, int C, int Y)
{
    if (C == 1 || C == 3) {
        Tabulka_hodnot(f, C, Y);
        Text(150, Y, QStringLiteral("y = ") + f.TZ1(2 * C - 1)->Tag + QStringLiteral(" \u00B7 x"));
        Mriezka(Y, 130, {38, 53, 68, 83, 98, 113});
    } else if (C == 2 || C == 4) {
        Dva_body(f, C, Y);
        Text(100, Y, Sablona_k);
        Mriezka(Y, 70, {38, 53});
    } else {
        platform::services().printer().PaintPicture(f.PicGraf->persistentImage(), Prepocitej_mm_x(30),
                                                    Prepocitej_mm_y(float(Y)));
        Text(100, Y, Sablona_k);
    }
}

void Priklad_21_2(frm_Game01 &f, int C, int Y)
{
    if (C % 2 == 1) {
        Tabulka_hodnot(f, C, Y);
        Text(150, Y + 4, QStringLiteral("y =  "));
        Text(158, Y + 2, Zlomkova_ciara);
        Text(163, Y, f.TZ1(2 * C - 1)->Tag);
        Text(163, Y + 7, QStringLiteral("x"));
        Mriezka(Y, 130, {38, 53, 68, 83, 98, 113});
    } else {
        Dva_body(f, C, Y);
        Text(100, Y + 4, QStringLiteral("y ="));
        Text(108, Y + 2, Zlomkova_ciara);
        Text(113, Y + 7, QStringLiteral("x"));
        Mriezka(Y, 70, {38, 53});
    }
}

// One generated screen, its five examples in five slots of the page.
bool Blok_21(Slot_listu &s)
{
    s.hra.Vygeneruj_priklad_21(true);
    if (Varianta_ulohy != 1 && Varianta_ulohy != 2)
        return false;
    for (int e = 1; e <= 5; ++e) {
        if (e > 1) {
            ++s.Poradi_na_strane;
            ++Cislo_tisteneho_prikladu;
        }
        const int Y = 30 * s.Poradi_na_strane + s.Y_zacatku;
        Text(20, Y, Cislo_s(s, ") "));
        (Varianta_ulohy == 1 ? Priklad_21_1 : Priklad_21_2)(s.hra, Cislo_tisteneho_prikladu, Y);
    }
    return true;
}

} // namespace

Blok_v_kode Blok_v_kode_pre_ulohu(const QString &uloha)
{
    if (uloha == QLatin1String("19"))
        return Blok_19;
    if (uloha == QLatin1String("20"))
        return Blok_20;
    if (uloha == QLatin1String("21"))
        return Blok_21;
    return nullptr;
}

} // namespace Misc
