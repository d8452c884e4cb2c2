// The answer cells TV1 to TV6 and their keys, and the relation signs of
// task 18. The six arrays share one family of handlers; the column number
// says where a member differs.
#include "exercise/frm_Game01.h"

#include "platform/Runtime.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"
#include "services/Zvuky.h"

using namespace Misc;

namespace {

constexpr int Enter = 13;
constexpr int Oddelovac_klavesnice = 108;
const QColor Cierna = platform::RGB(0, 0, 0);
const QColor Cervena = platform::RGB(255, 0, 0);

bool Vyplnena(const QString &text) { return !text.isEmpty() && text != QLatin1String("?"); }

} // namespace

#define LK_STLPEC(n)                                                                                          \
    void frm_Game01::TV##n##_GotFocus(int Index) { Bunka_GotFocus(n, Index); }                                 \
    void frm_Game01::TV##n##_KeyDown(int Index, platform::KeyArgs &k) { Bunka_KeyDown(n, Index, k); }          \
    void frm_Game01::TV##n##_KeyPress(int Index, platform::KeyPressArgs &k) { (void)Index, Bunka_KeyPress(k); } \
    void frm_Game01::TV##n##_MouseDown(int Index, int, int, int, int) { Bunka_MouseDown(n, Index); }           \
    void frm_Game01::TV##n##_MouseMove(int Index, int, int, int, int) { Bunka_MouseMove(n, Index); }
LK_STLPEC(1)
LK_STLPEC(2)
LK_STLPEC(3)
LK_STLPEC(4)
LK_STLPEC(5)
LK_STLPEC(6)
#undef LK_STLPEC

void frm_Game01::Pripoj_udalosti()
{
#define LK_PRIPOJ(n)                                                                                           \
    TV##n.GotFocus = [this](int i) { TV##n##_GotFocus(i); };                                                    \
    TV##n.KeyDown = [this](int i, platform::KeyArgs &k) { TV##n##_KeyDown(i, k); };                             \
    TV##n.KeyPress = [this](int i, platform::KeyPressArgs &k) { TV##n##_KeyPress(i, k); };                      \
    TV##n.MouseDown = [this](int i, int b, int s, int x, int y) { TV##n##_MouseDown(i, b, s, x, y); };          \
    TV##n.MouseMove = [this](int i, int b, int s, int x, int y) { TV##n##_MouseMove(i, b, s, x, y); };          \
    TV##n.DblClick = [this](int i) { Bunka_DblClick(n, i); };
    LK_PRIPOJ(1)
    LK_PRIPOJ(2)
    LK_PRIPOJ(3)
    LK_PRIPOJ(4)
    LK_PRIPOJ(5)
    LK_PRIPOJ(6)
#undef LK_PRIPOJ
    IZnam.MouseDown = [this](int i, int b, int s, int x, int y) { IZnam_MouseDown(i, b, s, x, y); };
    IZnam.DblClick = [this](int i) { IZnam_DblClick(i); };
    PicTop.MouseDown = [this](int i, int b, int s, int x, int y) { PicTop_MouseDown(i, b, s, x, y); };
    PicTop.MouseMove = [this](int i, int b, int s, int x, int y) { PicTop_MouseMove(i, b, s, x, y); };
    PicTop.DblClick = [this](int i) { PicTop_DblClick(i); };
    IHod.MouseDown = [this](int i, int b, int s, int x, int y) { IHod_MouseDown(i, b, s, x, y); };
    IHod.MouseUp = [this](int i, int b, int s, int x, int y) { IHod_MouseUp(i, b, s, x, y); };
    IHod.MouseMove = [this](int i, int b, int s, int x, int y) { IHod_MouseMove(i, b, s, x, y); };
    ICheck.MouseDown = [this](int i, int b, int s, int x, int y) { ICheck_MouseDown(i, b, s, x, y); };
    ICheck.MouseUp = [this](int i, int b, int s, int x, int y) { ICheck_MouseUp(i, b, s, x, y); };
    PicIcheckTimer->OnTimer = [this] { PicIcheckTimer_Timer(); };
    picPokracuj->Click = [this] { picPokracuj_Click(); };
    picPokracuj->MouseDown = [this](int b, int s, int x, int y) { picPokracuj_MouseDown(b, s, x, y); };
    picPokracuj->MouseMove = [this](int b, int s, int x, int y) { picPokracuj_MouseMove(b, s, x, y); };
}

platform::ControlArray<platform::TextBox> &frm_Game01::Stlpec(int stlpec)
{
    platform::ControlArray<platform::TextBox> *stlpce[] = {&TV1, &TV2, &TV3, &TV4, &TV5, &TV6};
    return *stlpce[stlpec - 1];
}

// Task 11 checks row by row and locks what it has checked; elsewhere the
// whole sheet is open until the check of the screen.
bool frm_Game01::Upravitelna(int stlpec, int Index)
{
    if (Cislo_ulohy == QLatin1String("11"))
        return !Stlpec(stlpec)(Index)->Locked;
    return PicTop(1)->Enabled;
}

void frm_Game01::Bunka_GotFocus(int stlpec, int Index)
{
    if (stlpec == 6)
        Zavri_otevrene_panely();
    Aktivni_pole = QStringLiteral("tv%1").arg(stlpec);
    Aktivni_index = Index;
}

void frm_Game01::Bunka_KeyDown(int stlpec, int Index, platform::KeyArgs &k)
{
    if (stlpec <= 3)
        Stlpec(stlpec)(Index)->ForeColor = Cierna;
    Prepni_na_anglickou_klavesnici();
    if (k.KeyCode == Enter || k.KeyCode == Oddelovac_klavesnice)
        platform::SendKeys(QStringLiteral("{TAB}"));
    if (stlpec <= 3 && Cislo_ulohy == QLatin1String("19") && Varianta_ulohy == 2)
        Pravidlo_otaznika(stlpec, Index);
}

// Of base, part and percentage the pupil computes one: once one of the
// other two cells is filled, the empty one is marked as the one asked for.
void frm_Game01::Pravidlo_otaznika(int stlpec, int Index)
{
    int ostatne[2], n = 0;
    for (int s = 1; s <= 3; ++s)
        if (s != stlpec)
            ostatne[n++] = s;
    platform::TextBox *P = Stlpec(ostatne[0])(Index), *Q = Stlpec(ostatne[1])(Index);
    platform::TextBox *otaznik = nullptr;
    if (QString(Q->Text).isEmpty() && Vyplnena(P->Text))
        otaznik = Q;
    else if (QString(P->Text).isEmpty() && Vyplnena(Q->Text))
        otaznik = P;
    if (otaznik) {
        otaznik->ForeColor = Cervena;
        otaznik->Text = QStringLiteral("?");
    }
}

void frm_Game01::Bunka_KeyPress(platform::KeyPressArgs &k)
{
    k.KeyAscii = platform::usKeyAscii(k);
    if (k.KeyAscii == '.')
        k.KeyAscii = ',';
    else if (k.KeyAscii == '*')
        k.KeyAscii = 0x00B7;
}

void frm_Game01::Bunka_MouseDown(int stlpec, int Index)
{
    if (stlpec != 6)
        Zavri_otevrene_panely();
    if (Upravitelna(stlpec, Index))
        Zahraj_click();
    else
        Text1->SetFocus();
}

// The second press of a double click is no MouseDown, but it focuses the
// cell all the same: a cell closed to the pupil gives the focus back.
void frm_Game01::Bunka_DblClick(int stlpec, int Index)
{
    if (!Upravitelna(stlpec, Index))
        Text1->SetFocus();
}

void frm_Game01::Bunka_MouseMove(int stlpec, int Index)
{
    platform::TextBox *bunka = Stlpec(stlpec)(Index);
    if (!Upravitelna(stlpec, Index)) {
        bunka->MouseIcon = Kurzor_sipka;
        return;
    }
    bunka->MouseIcon = Kurzor_ruka;
    const int kod = 1000 + 100 * stlpec + Index;
    if (Zvyrazneny_prvek != kod) {
        Zahraj_enter();
        Zvyrazneny_prvek = kod;
    }
}

void frm_Game01::IZnam_MouseDown(int Index, int Button, int Shift, int X, int Y)
{
    (void)Button, (void)Shift, (void)X, (void)Y;
    Zavri_otevrene_panely();
    Zahraj_click();
    const bool mensi = IZnam(Index)->Tag != QLatin1String("<");
    const bool zlomok = TZ1.exists(Index) && TZ1(Index)->Tag == QLatin1String("check_zlomek");
    IZnam(Index)->Tag = mensi ? QStringLiteral("<") : QStringLiteral(">");
    IZnam(Index)->Picture = Obr_znamenka[(zlomok ? 3 : 0) + (mensi ? 4 : 3)];
}

void frm_Game01::IZnam_DblClick(int Index) { IZnam_MouseDown(Index, platform::vbLeftButton, 0, 1, 1); }
