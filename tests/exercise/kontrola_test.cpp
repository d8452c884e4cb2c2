// The check command: the pupil types answers into the cells that a
// generator has filled, presses the check button, and sees one mark per
// example and the counts of the series; generated screens of every task
// filled with the expected answers as a pupil types them, in other forms a
// teacher accepts, with a digit changed, with a term moved across a
// bracket's edge, with a percent sign, with pasted minus signs, with random
// garbage, with no operand at all, and with unfinished lines; and what each
// help page says of the answers, typed as it says on generated screens.
#include "Kontrola_support.h"
#include "exercise/Nacti_priklady.h"
#include "exercise/frm_Game01_kontrola.h"
#include "expr/NumberText.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Random.h"
#include "expr/Rovnake_hodnoty.h"
#include "expr/Vyhodnoceni_vysledku.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

using namespace hra_test;

TEST_F(Kontrola, EachTaskMarksLocksAndCountsOnlyTheExamplesOfItsScreen)
{
    // vynechane: examples the generator gave up on; znacky: IHod(1) to IHod(10);
    // otvoreny: a row of TV1 outside the examples judged, left open
    const struct { const char *uloha; int zvolene; std::vector<int> vynechane; const char *znacky; int otvoreny; }
        Obrazovky[] = {
            {"1", 2, {}, "ko! - ko! - - - - - - -", 5},        {"13", 10, {1}, "- - ko! - ko! - ko! - ko! -", 1},
            {"4", 5, {2, 4}, "ko! - ko! - ko! - - - - -", 2},  {"11", 5, {3}, "ko! ko! - - - - - - - -", 7},
            {"15", 5, {1}, "- - - - - - - - - -", 5},          {"2", 5, {1, 2, 3, 4, 5}, "- - - - - - - - - -", 1},
        };
    for (const auto &o : Obrazovky) {
        Hra &h = Ukaz(o.uloha, 0, o.zvolene);
        for (int i : o.vynechane)
            h.Priklad_vytvoreny[size_t(i)] = false; // as a generator leaves an example it gave up on
        Skontroluj(h);
        const int pocet = int(QString::fromLatin1(o.znacky).count(QLatin1String("ko!")));
        EXPECT_EQ(Znacky(h, 10), o.znacky) << o.uloha;
        EXPECT_EQ(Misc::Pocet_spatnych, pocet) << o.uloha;
        EXPECT_FALSE(h.TV1(o.otvoreny)->Locked) << o.uloha;
        EXPECT_EQ(h.PicTop(1)->Enabled, pocet == 0) << o.uloha << ": a screen without examples is not checked";
    }
}

const std::string Zlomok = "TV2(1)=3 TV2(2)=4", Dva_zlomky = "TV2(1)=1 TV2(2)=2 TV1(1)=2 TV1(2)=4";
// Task 11, example 1 on rows 1 to 3: conditions "x ż 2" and "x ż -3" (left
// sides in TV1 or TV3, right sides in TV2 or TV4).
const char *const Dve = "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=-3", *const Jedna = "TV1(3)=x TV2(3)=2";
// One row of every task: its name, the task, the Tags, the pupil's answers,
// right or not; equations: the row of TV1 that the mark stands beside, not
// the other form's row `ina`.
struct Pravidlo { const char *meno, *uloha; std::string tagy, odpovede; bool spravne; int vedla = 0, ina = 0; };
// Task 15: D = TV1(5), N over M = TV1(6) over TV1(7); tasks 16 to 18 one row lower.
const char *const Zlomok_3_4 = "TV1(6)=3 TV1(7)=4", *const X_3 = "TV1(6)=3 TV1(12)=1 TV2(12)=-2",
                  *const Menej_3_4 = "TV1(7)=3 TV1(8)=4 TZR(6).Caption=< TZR(7).Caption=<";

// Task 21's table with one cell's text replaced.
std::string Zmen_21(const std::string &bunka, const std::string &nova)
{
    std::string t = Tabulka_21 + ' ';
    return t.replace(t.find(bunka + ' '), bunka.size(), nova);
}

// One example of the task ("19b": variant b) typed and checked per row.
TEST_F(Kontrola, RulesOfTheTasks)
{
    const Pravidlo Pravidla[] = {
        // Tasks 1 to 3 and 12: rows 1 and 2, expected lines in the second column.
        {"one row: the result in the first column", "1", "TV2(1)=12", "TV1(1)=12", 1},
        {"one row: blanks typed around and inside", "1", "TV2(1)=12", "TV2(1)=_1_2_", 1},
        {"fraction right in the second column, wrong in the first", "3", Zlomok, "TV1(1)=6 TV1(2)=8 " + Zlomok, 1},
        {"fraction right in the first column, any second", "3", Zlomok, "TV1(1)=3 TV1(2)=4 TV2(1)=6 TV2(2)=8", 1},
        {"a fraction without its lower line", "3", Zlomok, "TV2(1)=3", 0},
        // Tasks 4 to 10: one cell per example.
        {"task 5: the second form in the label's Tag", "5", "TV1(1)=x+x TZ1(1)=2x", "TV1(1)=2x", 1},
        {"task 10: the third accepted form", "10", "V(1,1)=x+x V(2,1)=x*2 V(3,1)=2x", "TV1(1)=2x", 1},
        {"task 10: a term moved across a bracket's edge", "10", "V(1,1)=(x+2)(x-3)", "TV1(1)=(x+2+x)(-3)", 0},
        // Task 19: a percentage asked for may carry its sign, the form in the label's Tag.
        {"task 19: the percentage with its sign", "19a", "TV1(1)=20 TZ1(1)=20%", "TV1(1)=20_%", 1},
        {"task 19: the percentage with two signs", "19a", "TV1(1)=20 TZ1(1)=20%", "TV1(1)=20%%", 0},
        {"task 19b: a number with a percent sign", "19b", "TV4(1)=325", "TV4(1)=325_%", 0},
        // Tasks 13 and 14: a fraction per column, numerators on row 1.
        {"task 13: the second result in the first column", "13", Dva_zlomky, "TV1(1)=2 TV1(2)=4", 1},
        {"task 13: factors below reordered", "13", "TV2(1)=1 TV2(2)=(x+8)(x+10)", "TV2(1)=1 TV2(2)=(x+10)(x+8)", 1},
        {"task 13: lines of the two results mixed", "13", Dva_zlomky, "TV1(1)=1 TV1(2)=4", 0},
        {"task 13: a lower cell of the second column decides", "13", Zlomok, "TV1(1)=3 TV1(2)=4 TV2(2)=5", 0},
        {"task 13: an upper cell alone does not", "13", Zlomok, "TV1(1)=3 TV1(2)=4 TV2(1)=9", 1},
        {"task 14: the first column's Tags play no part", "14", Dva_zlomky, "TV1(1)=2 TV1(2)=4", 0},
        {"task 14: a cell of blanks is an empty cell", "14", Zlomok, "TV1(1)=3 TV1(2)=4 TV2(2)=__", 1},
        // Task 11: an example is judged by its last row that expects a first condition.
        {"task 11: two conditions swapped", "11", Dve, "TV1(3)=x TV2(3)=-3 TV3(3)=x TV4(3)=2", 1},
        {"task 11: the sides of a condition swapped", "11", Dve, "TV1(3)=2 TV2(3)=x TV3(3)=x TV4(3)=-3", 0},
        {"task 11: one condition, anything in the last cell", "11", Jedna, "TV1(3)=x TV2(3)=2 TV4(3)=7", 1},
        {"task 11: one condition written twice", "11", Jedna, "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=2", 1},
        {"task 11: one condition and another one", "11", Jedna, "TV1(3)=x TV2(3)=2 TV3(3)=x TV4(3)=5", 0},
        {"task 11: the middle row when the last expects nothing", "11", "TV1(2)=x TV2(2)=2", "TV1(2)=x TV2(2)=2", 1},
        {"task 11: no row expects a first condition", "11", "TV3(2)=x TV4(2)=2", "TV3(2)=x TV4(2)=2", 0},
        {"task 11: last row has no first condition", "11", "TV3(3)=x TV4(3)=-3 TV1(2)=x TV2(2)=2", "TV1(2)=x TV2(2)=2", 0},
        {"task 11: factors undotted, reordered", "11", "TV1(3)=x·(x-3)·(x+1) TV2(3)=0", "TV1(3)=x(x+1)(x-3) TV2(3)=0", 1},
        {"task 11: a monomial after the brackets", "11", "TV1(3)=x·(x-3)·(x+1) TV2(3)=0", "TV1(3)=(x-3)(x+1)x TV2(3)=0", 1},
        {"task 11: a lone sign in both cells", "11", Jedna, "TV1(3)=+ TV2(3)=+", 0},
        // Task 21: value tables of y = k·x; variant b takes x values that round to the expected ones.
        {"task 21: an x value near the expected one", "21a", Tabulka_21, Zmen_21("TV2(1)=2", "TV2(1)=2,4"), 0},
        {"task 21b: a half rounds to the even 2", "21b", Tabulka_21, Zmen_21("TV2(1)=2", "TV2(1)=2,5"), 1},
        {"task 21b: a y value near the expected one", "21b", Tabulka_21, Zmen_21("TV2(2)=4", "TV2(2)=4,4"), 0},
        // Tasks 15 to 18: only the final x, as one number or as a fraction.
        {"fraction expected, both signs changed", "15", Zlomok_3_4, "TV1(6)=-3 TV1(7)=-4", 1},
        {"fraction expected, not reduced", "15", Zlomok_3_4, "TV1(6)=6 TV1(7)=8", 0},
        {"fraction expected, its decimal value", "15", Zlomok_3_4, "TV1(5)=0,75 TV1(6)=1 TV1(7)=9", 1},
        {"both signs changed, a numerator that only rounds to it", "15", Zlomok_3_4, "TV1(6)=-3-2/5 TV1(7)=-4", 0},
        {"both signs changed, a sum not worked out", "15", Zlomok_3_4, "TV1(6)=-4+1 TV1(7)=-4", 0},
        {"both signs changed, a trailing zero", "15", Zlomok_3_4, "TV1(6)=-3,0 TV1(7)=-4", 1},
        {"the minus written below the bar", "15", "TV1(6)=-3 TV1(7)=4", "TV1(6)=3 TV1(7)=-4", 1},
        {"a third to fifteen digits", "15", "TV1(6)=1 TV1(7)=3", "TV1(5)=0,333333333333333", 1},
        {"number expected, as a fraction of negatives", "16", "TV1(6)=2", "TV1(7)=-4 TV1(8)=-2", 1, 8, 6},
        {"number expected, a fraction typed with blanks", "16", "TV1(6)=2", "TV1(7)=-_4 TV1(8)=-_2", 1},
        {"number expected, a fraction with a pasted minus sign", "16", "TV1(6)=-2", "TV1(7)=−4 TV1(8)=2", 1},
        {"number expected, a trailing zero", "16", "TV1(6)=2", "TV1(6)=2,0", 1},
        {"only the numerator", "16", "TV1(6)=2", "TV1(7)=2", 0},
        {"a wrong number beside a right fraction", "16", "TV1(6)=2", "TV1(6)=3 TV1(7)=4 TV1(8)=2", 0, 6, 8},
        {"fraction expected, a number written", "16", "TV1(7)=3 TV1(8)=4", "TV1(6)=1", 0, 6, 8},
        {"fraction expected, nothing written", "16", "TV1(7)=3 TV1(8)=4", "", 0, 8, 6},
        // Task 17: x = 3 and the conditions x ż 1, x ż -2.
        {"conditions swapped", "17", X_3, "TV1(6)=3 TV1(12)=-2 TV2(12)=1", 1},
        {"a condition with a pasted minus sign", "17", X_3, "TV1(6)=3 TV1(12)=1 TV2(12)=−2", 1},
        {"a condition missing", "17", X_3, "TV1(6)=3 TV1(12)=1", 0},
        {"conditions right, x wrong", "17", X_3, "TV1(6)=4 TV1(12)=1 TV2(12)=-2", 0},
        {"one condition in the second cell", "17", "TV1(6)=3 TV1(12)=1", "TV1(6)=3 TV2(12)=1", 1},
        {"one condition written twice", "17", "TV1(6)=3 TV1(12)=1", "TV1(6)=3 TV1(12)=1 TV2(12)=1", 0},
        // Task 18: x < 3/4.
        {"the decimal value with its sign", "18", Menej_3_4, "TV1(6)=0,75 IZnam(6)=<", 1},
        {"the decimal value, the sign reversed", "18", Menej_3_4, "TV1(6)=0,75 IZnam(6)=>", 0},
        {"the decimal value, the sign on the fraction's row", "18", Menej_3_4, "TV1(6)=0,75 IZnam(7)=<", 0},
        {"the fraction of negatives keeps the sign", "18", Menej_3_4, "TV1(7)=-3 TV1(8)=-4 IZnam(7)=<", 1},
    };
    for (const Pravidlo &p : Pravidla) {
        const std::string u = p.uloha;
        Hra &h = Ukaz(u.substr(0, 2).c_str(), u.size() == 3 ? u[2] - 'a' + 1 : 0, 1);
        Ako_generator(h, p.tagy.c_str());
        Napis(h, p.odpovede.c_str());
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, 1).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
        EXPECT_EQ(Misc::Pocet_spravnych, p.spravne ? 1 : 0) << p.meno;
        EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, 1) << p.meno;
        const auto od = [&](int k) { return std::abs(h.IHod(1)->Left - h.TV1(k)->Left - h.TV1(k)->Width); };
        EXPECT_TRUE(!p.vedla || od(p.vedla) < od(p.ina)) << p.meno << ": the mark beside the form used";
    }
}

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
} Ulohy[] = {{"1", 0, 2, 2, -1}, {"2", 0, 2, 2, -1}, {"3", 0, 2, 2, -1}, {"4", 0, 1, 1, 0}, {"5", 0, 1, 1, 0},
             {"6", 0, 1, 1, 0}, {"7", 0, 1, 1, 0}, {"8", 0, 1, 1, 0}, {"9", 0, 1, 1, 0}, {"10", 0, 1, 1, 0},
             {"11", 0, 3, 1, 0}, {"12", 0, 2, 2, -1}, {"13", 0, 2, 2, -1}, {"14", 0, 2, 2, -1}, {"15", 0, 12, 0, 1},
             {"16", 0, 12, 0, 1}, {"17", 0, 12, 0, 1}, {"18", 0, 12, 0, 1}, {"19", 1, 1, 1, 0}, {"19", 2, 1, 1, 0},
             {"20", 0, 2, 2, 0}, {"21", 1, 2, 1, 0}, {"21", 2, 2, 1, 0}};

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

// Another form of a right answer that a teacher accepts: the two terms of
// a bracket swapped, a leading monomial ("5x³", "8" too) moved after its
// bracket, a zero after every decimal part (and ",0" after a whole number
// where `cele`).
QString Inak_spravne(QString t, bool cele)
{
    static const QRegularExpression dvojclen(QStringLiteral("\\((-?)([^()+-]+)([+-])([^()+-]+)\\)")),
        monom(QStringLiteral("(^|[+(-])([0-9xyz][^()+\u00B7/:-]*)\u00B7?(\\([^()]*\\)[\u0154\u00C1\u00C2\u0102\u00C4"
                             "\u0139\u0106\u00C7\u010C\u00C9\u00AC]*)")),
        desatinne(QStringLiteral("(\\d,\\d+)")), cele_cislo(QStringLiteral("^-?\\d+$"));
    QString v;
    qsizetype od = 0;
    for (const QRegularExpressionMatch &m : dvojclen.globalMatch(t)) {
        v += t.mid(od, m.capturedStart() - od) + u'(' + (m.captured(3) == u"-" ? QStringLiteral("-") : QString())
             + m.captured(4) + (m.captured(1).isEmpty() ? u'+' : u'-') + m.captured(2) + u')';
        od = m.capturedEnd();
    }
    t = v + t.mid(od);
    t.replace(monom, QStringLiteral("\\1\\3\\2"));
    t.replace(desatinne, QStringLiteral("\\10"));
    return cele && cele_cislo.match(t).hasMatch() ? t + QStringLiteral(",0") : t;
}

// Every run of superscripts typed with "^" and plain characters instead.
QString So_strieskou(const QString &t)
{
    QString v;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar p = Misc::Preved_z_exponentu(t[i]);
        if (!p.isNull() && (i == 0 || Misc::Preved_z_exponentu(t[i - 1]).isNull()))
            v += u'^';
        v += p.isNull() ? t[i] : p;
    }
    return v;
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

// A right answer with a term moved across a bracket's edge: the first term
// of a bracket that follows another one moved into that one, "(4x+y)(4x-y)"
// to "(4x+y+4x)(-y)"; unchanged when no bracket follows another.
QString Cez_zatvorku(const QString &t)
{
    static const QRegularExpression dve(QStringLiteral("\\(([^()]*)\\)(\u00B7?)\\((-?[^()+-]+)([+-][^()]*)\\)"));
    const QRegularExpressionMatch m = dve.match(t);
    if (!m.hasMatch())
        return t;
    const QString clen = m.captured(3), znamienko = clen.startsWith(u'-') ? QString() : QStringLiteral("+");
    return t.left(m.capturedStart()) + u'(' + m.captured(1) + znamienko + clen + u')' + m.captured(2) + u'('
           + m.captured(4) + u')' + t.mid(m.capturedEnd());
}

enum class Vyplnenie {
    Ocakavane, Cifra, Inak, Bodka_pred, Cez_zatvorku, Percento, Minus, Nahodne, Znamienka, Nedopocitane, Otazka
};
const struct { const char *meno; Vyplnenie v; } Vyplnenia[] = {
    {"expected", Vyplnenie::Ocakavane},
    {"a digit changed", Vyplnenie::Cifra},
    {"other forms a teacher accepts", Vyplnenie::Inak},
    {"a \"·\" left before other accepted forms", Vyplnenie::Bodka_pred},
    {"a term moved across a bracket's edge", Vyplnenie::Cez_zatvorku},
    {"a percent sign, right where a percentage is asked for", Vyplnenie::Percento},
    {"minus signs pasted as U+2212", Vyplnenie::Minus},
    {"garbage", Vyplnenie::Nahodne},
    {"signs, dots and blanks", Vyplnenie::Znamienka},
    {"x with both signs changed, not worked out", Vyplnenie::Nedopocitane},
    {"the question copied back", Vyplnenie::Otazka},
};

// An expected text as the fill `v` types it into a cell; `zle` set when that
// makes the answer wrong.
QString Vyplnene(const QString &ocakavane, Vyplnenie v, bool rovnica, bool percento, quint32 seed, bool &zle)
{
    switch (v) {
    case Vyplnenie::Cifra:
    case Vyplnenie::Cez_zatvorku: {
        const QString text = v == Vyplnenie::Cifra ? Zmen_cifru(ocakavane) : Cez_zatvorku(ocakavane);
        zle = text != ocakavane;
        return Ako_ziak(text);
    }
    case Vyplnenie::Inak: return So_strieskou(Ako_ziak(Inak_spravne(ocakavane, rovnica)));
    case Vyplnenie::Bodka_pred:
        zle = true;
        return u'\u00B7' + Ako_ziak(Inak_spravne(ocakavane, rovnica));
    case Vyplnenie::Percento:
        zle = !percento;
        return Ako_ziak(ocakavane) + (seed % 2 ? QStringLiteral(" %") : QStringLiteral("%"));
    case Vyplnenie::Minus: return Ako_ziak(ocakavane).replace(u'-', u'\u2212');
    default: return Ako_ziak(ocakavane);
    }
}

// Every answer a screen expects, typed into its cells as the fill `v` types
// it. Gives, example by example, whether that makes it wrong, and the cells
// typed into.
std::vector<bool> Napis_ocakavane(Hra &h, const Uloha &u, Vyplnenie v, quint32 seed,
                                  std::vector<platform::TextBox *> &napisane)
{
    const int cislo = QString::fromLatin1(u.uloha).toInt();
    const bool rovnica = cislo >= 15 && cislo <= 18;
    std::vector<bool> zmenene(size_t(Misc::Pocet_prikladu) + 1);
    for (int i = 1; i <= (u.krok ? Misc::Pocet_prikladu : 1); ++i) {
        // The question, not the answer, says whether a percentage is asked for.
        const bool percento = cislo == 19 && h.Zadani_prikladu(1, i).contains(QLatin1String("percent"));
        for (int r = u.riadkov * (i - 1) + 1; r <= u.riadkov * i; ++r)
            for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6}) {
                platform::TextBox *b = stlpec->exists(r) ? (*stlpec)(r) : nullptr;
                const QString ocakavane = !b || b->Locked ? QString()
                                          : u.uloha == QLatin1String("10") && stlpec == &h.TV1
                                              ? h.Vysledek_prikladu(1, i) : QString(b->Tag);
                if (ocakavane.isEmpty())
                    continue;
                bool zle = false;
                b->Text = Vyplnene(ocakavane, v, rovnica, percento, seed, zle);
                // Task 11's working rows above the row that judges its example do not count.
                zle = zle && (cislo != 11 || r == Kontrola::Posudzovany_riadok_11(h, i));
                zmenene[size_t(i)] = zmenene[size_t(i)] || zle;
                napisane.push_back(b);
            }
    }
    for (int r : {6, 7}) // task 18: the relation sign set as expected
        if (h.IZnam.exists(r))
            h.IZnam(r)->Tag = h.TZR(r)->Caption;
    return zmenene;
}

// Random garbage (or, with `znamienka`, a lone sign, "·" or blanks) in every
// open cell, working rows and waiting cells too; tasks 11 and 17 press their
// row-check button first, whose bubble must go again before the screen
// takes the check.
void Napis_nahodne(Hra &h, QRandomGenerator &nahoda, platform::FakeClock &hodiny,
                   std::vector<platform::TextBox *> &napisane, bool znamienka = false)
{
    static const QStringList bez_operandu = {QStringLiteral("+"), QStringLiteral(" + "), QStringLiteral("-"),
                                             QStringLiteral("\u00B7"), QStringLiteral("  "), QStringLiteral("+-")};
    for (platform::TextBox *b : Bunky(h))
        if (b->Visible && !b->Locked) {
            b->Text = znamienka ? bez_operandu[int(nahoda.bounded(bez_operandu.size()))] : Nahodny_text(nahoda);
            napisane.push_back(b);
        }
    if (h.ICheck.exists(1) && h.ICheck(1)->Visible && h.ICheck(1)->Enabled) {
        QTest::mouseClick(h.ICheck(1), Qt::LeftButton, {}, QPoint(3, 3));
        if (h.PicIcheck->Visible) {
            hodiny.Advance(6000);
            h.PicIcheckTimer_Timer();
        }
        ASSERT_TRUE(h.Enabled);
        if (znamienka && Misc::Cislo_ulohy == QLatin1String("11")) {
            EXPECT_FALSE(h.TV1(2)->Enabled && !h.TV1(2)->Locked) << "a row without an answer opens the next one";
        }
    }
}

// Tasks 15 to 18: the expected answers, x as a fraction with both signs
// changed but a numerator or a denominator not worked out ("-4+1" over "-4",
// "-3" over "-8/2"); the number cell left empty.
void Napis_nedopocitane(Hra &h, const Uloha &u, quint32 seed, std::vector<platform::TextBox *> &napisane)
{
    Napis_ocakavane(h, u, Vyplnenie::Ocakavane, seed, napisane);
    const int d = u.uloha == std::string("15") ? 5 : 6;
    platform::TextBox *D = h.TV1(d), *N = h.TV1(d + 1), *M = h.TV1(d + 2);
    const bool zlomok = !QString(N->Tag).isEmpty();
    const double p = ParseNumber(QString(zlomok ? N->Tag : D->Tag)).value_or(1);
    const double q = zlomok ? ParseNumber(QString(M->Tag)).value_or(1) : 1;
    D->Text = QString();
    N->Text = seed % 2 ? FormatNumber(-p - 1) + QStringLiteral("+1") : FormatNumber(-p);
    M->Text = seed % 2 ? FormatNumber(-q) : FormatNumber(-2 * q) + QStringLiteral("/2");
    napisane.insert(napisane.end(), {N, M});
}

// Tasks 4 to 10: each question typed back as its answer.
void Napis_otazky(Hra &h, std::vector<platform::TextBox *> &napisane)
{
    for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
        h.TV1(i)->Text = Ako_ziak(h.Zadani_prikladu(1, i));
        napisane.push_back(h.TV1(i));
    }
}

// Whatever a cell holds, where it is equal by terms to a text the check
// accepts there, the two have one value.
void Over_hodnoty(Hra &h, const Uloha &u, const std::vector<platform::TextBox *> &napisane)
{
    const int cislo = QString::fromLatin1(u.uloha).toInt();
    for (platform::TextBox *b : napisane) {
        QStringList prijate{QString(b->Tag)};
        const int i = b->Index();
        if (cislo == 10)
            for (int k = 1; k <= 10; ++k)
                prijate << h.Vysledek_prikladu(k, i);
        if ((cislo >= 4 && cislo <= 9) || cislo == 19)
            prijate << QString(h.TZ1(i)->Tag);
        for (const QString &t : prijate) {
            if (Rovnake_cleny(QString(b->Text), t)) {
                EXPECT_TRUE(hodnoty::Hodnoty_sedia(h.Evaluator_formulara(), QString(b->Text), t))
                    << QString(b->Text).toStdString() << " and " << t.toStdString();
            }
        }
    }
}

// Seeded screens of every task: the expected answers typed as a pupil types
// them, in other forms a teacher accepts, and with minus signs pasted as
// U+2212, are all right; with a digit changed or a term moved across a
// bracket's edge, every example changed is wrong, with a "·" left before
// them every example; with a percent sign, an example is right only where
// its question asks for a percentage; lines
// without an operand, x with both signs changed but not worked out, and
// questions copied back are all wrong; with garbage, every example is judged
// once and the correct answer of each wrong one can still be shown. Whatever
// a cell holds that is equal by terms to a text accepted there has its value.
TEST_F(Kontrola, ExpectedAnswersAsAPupilTypesThemDigitsChangedAndGarbage)
{
    QRandomGenerator nahoda(20261206);
    for (const Uloha &u : Ulohy) {
        Hra &h = Ukaz(u.uloha, u.varianta, 25);
        h.frm_Game01::Nacti_chybova_okna();
        for (quint32 seed = 1; seed <= 12; ++seed) {
            for (const auto &[vyplnenie, v] : Vyplnenia) {
                const int cislo = QString::fromLatin1(u.uloha).toInt();
                if ((v == Vyplnenie::Nedopocitane && (cislo < 15 || cislo > 18))
                    || (v == Vyplnenie::Otazka && (cislo < 4 || cislo > 10)))
                    continue;
                SCOPED_TRACE(QStringLiteral("task %1/%2, seed %3, %4").arg(u.uloha).arg(u.varianta).arg(seed)
                                 .arg(vyplnenie).toStdString());
                Randomize_seed(seed);
                h.PicTop_MouseDown(2, 1, 0, 1, 1);
                for (int i = 1; i <= h.IHod.UBound(); ++i)
                    EXPECT_FALSE(h.IHod.exists(i) && h.IHod(i)->Visible) << "a mark of the screen before: " << i;
                Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
                std::vector<platform::TextBox *> napisane;
                std::vector<bool> zmenene;
                const std::vector<bool> vsetky_zle(size_t(Misc::Pocet_prikladu) + 1, true);
                switch (v) {
                case Vyplnenie::Nahodne: Napis_nahodne(h, nahoda, hodiny, napisane); break;
                case Vyplnenie::Znamienka: Napis_nahodne(h, nahoda, hodiny, napisane, true); break;
                case Vyplnenie::Nedopocitane: Napis_nedopocitane(h, u, seed, napisane); break;
                case Vyplnenie::Otazka: Napis_otazky(h, napisane); break;
                default: zmenene = Napis_ocakavane(h, u, v, seed, napisane);
                }
                if (v == Vyplnenie::Znamienka || v == Vyplnenie::Nedopocitane || v == Vyplnenie::Otazka)
                    zmenene = vsetky_zle;
                Skontroluj(h);
                Over_hodnoty(h, u, napisane);
                EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, Misc::Pocet_prikladu);
                for (int i = 1; i < int(zmenene.size()) && (u.krok || i == 1); ++i)
                    EXPECT_EQ(Znacka(h, u.krok * i + u.posun).toStdString(), zmenene[size_t(i)] ? "ko!" : "ok")
                        << "example " << i;
                // Every cell typed into is locked, but the working cells of percentages
                // and proportions, which stay open (with the result of percentages of variant b).
                for (platform::TextBox *b : napisane)
                    EXPECT_EQ(bool(b->Locked), !(u.uloha == std::string("19") && b != h.TV1(b->Index()))
                                                   && !(u.uloha == std::string("20") && b != h.TV3(b->Index())))
                        << b->Index();
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

double Cislo(const QString &text) { return ParseNumber(text).value_or(std::nan("")); }

// The help pages' sentences about the answers, each on a generated screen of
// its task: the first example that fits is typed as the sentence says (or as
// it says not to) and checked. `napis` gives the mark of the example typed,
// 0 when the screen has none that fits.
TEST_F(Kontrola, EachHelpPageSaysWhatItsCheckAccepts)
{
    // Task 12's product K(x+D) above or below the bar multiplied out.
    const auto roznasobene = [](Hra &h) {
        static const QRegularExpression sucin(QStringLiteral("^(\\d+)\\(x([+-]\\d+)\\)$"));
        const QRegularExpressionMatch m[] = {sucin.match(QString(h.TV2(1)->Tag)), sucin.match(QString(h.TV2(2)->Tag))};
        if (!m[0].hasMatch() && !m[1].hasMatch())
            return 0;
        for (int r : {1, 2}) {
            const int k = m[r - 1].captured(1).toInt(), kd = k * m[r - 1].captured(2).toInt();
            Napis(h.TV2(r), !m[r - 1].hasMatch() ? QString(h.TV2(r)->Tag)
                                                 : QStringLiteral("%1x%2%3").arg(k).arg(kd < 0 ? "" : "+").arg(kd));
        }
        return 1;
    };
    // Task 18: x a whole number, with the expected sign set on result row `riadok`.
    const auto znamienko_x = [](int riadok) {
        return [riadok](Hra &h) {
            if (QString(h.TV1(6)->Tag).isEmpty())
                return 0;
            Napis(h.TV1(6), h.TV1(6)->Tag);
            Napis(h, ("IZnam(" + std::to_string(riadok) + ")=" + QString(h.TZR(6)->Caption).toStdString()).c_str());
            return 1;
        };
    };
    // Task 21b's k asked from the columns x, y of example 2, where their product is not k.
    const auto k_zo_suctu = [](bool zaokruhlene) {
        return [zaokruhlene](Hra &h) {
            const double k = Cislo(h.TZ2(3)->Caption) * Cislo(h.TZ2(4)->Caption);
            if (FormatNumber(k) == QString(h.TV5(4)->Tag))
                return 0;
            Napis(h.TV5(4), FormatNumber(zaokruhlene ? std::round(k) : k));
            return 2;
        };
    };
    // Task 19b: the base in its cell, the answer in `odpoved`.
    const auto percenta = [](platform::ControlArray<platform::TextBox> frm_Game01::*odpoved) {
        return [odpoved](Hra &h) {
            Napis(h.TV1(1), QStringLiteral("1"));
            Napis((h.*odpoved)(1), h.TV4(1)->Tag);
            return 1;
        };
    };
    // Task 20's answer when it has a decimal part, typed by `ako`.
    const auto desatinne = [](QString (*ako)(const QString &)) {
        return [ako](Hra &h) {
            const QString tag = h.TV3(2)->Tag;
            if (!tag.contains(u','))
                return 0;
            Napis(h.TV3(2), ako(tag));
            return 2;
        };
    };
    const struct {
        const char *meno, *stranka, *veta, *uloha;
        std::function<int(Hra &)> napis;
        bool spravne;
    } Vety[] = {
        {"task 12: a product multiplied out", "12", "neroznásobuj: 5(x+1), nie 5x+5", "12", roznasobene, false},
        {"task 15: a root not reduced", "15", "zlomok v základnom tvare vpravo, napríklad 3 nad 4, nie 6 nad 8", "15",
         [](Hra &h) {
             if (QString(h.TV1(6)->Tag).isEmpty())
                 return 0;
             Napis(h.TV1(6), FormatNumber(2 * Cislo(h.TV1(6)->Tag)));
             Napis(h.TV1(7), FormatNumber(2 * Cislo(h.TV1(7)->Tag)));
             return 1;
         }, false},
        {"task 18: the sign on the row of the number", "18", "oboje v tom istom riadku výsledku", "18", znamienko_x(6), true},
        {"task 18: the sign on the other row", "18", "oboje v tom istom riadku výsledku", "18", znamienko_x(7), false},
        {"task 19b: the answer in the result cell", "19b", "do políčka „výsledok =“; hodnotí sa len ono", "19b",
         percenta(&frm_Game01::TV4), true},
        {"task 19b: the answer in the percentage cell", "19b", "do políčka „výsledok =“; hodnotí sa len ono", "19b",
         percenta(&frm_Game01::TV3), false},
        {"task 20: a decimal typed with the dot key", "20", "desatinné s desatinnou čiarkou: 28,6, nie 143/5", "20",
         desatinne([](const QString &t) { return QString(t).replace(u',', u'.'); }), true},
        {"task 20: the answer as a fraction", "20", "desatinné s desatinnou čiarkou: 28,6, nie 143/5", "20",
         desatinne([](const QString &t) { return FormatNumber(10 * Cislo(t)) + QStringLiteral("/10"); }), false},
        {"task 21b: k as the product rounded", "21b", "súčin zaokrúhli: 14 · 0,357 = 4,998, teda k = 5", "21b",
         k_zo_suctu(true), true},
        {"task 21b: k as the product", "21b", "súčin zaokrúhli: 14 · 0,357 = 4,998, teda k = 5", "21b",
         k_zo_suctu(false), false},
    };
    for (const auto &v : Vety) {
        EXPECT_TRUE(Napoveda(QString::fromLatin1(v.stranka)).contains(QString::fromUtf8(v.veta))) << v.meno;
        const std::string u = v.uloha;
        Hra &h = Ukaz(u.substr(0, 2).c_str(), u.size() == 3 ? u[2] - 'a' + 1 : 0, 5);
        int znacka = 0;
        for (quint32 seed = 1; seed <= 200 && !znacka; ++seed) {
            Randomize_seed(seed);
            h.PicTop_MouseDown(2, 1, 0, 1, 1);
            znacka = v.napis(h);
        }
        ASSERT_NE(znacka, 0) << v.meno << ": no generated example fits";
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, znacka).toStdString(), v.spravne ? "ok" : "ko!") << v.meno;
    }
}

// A polynomial c0 + c1·x + c2·y + c3·x² with whole coefficients, as the
// pupil writes it multiplied out: "x²+6x+5", "-4x+6y".
struct Mnohoclen {
    std::array<double, 4> c{};
    QString Text() const
    {
        QString t;
        for (int k : {3, 1, 2, 0}) {
            if (c[size_t(k)] == 0)
                continue;
            const QString clen = FormatNumber(c[size_t(k)]);
            const QString pismeno = QStringList{"", "x", "y", "x²"}[k];
            t += (c[size_t(k)] > 0 && !t.isEmpty() ? "+" : "")
                 + (pismeno.isEmpty() || std::abs(c[size_t(k)]) != 1 ? clen : clen.chopped(1)) + pismeno;
        }
        return t.isEmpty() ? QStringLiteral("0") : t;
    }
};

// The polynomial whose values `f` gives, or nothing when f is none.
template <class F> std::optional<Mnohoclen> Z_hodnot(F &&f)
{
    const double x = 0.37, y = 0.59; // no lower part of the tasks is 0 there
    const auto a = f(x, y), vpravo = f(x + 1, y), vlavo = f(x - 1, y), hore = f(x, y + 1), skuska = f(2.3, -1.7);
    if (!a || !vpravo || !vlavo || !hore || !skuska)
        return std::nullopt;
    Mnohoclen m;
    m.c[3] = std::round((*vpravo - 2 * *a + *vlavo) / 2);
    m.c[1] = std::round((*vpravo - *vlavo) / 2 - 2 * m.c[3] * x);
    m.c[2] = std::round(*hore - *a);
    m.c[0] = std::round(*a - m.c[1] * x - m.c[2] * y - m.c[3] * x * x);
    const double v = m.c[0] + m.c[1] * 2.3 - m.c[2] * 1.7 + m.c[3] * 2.3 * 2.3;
    return std::abs(v - *skuska) < 1e-6 * std::max(1.0, std::abs(v)) ? std::optional(m) : std::nullopt;
}

// The common lower part of the lower parts as the tables write them ("2x",
// "x²", "x+5"), as the help page builds it: the least common multiple of
// the numbers, each letter in its highest power, each bracket once.
struct Spolocny_menovatel {
    int cislo = 1, x = 0, y = 0;
    QStringList zatvorky;
    explicit Spolocny_menovatel(const QStringList &menovatele)
    {
        static const QRegularExpression clen(QStringLiteral("^(\\d*)(x²?)?(y?)$"));
        for (const QString &m : menovatele)
            if (const QRegularExpressionMatch c = clen.match(m); !c.hasMatch()) {
                if (!zatvorky.contains('(' + m + ')'))
                    zatvorky << '(' + m + ')';
            } else {
                cislo = std::lcm(cislo, c.captured(1).isEmpty() ? 1 : c.captured(1).toInt());
                x = std::max(x, int(c.captured(2).size()));
                y = std::max(y, int(c.captured(3).size()));
            }
    }
    QString Sucin() const
    {
        return (cislo == 1 ? QString() : QString::number(cislo)) + QStringList{"", "x", "x²"}[x] + (y ? "y" : "")
               + zatvorky.join(QString());
    }
};

// The result of task 13 as the help page says to write it: over the common
// lower part (multiplied out if `roznasobeny`), the upper part multiplied
// out, the fraction reduced by a common number; "" when it cannot be made.
// `zadanie`: the upper and the lower part of the first fraction, the sign,
// those of the second.
std::pair<QString, QString> Vysledok_13(frm_Game01 &f, const QStringList &zadanie, bool roznasobeny)
{
    Spolocny_menovatel menovatel({zadanie[1], zadanie[4]});
    const auto hodnota = [&f](const QString &riadok) {
        return [&f, riadok = Glyfy(riadok.toUtf8().constData())](double x, double y) {
            return Prevedeni_vstupu_na_vysledek(f.Evaluator_formulara(), riadok, x, y, 0);
        };
    };
    const QString riadok =
        QStringLiteral("((%1)/(%2))%3((%4)/(%5))").arg(zadanie[0], zadanie[1], zadanie[2], zadanie[3], zadanie[4]);
    std::optional<Mnohoclen> citatel = Z_hodnot([&](double x, double y) -> std::optional<double> {
        const auto z = hodnota(riadok)(x, y), m = hodnota(menovatel.Sucin())(x, y);
        return z && m ? std::optional(*z * *m) : std::nullopt;
    });
    if (!citatel)
        return {};
    int spolocne = menovatel.cislo;
    for (double c : citatel->c)
        spolocne = std::gcd(spolocne, int(c));
    for (double &c : citatel->c)
        c /= spolocne;
    menovatel.cislo /= spolocne;
    const std::optional<Mnohoclen> roznasobeny_menovatel = Z_hodnot(hodnota(menovatel.Sucin()));
    return {citatel->Text(), roznasobeny && roznasobeny_menovatel ? roznasobeny_menovatel->Text() : menovatel.Sucin()};
}

// As the help page says, worked there on examples: one fraction over the
// common lower part, as a product or multiplied out, the upper part
// multiplied out.
TEST_F(Kontrola, Task13ResultWrittenAsTheHelpSaysIsAccepted)
{
    Hra &h = Ukaz("13", 0, 5);
    const QString stranka = Napoveda(QStringLiteral("13"));
    for (auto [a, b] : {std::pair{"2x", "3y"}, std::pair{"3x", "x²"}}) {
        const QString priklad = QStringLiteral("z %1 a %2 je %3").arg(a, b, Spolocny_menovatel({a, b}).Sucin());
        EXPECT_TRUE(stranka.contains(priklad)) << "the page works " << priklad.toStdString();
    }
    for (bool roznasobeny : {false, true}) {
        const auto [citatel, menovatel] = Vysledok_13(h, {"1", "x+1", "+", "1", "x+5"}, roznasobeny);
        EXPECT_TRUE(stranka.contains(citatel + " nad " + menovatel))
            << "the page works " << citatel.toStdString() << " nad " << menovatel.toStdString();
    }
    QStringList odmietnute;
    std::map<int, int> vzory;
    for (quint32 s = 1; s <= 40; ++s) {
        Randomize_seed(s);
        h.PicTop_MouseDown(2, 1, 0, 1, 1);
        QStringList napisane;
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
            const int u = 2 * i - 1, l = 2 * i, t = Misc::Vybrany_vzor[i];
            QStringList zadanie;
            for (const platform::Label *z : {h.TZ1(u), h.TZ1(l), h.TZR(u), h.TZ2(u), h.TZ2(l)})
                zadanie << Bez_glyfov(z->Caption);
            const auto [citatel, menovatel] = Vysledok_13(h, zadanie, vzory[t]++ % 2);
            Napis(h.TV2(u), Glyfy(citatel.toUtf8().constData()));
            Napis(h.TV2(l), Glyfy(menovatel.toUtf8().constData()));
            napisane << QStringLiteral("seed %1, template %2: %3 nad %4").arg(s).arg(t).arg(citatel, menovatel);
        }
        Skontroluj(h);
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i)
            if (Znacka(h, 2 * i - 1) != "ok")
                odmietnute << napisane[i - 1];
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru());
    for (auto [t, n] : vzory)
        EXPECT_GE(n, 2) << "template " << t << " with its lower part in both forms";
    EXPECT_TRUE(odmietnute.isEmpty()) << odmietnute.size() << " refused\n"
                                      << odmietnute.mid(0, 12).join('\n').toStdString();
}

} // namespace
