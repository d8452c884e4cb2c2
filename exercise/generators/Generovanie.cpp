#include "exercise/generators/Generovanie.h"

#include "exercise/Nacti_priklady.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace Generovanie {

namespace {
// The program's one sequence, through the service so that a test can script it.
double Rnd() { return double(platform::services().random().Rnd()); }
} // namespace

int Los(int a, int b) { return int(std::floor(double(b - a + 1) * Rnd())) + a; }

bool Los_zaporneho() { return int(std::floor(2 * Rnd())) + 1 == 1; }

int Los_so_znamienkom(int zaporne_od, int zaporne_do, int kladne_od, int kladne_do)
{
    return Los_zaporneho() ? Los(zaporne_od, zaporne_do) : Los(kladne_od, kladne_do);
}

int Los_vzoru(int pocet)
{
    // In double the product of pocet and the largest Rnd stays below pocet;
    // the clamp also keeps an empty set of templates at 1.
    return std::clamp(int(std::floor(double(pocet) * Rnd())) + 1, 1, std::max(pocet, 1));
}

QString Dosad(QStringView sablona, const Pismena &pismena)
{
    QString vysledok;
    vysledok.reserve(sablona.size() + 8);
    for (QChar c : sablona) {
        const Pismeno *p = nullptr;
        for (const Pismeno &k : pismena)
            if (c.toLower() == QChar(QLatin1Char(k.pismeno)).toLower())
                p = &k;
        if (!p) {
            vysledok += c;
            continue;
        }
        const QString cislo = QString::number(qint64(p->hodnota));
        vysledok += p->zatvorky && p->hodnota < 0 ? u'(' + cislo + u')' : cislo;
    }
    return vysledok;
}

std::optional<double> Hodnota(cEEvaluator &vypocet, QStringView vyraz)
{
    const EValue v = vypocet.Evaluate(vyraz, 0, 0, 0);
    if (!v.ok() || !std::isfinite(v.value))
        return std::nullopt;
    return v.value;
}

QString Text_clena(double hodnota)
{
    const QString text = FormatNumber(hodnota);
    return hodnota < 0 ? u'(' + text + u')' : text;
}

bool Pridaj_kusy(frm_Game01 &f, QString &ciel, const std::function<QString(int)> &kus, const Pismena &pismena,
                 QStringView premenne)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (f.Radek = 1; f.Radek <= 50; ++f.Radek) {
        const QString sablona = kus(f.Radek);
        if (sablona.isEmpty())
            continue;
        f.Pom_text[1] = Vypocitej_exponenty(Dosad(sablona, pismena), vypocet);
        if (std::any_of(premenne.begin(), premenne.end(), [&](QChar p) { return f.Pom_text[1].contains(p); })) {
            ciel += f.Pom_text[1];
            continue;
        }
        const auto v = Hodnota(vypocet, f.Pom_text[1]);
        if (!v || *v < -1000 || *v > 1000)
            return false;
        ciel += Text_clena(*v);
    }
    return true;
}

bool Zostav(frm_Game01 &f, QString &ciel, const std::function<QString(int)> &kus, const Pismena &pismena,
            QStringView premenne, Uprava uprava)
{
    ciel.clear();
    if (!Pridaj_kusy(f, ciel, kus, pismena, premenne))
        return false;
    QString text = Preved_na_zobrazeni(ciel);
    if (uprava == Uprava::Zadani)
        text = Vypocitej_exponenty(text, f.Evaluator_formulara());
    ciel = Zjednodus_zapis(Uprav_znamenka(text), true);
    return true;
}

bool Rozdel_zlomok(const QString &text, QString &citatel, QString &menovatel)
{
    const qsizetype lomka = text.indexOf(u'/');
    if (lomka < 0)
        return false;
    citatel = Zjednodus_zapis(text.left(lomka), true);
    menovatel = Zjednodus_zapis(text.mid(lomka + 1), true);
    return true;
}

// A template that no pass can accept must not hold the screen for ever:
// after twenty templates' worth of passes the example is left out.
bool Vygeneruj(frm_Game01 &f, int i, const std::function<int()> &losuj_vzor, const std::function<bool()> &pokus)
{
    f.Pokus = 1;
    for (int pocet = 1; pocet <= Max_pokusov; ++pocet) {
        if (f.Pokus == 1)
            Misc::Vybrany_vzor[i] = losuj_vzor();
        f.Prijato = false;
        ++f.Pokus;
        f.Prijato = pokus();
        if (f.Prijato)
            return true;
        if (f.Pokus == Pokusy_na_vzor + 1)
            f.Pokus = 1;
    }
    return false;
}

void Obrazovka(frm_Game01 &f, const std::function<int()> &losuj_vzor, const std::function<bool(int)> &pokus,
               const std::function<bool()> &dvojriadkovy, const std::function<void(int)> &zobraz,
               const std::function<void(int)> &skry)
{
    f.Vymaz_data_prikladu();
    platform::services().random().Randomize();
    const int pocet = std::min(Misc::Pocet_prikladu, int(Misc::Vybrany_vzor.size()) - 1);
    std::array<bool, 31> hotovo{};
    for (f.Priklad = 1; f.Priklad <= pocet; ++f.Priklad) {
        const int i = f.Priklad;
        hotovo[i] = Misc::Pocet_vzoru() > 0 && Vygeneruj(f, i, losuj_vzor, [&pokus, i] { return pokus(i); });
    }
    Nacitaj_ramcek(f, dvojriadkovy());
    int nevytvorene = 0;
    for (f.Priklad = 1; f.Priklad <= pocet; ++f.Priklad) {
        if (hotovo[f.Priklad]) {
            zobraz(f.Priklad);
        } else {
            skry(f.Priklad);
            f.Priklad_vytvoreny[size_t(f.Priklad)] = false;
            ++nevytvorene;
        }
    }
    f.Refresh();
    Ohlas_nevytvorene(nevytvorene);
}

bool Je_vzorec(int i) { return Misc::Vzory[Misc::Vybrany_vzor[i]].Druh() == QLatin1String("vzorec"); }

void Nacitaj_ramcek(frm_Game01 &f, bool dvojriadkovy)
{
    const QString zaklad = Misc::Cesta_CD + (dvojriadkovy ? QStringLiteral("Bitmap\\Games\\2list_")
                                                          : QStringLiteral("Bitmap\\Games\\1list_"));
    f.Obr_levy[1] = Misc::Nacti_obrazek(zaklad + QStringLiteral("l.bmp"));
    f.Obr_stred[1] = Misc::Nacti_obrazek(zaklad + QStringLiteral("s.bmp"));
    f.Obr_pravy[1] = Misc::Nacti_obrazek(zaklad + QStringLiteral("p.bmp"));
}

void Ramcek(frm_Game01 &f, const platform::Control *zaciatok, const platform::Control *koniec, int vyska)
{
    Misc::Vykresli_ramecek(f, zaciatok->Left, zaciatok->Top, koniec->Left + koniec->Width - zaciatok->Left, vyska,
                           true, f.Obr_levy[1], f.Obr_stred[1], f.Obr_pravy[1]);
}

void Pismo(platform::Control *c)
{
    c->FontName = QStringLiteral("Ruvo");
    c->FontSize = 12.0 * platform::Screen::TwipsPerPixelX / 15;
}

double Velkost_pre_sirku(const platform::Label &l, const QStringList &texty, int sirka)
{
    double velkost = 12;
    const auto siroky = [&](const QString &t) {
        return QFontMetrics(platform::makeFont(l.FontName, velkost, l.FontBold)).horizontalAdvance(t) > sirka;
    };
    while (velkost > 8 && std::any_of(texty.begin(), texty.end(), siroky))
        velkost -= 0.75;
    return velkost;
}

void Popis(platform::Label *l, const QString &text)
{
    Pismo(l);
    l->Caption = text;
    l->Alignment = 2;
    l->FontSize = Velkost_pre_sirku(*l, {text}, l->Width);
}

void Otvor(platform::TextBox *t)
{
    Pismo(t);
    t->Text = QString();
    t->Locked = false;
    t->Visible = true;
}

void Ciara_pod(frm_Game01 &f, const platform::Control *c)
{
    const int y = c->Top + c->Height;
    f.Line(c->Left, y, c->Left + c->Width, y, platform::RGB(0, 0, 0));
}

void Zobraz_riadok(frm_Game01 &f, int i, const std::optional<QString> &tag, const std::optional<QString> &druhy)
{
    f.Pom_text[1] = f.Zadani_prikladu(1, i);
    f.Zadani_prikladu(1, i) = Preved_na_zobrazeni(f.Pom_text[1]);
    Ramcek(f, f.TZ1(i), f.TV1(i), f.TZ1(i)->Height);
    Popis(f.TZ1(i), f.Zadani_prikladu(1, i));
    if (druhy)
        f.TZ1(i)->Tag = *druhy;
    if (tag)
        f.TV1(i)->Tag = *tag;
    f.TZ1(i)->Visible = true;
    f.TR1(i)->Visible = true;
    Otvor(f.TV1(i));
}

void Skry_riadok(frm_Game01 &f, int i)
{
    f.TZ1(i)->Visible = false;
    f.TR1(i)->Visible = false;
    f.TV1(i)->Visible = false;
    f.TZ1(i)->Tag = QString();
    f.TV1(i)->Tag = QString();
}

namespace {

// A fraction wider than the sheet's column of given fractions widens the
// column of its two rows into the answer cell after it (the cell keeps at
// least half its width); the column comes back to the sheet's width once
// its fraction fits.
void Sirka_zlomku(frm_Game01 &f, int i, int u, int l)
{
    if (f.Sirka_stlpca_zadania == 0)
        f.Sirka_stlpca_zadania = f.TZ1(u)->Width;
    const QFontMetrics m(platform::makeFont(QStringLiteral("Ruvo"), 12, false));
    const int treba = std::max(m.horizontalAdvance(f.Pom_tabulka_1(1, i)),
                               m.horizontalAdvance(f.Pom_tabulka_2(1, i))) + 4;
    for (int r : {u, l}) {
        platform::Label *zadanie = f.TZ1(r);
        platform::TextBox *bunka = f.TV1(r);
        const int navyse = zadanie->Width - f.Sirka_stlpca_zadania;
        const int sirka = std::clamp(treba, f.Sirka_stlpca_zadania,
                                     f.Sirka_stlpca_zadania + (bunka->Width + navyse) / 2);
        const int posun = sirka - zadanie->Width;
        zadanie->Width = sirka;
        f.TR1(r)->Left = f.TR1(r)->Left + posun;
        bunka->Left = bunka->Left + posun;
        bunka->Width = bunka->Width - posun;
    }
}

} // namespace

void Zobraz_zlomok(frm_Game01 &f, int i)
{
    const int u = 2 * i - 1, l = 2 * i;
    Sirka_zlomku(f, i, u, l);
    Ramcek(f, f.TZ1(u), f.TV2(u), 53);
    for (const platform::Control *c : std::initializer_list<const platform::Control *>{f.TZ1(u), f.TV1(u),
                                       f.TV2(u)})
        Ciara_pod(f, c);
    Popis(f.TZ1(u), f.Pom_tabulka_1(1, i));
    f.TV2(u)->Tag = f.Vysledek_prikladu(1, i);
    f.TZ1(u)->Visible = true;
    f.TZ1(l)->Top = f.TZ1(u)->Top + 21;
    Popis(f.TZ1(l), f.Pom_tabulka_2(1, i));
    // Numerator and denominator in one size.
    const double velkost = std::min(f.TZ1(u)->FontSize(), f.TZ1(l)->FontSize());
    f.TZ1(u)->FontSize = velkost;
    f.TZ1(l)->FontSize = velkost;
    f.TV2(l)->Tag = f.Vysledek_prikladu(2, i);
    f.TZ1(l)->Visible = true;
    f.TR1(u)->Top = f.TR1(l)->Top - 24;
    f.TR1(u)->Visible = true;
    f.TR1(l)->Visible = false;
    Otvor(f.TV1(u));
    f.TV1(l)->Top = f.TV1(u)->Top + 21;
    Otvor(f.TV1(l));
    f.TR2(u)->Top = f.TR2(l)->Top - 24;
    f.TR2(u)->Visible = true;
    f.TR2(l)->Visible = false;
    Otvor(f.TV2(u));
    f.TV2(l)->Top = f.TV2(u)->Top + 21;
    Otvor(f.TV2(l));
}

// A row that the example does not use: hidden, its cells expect nothing.
void Odloz_riadok(frm_Game01 &f, int r)
{
    for (platform::Control *c : std::initializer_list<platform::Control *>{f.TZ1(r), f.TR1(r), f.TV1(r), f.TR2(r), f.TV2(r)})
        c->Visible = false;
    f.TV1(r)->Tag = QString();
    f.TV2(r)->Tag = QString();
}

void Skry_zlomok(frm_Game01 &f, int i)
{
    Odloz_riadok(f, 2 * i - 1);
    Odloz_riadok(f, 2 * i);
}

void Ohlas_nevytvorene(int pocet)
{
    if (pocet == 0)
        return;
    platform::services().messageBox().Show(
        QStringLiteral("Zo vzorov úlohy %1 sa nepodarilo vytvoriť všetky príklady tejto obrazovky. Chýbajúce príklady: %2.")
            .arg(Misc::Cislo_ulohy)
            .arg(pocet),
        platform::MessageStyle::OkOnly | platform::MessageStyle::Critical, QStringLiteral("Chyba"));
}

} // namespace Generovanie
