// The sheet of every task and variant: built, or refused before anything
// is placed; Tab only into answer cells, as the pupil meets it on screen.
#include "Harok_support.h"
#include "platform/Runtime.h"

#include <QApplication>
#include <QTest>
#include <map>

using namespace harok_test;

namespace {

TEST(VygenerujKomponenty, EveryTaskHasASheetWhoseTabStopsAreAnswerCells)
{
    for (int n = 1; n <= 21; ++n)
        for (int varianta : n == 19 || n == 21 ? std::vector{1, 2} : std::vector{0}) {
            auto f = Harok_ulohy(QByteArray::number(n).constData(), varianta);
            std::map<platform::Control *, QString> mena;
            for (auto &[meno, c] : Prvky(*f))
                mena[c] = meno;
            for (platform::Control *c : f->Controls())
                EXPECT_TRUE(!c->TabStop || mena[c].startsWith(QLatin1String("TV")))
                    << "task " << n << varianta << ": " << mena[c].toStdString();
        }
}

TEST(VygenerujKomponenty, TaskOrVariantWithoutASheetIsRejectedBeforeAnythingIsBuilt)
{
    const struct { const char *nazov, *uloha; int varianta; } chyby[] = {
        {"task 19 printed before a variant is chosen", "19", 0},
        {"task 19 with an unknown variant", "19", 3},
        {"task 21 printed before a variant is chosen", "21", 0},
        {"no task 22", "22", 1},
        {"no task chosen", "", 0},
        {"task numbers are compared as text", "01", 0},
    };
    for (const auto &ch : chyby) {
        auto f = std::make_unique<frm_Game01>();
        f->Zvolena_uloha = {QString::fromLatin1(ch.uloha), ch.varianta};
        EXPECT_THROW(f->Vygeneruj_komponenty_ulohy(), Harok::Chyba_ulohy) << ch.nazov;
        for (Pole p : Vsetky_polia())
            EXPECT_FALSE(f->Existuje(p, 2)) << ch.nazov << ": nothing loaded";
    }
    frm_Game01 f;
    const int left = f.TZ1(1)->Left;
    f.Zvolena_uloha = {QStringLiteral("21"), 0};
    EXPECT_THROW(f.Vygeneruj_komponenty_21(), Harok::Chyba_ulohy) << "the layout of task 21 itself takes no other variant";
    EXPECT_EQ(f.TZ1(1)->Left(), left) << "not even row 1 is touched";
}

// The pupil's Tab (Enter is turned into it) on the shown form goes down a
// fraction's column first, and along a task 21 table's row pair.
TEST(VygenerujKomponenty, TabOnTheScreen)
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
    auto g = Harok_ulohy("1");
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV2(1)->editor()) << "one-line example: the lower cell is hidden";
    g->TV1(2)->Visible = true;
    EXPECT_EQ(po_tabe(*g, g->TV1(1)), g->TV1(2)->editor()) << "fraction: down the column first";
    auto h = Harok_ulohy("21", 1);
    EXPECT_EQ(po_tabe(*h, h->TV1(1)), h->TV2(1)->editor()) << "task 21 right after the layout";
}

} // namespace
