// The check over generated screens of every task: expected answers typed
// as a pupil types them, with a digit changed, and random garbage.
#include "Kontrola_support.h"
#include "expr/Random.h"

#include <QRandomGenerator>
#include <QRegularExpression>

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

const struct Uloha {
    const char *uloha;
    int varianta;
    int riadkov;    // rows of one example (all twelve for a one-example screen)
    int krok, posun; // the example i's mark: IHod(krok * i + posun)
} Ulohy[] = {{"1", 0, 2, 2, -1},  {"2", 0, 2, 2, -1},  {"3", 0, 2, 2, -1},  {"4", 0, 1, 1, 0},
             {"5", 0, 1, 1, 0},   {"6", 0, 1, 1, 0},   {"7", 0, 1, 1, 0},   {"8", 0, 1, 1, 0},
             {"9", 0, 1, 1, 0},   {"10", 0, 1, 1, 0},  {"11", 0, 3, 1, 0},  {"12", 0, 2, 2, -1},
             {"13", 0, 2, 2, -1}, {"14", 0, 2, 2, -1}, {"15", 0, 12, 0, 1}, {"16", 0, 12, 0, 1},
             {"17", 0, 12, 0, 1}, {"18", 0, 12, 0, 1}, {"19", 1, 1, 1, 0},  {"19", 2, 1, 1, 0},
             {"20", 0, 2, 2, 0},  {"21", 1, 2, 1, 0},  {"21", 2, 2, 1, 0}};

// A text as a pupil may type it: blanks around signs and before it, no "·"
// before a bracket, two juxtaposed bracketed factors (with their
// superscripts) in the other order.
QString Ako_ziak(QString t)
{
    const QString cinitel = QStringLiteral("(\\([^()]*\\)[\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC]*)");
    t.replace(QRegularExpression(cinitel + QStringLiteral("\u00B7?") + cinitel), QStringLiteral("\\2\\1"));
    t.replace(QStringLiteral("\u00B7("), QStringLiteral("("));
    t.replace(QRegularExpression(QStringLiteral("([+-])")), QStringLiteral(" \\1 "));
    return u' ' + t;
}

// The first digit of a text, plain or superscript, one higher (9 to 0);
// unchanged when it has none.
QString Zmen_cifru(QString t)
{
    for (QChar &c : t) {
        const QChar p = Misc::Preved_z_exponentu(c), d = p.isNull() ? c : p;
        if (d >= u'0' && d <= u'9') {
            const QString n = QString::number((d.digitValue() + 1) % 10);
            c = p.isNull() ? n[0] : Misc::Preved_na_exponent(n)[0];
            break;
        }
    }
    return t;
}

// Every answer a screen expects, typed into its cells as the pupil types
// it; with `chyba`, one digit changed in each. Gives, example by example,
// whether anything was changed, and the cells typed into.
std::vector<bool> Napis_ocakavane(Hra &h, const Uloha &u, bool chyba, std::vector<platform::TextBox *> &napisane)
{
    std::vector<bool> zmenene(size_t(Misc::Pocet_prikladu) + 1);
    for (int i = 1; i <= (u.krok ? Misc::Pocet_prikladu : 1); ++i)
        for (int r = u.riadkov * (i - 1) + 1; r <= u.riadkov * i; ++r)
            for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6}) {
                platform::TextBox *b = stlpec->exists(r) ? (*stlpec)(r) : nullptr;
                const QString ocakavane = !b || b->Locked ? QString()
                                          : u.uloha == QLatin1String("10") && stlpec == &h.TV1
                                              ? h.Vysledek_prikladu(1, i) : QString(b->Tag);
                if (ocakavane.isEmpty())
                    continue;
                const QString text = chyba ? Zmen_cifru(ocakavane) : ocakavane;
                zmenene[size_t(i)] = zmenene[size_t(i)] || text != ocakavane;
                b->Text = Ako_ziak(text);
                napisane.push_back(b);
            }
    for (int r : {6, 7}) // task 18: the relation sign set as expected
        if (h.IZnam.exists(r))
            h.IZnam(r)->Tag = h.TZR(r)->Caption;
    return zmenene;
}

// Random garbage in every open cell, working rows and waiting cells too;
// tasks 11 and 17 press their row-check button first, whose bubble must go
// again before the screen takes the check.
void Napis_nahodne(Hra &h, QRandomGenerator &nahoda, platform::FakeClock &hodiny,
                   std::vector<platform::TextBox *> &napisane)
{
    for (platform::TextBox *b : Bunky(h))
        if (b->Visible && !b->Locked) {
            b->Text = Nahodny_text(nahoda);
            napisane.push_back(b);
        }
    if (h.ICheck.exists(1) && h.ICheck(1)->Visible && h.ICheck(1)->Enabled) {
        QTest::mouseClick(h.ICheck(1), Qt::LeftButton, {}, QPoint(3, 3));
        if (h.PicIcheck->Visible) {
            hodiny.Advance(6000);
            h.PicIcheckTimer_Timer();
        }
        ASSERT_TRUE(h.Enabled);
    }
}

// Seeded screens of every task, filled three ways: the expected answers
// typed as a pupil types them are all right; with a digit changed, every
// example changed is wrong; with garbage, every example is judged once and
// the correct answer of each wrong one can still be shown.
TEST_F(Kontrola, ExpectedAnswersAsAPupilTypesThemDigitsChangedAndGarbage)
{
    QRandomGenerator nahoda(20261206);
    for (const Uloha &u : Ulohy) {
        Hra &h = Ukaz(u.uloha, u.varianta, 25);
        h.frm_Game01::Nacti_chybova_okna();
        for (quint32 seed = 1; seed <= 12; ++seed) {
            for (const char *vyplnenie : {"expected", "a digit changed", "garbage"}) {
                SCOPED_TRACE(QStringLiteral("task %1/%2, seed %3, %4").arg(u.uloha).arg(u.varianta).arg(seed)
                                 .arg(vyplnenie).toStdString());
                Randomize_seed(seed);
                h.PicTop_MouseDown(2, 1, 0, 1, 1);
                for (int i = 1; i <= h.IHod.UBound(); ++i)
                    EXPECT_FALSE(h.IHod.exists(i) && h.IHod(i)->Visible) << "a mark of the screen before: " << i;
                Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
                std::vector<platform::TextBox *> napisane;
                std::vector<bool> zmenene;
                if (vyplnenie[0] == 'g')
                    Napis_nahodne(h, nahoda, hodiny, napisane);
                else
                    zmenene = Napis_ocakavane(h, u, vyplnenie[0] == 'a', napisane);
                Skontroluj(h);
                EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, Misc::Pocet_prikladu);
                for (int i = 1; i < int(zmenene.size()) && (u.krok || i == 1); ++i)
                    EXPECT_EQ(Znacka(h, u.krok * i + u.posun).toStdString(), zmenene[size_t(i)] ? "ko!" : "ok")
                        << "example " << i;
                // Every cell typed into is locked, but the working cells of percentages
                // and proportions (and the result of percentages of variant b).
                for (platform::TextBox *b : napisane)
                    EXPECT_TRUE(b->Locked || (u.uloha == std::string("19") && b != h.TV1(b->Index()))
                                || (u.uloha == std::string("20") && b != h.TV3(b->Index()))) << b->Index();
                // Row checks and relation signs no longer react.
                for (platform::ControlArray<platform::Image> *a : {&h.ICheck, &h.IZnam})
                    for (int i = 0; i <= a->UBound(); ++i)
                        EXPECT_FALSE(a->exists(i) && (*a)(i)->Visible && (*a)(i)->Enabled) << i;
                for (int i = 0; i <= h.IHod.UBound(); ++i)
                    if (h.IHod.exists(i) && h.IHod(i)->Visible && h.IHod(i)->Enabled) {
                        QTest::mousePress(h.IHod(i), Qt::LeftButton, {}, QPoint(3, 3));
                        QTest::mouseRelease(h.IHod(i), Qt::LeftButton, {}, QPoint(3, 3));
                    }
            }
        }
        h.frm_Game01::Uvolni_chybova_okna();
    }
}

} // namespace
