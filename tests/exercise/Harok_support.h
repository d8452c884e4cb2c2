#pragma once
// Helpers of the answer-sheet tests: build a task's sheet, address its
// elements by name ("TV1(3)"), and read back places, tab order and visibility.
#include "exercise/frm_Game01.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace harok_test {

using Harok::Pole;

inline std::vector<Pole> Vsetky_polia()
{
    std::vector<Pole> p;
    for (int i = 0; i <= int(Pole::IZnam); ++i)
        p.push_back(Pole(i));
    return p;
}

inline std::unique_ptr<frm_Game01> Harok_ulohy(const char *uloha, int varianta = 0)
{
    auto f = std::make_unique<frm_Game01>();
    f->Zvolena_uloha = {QString::fromLatin1(uloha), varianta};
    f->Vygeneruj_komponenty_ulohy();
    return f;
}

// "TV1(3)" -> the element.
inline platform::Control *Prvok(frm_Game01 &f, const QString &meno)
{
    const int z = meno.indexOf('(');
    for (Pole p : Vsetky_polia())
        if (meno.left(z) == QLatin1String(Harok::Meno(p)))
            return f.Prvok(p, meno.mid(z + 1).chopped(1).toInt());
    ADD_FAILURE() << "no array " << meno.toStdString();
    return nullptr;
}

inline QString Meno(frm_Game01 &f, const platform::Control *c)
{
    for (Pole p : Vsetky_polia())
        for (int i = 0; i <= 20; ++i)
            if (f.Existuje(p, i) && f.Prvok(p, i) == c)
                return QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(p))).arg(i);
    return QStringLiteral("?");
}

// Element counts of the arrays that hold more than element 1, e.g.
// "TV1 10, IHod 10"; a gap in an array shows as "TV1 1-3,5".
inline QString Pocty(frm_Game01 &f)
{
    QStringList vysledok;
    for (Pole p : Vsetky_polia()) {
        QList<int> prvky;
        for (int i = 0; i <= 20; ++i)
            if (f.Existuje(p, i))
                prvky << i;
        if (prvky == QList<int>{1})
            continue;
        bool suvisle = prvky.first() == 1 && prvky.last() == prvky.size();
        QStringList cisla;
        for (int i : prvky)
            cisla << QString::number(i);
        vysledok << QStringLiteral("%1 %2").arg(QLatin1String(Harok::Meno(p)),
                                                suvisle ? QString::number(prvky.size()) : cisla.join(','));
    }
    return vysledok.join(QStringLiteral(", "));
}

// The controls in the Tab cycle, in their order (TabIndex, then creation).
inline QStringList Tab_cyklus(frm_Game01 &f)
{
    std::vector<platform::Control *> v;
    for (platform::Control *c : f.Controls())
        if (c->TabStop)
            v.push_back(c);
    std::stable_sort(v.begin(), v.end(), [](auto *a, auto *b) { return a->TabIndex < b->TabIndex; });
    QStringList mena;
    for (auto *c : v)
        mena << Meno(f, c);
    return mena;
}

// Answer-sheet elements whose own Visible is True.
inline QStringList Viditelne(frm_Game01 &f)
{
    QStringList mena;
    for (Pole p : Vsetky_polia())
        for (int i = 1; i <= 20; ++i)
            if (f.Existuje(p, i) && f.Prvok(p, i)->Visible)
                mena << QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(p))).arg(i);
    return mena;
}

// A list as one readable text, for failure messages.
inline std::string Zoznam(const QStringList &l) { return l.join(' ').toStdString(); }

// "TV1(i)" for i in od..po.
inline QStringList Rad(const char *pole, int od, int po)
{
    QStringList r;
    for (int i = od; i <= po; ++i)
        r << QStringLiteral("%1(%2)").arg(QLatin1String(pole)).arg(i);
    return r;
}

// Expected place of an element; -1 = not checked.
struct Miesto {
    const char *prvok;
    int left, top, width, height;
};

inline void Over_miesta(frm_Game01 &f, std::initializer_list<Miesto> miesta, const char *kontext)
{
    for (const Miesto &m : miesta) {
        platform::Control *c = Prvok(f, QString::fromLatin1(m.prvok));
        if (!c)
            continue;
        const int mam[] = {c->Left, c->Top, c->Width, c->Height};
        const int chcem[] = {m.left, m.top, m.width, m.height};
        const char *co[] = {"Left", "Top", "Width", "Height"};
        for (int j = 0; j < 4; ++j)
            if (chcem[j] != -1)
                EXPECT_EQ(mam[j], chcem[j]) << kontext << ": " << m.prvok << "." << co[j];
    }
}

// Tops of elements od..po of one array.
inline std::vector<int> Vysky(frm_Game01 &f, Pole p, int od, int po)
{
    std::vector<int> v;
    for (int i = od; i <= po; ++i)
        v.push_back(f.Prvok(p, i)->Top);
    return v;
}

// Everything the layouts set, for comparing whole sheets.
inline QString Otlacok(frm_Game01 &f)
{
    QStringList r;
    for (Pole p : Vsetky_polia())
        for (int i = 1; i <= 20; ++i)
            if (f.Existuje(p, i)) {
                platform::Control *c = f.Prvok(p, i);
                QString s = QStringLiteral("%1(%2) %3,%4,%5,%6 v%7 t%8/%9 %10/%11 b%12 %13")
                                .arg(QLatin1String(Harok::Meno(p))).arg(i)
                                .arg(c->Left).arg(c->Top).arg(c->Width).arg(c->Height)
                                .arg(c->Visible).arg(c->TabStop).arg(c->TabIndex)
                                .arg(c->FontName, QString::number(c->FontSize)).arg(c->FontBold).arg(c->Tag);
                if (auto *t = dynamic_cast<platform::TextBox *>(c))
                    s += QStringLiteral(" a%1 l%2").arg(t->Alignment).arg(t->Locked);
                if (auto *l = dynamic_cast<platform::Label *>(c))
                    s += QStringLiteral(" a%1 '%2' s%3").arg(l->Alignment).arg(l->Caption).arg(l->BackStyle);
                r << s;
            }
    return r.join('\n');
}

} // namespace harok_test
