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
    const char *texty; // as Texty_bloku gives them, up to the answer lines
};

inline const Priklad priklady[] = {
    {"16, formula: one line read from TZ1, TZR and TZ3", "16", false, "",
     {{"TZ1(1)", "2x+3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}, {"TZ1(2)", "9"}, {"TR2(1)", "+"}, {"TZ2(1)", "y"}},
     "1)|2x+3 = 5"},
    {"16, fractions: one term a side around the literal sign", "16", true, "",
     {{"TZ1(1)", "3x"}, {"TZR(1)", "≠"}, {"TZ3(1)", "12"}, {"TZ2(1)", "not read"}, {"TZ4(1)", "not read"}},
     "1)|3x|=|12"},
    {"16, fractions: two terms a side, each a fraction by its own denominator", "16", true, "",
     {{"TZ1(1)", "x"}, {"TZ1(2)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"}, {"TZ3(2)", "3"},
      {"TR3(1)", "−"}, {"TZ4(1)", "5"}, {"TZ4(2)", "6"}},
     "1)|_|x|2|+|1|=|_|x|3|−|_|5|6"},
    {"17: three fractions on the left, two on the right", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ1(2)", "x"}, {"TR2(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", "x−1"}, {"TR3(1)", "−"},
      {"TZ3(1)", "3"}, {"TZ3(2)", "x+1"}, {"TZR(1)", "≠"}, {"TZ4(1)", "4"}, {"TZ4(2)", "x"}, {"TR4(1)", "+"},
      {"TZ5(1)", "5"}, {"TZ5(2)", "2x"}},
     "1)|_|1|x|+|_|2|x−1|−|_|3|x+1|=|_|4|x|+|_|5|2x"},
    {"17: of three left terms only the third is a fraction", "17", true, "",
     {{"TZ1(1)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "x"}, {"TR3(1)", "−"}, {"TZ3(1)", "1"}, {"TZ3(2)", "x"},
      {"TZ4(1)", "3"}},
     "1)|2|+|x|−|_|1|x|=|3"},
    {"17: two left terms", "17", true, "",
     {{"TZ1(1)", "3"}, {"TZ1(2)", "x"}, {"TR2(1)", "−"}, {"TZ2(1)", "1"}, {"TZ3(1)", "not read"}, {"TZ4(1)", "2"},
      {"TZ5(1)", "not read"}},
     "1)|_|3|x|−|1|=|2"},
    {"17: one term a side", "17", true, "", {{"TZ1(1)", "5"}, {"TZ1(2)", "x+2"}, {"TZ4(1)", "1"}},
     "1)|_|5|x+2|=|1"},
    {"17: a third left term without a second prints no left side", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ2(1)", "2"}, {"TR3(1)", "+"}, {"TZ3(1)", "3"}, {"TZ4(1)", "4"}},
     "1)|=|4"},
    {"18, formula: the sign of the image, not of TZR", "18", false, ">",
     {{"TZ1(1)", "2x−3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}}, "1)|2x−3 > 5"},
    {"18, fractions: one term a side around \"<\"", "18", true, "<",
     {{"TZ1(1)", "4x"}, {"TZR(1)", ">"}, {"TZ3(1)", "8"}}, "1)|4x|<|8"},
};

} // namespace rovnice_test
