#include "exercise/frm_Game01.h"

#include "platform/Fonts.h"
#include "platform/Runtime.h"

using namespace platform;

namespace {

const QColor Farba_bunky = RGB(255, 236, 182);

// Place, size and visibility as the design gives them; no control of the
// screen is a tab stop until a layout makes it one.
void Navrhni(Control *c, int left, int top, int width, int height, bool visible)
{
    c->Move(left, top, width, height);
    c->Visible = visible;
    c->TabStop = false;
}

// The design font and pointer of the answer sheet's labels and cells.
void Pismo_harku(Control *c)
{
    c->FontName = kDesignFont;
    c->FontSize = 12;
    c->FontBold = false;
    c->MousePointer = vbCustom;
}

void Navrhni_popis(Label *l, int left, int top, int width, const char *caption, int alignment, bool visible)
{
    Navrhni(l, left, top, width, 20, visible);
    Pismo_harku(l);
    l->Caption = QString::fromUtf8(caption);
    l->Alignment = alignment;
    l->BackStyle = vbOpaque;
    l->BackColor = RGB(255, 255, 255);
    l->ForeColor = RGB(0, 0, 0);
}

void Navrhni_bunku(TextBox *t, int left, int top, int width, bool visible)
{
    Navrhni(t, left, top, width, 20, visible);
    Pismo_harku(t);
    t->BackColor = Farba_bunky;
    t->Alignment = vbCenter;
    t->Locked = false;
}

void Navrhni_obrazok(Image *i, int left, int top, int width, int height)
{
    Navrhni(i, left, top, width, height, false);
    i->MousePointer = vbCustom;
}

} // namespace

frm_Game01::frm_Game01()
{
    Width = Stage::kWidth * Screen::TwipsPerPixelX;
    Height = Stage::kHeight * Screen::TwipsPerPixelY;
    // The face and colour of what the generators print on the form itself.
    FontName = kDesignFont;
    FontSize = 12;
    ForeColor = RGB(0, 0, 0);
    Navrhni_harok();
    Navrhni_panely();
    Navrhni_ostatne();
    Zapoj_postranni_nastroje();
}

void frm_Game01::Navrhni_harok()
{
    Navrhni_bunku(TV1(1), 303, 95, 163, true);
    Navrhni_bunku(TV2(1), 493, 95, 75, true);
    int top = 128;
    for (auto *pole : {&TV3, &TV4, &TV5, &TV6}) {
        Navrhni_bunku((*pole)(1), 304, top, 163, false);
        top += 32;
    }
    Navrhni_popis(TZ1(1), 55, 105, 220, "Label1", vbLeftJustify, true);
    Navrhni_popis(TZ2(1), 136, 95, 77, "Label1", vbLeftJustify, false);
    top = 128;
    for (auto *pole : {&TZ3, &TZ4, &TZ5, &TZ6, &TZ7}) {
        Navrhni_popis((*pole)(1), 120, top, 77, "Label1", vbLeftJustify, false);
        top += 24;
    }
    Navrhni_popis(TZR(1), 120, 95, 15, "=", vbCenter, false);
    Navrhni_popis(TR1(1), 277, 95, 25, "=", vbCenter, false);
    Navrhni_popis(TR2(1), 467, 95, 25, "=", vbCenter, false);
    Navrhni_popis(TR3(1), 504, 72, 25, "=", vbCenter, false);
    Navrhni_popis(TR4(1), 552, 72, 25, "=", vbCenter, false);
    Navrhni_obrazok(IHod(1), 590, 90, 32, 32);
    Navrhni_obrazok(ICheck(1), 320, 90, 32, 32);
    Navrhni_obrazok(IZnam(1), 256, 144, 24, 32);
}

void frm_Game01::Navrhni_panely()
{
    Navrhni(PicKalk, -204, 93, 220, 301, false);
    Navrhni(TKalk, 12, 157, 178, 20, true);
    TKalk->BackColor = Farba_bunky;
    Navrhni(TKalkPoznamky, 5, 21, 195, 131, true);
    Navrhni(PicKalkButton(0), 6, 267, 64, 28, true);

    Navrhni(PicPozn, 623, 93, 361, 301, false);
    Navrhni(TPoznamky, 23, 8, 333, 242, true);
    const int stlpce[] = {23, 140, 256};
    for (int k = 0; k <= 8; ++k) {
        TextBox *t = k == 0 ? tzlomek(0) : tzlomek.Load(k);
        const bool ciara = k >= 6;
        const int stlpec = stlpce[ciara ? k - 6 : k / 2];
        Navrhni(t, stlpec, ciara ? 266 : (k % 2 == 0 ? 253 : 275), 100, ciara ? 13 : 20, true);
        t->BackColor = ciara ? RGB(0, 0, 0) : Farba_bunky;
        t->Alignment = vbCenter;
    }
    for (auto [t, left] : {std::pair{Text2, 126}, std::pair{Text3, 242}}) {
        Navrhni(t, left, 264, 11, 24, true);
        t->Text = QStringLiteral("=");
        t->FontBold = true;
    }

    Navrhni(ExpPic(0), 209, 460, 28, 18, true);
}

void frm_Game01::Navrhni_ostatne()
{
    Navrhni(PicTop(1), 273, 5, 91, 75, true);
    PicTop(1)->BackColor = RGB(224, 224, 224);
    Navrhni(picPokracuj, 540, 450, 94, 23, false);
    Navrhni(PicIcheck, 220, 200, 200, 60, false);
    PicIcheckTimer->Interval = 100;
    PicIcheckTimer->Enabled = false;
    Navrhni(PicGraf, 344, 128, 260, 260, false);
    PicGraf->AutoRedraw = true;
    PicGraf->FontName = kDesignFont;
    PicGraf->FontSize = 8;
    PicGraf->ForeColor = RGB(0, 0, 0);
    for (int i = 1; i <= 6; ++i)
        Navrhni(i == 1 ? PomPic(1) : PomPic.Load(i), 0, 0, 94, 23, false);
    Navrhni(PicMain(1), 0, 0, 100, 100, false);
    // Visible but outside the client area: it can hold the focus unseen.
    Navrhni(Text1, -40, -40, 20, 20, true);
}

template <class F> decltype(auto) frm_Game01::S_polom(Harok::Pole pole, F &&f)
{
    using enum Harok::Pole;
    switch (pole) {
    case TV1: return f(this->TV1);
    case TV2: return f(this->TV2);
    case TV3: return f(this->TV3);
    case TV4: return f(this->TV4);
    case TV5: return f(this->TV5);
    case TV6: return f(this->TV6);
    case TZ1: return f(this->TZ1);
    case TZ2: return f(this->TZ2);
    case TZ3: return f(this->TZ3);
    case TZ4: return f(this->TZ4);
    case TZ5: return f(this->TZ5);
    case TZ6: return f(this->TZ6);
    case TZ7: return f(this->TZ7);
    case TZR: return f(this->TZR);
    case TR1: return f(this->TR1);
    case TR2: return f(this->TR2);
    case TR3: return f(this->TR3);
    case TR4: return f(this->TR4);
    case IHod: return f(this->IHod);
    case ICheck: return f(this->ICheck);
    case IZnam: break;
    }
    return f(this->IZnam);
}

Control *frm_Game01::Prvok(Harok::Pole pole, int index)
{
    return S_polom(pole, [index](auto &pole_) -> Control * { return pole_(index); });
}

Control *frm_Game01::Nacitaj(Harok::Pole pole, int index)
{
    return S_polom(pole, [index](auto &pole_) -> Control * { return pole_.Load(index); });
}

bool frm_Game01::Existuje(Harok::Pole pole, int index)
{
    return S_polom(pole, [index](auto &pole_) { return pole_.exists(index); });
}
