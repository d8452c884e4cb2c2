// The superscript bar: one key per superscript digit under the answer
// sheet; a key types its glyph into the answer cell that had the focus last.
#include "exercise/frm_Game01.h"
#include "exercise/frm_Game01_panely.h"

#include "expr/Zapis_vyrazu.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Zvuky.h"

using namespace platform;

namespace {

struct Druh_listy {
    QLatin1String slovo;
    const char *pozadi;
    int pozadi_x, klavesa_x;
    int pocet, prvni_cislice;
};
constexpr int Pozadi_y = 455, Klavesa_y = 460, Rozestup = 29;
const Druh_listy Druhy[] = {
    {QLatin1String("dlouhe"), "e_bg.bmp", 138, 209, 10, 0},
    {QLatin1String("kratke"), "e_bgs.bmp", 236, 307, 3, 2},
};

const Druh_listy *Najdi_druh(const QString &slovo)
{
    for (const Druh_listy &d : Druhy)
        if (slovo == d.slovo)
            return &d;
    return nullptr;
}

} // namespace

void frm_Game01::Vytvor_listu_exponentu(const QString &druh)
{
    const Druh_listy *d = Najdi_druh(druh);
    if (!d)
        return;
    Druh_listy_exponentu = druh;
    Misc::Vykresli_obrazek(panely::Obrazek_hry(QLatin1String(d->pozadi)), *this, d->pozadi_x, Pozadi_y);
    ExpPic(0)->Move(d->klavesa_x, Klavesa_y);
    for (int i = 0; i < d->pocet; ++i) {
        const QString cislice = QString::number(d->prvni_cislice + i);
        Obr_exponent[i] = panely::Obrazek_hry(QStringLiteral("e_") + cislice + QStringLiteral("0.bmp"));
        Obr_exponent_zvyraznene[i] = panely::Obrazek_hry(QStringLiteral("e_") + cislice + QStringLiteral("1.bmp"));
        if (i > 0) {
            ExpPic.Load(i)->Move(ExpPic(0)->Left + Rozestup * i, ExpPic(0)->Top);
            ExpPic(i)->Visible = true;
        }
        Misc::Vykresli_obrazek_na_objekt(Obr_exponent[i], *ExpPic(i), 0, 0, false);
    }
}

void frm_Game01::Skryj_listu_exponentu() { ExpPic(0)->Visible = false; }

void frm_Game01::ExpPic_MouseDown(int Index, int, int, int, int)
{
    Zavri_otevrene_panely();
    Misc::Zahraj_click();
    const Druh_listy *d = Najdi_druh(Druh_listy_exponentu);
    if (!d || Index < 0 || Index >= d->pocet)
        return;
    ExpPic(Index)->Picture = Obr_exponent_zvyraznene[Index];

    static const QLatin1String bunky[] = {QLatin1String("tv1"), QLatin1String("tv2"), QLatin1String("tv3"),
                                          QLatin1String("tv4"), QLatin1String("tv5"), QLatin1String("tv6")};
    ControlArray<TextBox> *pole[] = {&TV1, &TV2, &TV3, &TV4, &TV5, &TV6};
    ControlArray<TextBox> *cil = nullptr;
    for (int k = 0; k < 6; ++k)
        if (Aktivni_pole == bunky[k])
            cil = pole[k];
    // A cell that is gone, hidden, disabled or locked by the check takes no glyph.
    if (!cil || !cil->exists(Aktivni_index))
        return;
    TextBox *C = (*cil)(Aktivni_index);
    if (!C->Visible || !C->Enabled || C->Locked)
        return;

    // Taking the focus drops the selection, so it is put back before the glyph replaces it.
    const int S = C->SelStart, delka = C->SelLength;
    const QString g = Misc::Preved_na_exponent(QString::number(d->prvni_cislice + Index));
    C->SetFocus();
    C->SelStart = S;
    C->SelLength = delka;
    C->SelText = g;
    C->SelStart = S + int(g.size());
}

void frm_Game01::ExpPic_MouseUp(int Index, int, int, int, int)
{
    if (ExpPic.exists(Index) && Index >= 0 && Index < int(Obr_exponent.size()))
        ExpPic(Index)->Picture = Obr_exponent[Index];
}
