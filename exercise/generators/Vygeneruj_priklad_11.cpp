// Task 11: an expression written as an upper part over a lower part, for
// which the pupil writes the conditions under which it is defined, line by
// line: the lower part not 0, then what follows from it, up to the values
// that x must not take. Up to three examples a screen, three lines each;
// each line is checked by its own button before the next one opens.
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01.h"
#include "exercise/generators/Generovanie.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "expr/Zapis_vyrazu.h"
#include "platform/Runtime.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"

using Stupne::Priechod;

namespace {

// A to E whole numbers 1 to 10, K 1 to 9, drawn anew on every pass.
Stupne::Pismena Losuj_parametre_11(frm_Game01 &f)
{
    Stupne::Pismena pismena;
    char pismeno = 'A';
    for (float *p : {&f.Par_A, &f.Par_B, &f.Par_C, &f.Par_D, &f.Par_E}) {
        *p = float(Generovanie::Los_vzoru(10));
        pismena.Nastav(pismeno++, QString::number(int(*p)));
    }
    f.Par_K = qint16(Generovanie::Los_vzoru(9));
    pismena.Nastav('K', QString::number(f.Par_K));
    return pismena;
}

bool Je_text(const QString &kus)
{
    return kus.contains(u'x') || kus.contains(u'y') || kus.contains(u'z') || kus.contains(u'~');
}

// A piece that holds no unknown nor "~" as its value, else as it is.
// `zatvorky`: a negative value is bracketed.
Priechod Kus_textu(cEEvaluator &vypocet, const QString &kus, bool zatvorky, QString &text)
{
    if (Je_text(kus)) {
        text = kus;
        return Priechod::Prijaty;
    }
    const Stupne::Hodnota h = Stupne::Vycisli(vypocet, kus);
    if (h.stav != Stupne::Stav::Ok)
        return Stupne::Z_hodnoty(h.stav);
    text = !zatvorky && h.text.startsWith(u'(') ? h.text.mid(1, h.text.size() - 2) : h.text;
    return Priechod::Prijaty;
}

QString Zobraz(const QString &text) { return Zjednodus_zapis(Uprav_znamenka(Preved_na_zobrazeni(text)), true); }

// The assignment of example i joined, and split at its "/" into the upper
// part (Pom_tabulka_1) and the lower part (Pom_tabulka_2).
Priechod Zostav_vyraz(frm_Game01 &f, const Misc::Vzor_prikladu &vzor, const Stupne::Pismena &pismena, int i,
                      int &kusov)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (int k = 1; k <= 50; ++k) {
        f.Pom_j = qint16(k);
        f.Zadani_prikladu(k, i).clear();
        f.Pom_text[1].clear();
        if (!vzor.Zadani(k).isEmpty()) {
            ++kusov;
            if (const Priechod p = Kus_textu(vypocet, pismena.Dosad(vzor.Zadani(k)), true, f.Pom_text[1]);
                p != Priechod::Prijaty)
                return p;
        }
        f.Zadani_prikladu(k, i) = Vypocitej_exponenty(f.Pom_text[1], vypocet);
    }
    for (int k = 2; k <= 50; ++k)
        f.Zadani_prikladu(1, i) += f.Zadani_prikladu(k, i);
    const QStringList casti = f.Zadani_prikladu(1, i).split(u'/');
    f.Pom_tabulka_1(1, i) = Zobraz(casti.value(0));
    f.Pom_tabulka_2(1, i) = Zobraz(casti.value(1));
    return Priechod::Prijaty;
}

// One result table of the template into its table of the form, a line of
// pieces a row.
Priechod Zostav_tabulku(frm_Game01 &f, Misc::Vzor_prikladu::Pole pole, Tabulka_prikladov &ciel, bool zatvorky,
                        const Misc::Vzor_prikladu &vzor, const Stupne::Pismena &pismena, int i, int &kusov)
{
    cEEvaluator &vypocet = f.Evaluator_formulara();
    for (int r = 1; r <= 50; ++r) {
        f.Radek = qint16(r);
        ciel(r, i).clear();
        for (int k = 1; k <= 50; ++k) {
            f.Pom_i = qint16(k);
            const QString sablona = vzor.Kus(pole, r, k);
            if (sablona.isEmpty())
                continue;
            ++kusov;
            f.Pom_text[1] = Vypocitej_exponenty(pismena.Dosad(sablona), vypocet);
            QString text;
            if (const Priechod p = Kus_textu(vypocet, f.Pom_text[1], zatvorky, text); p != Priechod::Prijaty)
                return p;
            ciel(r, i) += text;
        }
        ciel(r, i) = Zobraz(ciel(r, i));
    }
    return Priechod::Prijaty;
}

// The lines that give the cells their expected answers hold "~" between
// the two sides of a condition; without it no answer could be right.
bool Podmienky_s_vlnovkou(const frm_Game01 &f, int i)
{
    const auto ma = [](const QString &riadok, bool povinny) {
        return riadok.contains(u'~') || (!povinny && riadok.isEmpty());
    };
    return ma(f.Vysledek_prikladu(1, i), true) && ma(f.Vysledek_prikladu(2, i), true)
           && ma(f.Vysledek_prikladu(3, i), false) && ma(f.Vysledek_prikladu(4, i), false)
           && ma(f.Vysledek_prikladu_2(2, i), false);
}

Priechod Priechod_11(frm_Game01 &f, int i, int t)
{
    using Pole = Misc::Vzor_prikladu::Pole;
    const Misc::Vzor_prikladu &vzor = Misc::Vzory[t];
    const Stupne::Pismena pismena = Losuj_parametre_11(f);
    f.Pom_tabulka_1(1, i).clear();
    f.Pom_tabulka_2(1, i).clear();
    int kusov = 0;
    Priechod p = Zostav_vyraz(f, vzor, pismena, i, kusov);
    if (p == Priechod::Prijaty)
        p = Zostav_tabulku(f, Pole::Vysledek2, f.Vysledek_prikladu, true, vzor, pismena, i, kusov);
    if (p == Priechod::Prijaty)
        p = Zostav_tabulku(f, Pole::Vysledek3, f.Vysledek_prikladu_2, true, vzor, pismena, i, kusov);
    if (p == Priechod::Prijaty)
        p = Zostav_tabulku(f, Pole::Vysledek4, f.Vysledek_prikladu_3, false, vzor, pismena, i, kusov);
    if (p == Priechod::Prijaty && (kusov == 0 || !Podmienky_s_vlnovkou(f, i)))
        p = Priechod::Zly_vzor;
    return p;
}

// The two sides of a condition written "left~right".
QString Pred_vlnovkou(const QString &riadok)
{
    const qsizetype v = riadok.indexOf(u'~');
    return v < 0 ? riadok : riadok.left(v);
}
QString Za_vlnovkou(const QString &riadok)
{
    const qsizetype v = riadok.indexOf(u'~');
    return v < 0 ? QString() : riadok.mid(v + 1);
}

// A condition cell in the maths font, open to the pupil, expecting `tag`.
void Bunka(platform::TextBox *b, const QString &tag)
{
    Generovanie::Pismo(b);
    b->Text = QString();
    b->Tag = tag;
    b->Locked = false;
}

// The condition cells `lava`, `prava` and the sign between them 32 px
// under those of row `nad`, hidden, expecting the condition `riadok`
// (nothing when it is empty). An answer of an example before is cleared:
// the row check shows these cells without clearing them.
void Pod_riadkom(platform::ControlArray<platform::TextBox> &lava, platform::ControlArray<platform::Label> &znamienko,
                 platform::ControlArray<platform::TextBox> &prava, int nad, const QString &riadok)
{
    const int r = nad + 1;
    lava(r)->Top = lava(nad)->Top + 32;
    znamienko(r)->Top = znamienko(nad)->Top + 32;
    prava(r)->Top = prava(nad)->Top + 32;
    Bunka(lava(r), Pred_vlnovkou(riadok));
    Bunka(prava(r), Za_vlnovkou(riadok));
    for (platform::Control *c : std::initializer_list<platform::Control *>{lava(r), znamienko(r), prava(r)})
        c->Visible = false;
}

void Ramcek_podmienky(frm_Game01 &f, const platform::TextBox *lava, const platform::TextBox *prava, int styl)
{
    Misc::Vykresli_ramecek(f, lava->Left, lava->Top, prava->Left + prava->Width - lava->Left, prava->Height, true,
                           f.Obr_levy[size_t(styl)], f.Obr_stred[size_t(styl)], f.Obr_pravy[size_t(styl)]);
}

void Tlacidlo(platform::Image *obrazok, const platform::Picture &picture, const char *tag, bool viditelne)
{
    obrazok->Picture = picture;
    obrazok->Tag = QLatin1String(tag);
    obrazok->Visible = viditelne;
}

// Example i on its three lines: the expression over its strip, line 1 open,
// line 2 waiting in grey, the rest hidden with its expected answers.
void Zobraz_priklad(frm_Game01 &f, int i)
{
    const int a = 3 * i - 2, b = 3 * i - 1, c = 3 * i;
    Generovanie::Popis(f.TZ1(a), f.Pom_tabulka_1(1, i));
    f.TZ1(a)->Visible = true;
    f.TZ1(b)->Top = f.TZ1(a)->Top + 21;
    Generovanie::Popis(f.TZ1(b), f.Pom_tabulka_2(1, i));
    f.TZ1(b)->Visible = true;
    f.TZ1(c)->Visible = false;
    Misc::Vykresli_ramecek(f, f.TZ1(a)->Left, f.TZ1(a)->Top, f.TZ1(a)->Width, 53, true, f.Obr_levy[4], f.Obr_stred[4],
                           f.Obr_pravy[4]);
    Generovanie::Ciara_pod(f, f.TZ1(a));

    Bunka(f.TV1(a), Pred_vlnovkou(f.Vysledek_prikladu(1, i)));
    Bunka(f.TV2(a), Za_vlnovkou(f.Vysledek_prikladu(1, i)));
    for (platform::Control *c : std::initializer_list<platform::Control *>{f.TV1(a), f.TR1(a), f.TV2(a)})
        c->Visible = true;
    Ramcek_podmienky(f, f.TV1(a), f.TV2(a), 1);

    Pod_riadkom(f.TV1, f.TR1, f.TV2, a, f.Vysledek_prikladu(2, i));
    for (platform::Control *c : std::initializer_list<platform::Control *>{f.TV1(b), f.TR1(b), f.TV2(b)}) {
        c->BackColor = platform::RGB(179, 179, 179);
        c->Visible = true;
    }
    f.TV1(b)->Enabled = false;
    f.TV2(b)->Enabled = false;
    Ramcek_podmienky(f, f.TV1(b), f.TV2(b), 2);
    Pod_riadkom(f.TV1, f.TR1, f.TV2, b, f.Vysledek_prikladu(3, i));

    for (platform::Control *c : std::initializer_list<platform::Control *>{f.TV3(a), f.TR2(a), f.TV4(a)})
        c->Visible = false;
    Bunka(f.TV3(a), QString());
    Bunka(f.TV4(a), QString());
    Pod_riadkom(f.TV3, f.TR2, f.TV4, a, f.Vysledek_prikladu_2(2, i));
    Pod_riadkom(f.TV3, f.TR2, f.TV4, b, f.Vysledek_prikladu(4, i));

    Tlacidlo(f.ICheck(a), f.Obr_check, "Check", true);
    f.ICheck(b)->Top = f.ICheck(a)->Top + 32;
    f.ICheck(c)->Top = f.ICheck(b)->Top + 32;
    if (Misc::Vybrany_vzor[size_t(i)] == 1) {
        Tlacidlo(f.ICheck(b), f.Obr_a_zar, "Switcher_and", false);
        // Left from an example before, it would stand there doing nothing.
        f.ICheck(c)->Visible = false;
    } else {
        Tlacidlo(f.ICheck(b), f.Obr_check, "Check", false);
        Tlacidlo(f.ICheck(c), f.Obr_a_zar, "Switcher_and", false);
    }
}

// An example that the templates could not give: its lines hidden.
void Skry_priklad(frm_Game01 &f, int i)
{
    for (int r = 3 * i - 2; r <= 3 * i; ++r)
        for (platform::Control *c : std::initializer_list<platform::Control *>{
                 f.TZ1(r), f.TV1(r), f.TR1(r), f.TV2(r), f.ICheck(r), f.TV3(r), f.TR2(r), f.TV4(r)})
            c->Visible = false;
}

} // namespace

void frm_Game01::Vygeneruj_priklad_11(bool Prvni_generovani)
{
    (void)Prvni_generovani;
    platform::services().random().Randomize();
    Vymaz_data_prikladu();
    const int pocet = std::min(int(Misc::Pocet_prikladu), 3);
    std::array<bool, 4> hotovo{};
    for (Priklad = 1; Priklad <= pocet; ++Priklad) {
        const int i = Priklad;
        hotovo[size_t(i)] = Stupne::Hladaj_priklad(*this, i, [this, i](int t) { return Priechod_11(*this, i, t); });
    }

    Stupne::Nacitaj_obrazky({
        {"1list_ly.bmp", &Obr_levy[1]}, {"1list_s.bmp", &Obr_stred[1]}, {"1list_p.bmp", &Obr_pravy[1]},
        {"1list_lg.bmp", &Obr_levy[2]}, {"1list_s.bmp", &Obr_stred[2]}, {"1list_pg.bmp", &Obr_pravy[2]},
        {"2list_l.bmp", &Obr_levy[4]},  {"2list_s.bmp", &Obr_stred[4]}, {"2list_pw.bmp", &Obr_pravy[4]},
        {"check.bmp", &Obr_check},      {"a_zar.bmp", &Obr_a_zar},      {"hint06.bmp", &Obr_znamenka[11]},
    });
    for (int r = 1; r <= 9; ++r) {
        for (platform::Control *c : std::initializer_list<platform::Control *>{TV1(r), TV2(r), TV3(r), TV4(r),
                                                                                TR1(r), TR2(r), ICheck(r)})
            c->Tag = QString();
        ICheck(r)->Enabled = true;
    }
    int nevytvorene = 0;
    for (Priklad = 1; Priklad <= pocet; ++Priklad) {
        // What the row checks of the example before drew in its place goes.
        Stupne::Zakry_harok(*this, 17, TZ1(3 * Priklad - 2)->Top - 10, 606, 105);
        if (hotovo[size_t(Priklad)]) {
            Zobraz_priklad(*this, Priklad);
        } else {
            Skry_priklad(*this, Priklad);
            Priklad_vytvoreny[size_t(Priklad)] = false;
            ++nevytvorene;
        }
    }
    Refresh();
    Faze_kontroly = 1;
    Generovanie::Ohlas_nevytvorene(nevytvorene);
}
