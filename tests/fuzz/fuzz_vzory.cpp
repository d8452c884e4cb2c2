// The task data grammar over arbitrary file contents. The first byte picks the
// task and the variant; the rest is the plain file.
#include "exercise/Gramatika_vzoru.h"
#include "services/Text_1250.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString uloha = QString::number(data[0] % 22);
    const int varianta = data[0] / 22 % 3;
    const QByteArray bajty(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QStringList riadky = Misc::Riadky_textu(Misc::Text_z_1250(bajty));

    const Misc::Vzory_ulohy v = Misc::Precti_vzory(riadky, uloha, varianta);
    if (v.vzory.Pocet() > Misc::Max_vzoru || (v.chybny_riadok != 0 && v.vzory.Pocet() != 0)
        || v.chybny_riadok > riadky.size())
        std::abort();
    for (int k = 0; k <= v.vzory.Pocet() + 1; ++k) {
        const Misc::Vzor_prikladu &vzor = v.vzory[k];
        if (k >= 1 && k <= v.vzory.Pocet() && vzor.Druh().isEmpty() && vzor.Zadani_radek().isEmpty()
            && vzor.Pocet_kusu() == 0)
            std::abort(); // an empty line was taken as a template
        for (int i = -1; i <= Misc::Max_zadani + 1; ++i)
            (void)vzor.Zadani(i), (void)vzor.Vysledek2(i, 1), (void)vzor.Zadani_strany(2, i);
    }
    return 0;
}
