#pragma once
// Helpers of the answer-sheet tests: build a task's sheet and read it back
// through short queries, so that a test row reads like the sentence of the
// description it checks.
//   "TV1(3)"            Left,Top,Width,Height of one element
//   "TV1(1..10).Top"    one property of a run of elements
//   "pocty"             arrays holding more than element 1: "TV1 10, IHod 5"
//   "tab"               the Tab cycle: the tab stops by TabIndex, then creation
//   "viditelne"         answer-sheet elements whose Visible is True
// Several queries separated by blanks give their answers separated by blanks.
#include "exercise/frm_Game01.h"
#include "services/Formular.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace harok_test {

using Harok::Pole;

inline std::vector<Pole> Vsetky_polia()
{
    std::vector<Pole> p;
    for (int i = 0; i <= int(Pole::IZnam); ++i)
        p.push_back(Pole(i));
    return p;
}

// The sheet as the load builds it: controls rescaled first, then the layout;
// shown without the screen's load, which would build it again.
struct Len_harok : frm_Game01 {
    void Form_Load() override {}
};

inline std::unique_ptr<frm_Game01> Harok_ulohy(const char *uloha, int varianta = 0)
{
    std::unique_ptr<frm_Game01> f = std::make_unique<Len_harok>();
    Misc::Prizpusob_ovladace(*f);
    f->Zvolena_uloha = {QString::fromLatin1(uloha), varianta};
    f->Vygeneruj_komponenty_ulohy();
    return f;
}

inline QString Meno(Pole p, int i) { return QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(p))).arg(i); }

// Every element as (name, control), array by array.
inline std::vector<std::pair<QString, platform::Control *>> Prvky(frm_Game01 &f)
{
    std::vector<std::pair<QString, platform::Control *>> v;
    for (Pole p : Vsetky_polia())
        for (int i = 1; i <= 20; ++i)
            if (f.Existuje(p, i))
                v.emplace_back(Meno(p, i), f.Prvok(p, i));
    return v;
}

inline QString Pocty(frm_Game01 &f)
{
    QStringList r;
    for (Pole p : Vsetky_polia()) {
        QStringList prvky;
        for (int i = 0; i <= 20; ++i)
            if (f.Existuje(p, i))
                prvky << QString::number(i);
        if (prvky.size() > 1)
            r << QLatin1String(Harok::Meno(p)) + ' '
                     + (prvky.last().toInt() == prvky.size() ? QString::number(prvky.size()) : prvky.join(','));
    }
    return r.join(QStringLiteral(", "));
}

inline QString Tab_cyklus(frm_Game01 &f)
{
    std::map<platform::Control *, QString> mena; // a tab stop outside the sheet shows as "?"
    for (auto &[meno, c] : Prvky(f))
        mena[c] = meno;
    std::vector<platform::Control *> v;
    for (platform::Control *c : f.Controls())
        if (c->TabStop)
            v.push_back(c);
    std::stable_sort(v.begin(), v.end(), [](auto *a, auto *b) { return a->TabIndex < b->TabIndex; });
    QStringList r;
    for (auto *c : v)
        r << (mena.count(c) ? mena[c] : QStringLiteral("?"));
    return r.join(' ');
}

inline QString Vlastnost(platform::Control *c, const QString &v)
{
    if (v == "Left") return QString::number(c->Left);
    if (v == "Top") return QString::number(c->Top);
    if (v == "Visible") return QString::number(c->Visible);
    if (v == "Enabled") return QString::number(c->Enabled);
    if (v == "TabStop") return QString::number(c->TabStop);
    if (v == "TabIndex") return QString::number(c->TabIndex);
    if (v == "Tag") return c->Tag();
    if (v == "FontName") return c->FontName();
    if (v == "FontSize") return QString::number(c->FontSize);
    if (v == "FontBold") return QString::number(c->FontBold);
    if (auto *t = dynamic_cast<platform::TextBox *>(c)) {
        if (v == "Alignment") return QString::number(t->Alignment);
        if (v == "Locked") return QString::number(t->Locked);
    }
    if (auto *l = dynamic_cast<platform::Label *>(c)) {
        if (v == "Alignment") return QString::number(l->Alignment);
        if (v == "BackStyle") return QString::number(l->BackStyle);
        if (v == "Caption") return '"' + QString(l->Caption) + '"';
    }
    return QStringLiteral("?") + v;
}

inline QString Dotaz(frm_Game01 &f, const QString &dotazy)
{
    static const QRegularExpression tvar(QStringLiteral(R"(^(\w+)\((\d+)(?:\.\.(\d+))?\)(?:\.(\w+))?$)"));
    QStringList r;
    for (const QString &d : dotazy.split(' ')) {
        if (d == "pocty" || d == "tab") {
            r << (d == "pocty" ? Pocty(f) : Tab_cyklus(f));
            continue;
        }
        if (d == "viditelne") {
            for (auto &[meno, c] : Prvky(f))
                r << (c->Visible ? meno : QString());
            r.removeAll(QString());
            continue;
        }
        const auto m = tvar.match(d);
        const auto polia = Vsetky_polia();
        auto p = std::find_if(polia.begin(), polia.end(), [&](Pole x) { return m.captured(1) == Harok::Meno(x); });
        if (!m.hasMatch() || p == polia.end()) {
            r << "?" + d;
            continue;
        }
        const int od = m.captured(2).toInt(), po = m.captured(3).isEmpty() ? od : m.captured(3).toInt();
        for (int i = od; i <= po; ++i) {
            platform::Control *c = f.Existuje(*p, i) ? f.Prvok(*p, i) : nullptr;
            r << (!c ? QStringLiteral("chýba")
                     : m.captured(4).isEmpty() ? QStringLiteral("%1,%2,%3,%4").arg(c->Left).arg(c->Top).arg(c->Width).arg(c->Height)
                                               : Vlastnost(c, m.captured(4)));
        }
    }
    return r.join(' ');
}

// Everything the layouts set, for comparing whole sheets.
inline QString Otlacok(frm_Game01 &f)
{
    QStringList r;
    for (auto &[meno, c] : Prvky(f)) {
        QString s = meno + ' ' + Dotaz(f, meno);
        for (const char *v : {"Visible", "TabStop", "TabIndex", "Tag", "FontName", "FontSize", "FontBold",
                              "Alignment", "Locked", "Caption", "BackStyle"})
            s += ' ' + Vlastnost(c, QLatin1String(v));
        r << s;
    }
    return r.join('\n');
}

} // namespace harok_test
