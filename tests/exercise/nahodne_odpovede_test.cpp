// Whatever a pupil types, the check judges every example of every task once
// and the correct answers can still be shown: generated screens of every
// task with random garbage in their open cells, and with their expected
// answers typed as a pupil types them.
#include "Kontrola_support.h"
#include "expr/Random.h"

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
// beside a bracket, juxtaposed bracketed factors in the other order.
QString Ako_ziak(const QString &t)
{
    QString s;
    for (qsizetype i = 0; i < t.size();) {
        QStringList cinitele;
        for (qsizetype j = i; j < t.size() && t[j] == u'(';) {
            const qsizetype z = t.indexOf(u')', j);
            if (z < 0 || t.mid(j + 1, z - j - 1).contains(u'('))
                break;
            qsizetype k = z + 1;
            while (k < t.size() && !Misc::Preved_z_exponentu(t[k]).isNull())
                ++k;
            cinitele.prepend(t.mid(j, k - j));
            i = k;
            j = k < t.size() && t[k] == u'\u00B7' && k + 1 < t.size() && t[k + 1] == u'(' ? k + 1 : k;
        }
        if (!cinitele.isEmpty() && s.endsWith(u'/'))
            std::reverse(cinitele.begin(), cinitele.end());
        if (!cinitele.isEmpty()) {
            if (s.endsWith(u'\u00B7'))
                s.chop(1);
            s += cinitele.join(QString());
        } else {
            s += t[i] == u'+' || t[i] == u'-' ? QStringLiteral(" %1 ").arg(t[i]) : QString(t[i]);
            ++i;
        }
    }
    return u' ' + s;
}

// The first digit of a text, plain or superscript, one higher (9 to 0);
// unchanged when it has none.
QString Zmen_cifru(QString t)
{
    for (QChar &c : t) {
        const QChar p = Misc::Preved_z_exponentu(c);
        const QChar d = p.isNull() ? c : p;
        if (d >= u'0' && d <= u'9') {
            const QString nova(QChar(u'0' + (d.unicode() - u'0' + 1) % 10));
            c = p.isNull() ? nova[0] : Misc::Preved_na_exponent(nova)[0];
            return t;
        }
    }
    return t;
}

// Every answer a screen expects, typed into its cells as the pupil types
// it; with `chyba`, one digit changed in each. Gives, example by example,
// whether anything was changed.
std::vector<bool> Napis_ocakavane(Hra &h, const Uloha &u, bool chyba)
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
                const QString napisane = chyba ? Zmen_cifru(ocakavane) : ocakavane;
                zmenene[size_t(i)] = zmenene[size_t(i)] || napisane != ocakavane;
                b->Text = Ako_ziak(napisane);
            }
    for (int r : {6, 7}) // task 18: the relation sign set as expected
        if (h.IZnam.exists(r))
            h.IZnam(r)->Tag = h.TZR(r)->Caption;
    return zmenene;
}

TEST_F(Kontrola, ExpectedAnswersTypedAsAPupilTypesThemAreRightAndWithADigitChangedWrong)
{
    for (const Uloha &u : Ulohy) {
        Hra &h = Ukaz(u.uloha, u.varianta, 25);
        for (quint32 seed = 1; seed <= 12; ++seed) {
            for (bool chyba : {false, true}) {
                SCOPED_TRACE(QStringLiteral("task %1/%2, seed %3%4").arg(u.uloha).arg(u.varianta).arg(seed)
                                 .arg(chyba ? ", a digit changed" : "").toStdString());
                Randomize_seed(seed);
                h.PicTop_MouseDown(2, 1, 0, 1, 1);
                const std::vector<bool> zmenene = Napis_ocakavane(h, u, chyba);
                Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
                Skontroluj(h);
                for (int i = 1; i < int(zmenene.size()) && (u.krok || i == 1); ++i) {
                    EXPECT_EQ(Znacka(h, u.krok * i + u.posun).toStdString(), zmenene[size_t(i)] ? "ko!" : "ok")
                        << "example " << i;
                }
            }
        }
    }
}

TEST_F(Kontrola, GarbageInEveryCellIsJudgedOncePerExampleAndNothingBreaks)
{
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
