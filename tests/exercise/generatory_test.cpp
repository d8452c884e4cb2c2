// The example generators of tasks 1 to 12 with the shipped templates: whole
// series with fixed seeds, each expected answer checked against its
// assignment through the engine and for the form the check accepts;
// screens that cannot be made; every caption of every task on the stage
// whole, with pictures.
#include "Generatory_support.h"
#include "Harok_support.h"
#include "Priklady_support.h"
#include "expr/NumberText.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <map>
#include <numeric>
#include <optional>

namespace {

using namespace hra_test;

using Generatory = Generatory_test<Obrazovka>;

// A number in the example is whole when it reads back as one.
bool Cele(const QString &t) { return ParseNumber(t) && *ParseNumber(t) == std::round(*ParseNumber(t)); }

// A caption with each run of superscripts written "^" and its digits.
QString Citatelne(const QString &text)
{
    QString t;
    bool exponent = false;
    for (QChar c : text) {
        const QChar e = Misc::Preved_z_exponentu(c);
        t += e.isNull() ? QString(c) : exponent ? QString(e) : u'^' + QString(e);
        exponent = !e.isNull();
    }
    return t;
}

// Why a product of task 10 factors further; empty when it does not. Every
// bracket is a binomial a·X + b·Y without a common divisor or power, whose
// powers share g only where t^g - c (c = -b/a) stays whole: c no q-th
// power for q dividing g, nor -4w^4 when 4 divides g.
QString Dalej_rozlozitelny(const QString &forma)
{
    static const QString clen = QStringLiteral(R"(([+-]?)(\d*)(x?)\^?(\d*)(y?)\^?(\d*))");
    static const QRegularExpression binom(QStringLiteral(R"(\()") + clen + clen + QStringLiteral(R"(\))"));
    auto mocnina = [](long long n, long long d, int q) { // n/d is the q-th power of a fraction
        auto odmocnina = [q](long long a) {
            const double r = std::round(std::pow(double(std::llabs(a)), 1.0 / q));
            return std::pow(r, q) == double(std::llabs(a)) && (a >= 0 || q % 2 == 1);
        };
        const long long g = std::gcd(n, d) * (d < 0 ? -1 : 1);
        return odmocnina(n / g) && odmocnina(d / g);
    };
    const QString t = Citatelne(forma);
    int binomov = 0;
    for (auto it = binom.globalMatch(t); it.hasNext(); ++binomov) {
        const auto m = it.next();
        long long a[2];
        int g = 0, x = 99, y = 99;
        for (int k : {0, 1}) {
            auto cast = [&](int c) { return m.captured(6 * k + c); };
            auto cislo = [&](int c) { return cast(c).isEmpty() ? 1 : cast(c).toLongLong(); };
            if ((cast(2) + cast(3) + cast(5)).isEmpty() || (k == 1 && cast(1).isEmpty()))
                return m.captured() + QStringLiteral(" is no binomial");
            a[k] = (cast(1) == u"-" ? -1 : 1) * cislo(2);
            const int ex = cast(3).isEmpty() ? 0 : int(cislo(4));
            const int ey = cast(5).isEmpty() ? 0 : int(cislo(6));
            g = std::gcd(g, std::gcd(ex, ey)), x = std::min(x, ex), y = std::min(y, ey);
        }
        if (std::gcd(a[0], a[1]) != 1 || x > 0 || y > 0)
            return m.captured() + QStringLiteral(" has a common factor");
        for (int q = 2; q <= g; ++q)
            if (g % q == 0 && mocnina(-a[1], a[0], q))
                return m.captured() + QStringLiteral(" is a binomial of powers %1").arg(q);
        if (g % 4 == 0 && mocnina(a[1], 4 * a[0], 4))
            return m.captured() + QStringLiteral(" is a sum of fourth powers");
    }
    return binomov && binomov == t.count(u'(') ? QString() : QStringLiteral("no product of binomials");
}

TEST_F(Generatory, NumericValuesOfTasks1And2)
{
    for (const char *uloha : {"1", "2"}) {
        Kazdy_priklad_ulohy(uloha, [&](Hra &h, int i) {
            const QString zadanie = h.TZ1(2 * i - 1)->Caption, tag = h.TV2(2 * i - 1)->Tag;
            const auto v = Hodnota(h, zadanie, 0);
            const QString riadok = zadanie + " = " + tag;
            QStringList chyby;
            if (!v || FormatNumber(std::round(*v * 1000) / 1000) != tag)
                chyby << riadok + " (value " + (v ? FormatNumber(*v) : QStringLiteral("none")) + ")";
            if (QByteArray(uloha) == "1" && !Cele(tag))
                chyby << riadok + " is not whole";
            if (!h.TZ1(2 * i - 1)->Visible || h.TZ1(2 * i)->Visible || !QString(h.TV2(2 * i)->Tag).isEmpty())
                chyby << riadok + " not shown on one row";
            return chyby;
        });
    }
}

TEST_F(Generatory, SimplifiedExpressionsOfTasks4To9)
{
    for (const char *uloha : {"4", "5", "6", "7", "8", "9"}) {
        const bool bez_nuly = QByteArray(uloha) >= "7";
        Kazdy_priklad_ulohy(uloha, [&](Hra &h, int i) {
            const QString zadanie = h.TZ1(i)->Caption, tag = h.TV1(i)->Tag, riadok = zadanie + " = " + tag;
            QStringList chyby;
            if (const QString r = Rozdiel(zadanie, tag); !r.isEmpty())
                chyby << riadok + ": " + r;
            if (!QString(h.TZ1(i)->Tag).isEmpty() && !Rozdiel(zadanie, h.TZ1(i)->Tag).isEmpty())
                chyby << riadok + ", second form " + h.TZ1(i)->Tag;
            // Simplified as the check takes it: no brackets, double signs,
            // dots, factors 1 or zeros, x before y, no two like terms.
            static const QRegularExpression nezjednodusene(
                QStringLiteral(R"([()·]|[+-][+-]|(^|[^0-9,])1[xy]|(^|[^0-9,])0|y[^+-]*x)"));
            static const QRegularExpression cislo(QStringLiteral(R"((^[+-]?|[+-])\d*)"));
            const QStringList cleny = Citatelne(tag).replace(cislo, QStringLiteral("|")).split(u'|').mid(1);
            if (tag.contains(nezjednodusene) || QSet<QString>(cleny.begin(), cleny.end()).size() < cleny.size())
                chyby << riadok + " not simplified";
            // A bracket round a lone power that is not raised itself ("5x^6:(x^4)").
            static const QRegularExpression holy(QStringLiteral(R"(\([xy][^()+-]*\)(?!\^))"));
            if (Citatelne(zadanie).contains(holy))
                chyby << zadanie + " brackets a lone power";
            if (bez_nuly && tag.contains(u'0'))
                chyby << riadok + " has a zero digit";
            if (QByteArray(uloha) >= "8" && (h.Par_m == h.Par_n || h.Par_m == h.Par_p || h.Par_n == h.Par_p))
                chyby << QStringLiteral("exponents %1, %2, %3 of the last draw not apart").arg(h.Par_m).arg(h.Par_n).arg(h.Par_p);
            return chyby;
        }, QByteArray(uloha) == "6" ? 1 : 0);
    }
}

// Task 10 keeps its accepted forms in the example table, every one of them
// a product equal to the assignment.
TEST_F(Generatory, FactorisationsOfTask10)
{
    Kazdy_priklad_ulohy("10", [&](Hra &h, int i) {
        const QString zadanie = h.TZ1(i)->Caption;
        QStringList chyby;
        int foriem = 0;
        for (int k = 1; k <= 10; ++k) {
            const QString forma = h.Vysledek_prikladu(k, i);
            if (forma.isEmpty())
                continue;
            ++foriem;
            if (const QString r = Rozdiel(zadanie, forma); !r.isEmpty())
                chyby << zadanie + " = " + forma + ": " + r;
            if (const QString d = Dalej_rozlozitelny(forma); !d.isEmpty() || forma.contains(u'0'))
                chyby << forma + " is no whole factorisation: " + d;
        }
        if (foriem < 2 || !QString(h.TV1(i)->Tag).isEmpty())
            chyby << QStringLiteral("%1 has %2 forms").arg(zadanie).arg(foriem);
        if (i > 1 && Misc::Vybrany_vzor[i] > 10 && Misc::Vybrany_vzor[i - 1] > 10)
            chyby << QStringLiteral("templates above 10 one after the other");
        return chyby;
    });
}

// Templates that never pass give way to the one that does; only template 5
// keeps its forms as written.
TEST_F(Generatory, Template5OfTask10KeepsItsFormsAsWritten)
{
    Hra &h = Nacitaj("10", 0, 3);
    for (int miesto : {4, 5}) {
        QStringList riadky(miesto - 1, QStringLiteral("vzorec$x#10x")); // never passes
        Vzory("10", riadky << QStringLiteral("vzorec$x+y#1(x+y)#(x+y)*1"));
        Obrazovka_so_semienkom(h, 1);
        const QString ocakavane = miesto == 5 ? QStringLiteral("1(x+y) (x+y)\u00b71") : QStringLiteral("x+y (x+y)\u00b71");
        EXPECT_EQ(h.Vysledek_prikladu(1, 3) + ' ' + h.Vysledek_prikladu(2, 3), ocakavane) << "template " << miesto;
    }
}

// Tasks 3 and 12: the fraction the answer cells expect equals the
// assignment's, reduced (in task 3 to whole numbers), with no empty line,
// no minus below and no denominator 1.
TEST_F(Generatory, ReducedFractionsOfTasks3And12)
{
    for (const char *uloha : {"3", "12"}) {
        Kazdy_priklad_ulohy(uloha, [&](Hra &h, int i) {
            const int u = 2 * i - 1, l = 2 * i;
            auto zlomok = [](const QString &c, const QString &m) { return '(' + c + ")/(" + m + ')'; };
            const QString zadanie = zlomok(h.TZ1(u)->Caption, h.TZ1(l)->Caption);
            const QString p = h.TV2(u)->Tag, q = h.TV2(l)->Tag, riadok = zadanie + " = " + zlomok(p, q);
            QStringList chyby;
            if (const QString r = Rozdiel(zadanie, zlomok(p, q)); !r.isEmpty())
                chyby << riadok + ": " + r;
            if (p.isEmpty() || q.isEmpty() || q.startsWith(u'-') || q == u"1")
                chyby << riadok + " has an empty line, a minus below or the denominator 1";
            if (h.TZ1(l)->Caption().startsWith(u'-'))
                chyby << zadanie + " shows a minus below";
            // The numbers leading the two lines share no divisor (a line
            // without one leads with 1): a pupil's reduced answer is the one
            // expected.
            static const QRegularExpression vpredu(QStringLiteral("^-?(\\d*)"));
            const auto cislo = [](const QString &t) { return std::max(1LL, vpredu.match(t).captured(1).toLongLong()); };
            if (std::gcd(cislo(p), cislo(q)) != 1 || (QByteArray(uloha) == "3" && (!Cele(p) || !Cele(q))))
                chyby << riadok + " not in lowest terms";
            return chyby;
        });
    }
}

// One template alone, task by task: what the first example's cells expect,
// or "-" when the template can never give an example.
TEST_F(Generatory, SingleTemplates)
{
    const struct {
        const char *nazov, *uloha, *sablona, *ocakavane;
    } Riadky[] = {
        {"value 2000 is in range", "1", "nezlomek#1000*2", "2000|"},
        {"value 2000.5 is not", "1", "nezlomek#4001/2", "-"},
        {"value rounded to three places", "2", "nezlomek#2/3", "0,667|"},
        {"whole fraction drawn again in task 3", "3", "zlomek#8/4", "-"},
        {"denominator -1 is whole too", "3", "zlomek#4/(-4)", "-"},
        {"whole fraction allowed in task 1", "1", "zlomek#8/4", "2|1"},
        {"zero numerator", "2", "zlomek#0/4", "-"},
        {"fraction without a bar", "1", "zlomek#6+4", "-"},
        {"failed run is no value", "1", "nezlomek#3/0", "-"},
        {"unknown kind", "1", "vzorec#3", "-"},
        {"piece out of range", "4", "vzorec$1001$x#2$x", "-"},
        {"a kind other than a formula", "4", "zlomek$2$x#2x", "-"},
        {"a line cut after its kind", "7", "vzorec", "-"},
        {"a formula without a result", "10", "vzorec$x", "-"},
        {"a kind other than a formula, task 10", "10", "nezlomek$x#x", "-"},
        {"piece at the end of the range", "4", "vzorec$-1000$x#2#x", "2x|"},
        {"second result out of range", "5", "vzorec$2$x#2#x&1001", "-"},
        {"zero digit in the result", "7", "vzorec$5$x*$2$x#10$x^(2)", "-"},
        {"algebraic fraction without a bar", "12", "vzorec$x#x", "-"},
        {"result without a bar", "12", "vzorec$x/y#x", "-"},
        {"exponent 10 is no zero digit", "7", "vzorec$x^(5)*x^(5)#x^(10)", "x^(10)|"},
    };
    for (const auto &r : Riadky) {
        SCOPED_TRACE(r.nazov);
        const bool dva = QByteArray(r.uloha).toInt() <= 3 || QByteArray(r.uloha) == "12";
        const QString ziskane = Z_jedneho_vzoru(r.uloha, r.sablona, [&](Hra &h) {
            if (!(dva ? (platform::Control *)h.TV2(1) : (platform::Control *)h.TV1(1))->Visible)
                return QStringLiteral("-");
            return dva ? QString(h.TV2(1)->Tag) + '|' + QString(h.TV2(2)->Tag) : QString(h.TV1(1)->Tag) + '|' + QString(h.TZ1(1)->Tag);
        });
        EXPECT_EQ(ziskane, Preved_na_zobrazeni(QString::fromUtf8(r.ocakavane)));
    }
}

// A second call leaves nothing of the screen before: cells emptied and
// unlocked, examples no longer shown cleared.
TEST_F(Generatory, ASecondCallReplacesTheScreen)
{
    Hra &h = Nacitaj("3", 0, 5);
    h.TV1(1)->Text = QStringLiteral("7");
    h.TV1(1)->Locked = true;
    Misc::Pocet_prikladu = 2;
    h.ForeColor = platform::RGB(0, 0, 255);
    Obrazovka_so_semienkom(h, 5);
    EXPECT_EQ(QColor(h.ForeColor), platform::RGB(0, 0, 255)) << "the bars leave the form's colour as it was";
    EXPECT_EQ(QString(h.TV1(1)->Text), QString());
    EXPECT_FALSE(h.TV1(1)->Locked);
    for (const platform::Control *c : std::initializer_list<const platform::Control *>{h.TZ1(1), h.TV1(1), h.TV2(1)})
        EXPECT_EQ(h.persistentImage().pixel(c->Left + c->Width / 2, c->Top + c->Height), qRgb(0, 0, 0))
            << "fraction bar";
    EXPECT_FALSE(h.Zadani_prikladu(1, 2).isEmpty());
    for (int i = 3; i <= 5; ++i)
        EXPECT_TRUE(h.Zadani_prikladu(1, i).isEmpty() && h.Vysledek_prikladu(1, i).isEmpty()) << i;
}

// What keeps a shown label or cell `r` of the stage from being seen whole:
// off the stage; a text that its own font cannot set in its box (a label
// wraps at its width and shows the lines its height holds, a cell shows one
// line); a word of a one-line caption under one of `nad` (a caption spaced
// out to stand between cells leaves its gaps free).
QString Nevidno(const platform::Control *c, const QRect &r, const std::vector<std::pair<QString, QRect>> &nad)
{
    if (!QRect(0, 0, platform::Stage::kWidth, platform::Stage::kHeight).contains(r))
        return QStringLiteral("at %1,%2 %3 x %4 is off the stage").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    auto *popis = dynamic_cast<const platform::Label *>(c);
    auto *bunka = dynamic_cast<const platform::TextBox *>(c);
    const QString text = popis ? popis->Caption() : bunka ? bunka->Text() : QString();
    const QFontMetrics m(platform::makeFont(c->FontName, c->FontSize, c->FontBold));
    const QSize treba = popis ? m.boundingRect(QRect(0, 0, r.width(), 100000), Qt::TextWordWrap, text).size()
                              : QSize(m.horizontalAdvance(text) + 6, 0); // border and the editor's margins
    if (treba.width() > r.width() || treba.height() > std::max(r.height(), m.height()))
        return QStringLiteral("\"%1\" needs %2 x %3 px in %4 x %5").arg(text).arg(treba.width()).arg(treba.height()).arg(r.width()).arg(r.height());
    if (popis && text.contains(u'\u017C') && c->FontName() != QLatin1String("Ruvo"))
        return QStringLiteral("\"%1\" shows the not-equal sign outside the maths font").arg(text);
    const QString cely = text.trimmed();
    const int volno = r.width() - m.horizontalAdvance(cely), zarovnanie = popis ? popis->Alignment() : 0;
    static const QRegularExpression slovo(QStringLiteral("\\S+"));
    for (auto it = slovo.globalMatch(cely); popis && treba.height() < 2 * m.height() && it.hasNext();) {
        const auto w = it.next();
        const QRect atrament(r.x() + (zarovnanie == 1 ? volno : zarovnanie == 2 ? volno / 2 : 0) + m.horizontalAdvance(cely.left(w.capturedStart())),
                             r.y(), m.horizontalAdvance(w.captured()), m.height());
        for (const auto &[ine, kde] : nad)
            if (atrament.intersects(kde))
                return QStringLiteral("\"%1\" lies under %2").arg(text, ine);
    }
    return {};
}

// A fraction wider than its column widens it into the answer cell, which
// moves aside, rather than being cut or lying under the cell.
TEST_F(Generatory, AWideFractionWidensItsColumn)
{
    Hra &h = Nacitaj("12", 0, 1);
    Vzory("12", {QStringLiteral("vzorec$x^(2)y^(3)+x^(3)y^(2)-x^(4)y^(5)+x^(5)y^(4)-x^(6)y^(7)/x^(2)y^(2)#x/y")});
    Obrazovka_so_semienkom(h, 1);
    const auto na_stage = [&h](const platform::Control *c) { return QRect(c->widget()->mapTo(&h, QPoint()), c->widget()->size()); };
    for (platform::Label *c : {h.TZ1(1), h.TZ1(2)})
        EXPECT_EQ(Nevidno(c, na_stage(c), {{"TV1(1)", na_stage(h.TV1(1))}, {"TV1(2)", na_stage(h.TV1(2))}}), QString());
}

// Every task and variant, seeded screens until each shipped template has
// been drawn: every shown label and cell of the sheet lies on the stage and
// shows its whole text, under no cell, picture box or row mark; each row
// mark lies on the sheet, clear of the logo and the tabs; nothing is drawn
// over the bar under the sheet; only answer cells take Tab. A screen of each
// task is left for a person to look at: the first one, or the first that
// draws the template named.
TEST_F(Generatory, EveryCaptionOfEveryTaskShowsWhole)
{
    struct Obrazok { int uloha, varianta, vzor; QString meno; };
    std::vector<Obrazok> obrazky = {
        {11, 0, 0, "harok_11_priklad"}, {15, 0, 0, "harok_15_priklad"}, {16, 0, 1, "harok_16_priklad"},
        {16, 0, 9, "harok_16_priklad_zlomky"}, {17, 0, 9, "harok_17_priklad"}, {17, 0, 5, "harok_17_priklad_5"},
        {18, 0, 9, "harok_18_priklad"}, {19, 1, 0, "priklad_19a"}, {19, 2, 0, "priklad_19b"},
        {20, 0, 0, "priklad_20"}, {21, 1, 0, "priklad_21a"}, {21, 2, 0, "priklad_21b"}};
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14})
        obrazky.push_back({n, 0, 0, QStringLiteral("priklady_%1").arg(n, 2, 10, QChar('0'))});
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    for (int n = 1; n <= 21; ++n)
        for (int varianta : n == 19 || n == 21 ? std::vector{1, 2} : std::vector{0}) {
            const QString nazov = QStringLiteral("task %1").arg(n) + QString("ab").mid(varianta - 1, varianta ? 1 : 0);
            const auto nastavenie = frm_Game01::Nastavenie(QString::number(n), varianta);
            const QImage pozadie = platform::LoadPicture(QStringLiteral(LK_RESOURCE_DIR "/Bitmap/Games/bg_%1%2")
                .arg(n, 2, 10, QChar('0')).arg(QLatin1String(nastavenie->Pripona_pozadia))).image();
            const auto na_harku = [&](int y) { return pozadie.pixel(320, y) == pozadie.pixel(320, 240); };
            const QImage prazdna = Nacitaj(QByteArray::number(n), varianta, 0).persistentImage();
            Hra &h = Nacitaj(QByteArray::number(n), varianta, nastavenie->Strop);
            const int vzorov = Misc::Pocet_vzoru() - (n == 6), riadkov = std::max(1, h.TV1.UBound() / nastavenie->Strop);
            QSet<int> vzory;
            QSet<QString> ulozene;
            std::map<QString, QString> chyby; // the first fault of each control
            for (quint32 s = 1; s <= 300 && (s <= 40 || vzory.size() < vzorov); ++s) {
                Obrazovka_so_semienkom(h, s);
                const auto zapis = [&](const QString &meno, int i, const QString &chyba) {
                    if (!chyba.isEmpty() && !chyby.count(meno))
                        chyby[meno] = QStringLiteral("%1, example %2 (template %3), %4 (seed %5): %6").arg(nazov).arg(i)
                            .arg(vzorov ? QString::number(Misc::Vybrany_vzor[i]) : QStringLiteral("none")).arg(meno).arg(s).arg(chyba);
                };
                const auto na_stage = [&h](const platform::Control *c) { return QRect(c->widget()->mapTo(&h, QPoint()), c->widget()->size()); };
                std::vector<std::pair<QString, QRect>> nad;
                for (platform::Control *c : h.Controls())
                    if (c->widget()->isVisibleTo(&h) && !dynamic_cast<platform::Label *>(c) && !dynamic_cast<platform::Image *>(c))
                        nad.emplace_back(QStringLiteral("a box at %1,%2").arg(c->Left).arg(c->Top), na_stage(c));
                for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
                    vzory << Misc::Vybrany_vzor[i];
                    const QRect r = na_stage(h.IHod(i));
                    for (int y = r.top() - 1; y <= r.bottom() + 1; ++y)
                        for (int x = r.left() - 1; x <= r.right() + 1; ++x)
                            if (frm_Game01::Oblast_formulare(x, y) != frm_Game01::Oblast::Pozadi || (r.contains(x, y) && !na_harku(y)))
                                zapis(QStringLiteral("IHod(%1)").arg(i), i, QStringLiteral("off the sheet or at a tab at %1,%2").arg(x).arg(y));
                    nad.emplace_back(QStringLiteral("IHod(%1)").arg(i), r); // where the check shows it
                }
                for (auto &[meno, c] : harok_test::Prvky(h)) {
                    const int i = meno.startsWith("IHod") ? c->Index() : (c->Index() - 1) / riadkov + 1;
                    if (c->widget()->isVisibleTo(&h))
                        zapis(meno, i, Nevidno(c, na_stage(c), nad));
                    if (c->TabStop && !meno.startsWith("TV"))
                        zapis(meno, i, QStringLiteral("takes the Tab of the answer cells"));
                }
                for (int y = pozadie.height() - 1; !na_harku(y); --y)
                    for (int x = 0; x < pozadie.width(); ++x)
                        if (h.persistentImage().pixel(x, y) != prazdna.pixel(x, y))
                            zapis(QStringLiteral("the sheet"), Misc::Pocet_prikladu, QStringLiteral("drawn over the bar at %1,%2").arg(x).arg(y));
                for (const Obrazok &o : obrazky)
                    if (o.uloha == n && o.varianta == varianta && (o.vzor ? o.vzor == Misc::Vybrany_vzor[1] : s == 1) && !ulozene.contains(o.meno))
                        ulozene << o.meno, priklady_test::Uloz_obrazovku(h, o.meno);
            }
            QStringList vsetky;
            for (auto &[kde, chyba] : chyby)
                vsetky << chyba;
            EXPECT_TRUE(vsetky.isEmpty()) << vsetky.join('\n').toStdString();
            EXPECT_GE(vzory.size(), vzorov) << nazov.toStdString() << ": every template drawn"; // but task 6's last
        }
}

} // namespace
