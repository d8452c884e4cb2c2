#pragma once
// Helpers of the answer-sheet tests: a task's sheet as the load builds it
// and its elements by name.
#include "exercise/frm_Game01.h"
#include "services/Formular.h"

#include <gtest/gtest.h>
#include <memory>

namespace harok_test {

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

// Every element as ("TV1(3)", control), array by array.
inline std::vector<std::pair<QString, platform::Control *>> Prvky(frm_Game01 &f)
{
    std::vector<std::pair<QString, platform::Control *>> v;
    for (int k = 0; k <= int(Harok::Pole::IZnam); ++k)
        for (int i = 1; i <= 20; ++i)
            if (const auto p = Harok::Pole(k); f.Existuje(p, i))
                v.emplace_back(QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(p))).arg(i), f.Prvok(p, i));
    return v;
}

} // namespace harok_test
