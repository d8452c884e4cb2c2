#include "exercise/layouts/Harok.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"

namespace Harok {

namespace {

const char *const mena[] = {"TV1", "TV2", "TV3", "TV4", "TV5", "TV6", "TZ1", "TZ2", "TZ3", "TZ4", "TZ5",
                            "TZ6", "TZ7", "TZR", "TR1", "TR2", "TR3", "TR4", "IHod", "ICheck", "IZnam"};

const QString Matematicke_pismo = QStringLiteral("Ruvo");

// Points at the usual 15 twips per pixel, as the screen's size rule gives them.
double Body(int body) { return platform::Screen::TwipsPerPixelX / 15.0 * body; }

template <class T> T *Ako(platform::Control *c, Vlastnost v)
{
    auto *t = dynamic_cast<T *>(c);
    if (!t)
        throw std::logic_error("The answer-sheet control has no property " + std::to_string(int(v)));
    return t;
}

int Citaj(platform::Control *c, Vlastnost v)
{
    switch (v) {
    case Vlastnost::Left: return c->Left;
    case Vlastnost::Top: return c->Top;
    case Vlastnost::Width: return c->Width;
    case Vlastnost::Height: return c->Height;
    default: throw std::logic_error("Only positions and sizes are read by the layouts");
    }
}

void Zapis(platform::Control *c, Vlastnost v, int h)
{
    using namespace platform;
    switch (v) {
    case Vlastnost::Left: c->Left = h; break;
    case Vlastnost::Top: c->Top = h; break;
    case Vlastnost::Width: c->Width = h; break;
    case Vlastnost::Height: c->Height = h; break;
    case Vlastnost::Visible: c->Visible = h != 0; break;
    case Vlastnost::Enabled: c->Enabled = h != 0; break;
    case Vlastnost::TabStop: c->TabStop = h != 0; break;
    case Vlastnost::TabIndex: c->TabIndex = h; break;
    case Vlastnost::FontBold: c->FontBold = h != 0; break;
    case Vlastnost::FontSize: c->FontSize = Body(h); break;
    case Vlastnost::Locked: Ako<TextBox>(c, v)->Locked = h != 0; break;
    case Vlastnost::BackStyle: Ako<Label>(c, v)->BackStyle = h; break;
    case Vlastnost::AutoSize: Ako<Label>(c, v)->AutoSize = h != 0; break;
    case Vlastnost::Alignment:
        if (auto *t = dynamic_cast<TextBox *>(c))
            t->Alignment = h;
        else
            Ako<Label>(c, v)->Alignment = h;
        break;
    default: throw std::logic_error("Not a number property of the answer sheet");
    }
}

void Zapis_text(platform::Control *c, Vlastnost v, const QString &t)
{
    switch (v) {
    case Vlastnost::Caption: Ako<platform::Label>(c, v)->Caption = t; break;
    case Vlastnost::Tag: c->Tag = t; break;
    case Vlastnost::FontName: c->FontName = t; break;
    default: throw std::logic_error("Not a text property of the answer sheet");
    }
}

void Daj_pismo(platform::Control *c)
{
    c->FontName = Matematicke_pismo;
    c->FontSize = Body(12);
}

void Priprav(frm_Game01 &f, Pole pole, platform::Control *c, Recept r)
{
    using namespace platform;
    switch (r) {
    case Recept::Skryty: c->Visible = false; break;
    case Recept::Bunka:
    case Recept::Bunka_bez_zastavky:
    case Recept::Bunka_matematicka: {
        auto *t = Ako<TextBox>(c, Vlastnost::Alignment);
        t->Alignment = vbCenter;
        t->Locked = false;
        t->Visible = false;
        if (r != Recept::Bunka_bez_zastavky)
            t->TabStop = true;
        if (r == Recept::Bunka_matematicka)
            Daj_pismo(t);
        break;
    }
    case Recept::Znamienko_ruvo: {
        Daj_pismo(c);
        c->FontBold = true;
        Zapis_text(c, Vlastnost::Caption, QStringLiteral("\u017C"));
        c->Visible = false;
        break;
    }
    case Recept::X_rovna_sa: {
        auto *l = Ako<Label>(c, Vlastnost::Caption);
        l->Visible = false;
        l->AutoSize = true;
        l->Caption = QStringLiteral("x = ");
        l->AutoSize = false;
        break;
    }
    case Recept::Znamienko_obrazok:
        c->Visible = false;
        c->Tag = f.Prvok(pole, 1)->Tag();
        break;
    }
}

void Nacitaj_riadky(frm_Game01 &f, const Krok &k)
{
    for (int i = k.od; i <= k.po; ++i)
        for (size_t s = 0; s < k.polia.size(); ++s) {
            platform::Control *prvy = f.Prvok(k.polia[s], 1);
            platform::Control *c = f.Nacitaj(k.polia[s], i);
            c->Move(prvy->Left, prvy->Top + k.krok * (i - 1) + k.pridavok, prvy->Width, prvy->Height);
            Priprav(f, k.polia[s], c, k.recepty[s]);
        }
}

void Usporiadaj(frm_Game01 &f, const Krok &k)
{
    for (int e = 1; e <= k.od; ++e) {
        const int prvy_riadok = k.po * (e - 1) + 1;
        int poradie = k.krok * (e - 1);
        for (Pole stlpec : k.polia)
            for (int r = 0; r < k.po; ++r) {
                platform::Control *c = f.Prvok(stlpec, prvy_riadok + r);
                if (k.zastavky)
                    c->TabStop = true;
                c->TabIndex = ++poradie;
            }
    }
}

void Vykonaj_krok(frm_Game01 &f, const Krok &k)
{
    using D = Krok::Druh;
    switch (k.druh) {
    case D::Geometria: {
        platform::Control *c = f.Prvok(k.pole, k.prvok);
        const Vlastnost v[] = {Vlastnost::Left, Vlastnost::Top, Vlastnost::Width, Vlastnost::Height};
        for (int j = 0; j < 4; ++j)
            if (k.geometria[j] != nic)
                Zapis(c, v[j], k.geometria[j]);
        break;
    }
    case D::Nastav: Zapis(f.Prvok(k.pole, k.prvok), k.vlastnost, k.hodnota); break;
    case D::Text: Zapis_text(f.Prvok(k.pole, k.prvok), k.vlastnost, k.text); break;
    case D::Pismo: Daj_pismo(f.Prvok(k.pole, k.prvok)); break;
    case D::Pripocitaj: {
        platform::Control *c = f.Prvok(k.pole, k.prvok);
        Zapis(c, k.vlastnost, Citaj(c, k.vlastnost) + k.hodnota);
        break;
    }
    case D::Sucet: {
        int h = k.hodnota;
        for (const Odkaz &o : k.zdroje)
            h += Citaj(f.Prvok(o.pole, o.prvok), o.vlastnost);
        Zapis(f.Prvok(k.pole, k.prvok), k.vlastnost, h);
        break;
    }
    case D::Nacitaj: Nacitaj_riadky(f, k); break;
    case D::Poradie: Usporiadaj(f, k); break;
    case D::Posun:
        for (Pole p : k.polia) {
            platform::Control *c = f.Prvok(p, k.prvok);
            c->Top = c->Top + k.hodnota;
        }
        break;
    case D::Vsetky:
        for (int i = k.od; i <= k.po; ++i)
            for (Pole p : k.polia)
                Zapis(f.Prvok(p, i), k.vlastnost, k.hodnota);
        break;
    }
}

} // namespace

namespace {

Krok Novy(Krok::Druh druh, Pole pole = Pole::TV1, int prvok = 1, Vlastnost v = Vlastnost::Left, int hodnota = 0)
{
    Krok k;
    k.druh = druh, k.pole = pole, k.prvok = prvok, k.vlastnost = v, k.hodnota = hodnota;
    return k;
}

} // namespace

const char *Meno(Pole pole) { return mena[int(pole)]; }

bool Je_bunka(Pole pole) { return pole <= Pole::TV6; }

Krok Umiestni(Pole pole, int prvok, int left, int top, int width, int height)
{
    Krok k = Novy(Krok::Druh::Geometria, pole, prvok);
    k.geometria[0] = left, k.geometria[1] = top, k.geometria[2] = width, k.geometria[3] = height;
    return k;
}

Krok Nastav(Pole pole, int prvok, Vlastnost v, int hodnota)
{
    Krok k = Novy(Krok::Druh::Nastav, pole, prvok, v, hodnota);
    return k;
}

Krok Text(Pole pole, int prvok, Vlastnost v, QString text)
{
    Krok k = Novy(Krok::Druh::Text, pole, prvok, v);
    k.text = std::move(text);
    return k;
}

Krok Pismo(Pole pole, int prvok) { return Novy(Krok::Druh::Pismo, pole, prvok); }

Krok Pripocitaj(Pole pole, int prvok, Vlastnost v, int hodnota)
{
    return Novy(Krok::Druh::Pripocitaj, pole, prvok, v, hodnota);
}

Krok Sucet(Pole pole, int prvok, Vlastnost v, std::vector<Odkaz> zdroje, int k_)
{
    Krok k = Novy(Krok::Druh::Sucet, pole, prvok, v, k_);
    k.zdroje = std::move(zdroje);
    return k;
}

Krok Nacitaj(int od, int po, int krok, std::vector<Stlpec> riadok, int pridavok)
{
    Krok k = Novy(Krok::Druh::Nacitaj);
    k.od = od, k.po = po, k.krok = krok, k.pridavok = pridavok;
    for (const Stlpec &s : riadok) {
        k.polia.push_back(s.pole);
        k.recepty.push_back(s.recept);
    }
    return k;
}

Krok Poradie(std::vector<Pole> stlpce, int prikladov, int riadkov, int krok, bool zastavky)
{
    Krok k = Novy(Krok::Druh::Poradie);
    k.polia = std::move(stlpce);
    k.od = prikladov, k.po = riadkov, k.krok = krok, k.zastavky = zastavky;
    return k;
}

Krok Posun(int riadok, int delta, std::vector<Pole> polia)
{
    Krok k = Novy(Krok::Druh::Posun, Pole::TV1, riadok, Vlastnost::Top, delta);
    k.polia = std::move(polia);
    return k;
}

Krok Vsetky(int od, int po, std::vector<Pole> polia, Vlastnost v, int hodnota)
{
    Krok k = Novy(Krok::Druh::Vsetky, Pole::TV1, 1, v, hodnota);
    k.od = od, k.po = po;
    k.polia = std::move(polia);
    return k;
}

void Vykonaj(frm_Game01 &forma, const Rozlozenie &kroky)
{
    for (const Krok &k : kroky)
        Vykonaj_krok(forma, k);
}

} // namespace Harok
