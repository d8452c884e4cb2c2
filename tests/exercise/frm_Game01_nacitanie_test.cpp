// The exercise screen's load for every task and variant, its activation,
// and Tab on its sheet.
#include "Harok_support.h"
#include "support/Hra.h"
#include "platform/Runtime.h"
#include "shell/Formulare.h"
#include "support/Datove_subory.h"

namespace {

using namespace hra_test;
using NacitanieObrazovky = Obrazovka;

QRgb Farba(int k) { return qRgb(10 * k, 255 - 10 * k, 128); } // of the k-th background

// Backgrounds of the task and variant, caps of a screen, the cell focused.
TEST_F(NacitanieObrazovky, TasksAndVariants)
{
    const struct {
        const char *uloha;
        int varianta, zvolene, na_obrazovke;
        const char *pozadie;
        int fokus; // element of TV1 focused on activation, 0 none
    } Volby[] = {
        {"1", 0, 10, 5, "bg_01", 1},   {"8", 0, 5, 5, "bg_08", 0},    {"11", 0, 5, 3, "bg_11", 1},
        {"15", 0, 5, 1, "bg_15", 0},   {"19", 1, 5, 5, "bg_19a", 1},  {"19", 2, 8, 4, "bg_19b", 1},
        {"21", 2, 10, 5, "bg_21b", 2},
    };
    for (int k = 0; k < int(std::size(Volby)); ++k)
        Vlastne_obrazky({{Volby[k].pozadie, {640, 480}, Farba(k)}});
    for (int k = 0; k < int(std::size(Volby)); ++k) {
        const auto &v = Volby[k];
        SCOPED_TRACE(v.pozadie);
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 3;
        Hra &h = Nacitaj(v.uloha, v.varianta, v.zvolene);
        EXPECT_EQ(QStringLiteral("%1/%2").arg(Misc::Pocet_prikladu).arg(Misc::Pocet_zbyvajicich_prikladu),
                  QStringLiteral("%1/%2").arg(v.na_obrazovke).arg(v.zvolene));
        EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, 0);
        EXPECT_EQ(h.persistentImage().pixel(320, 240), Farba(k));
        EXPECT_EQ(h.zaznam.join('|'), QStringLiteral("hints loaded"));
        lktest::showAndActivate(&h);
        if (v.fokus) {
            EXPECT_EQ(Fokus(), h.TV1(v.fokus)->editor());
        }
        h.PicTop(1)->Enabled = false; // as after the check
        h.TV1(1)->SetFocus();
        h.Show();
        EXPECT_EQ(Fokus(), v.fokus ? h.Text1->editor() : h.TV1(1)->editor()) << "activated after the check";
        h.Unload();
    }
    for (auto [uloha, varianta] : {std::pair{"19", 0}, std::pair{"21", 3}, std::pair{"22", 0}, std::pair{"01", 0}})
        EXPECT_THROW(Nacitaj(uloha, varianta, 5), Harok::Chyba_ulohy) << "no screen for " << uloha << varianta;
}

// The pupil's Tab (Enter is turned into it) on the shown sheet goes down a
// fraction's column first, and along a task 21 table's row pair.
TEST(Harok, TabOnTheScreen)
{
    const auto po_tabe = [](frm_Game01 &f, platform::TextBox *z) {
        f.Show();
        QApplication::setActiveWindow(platform::Stage::instance());
        (void)QTest::qWaitForWindowExposed(platform::Stage::instance());
        z->SetFocus();
        platform::SendKeys(QStringLiteral("{TAB}"));
        QWidget *fokus = QApplication::focusWidget();
        f.Hide();
        return fokus;
    };
    auto g = harok_test::Harok_ulohy("1");
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV2(1)->editor()) << "one-line example: the lower cell is hidden";
    g->TV1(2)->Visible = true;
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV1(2)->editor()) << "fraction: down the column first";
    auto h = harok_test::Harok_ulohy("21", 1);
    EXPECT_EQ(po_tabe(*h, h->TV1(1)), h->TV2(1)->editor()) << "task 21 right after the layout";
}

TEST_F(NacitanieObrazovky, WithoutItsTemplatesTheScreenSaysWhyAndTheSetupScreenStays)
{
    platform::Form odkial;
    odkial.Show();
    Formulare::frm_Game01 = [this] { return hra.get(); };
    // subor: the lines of the task data file, none when it is missing
    for (const auto &subor : {std::optional<QStringList>(), std::optional(QStringList{}),
                              std::optional(QStringList{"[5]", "vzorec$x#x"})}) {
        QTemporaryDir data;
        ASSERT_TRUE(!subor || Zapis_prekodovany(data.filePath("Hra.dat"), *subor));
        Misc::Cesta_HD = data.path() + '/';
        Misc::Cislo_ulohy = QStringLiteral("4");
        hra = std::make_unique<Hra>();
        const qsizetype sprav = box.AskedBoxes().size();
        EXPECT_FALSE(Shell::Ukaz_hru(odkial)) << (subor ? subor->join('|').toStdString() : "no file");
        EXPECT_EQ(box.AskedBoxes().size() - sprav, 1);
        EXPECT_FALSE(hra->isLoaded() || hra->zaznam.contains("hints loaded"));
        EXPECT_TRUE(odkial.isVisible());
    }
    Formulare::frm_Game01 = nullptr;
}

} // namespace
