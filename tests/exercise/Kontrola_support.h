#pragma once
// The exercise screen loaded and shown: the answers' Tags filled as the
// generators leave them, the pupil's answers typed key by key, the mouse
// driven as a pupil drives it and the marks read as the pupil sees them.
#include "support/Hra.h"
#include "expr/Glyfy.h"
#include "platform/Fonts.h"

#include <QFile>


namespace hra_test {

// Every answer cell of the screen, column by column.
inline std::vector<platform::TextBox *> Bunky(Hra &h)
{
    std::vector<platform::TextBox *> b;
    for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6})
        for (int i = 0; i <= stlpec->UBound(); ++i)
            if (stlpec->exists(i))
                b.push_back((*stlpec)(i));
    return b;
}

// A help page as the help shows it: the lines under its [name].
inline QString Napoveda(const QString &meno)
{
    QFile subor(QStringLiteral(LK_SOURCE_DIR "/resources/data/help.txt"));
    const QString text = subor.open(QIODevice::ReadOnly) ? QString::fromUtf8(subor.readAll()) : QString();
    const qsizetype od = text.indexOf(u'[' + meno + QStringLiteral("]\n"));
    return od < 0 ? QString() : text.mid(od, text.indexOf(QStringLiteral("\n["), od) - od);
}

// Task 21, example 1 as a table: x values 1 to 6 on row 1, y = 2x on row 2.
inline const std::string Tabulka_21 = "TV1(1)=1 TV1(2)=2 TV2(1)=2 TV2(2)=4 TV3(1)=3 TV3(2)=6 "
                                      "TV4(1)=4 TV4(2)=8 TV5(1)=5 TV5(2)=10 TV6(1)=6 TV6(2)=12";

class Kontrola : public Obrazovka {
protected:
    Kontrola()
    {
        static const int pismo = platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
        (void)pismo;
        for (auto [kurzor, subor] : {std::pair{&Misc::Kurzor_sipka, "Arrow"}, std::pair{&Misc::Kurzor_ruka, "Hand"},
                                     std::pair{&Misc::Kurzor_napoveda, "Help"}})
            *kurzor = platform::LoadPicture(Misc::Cesta_CD + QStringLiteral("Cur/%1.cur").arg(subor));
    }
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
        for (platform::TextBox *b : Bunky(h)) {
            b->Tag = b->Text = QString();
            b->Locked = false;
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
            else if (pole.startsWith(QLatin1String("TZ"))) {
                platform::Label *l = pole == QLatin1String("TZR") ? h.TZR(r) : h.TZ1(r);
                if (meno.endsWith(QLatin1String(".Caption")))
                    l->Caption = hodnota;
                else
                    l->Tag = hodnota;
            } else {
                Bunka(h, pole, r)->Tag = hodnota;
                Bunka(h, pole, r)->Visible = true;
            }
        }
    }
    // "TV1(1)=5+7": typed key by key into the cells ("_" types a blank, "²"
    // the maths font's superscript, "−" the minus sign U+2212);
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
            Napis(Bunka(h, meno.section('(', 0, 0), r),
                  Glyfy(t.section('=', 1).toUtf8().constData()).replace(u'_', u' '));
        }
    }
    // The text typed key by key into the cell, its superscripts the font's.
    static void Napis(platform::TextBox *b, const QString &text)
    {
        // As if the pupil had opened the cell (task 17's second condition
        // waits for its switch): the rules, not the opening, are tested here.
        b->Visible = true;
        b->Enabled = true;
        b->SetFocus();
        // A character with no key of its own (a pasted "−") comes as the text of a key.
        for (const QChar c : text)
            if (c.unicode() > 0xFF)
                QTest::sendKeyEvent(QTest::Click, b->editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            else
                QTest::keyClicks(b->editor(), QString(c));
    }
    static void Skontroluj(Hra &h) { Klik(h.PicTop(1)); }
    static void Klik(QWidget *w, int x = 5, int y = 5) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(x, y)); }
    static void Pohyb(QWidget *w, int x, int y) { QTest::mouseMove(w, QPoint(x, y)); }
    static bool Rovnake(const platform::Picture &a, const platform::Picture &b) { return a.image() == b.image(); }
    // Which picture "Bitmap/Games/<meno>.bmp" a control shows, "?" for none.
    static QString Obraz(const platform::Picture &obraz, std::initializer_list<const char *> mena)
    {
        for (const char *meno : mena)
            if (Rovnake(obraz, platform::LoadPicture(Misc::Cesta_CD + "Bitmap/Games/" + meno + ".bmp")))
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
    // "ok ko! -": the marks IHod(1) to IHod(n).
    static std::string Znacky(Hra &h, int n)
    {
        QStringList z;
        for (int i = 1; i <= n; ++i)
            z << (h.IHod.exists(i) ? Znacka(h, i) : QStringLiteral("-"));
        return z.join(' ').toStdString();
    }
    int Zvuky(const char *subor) const { return int(zvuk.Played().filter(QLatin1String(subor)).size()); }
    // A rectangle of form pixels lies wholly on the 640 x 480 stage.
    static bool Na_javisku(const QRect &r) { return QRect(0, 0, 640, 480).contains(r); }
    // The stage as it is now, for a person to look at: build/screens/<meno>.png.
    static void Obrazok(const QString &meno)
    {
        const QString adresar = QStringLiteral(LK_BUILD_DIR "/screens");
        QDir().mkpath(adresar);
        EXPECT_TRUE(platform::Stage::instance()->grab().save(adresar + '/' + meno + ".png")) << meno.toStdString();
    }
};

// Counts the paintings of a widget: a slide must paint every frame.
struct Kresleni : QObject {
    int pocet = 0;
    explicit Kresleni(QWidget *w) { w->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        pocet += e->type() == QEvent::Paint;
        return false;
    }
};

} // namespace hra_test
