#pragma once
// Row 1 of the answer sheet of task 16, 17 or 18 filled by hand as the
// task's generator leaves it, for the worksheet blocks that read it, in
// each of the shapes they lay out.
#include "exercise/frm_Game01.h"

#include <QList>
#include <memory>
#include <utility>

namespace rovnice_test {

// "TZ3(2)" on the sheet of f.
inline platform::Label *Popis(frm_Game01 &f, const QString &meno)
{
    for (int p = 0; p <= int(Harok::Pole::IZnam); ++p) {
        const QString pole = QLatin1String(Harok::Meno(Harok::Pole(p)));
        if (meno.startsWith(pole + QLatin1Char('(')))
            return dynamic_cast<platform::Label *>(
                f.Prvok(Harok::Pole(p), meno.mid(pole.size() + 1).chopped(1).toInt()));
    }
    return nullptr;
}

using Popisy = QList<std::pair<const char *, QString>>;

// The task's sheet with the captions of row 1 given, the others empty, the
// kind of the example and the Tag of the relation-sign image.
inline std::unique_ptr<frm_Game01> Riadok_1(const char *uloha, bool zlomek, const QString &znamienko,
                                            const Popisy &popisy)
{
    auto f = std::make_unique<frm_Game01>();
    f->Zvolena_uloha = {QString::fromLatin1(uloha), 0};
    f->Vygeneruj_komponenty_ulohy();
    for (const char *meno : {"TZ1(1)", "TZ1(2)", "TZ2(1)", "TZ2(2)", "TZ3(1)", "TZ3(2)", "TZ4(1)", "TZ4(2)",
                             "TZR(1)", "TR2(1)", "TR3(1)"})
        Popis(*f, QLatin1String(meno))->Caption = QString();
    if (f->TZ5.exists(2))
        for (const char *meno : {"TZ5(1)", "TZ5(2)", "TR4(1)"})
            Popis(*f, QLatin1String(meno))->Caption = QString();
    for (const auto &[meno, text] : popisy)
        Popis(*f, QLatin1String(meno))->Caption = text;
    f->Je_zlomek = zlomek;
    f->IZnam(1)->Tag = znamienko;
    return f;
}

// Row 1 of an answer sheet in each of the shapes the blocks lay out, and
// what the block prints of it.
struct Priklad {
    const char *name;
    const char *uloha;
    bool zlomek;
    const char *znamienko; // the Tag of IZnam(1)
    Popisy popisy;
    const char *texty; // as Texty_bloku gives them, with x, up to the answer lines
};

inline const Priklad priklady[] = {
    {"16, formula: one line read from TZ1, TZR and TZ3", "16", false, "",
     {{"TZ1(1)", "2x+3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}, {"TZ1(2)", "9"}, {"TR2(1)", "+"}, {"TZ2(1)", "y"}},
     "1)@20|2x+3 = 5@40"},
    {"16, fractions: one term a side around the literal sign", "16", true, "",
     {{"TZ1(1)", "3x"}, {"TZR(1)", "≠"}, {"TZ3(1)", "12"}, {"TZ2(1)", "not read"}, {"TZ4(1)", "not read"}},
     "1)@20|3x@57|=@70|12@74"},
    {"16, fractions: two terms a side, each a fraction by its own denominator", "16", true, "",
     {{"TZ1(1)", "x"}, {"TZ1(2)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"}, {"TZ3(2)", "3"},
      {"TR3(1)", "−"}, {"TZ4(1)", "5"}, {"TZ4(2)", "6"}},
     "1)@20|_@40|x@40|2@40|+@53|1@57|=@70|_@74|x@74|3@74|−@87|_@91|5@91|6@91"},
    {"17: three fractions on the left, two on the right", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ1(2)", "x"}, {"TR2(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", "x−1"}, {"TR3(1)", "−"},
      {"TZ3(1)", "3"}, {"TZ3(2)", "x+1"}, {"TZR(1)", "≠"}, {"TZ4(1)", "4"}, {"TZ4(2)", "x"}, {"TR4(1)", "+"},
      {"TZ5(1)", "5"}, {"TZ5(2)", "2x"}},
     "1)@20|_@40|1@40|x@40|+@53|_@57|2@57|x−1@57|−@70|_@74|3@74|x+1@74|=@87|_@91|4@91|x@91|+@104|_@108|5@108|2x@108"},
    {"17: of three left terms only the third is a fraction", "17", true, "",
     {{"TZ1(1)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "x"}, {"TR3(1)", "−"}, {"TZ3(1)", "1"}, {"TZ3(2)", "x"},
      {"TZ4(1)", "3"}},
     "1)@20|2@40|+@53|x@57|−@70|_@74|1@74|x@74|=@87|3@91"},
    {"17: two left terms end at 74 mm", "17", true, "",
     {{"TZ1(1)", "3"}, {"TZ1(2)", "x"}, {"TR2(1)", "−"}, {"TZ2(1)", "1"}, {"TZ3(1)", "not read"}, {"TZ4(1)", "2"},
      {"TZ5(1)", "not read"}},
     "1)@20|_@57|3@57|x@57|−@70|1@74|=@87|2@91"},
    {"17: one term a side", "17", true, "", {{"TZ1(1)", "5"}, {"TZ1(2)", "x+2"}, {"TZ4(1)", "1"}},
     "1)@20|_@74|5@74|x+2@74|=@87|1@91"},
    {"17: a third left term without a second prints no left side", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ2(1)", "2"}, {"TR3(1)", "+"}, {"TZ3(1)", "3"}, {"TZ4(1)", "4"}},
     "1)@20|=@87|4@91"},
    {"18, formula: the sign of the image, not of TZR", "18", false, ">",
     {{"TZ1(1)", "2x−3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}}, "1)@20|2x−3 > 5@40"},
    {"18, fractions: one term a side around \"<\"", "18", true, "<",
     {{"TZ1(1)", "4x"}, {"TZR(1)", ">"}, {"TZ3(1)", "8"}}, "1)@20|4x@57|<@70|8@74"},
};

} // namespace rovnice_test
