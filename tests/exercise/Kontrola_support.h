#pragma once
// The exercise screen after a generator: the answers' Tags filled as the
// generators leave them, the pupil's answers typed key by key, the check
// button pressed and the marks read as the pupil sees them.
#include "Hra_support.h"
#include "expr/Glyfy.h"

namespace hra_test {

class Kontrola : public Obrazovka {
protected:
    // A screen of the task, shown, with `pocet` examples chosen.
    Hra &Ukaz(const char *uloha, int varianta, int pocet)
    {
        Hra &h = Nacitaj(uloha, varianta, pocet);
        lktest::showAndActivate(&h);
        return h;
    }
    static platform::TextBox *Bunka(Hra &h, const QString &stlpec, int riadok)
    {
        platform::ControlArray<platform::TextBox> *stlpce[] = {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6};
        return (*stlpce[stlpec.mid(2).toInt() - 1])(riadok);
    }
    // "TV2(3)=12 TZ1(1)=x V(2,1)=a TZR(6).Caption=<": Tags (or captions) of
    // cells, labels and marks and entries of Vysledek_prikladu, as a
    // generator leaves them; the cells shown.
    static void Ako_generator(Hra &h, const char *tagy)
    {
        // What the load's real generator left must not mix with the case's Tags.
        for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6})
            for (int i = 0; i <= stlpec->UBound(); ++i)
                if (stlpec->exists(i)) {
                    (*stlpec)(i)->Tag = QString();
                    (*stlpec)(i)->Text = QString();
                    (*stlpec)(i)->Locked = false;
                }
        for (const QString &t : QString::fromUtf8(tagy).split(' ', Qt::SkipEmptyParts)) {
            const QString meno = t.section('=', 0, 0), hodnota = t.section('=', 1);
            const QString pole = meno.section('(', 0, 0);
            const QStringList c = meno.section('(', 1).section(')', 0, 0).split(',');
            const int r = c[0].toInt();
            if (pole == QLatin1String("V"))
                h.Vysledek_prikladu(r, c[1].toInt()) = hodnota;
            else if (pole == QLatin1String("IHod"))
                h.IHod(r)->Tag = hodnota;
            else if (pole == QLatin1String("ICheck"))
                h.ICheck(r)->Tag = hodnota;
            else if (pole.startsWith(QLatin1String("TZ"))) {
                platform::Label *l = pole == QLatin1String("TZR") ? h.TZR(r) : h.TZ1(r);
                if (meno.endsWith(QLatin1String(".Caption")))
                    l->Caption = hodnota;
                else
                    l->Tag = hodnota;
            } else {
                platform::TextBox *b = Bunka(h, pole, r);
                b->Tag = hodnota;
                b->Visible = true;
            }
        }
    }
    // "TV1(1)=5+7": typed key by key into the cells ("_" types a blank, "²"
    // the maths font's superscript);
    // "IZnam(6)=>": the relation sign clicked until it shows ">".
    static void Napis(Hra &h, const char *odpovede)
    {
        for (const QString &t : QString::fromUtf8(odpovede).split(' ', Qt::SkipEmptyParts)) {
            const QString meno = t.section('=', 0, 0);
            const int r = meno.section('(', 1).chopped(1).toInt();
            if (meno.startsWith(QLatin1String("IZnam"))) {
                for (int k = 0; k < 2 && h.IZnam(r)->Tag != t.section('=', 1); ++k)
                    QTest::mouseClick(h.IZnam(r), Qt::LeftButton, {}, QPoint(3, 3));
                continue;
            }
            platform::TextBox *b = Bunka(h, meno.section('(', 0, 0), r);
            // As if the pupil had opened the cell (task 17's second condition
            // waits for its switch): the rules, not the opening, are tested here.
            b->Visible = true;
            b->Enabled = true;
            b->SetFocus();
            QTest::keyClicks(b->editor(), Glyfy(t.section('=', 1).toUtf8().constData()).replace(u'_', u' '));
        }
    }
    static void Skontroluj(Hra &h) { QTest::mouseClick(h.PicTop(1), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Which picture "Bitmap/Games/<meno>.bmp" a control shows, "?" for none.
    static QString Obraz(const platform::Picture &obraz, std::initializer_list<const char *> mena)
    {
        for (const char *meno : mena)
            if (obraz.image()
                == platform::LoadPicture(Misc::Cesta_CD + "Bitmap/Games/" + meno + ".bmp").image())
                return QLatin1String(meno);
        return QStringLiteral("?");
    }
    // A mark as the pupil sees it: "ok", "ko!" (pressable) or "-" hidden.
    static QString Znacka(Hra &h, int i)
    {
        platform::Image *z = h.IHod(i);
        const QString meno = Obraz(z->Picture, {"Check_ok", "Check_ko"});
        if (!z->Visible || meno == QLatin1String("?"))
            return z->Visible ? meno : QStringLiteral("-");
        return meno.mid(6) + (z->Enabled ? QStringLiteral("!") : QString());
    }
    int Zvuky(const char *subor) const { return int(zvuk.Played().filter(QLatin1String(subor)).size()); }
    // "ok ko! -": the marks IHod(1) to IHod(n).
    static std::string Znacky(Hra &h, int n)
    {
        QStringList z;
        for (int i = 1; i <= n; ++i)
            z << (h.IHod.exists(i) ? Znacka(h, i) : QStringLiteral("-"));
        return z.join(' ').toStdString();
    }
    struct Pravidlo { const char *meno, *uloha; int varianta; std::string tagy, odpovede; bool spravne;
                      int znacka = 1; };
    // One example typed and checked per row: its mark, and it alone counted
    // right among the `priklady` examples of the screen.
    template <size_t N> void Over_pravidla(const Pravidlo (&pravidla)[N], int pocet, int priklady = 1)
    {
        for (const Pravidlo &p : pravidla) {
            Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
            Hra &h = Ukaz(p.uloha, p.varianta, pocet);
            Ako_generator(h, p.tagy.c_str());
            Napis(h, p.odpovede.c_str());
            Skontroluj(h);
            EXPECT_EQ(Znacka(h, p.znacka).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
            EXPECT_EQ(Misc::Pocet_spravnych, p.spravne ? 1 : 0) << p.meno;
            EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, priklady) << p.meno;
        }
    }
};

} // namespace hra_test
