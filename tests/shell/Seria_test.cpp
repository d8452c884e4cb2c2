// A whole series as a pupil works it: chooser, setup, two screens of
// generated examples typed, checked and continued, and the result that
// reaches the table, the results file and the log.
#include "Program.h"

#include "exercise/frm_Game01.h"
#include "services/Text_1250.h"

using namespace lktest;

namespace {

platform::DefaultInstance<frm_Game01> hra;

QString Obsah_1250(const QString &cesta)
{
    QFile f(cesta);
    return f.open(QIODevice::ReadOnly) ? Misc::Text_z_1250(f.readAll()) : QString();
}

TEST(WholeProgram, ASeriesOfTask1FromTheChooserToTheResultsFile)
{
    Program p;
    Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
    p.Prejdi_titulok();
    Klik(Formulare::frm_Select->LI(1));
    Klik(Formulare::frm_Select->RI(1));
    auto *s = Formulare::frm_Setup.get();
    Napis(s->TJmeno, QStringLiteral("Ľudmila"));
    Klik(s->ICislo(2));
    ASSERT_EQ(Misc::Zvoleny_pocet_prikladu, 10);
    Klik(s->picPokracuj);

    for (int obrazovka = 1; obrazovka <= 2; ++obrazovka) {
        frm_Game01 *h = hra.get();
        ASSERT_EQ(Vpredu(), h) << obrazovka;
        for (int i = 1; i <= 5; ++i) {
            platform::TextBox *bunka = h->TV2(2 * i - 1);
            const QString spravne = bunka->Tag;
            ASSERT_FALSE(spravne.isEmpty()) << "screen " << obrazovka << ", example " << i;
            bunka->SetFocus();
            // One slip on the second screen.
            Napis(bunka, obrazovka == 2 && i == 3 ? spravne + QStringLiteral("1") : spravne);
        }
        Klik(h->PicTop(1));
        EXPECT_FALSE(h->PicTop(1)->Enabled) << "checked once per screen";
        ASSERT_TRUE(h->picPokracuj->Visible);
        Klik(h->picPokracuj);
    }

    auto *t = Formulare::frm_Tabulka.existing();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Vpredu(), t);
    EXPECT_EQ(hra.existing(), nullptr) << "the exercise screen is unloaded at the end of the series";
    EXPECT_EQ(Misc::Pocet_spravnych, 9);
    EXPECT_EQ(Misc::Pocet_spatnych, 1);
    EXPECT_TRUE(Obsah_1250(p.hd() + "Hra.res").contains(QStringLiteral("1|Ľudmila| 9| 1|")))
        << Obsah_1250(p.hd() + "Hra.res").toStdString();
    EXPECT_TRUE(Obsah_1250(p.hd() + "Vysledky.dat").contains(QStringLiteral("Ľudmila")));
    EXPECT_TRUE(p.box.AskedBoxes().isEmpty()) << "nothing went wrong on the way";
}

} // namespace
