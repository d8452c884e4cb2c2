#pragma once
// Row 1 of the answer sheet of task 16, 17 or 18 filled by hand as the
// task's generator leaves it, for the worksheet blocks that read it.
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

} // namespace rovnice_test
