// The sheet of the equations solved in stages: its opening, row 1 of an
// equation of fractions, the stage rows, the result line and its Tags.
#include "exercise/frm_Game01.h"
#include "exercise/generators/Generovanie.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "platform/Fonts.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"

#include <QFontMetrics>

#include <algorithm>

namespace Stupne {

void Zapis_vysledok(frm_Game01 &f, const Vysledok &v, int cele, int citatel, int menovatel)
{
    if (v.riadok == 0)
        return;
    if (v.citatel.isEmpty()) {
        f.Vysledek_prikladu(v.riadok, 2) = v.cele;
    } else {
        f.Pom_tabulka_1(1, 1) = v.citatel;
        f.Pom_tabulka_2(1, 1) = v.menovatel;
    }
    f.TV1(cele)->Tag = v.cele;
    f.TV1(citatel)->Tag = v.citatel;
    f.TV1(menovatel)->Tag = v.menovatel;
}

void Nacitaj_obrazky(std::initializer_list<std::pair<const char *, platform::Picture *>> obrazky)
{
    for (const auto &[subor, ciel] : obrazky)
        *ciel = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Games\\") + QLatin1String(subor));
}

void Otvor_harok(frm_Game01 &f, int riadkov)
{
    // Strip style k is element k of the three strip arrays; style 5 has no
    // middle piece and borrows that of style 1.
    Nacitaj_obrazky({
        {"1list_l.bmp", &f.Obr_levy[1]},       {"1list_s.bmp", &f.Obr_stred[1]},
        {"1list_pw.bmp", &f.Obr_pravy[1]},     {"1list_lg.bmp", &f.Obr_levy[2]},
        {"1list_sg.bmp", &f.Obr_stred[2]},     {"1list_pg.bmp", &f.Obr_pravy[2]},
        {"2list_l.bmp", &f.Obr_levy[4]},       {"2list_s.bmp", &f.Obr_stred[4]},
        {"2list_p.bmp", &f.Obr_pravy[4]},      {"check.bmp", &f.Obr_check},
        {"1list_ly.bmp", &f.Obr_levy[5]},      {"1list_p.bmp", &f.Obr_pravy[5]},
        {"1l_otaz.bmp", &f.Obr_znamenka[2]},   {"1l_vetsi.bmp", &f.Obr_znamenka[3]},
        {"1l_mensi.bmp", &f.Obr_znamenka[4]},  {"2l_otaz.bmp", &f.Obr_znamenka[5]},
        {"2l_vetsi.bmp", &f.Obr_znamenka[6]},  {"2l_mensi.bmp", &f.Obr_znamenka[7]},
        {"txt_podm.bmp", &f.Obr_znamenka[10]}, {"hint02.bmp", &f.Obr_znamenka[11]},
        {"txt_vysl.bmp", &f.Obr_znamenka[12]}, {"a_zar.bmp", &f.Obr_a_zar},
    });

    for (int r = 1; r <= riadkov; ++r) {
        f.TV1(r)->Tag = QString();
        f.TV2(r)->Tag = QString();
        f.TV3(r)->Tag = QString();
    }
    Zakry_harok(f, 30, 95, 580, 355);
}

void Zakry_harok(frm_Game01 &f, int x, int y, int sirka, int vyska)
{
    platform::Picture modra;
    Nacitaj_obrazky({{"blue.bmp", &modra}});
    Misc::Vykresli_obrazek_roztazeny(modra, f, x, y, sirka, vyska);
}

void Ukaz_text(platform::Label *popis, const QString &text, int sirka)
{
    popis->Caption = text;
    if (sirka > 0)
        popis->Width = sirka;
    popis->Alignment = 2;
    popis->Visible = true;
}

void Otvor_bunku(platform::TextBox *bunka)
{
    bunka->Text = QString();
    bunka->Locked = false;
    bunka->Visible = true;
    bunka->Enabled = true;
}

void Umiestni_clen(frm_Game01 &f, platform::Label *citatel, platform::Label *menovatel)
{
    citatel->Visible = true;
    if (QString(menovatel->Caption).isEmpty()) {
        menovatel->Visible = false;
        citatel->Top = f.TR1(1)->Top;
        return;
    }
    citatel->Top = f.TR1(1)->Top - 11;
    menovatel->Top = citatel->Top + 21;
    menovatel->Visible = true;
}

void Popisy_zlomkov(frm_Game01 &f, std::initializer_list<Clen> cleny, std::initializer_list<Znamienko> znamienka)
{
    for (const Clen &c : cleny)
        for (int k : {1, 2}) {
            (*c.popisy)(k)->Caption = k == 1 ? f.Pom_tabulka_1(c.kus, 1) : f.Pom_tabulka_2(c.kus, 1);
            (*c.popisy)(k)->Alignment = 2;
        }
    for (const Znamienko &z : znamienka)
        z.popis->Caption = f.Zadani_prikladu(z.kus, 1);
}

void Uprav_stranu(int po, std::initializer_list<Clen_strany> cleny)
{
    const auto potreba = [](platform::ControlArray<platform::Label> &popisy) {
        int t = 0;
        for (int k : {1, 2})
            if (k == 1 || popisy(2)->Visible) {
                const platform::Label *l = popisy(k);
                const QFontMetrics m(platform::makeFont(l->FontName, 12, l->FontBold));
                t = std::max(t, m.horizontalAdvance(l->Caption));
            }
        return t;
    };
    std::vector<int> treba;
    bool sedi = true;
    int znamienka = 0, spolu = 0;
    for (const Clen_strany &c : cleny) {
        treba.push_back(potreba(*c.popisy));
        sedi = sedi && treba.back() <= (*c.popisy)(1)->Width;
        treba.back() += 4; // a little air beside the signs
        spolu += treba.back();
        znamienka += c.znamienko ? c.znamienko->Width() : 0;
    }
    if (sedi) {
        for (const Clen_strany &c : cleny)
            for (int k : {1, 2})
                Generovanie::Pismo((*c.popisy)(k));
        return;
    }
    const int od = (*cleny.begin()->popisy)(1)->Left, n = int(cleny.size());
    const int volne = po - od - znamienka - spolu;
    int x = od;
    size_t i = 0;
    for (const Clen_strany &c : cleny) {
        // Room left over goes to the terms in equal parts; too little room
        // is shared in proportion to what each term needs.
        const int sirka = volne >= 0 ? treba[i] + volne / n + (i + 1 == size_t(n) ? volne % n : 0)
                                     : treba[i] * (po - od - znamienka) / spolu;
        for (int k : {1, 2}) {
            platform::Label *l = (*c.popisy)(k);
            l->Left = x;
            l->Width = sirka;
            l->FontSize = Generovanie::Velkost_pre_sirku(*l, {l->Caption}, sirka);
        }
        x += sirka;
        if (c.znamienko) {
            c.znamienko->Left = x;
            x += c.znamienko->Width;
        }
        ++i;
    }
}

void Dokonci_riadok_zlomkov(frm_Game01 &f, std::initializer_list<platform::ControlArray<platform::Label> *> cleny)
{
    f.TV1(1)->Visible = false;
    f.TZR(1)->Visible = true;
    f.TV2(1)->Visible = false;
    f.TR1(1)->Caption = QStringLiteral("/");
    f.TR1(1)->Visible = true;
    Otvor_bunku(f.TV3(1));

    platform::TextBox *krok = f.TV3(1);
    // The strip takes the height of a fraction whatever the first term is;
    // the cell in it has no cream field round it, as the cells after "/"
    // of the working lines have none.
    const int hore = f.TR1(1)->Top - 11;
    Misc::Vykresli_ramecek(f, f.TZ1(1)->Left, hore, krok->Left + krok->Width - f.TZ1(1)->Left, 53, true,
                           f.Obr_levy[4], f.Obr_stred[4], f.Obr_pravy[4]);
    // Bars only under the terms shown as fractions, as wide as the longer
    // of their lines and a little air, centred as the lines are.
    for (platform::ControlArray<platform::Label> *clen : cleny) {
        platform::Label *n = (*clen)(1), *d = (*clen)(2);
        if (!d->Visible)
            continue;
        int text = 0;
        for (const platform::Label *l : {n, d})
            text = std::max(text, QFontMetrics(platform::makeFont(l->FontName, l->FontSize, l->FontBold))
                                      .horizontalAdvance(l->Caption));
        const int sirka = std::min(int(n->Width), text + 8), x = n->Left + (n->Width - sirka) / 2;
        f.Line(x, f.TZR(1)->Top + 9, x + sirka, f.TZR(1)->Top + 9);
    }
}

namespace {

// One side of row 1: a term, or two terms joined by an operator.
void Umiestni_stranu(frm_Game01 &f, platform::ControlArray<platform::Label> &prvy, platform::Label *znamienko,
                     platform::ControlArray<platform::Label> &druhy, int po)
{
    if (!QString(znamienko->Caption).isEmpty()) {
        znamienko->Visible = true;
        znamienko->Left = prvy(1)->Left + 82;
        for (int k : {1, 2}) {
            prvy(k)->Width = 82;
            druhy(k)->Left = znamienko->Left + znamienko->Width;
            druhy(k)->Width = 82;
        }
        Umiestni_clen(f, prvy(1), prvy(2));
        Umiestni_clen(f, druhy(1), druhy(2));
        Uprav_stranu(po, {{&prvy, znamienko}, {&druhy}});
        return;
    }
    znamienko->Visible = false;
    druhy(1)->Visible = false;
    druhy(2)->Visible = false;
    prvy(1)->Width = 179;
    if (!QString(prvy(2)->Caption).isEmpty())
        prvy(2)->Width = 179;
    Umiestni_clen(f, prvy(1), prvy(2));
    Uprav_stranu(po, {{&prvy}});
}

// The relation-sign image of an inequality's result right of its "x",
// `hore` px above it; the cell follows the image.
int Znamienko_vysledku(frm_Game01 &f, int riadok, const platform::Label *x, int obrazok, int hore)
{
    platform::Image *z = f.IZnam(riadok);
    z->Picture = f.Obr_znamenka[size_t(obrazok)];
    z->Visible = true;
    z->Top = x->Top - hore;
    z->Left = x->Left + x->Width;
    return z->Width;
}

} // namespace

void Riadok_vzorca(frm_Game01 &f, const QString &znamienko)
{
    for (auto [popis, text] : {std::pair{f.TZ1(1), f.Leva_strana[1]}, std::pair{f.TZ3(1), f.Prava_strana[1]}}) {
        Ukaz_text(popis, text, 179);
        popis->Top = f.TZR(1)->Top;
    }
    for (platform::Control *c : std::initializer_list<platform::Control *>{
             f.TZ1(2), f.TZ2(1), f.TZ2(2), f.TV1(1), f.TR2(1), f.TZ3(2), f.TZ4(1), f.TZ4(2), f.TV2(1), f.TR3(1)})
        c->Visible = false;
    f.TZR(1)->Caption = znamienko;
    f.TZR(1)->Visible = true;
    f.TR1(1)->Caption = QStringLiteral("/");
    f.TR1(1)->Visible = false;
    Otvor_bunku(f.TV3(1));
    f.TV3(1)->Visible = false;
    Misc::Vykresli_ramecek(f, f.TZ1(1)->Left, f.TZ1(1)->Top, f.TV2(1)->Left + f.TV2(1)->Width - f.TZ1(1)->Left,
                           32, true, f.Obr_levy[1], f.Obr_stred[1], f.Obr_pravy[1]);
}

void Riadok_styroch_clenov(frm_Game01 &f)
{
    Popisy_zlomkov(f, {{&f.TZ1, 1}, {&f.TZ2, 3}, {&f.TZ3, 5}, {&f.TZ4, 7}},
                   {{f.TR2(1), 2}, {f.TZR(1), 4}, {f.TR3(1), 6}});
    Umiestni_stranu(f, f.TZ1, f.TR2(1), f.TZ2, f.TZR(1)->Left);
    Umiestni_stranu(f, f.TZ3, f.TR3(1), f.TZ4, f.TR1(1)->Left);
    Dokonci_riadok_zlomkov(f, {&f.TZ1, &f.TZ2, &f.TZ3, &f.TZ4});
}

void Riadky_krokov(frm_Game01 &f, int od, int po)
{
    for (int k = od; k <= po; ++k) {
        for (platform::TextBox *bunka : {f.TV1(k), f.TV2(k), f.TV3(k)})
            Otvor_bunku(bunka);
        f.TZR(k)->Caption = QStringLiteral("=");
        f.TZR(k)->Visible = true;
        f.TR1(k)->Caption = QStringLiteral("/");
        f.TR1(k)->Visible = true;
        f.IHod(1)->Tag = QStringLiteral("check");
        Misc::Vykresli_ramecek(f, f.TV1(k)->Left, f.TV1(k)->Top,
                               f.TV3(k)->Left + f.TV3(k)->Width - f.TV1(k)->Left, 32, true, f.Obr_levy[5],
                               f.Obr_stred[1], f.Obr_pravy[5]);
    }
}

void Riadok_vysledku(frm_Game01 &f, int cele, int nad_popisom, bool nerovnica)
{
    platform::Label *x = f.TZ1(cele), *x_zlomku = f.TZ1(cele + 1);
    platform::TextBox *bunka = f.TV1(cele), *citatel = f.TV1(cele + 1), *menovatel = f.TV1(cele + 2);
    const QString popis = nerovnica ? QStringLiteral("x") : QStringLiteral("x =");
    const int sirka_popisu = nerovnica ? 34 : 54;
    Misc::Vykresli_obrazek(f.Obr_znamenka[12], f, 32, x->Top - nad_popisom);
    Ukaz_text(x, popis, sirka_popisu);
    Otvor_bunku(bunka);
    bunka->Left = x->Left + x->Width + (nerovnica ? Znamienko_vysledku(f, cele, x, 2, 5) : 0);
    bunka->Top = x->Top;
    bunka->Width = 152;
    Misc::Vykresli_ramecek(f, x->Left, x->Top, bunka->Left + bunka->Width - x->Left, 32, true, f.Obr_levy[1],
                           f.Obr_stred[1], f.Obr_pravy[5]);

    Ukaz_text(x_zlomku, popis, sirka_popisu);
    x_zlomku->Left = x->Left + 300;
    x_zlomku->Top = x->Top;
    const int za_znamienkom = nerovnica ? Znamienko_vysledku(f, cele + 1, x_zlomku, 5, 15) : 0;
    for (platform::TextBox *b : {citatel, menovatel}) {
        Otvor_bunku(b);
        b->Left = x_zlomku->Left + x_zlomku->Width + za_znamienkom;
        b->Width = 152;
    }
    citatel->Top = x_zlomku->Top - 10;
    menovatel->Top = x_zlomku->Top + 11;
    f.IHod(1)->Top = x->Top - 5;
    f.IHod(1)->Left = menovatel->Left + menovatel->Width + 20;
    Misc::Vykresli_ramecek(f, x_zlomku->Left, citatel->Top, citatel->Left + citatel->Width - x_zlomku->Left, 53,
                           true, f.Obr_levy[4], f.Obr_stred[4], f.Obr_pravy[4]);
    Nakresli_obdlznik(f, citatel->Left, citatel->Top + 19, citatel->Left + citatel->Width - 1, citatel->Top + 21,
                      platform::RGB(0, 0, 0), true);
}

void Dokonci_harok(frm_Game01 &f, int posledny_krok, int cele, int nad_popisom)
{
    Riadky_krokov(f, 2, posledny_krok);
    Riadok_vysledku(f, cele, nad_popisom);
    Zapis_vysledok(f, Vysledok_rovnice(f.Vysledek_prikladu), cele, cele + 1, cele + 2);
    f.Refresh();
    f.Faze_kontroly = 1;
}

void Nakresli_obdlznik(frm_Game01 &f, int x1, int y1, int x2, int y2, const QColor &farba, bool vyplneny)
{
    const QColor Puvodni_barva_popredi = f.ForeColor;
    f.ForeColor = farba;
    if (vyplneny)
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            f.Line(x1, y, x2, y, true);
    else
        f.Line(x1, y1, x2, y2, true);
    f.ForeColor = Puvodni_barva_popredi;
}

void Bez_prikladu(frm_Game01 &f, const QString &uloha, int cele)
{
    for (int k = cele; k <= cele + 2; ++k)
        f.TV1(k)->Tag = QString();
    f.Priklad_vytvoreny[1] = false;
    f.Refresh();
    platform::services().messageBox().Show(
        QStringLiteral("Z predlôh úlohy %1 sa nedá vytvoriť príklad. Súbor Hra.dat je poškodený.").arg(uloha),
        platform::MessageStyle::OkOnly | platform::MessageStyle::Critical, QStringLiteral("Chyba"));
    f.Faze_kontroly = 1;
}

} // namespace Stupne
