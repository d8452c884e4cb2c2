// Whatever a pupil types, the check judges every example of every task once
// and the correct answers can still be shown: generated screens of every
// task with random garbage in their open cells.
#include "Kontrola_support.h"

#include <QRandomGenerator>

namespace {

using namespace hra_test;

// Digits, letters, operators, the maths font's superscript glyphs and
// condition signs, in random runs; sometimes nothing, sometimes very long.
QString Nahodny_text(QRandomGenerator &r)
{
    static const QString znaky = QStringLiteral("0123456789xyzab+-*/:,.()^ ~=<>|")
                                 + QStringLiteral("\u00B7\u0154\u00C1\u00C2\u0102\u00AC\u017C\u0160\u00E1");
    const int dlzka = r.bounded(8) == 0 ? 300 : int(r.bounded(7));
    QString t;
    for (int i = 0; i < dlzka; ++i)
        t += znaky[int(r.bounded(znaky.size()))];
    return t;
}

TEST_F(Kontrola, GarbageInEveryCellIsJudgedOncePerExampleAndNothingBreaks)
{
    const struct {
        const char *uloha;
        int varianta;
    } Ulohy[] = {{"1", 0},  {"2", 0},  {"3", 0},  {"4", 0},  {"5", 0},  {"6", 0},  {"7", 0},  {"8", 0},
                 {"9", 0},  {"10", 0}, {"11", 0}, {"12", 0}, {"13", 0}, {"14", 0}, {"15", 0}, {"16", 0},
                 {"17", 0}, {"18", 0}, {"19", 1}, {"19", 2}, {"20", 0}, {"21", 1}, {"21", 2}};
    QRandomGenerator r(20261206);
    for (const auto &u : Ulohy) {
        for (int kolo = 1; kolo <= 3; ++kolo) {
            Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
            Hra &h = Ukaz(u.uloha, u.varianta, 10);
            h.frm_Game01::Nacti_chybova_okna();
            for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6})
                for (int i = 0; i <= stlpec->UBound(); ++i)
                    if (stlpec->exists(i) && (*stlpec)(i)->Visible && !(*stlpec)(i)->Locked)
                        (*stlpec)(i)->Text = Nahodny_text(r);
            // Tasks 11 and 17: the row-check button first, whose bubble
            // must go again before the screen takes the check.
            if (h.ICheck.exists(1) && h.ICheck(1)->Visible && h.ICheck(1)->Enabled) {
                QTest::mouseClick(h.ICheck(1), Qt::LeftButton, {}, QPoint(3, 3));
                if (h.PicIcheck->Visible) {
                    hodiny.Advance(6000);
                    h.PicIcheckTimer_Timer();
                }
                ASSERT_TRUE(h.Enabled) << "task " << u.uloha;
            }
            Skontroluj(h);
            EXPECT_GT(Misc::Pocet_prikladu, 0) << "task " << u.uloha;
            EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, Misc::Pocet_prikladu)
                << "task " << u.uloha << "/" << u.varianta << ", round " << kolo;
            // Each wrong example's correct answer, as the pupil holds its mark.
            for (int i = 0; i <= h.IHod.UBound(); ++i)
                if (h.IHod.exists(i) && h.IHod(i)->Visible && h.IHod(i)->Enabled) {
                    QTest::mousePress(h.IHod(i), Qt::LeftButton, {}, QPoint(3, 3));
                    QTest::mouseRelease(h.IHod(i), Qt::LeftButton, {}, QPoint(3, 3));
                }
            h.frm_Game01::Uvolni_chybova_okna();
        }
    }
}

} // namespace
