// Whole worksheets as the print command makes them: the exercise screen
// loaded in print mode prints one worksheet per copy from its generator.
#include "support/Hra.h"
#include "exercise/Nacti_priklady.h"
#include "expr/Random.h"
#include "platform/Fonts.h"
#include "platform/PrinterDevice.h"
#include "printing/Stranka.h"
#include "services/Pismo.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPdfDocument>
#include <QRegularExpression>

#include <cmath>
#include <functional>

using namespace Misc;
using platform::PrintOp;

namespace {

// The print command on the current printer, the maths font registered.
class Pracovny_list : public hra_test::Obrazovka {
protected:
    Pracovny_list() { Misc::Zaregistruj_pismo(); }

    void Vytlac(int uloha, int varianta, int pocet, int kopie = 1)
    {
        platform::services().printer().SetCopies(kopie);
        Misc::Tisk = true;
        Misc::Cislo_ulohy = QString::number(uloha);
        Misc::Varianta_ulohy = quint8(varianta);
        Misc::Zvoleny_pocet_prikladu = quint8(pocet);
        formular = std::make_unique<frm_Game01>();
        formular->Load();
    }

    std::unique_ptr<frm_Game01> formular;
};

// Prints into a PDF file on the real device, which measures, and records
// what is drawn as the fake does, telling pri_texte of every text.
class Meriaca_tlaciaren final : public platform::Printer {
public:
    explicit Meriaca_tlaciaren(const QString &pdf) { zariadenie.SetOutputFileName(pdf); }
    float TextWidth(const QString &text) override { return Prenes_pismo(zariadenie).TextWidth(text); }
    void Line(float a, float b, float c, float d, const QColor &k) override { Obe([&](auto &p) { p.Line(a, b, c, d, k); }); }
    void PaintPicture(const QImage &o, float x, float y) override { Obe([&](auto &p) { p.PaintPicture(o, x, y); }); }
    void NewPage() override { Obe([](auto &p) { p.NewPage(); }); }
    void EndDoc() override { Obe([](auto &p) { p.EndDoc(); }); }
    void KillDoc() override { Obe([](auto &p) { p.KillDoc(); }); }
    float Width() override { return zariadenie.Width(); }
    float Height() override { return zariadenie.Height(); }
    const QList<PrintOp> &Ops() const { return zaznam.Ops(); }
    std::function<void(const PrintOp &)> pri_texte;

protected:
    void DrawText(float x, float y, const QString &text) override
    {
        Obe([&](auto &p) {
            Prenes_pismo(p).SetForeColor(ForeColor());
            p.SetCurrentX(x);
            p.SetCurrentY(y);
            p.Print(text);
        });
        if (pri_texte)
            pri_texte(zaznam.Ops().last());
    }
    float LineHeight() override { return FontSize() * 20.0f; }

private:
    template <class F> void Obe(F f)
    {
        f(zaznam);
        f(zariadenie);
    }
    platform::Printer &Prenes_pismo(platform::Printer &p) const
    {
        p.SetFontName(FontName());
        p.SetFontSize(FontSize());
        p.SetFontBold(FontBold());
        p.SetFontItalic(FontItalic());
        return p;
    }
    platform::PrinterDevice zariadenie{false};
    platform::FakePrinter zaznam;
};

// The ink of dlzka characters of a recorded text from od on, measured with
// its font.
QRectF Atrament(const PrintOp &op, qsizetype od, qsizetype dlzka)
{
    platform::registerBundledFonts();
    // The printer's twips are the font's pixels: a point is 20 of them.
    QFont pismo(platform::mapFontFamily(op.fontName));
    pismo.setPixelSize(qRound(op.fontSize * 20));
    pismo.setBold(op.bold);
    pismo.setItalic(op.italic);
    const QFontMetricsF m(pismo);
    const QPointF zaciatok(op.x + m.horizontalAdvance(op.text.left(od)), op.y + m.ascent());
    return m.tightBoundingRect(op.text.mid(od, dlzka)).translated(zaciatok);
}

// The ink of a recorded text; blanks leave none.
QRectF Atrament(const PrintOp &op)
{
    static const QRegularExpression blanky(QStringLiteral("^\\s*"));
    return Atrament(op, blanky.match(op.text).capturedLength(), op.text.trimmed().size());
}

// What is wrong with the ink of one recorded page, measured with the fonts
// used: a text or picture outside the printable page (the sheet less 3 mm,
// a printer's usual margin), a text over another (but for one on a line to
// write on), a bar (a text of underscores alone), a drawn line or a picture,
// a line crossing a picture, two bars too close to write between, a text
// standing on a bar or hanging under it beyond the bar's ends, a sign less
// than a millimetre beside a bar (as a bar cut short for a sign keeps) or
// beside the line to write on of another text, and example numbers printed
// alone that line up on neither edge.
QStringList Chyby_strany(const QList<PrintOp> &ops, float sirka, float vyska)
{
    static const QRegularExpression na_pisanie(QStringLiteral("_{3}|\\.{3}")), cislo(QStringLiteral("^\\d+\\) *$")),
        ciara(QStringLiteral("_{3,}"));
    const double mm_x = sirka / 210.0, mm_y = vyska / 297.0;
    struct Kus {
        QRectF ink;
        QString text;
    };
    QList<Kus> texty, ciary_z_textu, kresby;
    QList<std::pair<Kus, qsizetype>> linky; // lines to write on inside a text, and that text
    QList<double> lave, prave; // edges of the example numbers
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::Line)
            kresby << Kus{QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized() + QMarginsF(1, 1, 1, 1),
                          QStringLiteral("a line")};
        if (op.kind == PrintOp::Picture)
            kresby << Kus{QRectF(QPointF(op.x, op.y), QSizeF(op.pictureSize) * platform::TwipsPerPicturePixel),
                          QStringLiteral("a picture")};
        if (op.kind != PrintOp::Text || op.text.trimmed().isEmpty())
            continue;
        const Kus k{Atrament(op), op.text};
        if (op.text.contains(cislo))
            lave << k.ink.left(), prave << k.ink.right();
        if (op.text.count(QLatin1Char('_')) == op.text.size()) {
            ciary_z_textu << k;
            continue;
        }
        for (const auto &m : ciara.globalMatch(op.text))
            linky.append({Kus{Atrament(op, m.capturedStart(), m.capturedLength()), op.text}, texty.size()});
        texty << k;
    }
    const auto kde = [&](const Kus &k) {
        return QStringLiteral("\"%1\" at %2, %3 mm ").arg(k.text).arg(k.ink.left() / mm_x, 0, 'f', 1).arg(k.ink.top() / mm_y, 0, 'f', 1);
    };
    const QRectF strana(3 * mm_x, 3 * mm_y, 204 * mm_x, 291 * mm_y);
    QStringList chyby;
    for (const Kus &k : texty + ciary_z_textu + kresby)
        if (!strana.contains(k.ink) && k.text != QLatin1String("a line"))
            chyby << kde(k) + QStringLiteral("runs off the page");
    for (qsizetype i = 0; i < ciary_z_textu.size(); ++i)
        for (const Kus &b : ciary_z_textu.mid(i + 1))
            if (const double dy = std::abs(b.ink.top() - ciary_z_textu[i].ink.top()); dy > 0.5 * mm_y && dy < 4 * mm_y
                && b.ink.right() > ciary_z_textu[i].ink.left() && b.ink.left() < ciary_z_textu[i].ink.right())
                chyby << kde(b) + QStringLiteral("crowds the bar ") + kde(ciary_z_textu[i]);
    // Less than a millimetre from the end of a bar or line, on its height.
    const auto tesne_vedla = [&](const Kus &k, const Kus &b) {
        const double vedla = std::max(b.ink.left() - k.ink.right(), k.ink.left() - b.ink.right());
        return vedla >= 0 && vedla < 0.9 * mm_x && k.ink.top() - mm_y < b.ink.center().y()
               && b.ink.center().y() < k.ink.bottom() + mm_y;
    };
    for (qsizetype i = 0; i < texty.size(); ++i) {
        const Kus &k = texty[i];
        for (const Kus &t : texty.mid(i + 1))
            if (k.ink.intersects(t.ink) && !k.text.contains(na_pisanie) && !t.text.contains(na_pisanie))
                chyby << kde(k) + QStringLiteral("runs into ") + kde(t);
        for (const auto &[l, zdroj] : linky)
            if (zdroj != i && tesne_vedla(k, l))
                chyby << kde(k) + QStringLiteral("crowds the line to write on beside it ") + kde(l);
        for (const Kus &b : ciary_z_textu) {
            const bool nad_sebou = k.ink.right() > b.ink.left() && k.ink.left() < b.ink.right();
            const double medzera = std::max(b.ink.top() - k.ink.bottom(), k.ink.top() - b.ink.bottom());
            if (k.ink.intersects(b.ink))
                chyby << kde(k) + QStringLiteral("crosses the bar ") + kde(b);
            else if (tesne_vedla(k, b))
                chyby << kde(k) + QStringLiteral("crowds the bar beside it ") + kde(b);
            else if (nad_sebou && medzera < 3 * mm_y
                     && (k.ink.left() < b.ink.left() - 0.3 * mm_x || k.ink.right() > b.ink.right() + 0.3 * mm_x))
                chyby << kde(k) + QStringLiteral("reaches past its bar ") + kde(b);
        }
        for (const Kus &d : kresby)
            if (k.ink.intersects(d.ink))
                chyby << kde(k) + QStringLiteral("crosses ") + kde(d);
    }
    const auto rozptyl = [](const QList<double> &h) { return h.isEmpty() ? 0 : *std::max_element(h.begin(), h.end()) - *std::min_element(h.begin(), h.end()); };
    if (std::min(rozptyl(lave), rozptyl(prave)) > 0.2 * mm_x)
        chyby << QStringLiteral("the example numbers line up on neither edge");
    return chyby;
}

// What one printed page holds.
struct Strana {
    QList<PrintOp> ops;  // all of it, in print order
    QStringList texty;   // its texts, in print order
    QList<int> priklady; // example numbers, in print order
};

const QRegularExpression cislo_prikladu(QStringLiteral("^(\\d+)\\) "));

// A recorded document cut at its page breaks.
QList<Strana> Strany(const QList<PrintOp> &ops)
{
    QList<Strana> strany(1);
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::NewPage) {
            strany.append(Strana());
            continue;
        }
        strany.last().ops << op;
        if (op.kind != PrintOp::Text)
            continue;
        strany.last().texty << op.text;
        if (const auto m = cislo_prikladu.match(op.text); m.hasMatch())
            strany.last().priklady << m.captured(1).toInt();
    }
    strany.removeLast(); // what follows the last page break
    return strany;
}

// A caption of the screen and how far down the screen its middle stands.
using Popis = std::pair<QString, int>;

// What a screen shows of the examples one slot prints: the visible captions
// of its first example (of all five for task 21), task 21's k and task 18's
// sign.
QList<Popis> Popisy_obrazovky(frm_Game01 &f, int uloha)
{
    const int prvkov = uloha == 21 ? 10 : (uloha >= 4 && uloha <= 10) || uloha == 19 ? 1 : 2;
    QList<Popis> t;
    for (int p = int(Harok::Pole::TZ1); p <= int(Harok::Pole::TZR); ++p)
        for (int i = 1; i <= (p == int(Harok::Pole::TZR) ? 1 : prvkov) && f.Existuje(Harok::Pole(p), i); ++i)
            if (const auto *l = dynamic_cast<platform::Label *>(f.Prvok(Harok::Pole(p), i));
                l->Visible() && !l->Caption().isEmpty())
                t.append({l->Caption().simplified(), l->Top() + l->Height() / 2});
    for (int i = 1; uloha == 21 && i <= prvkov; ++i)
        if (!f.TZ1(i)->Tag().isEmpty())
            t.append({f.TZ1(i)->Tag(), -1});
    if (f.IZnam(1)->Visible())
        t.append({f.IZnam(1)->Tag(), -1});
    return t;
}

// The texts printed while one screen was on the form.
using Obrazovka_a_texty = std::pair<QList<Popis>, QList<PrintOp>>;

// What is wrong with the texts each screen printed: a caption of the screen
// missing, or two (each printed alone, once) the other way up. A screen that
// printed no example number (the frame, a word problem drawn again) has none.
QStringList Chyby_prikladov(const QList<Obrazovka_a_texty> &obrazovky)
{
    QStringList chyby;
    for (const auto &[obrazovka, texty] : obrazovky) {
        QStringList spolu;
        for (const PrintOp &op : texty)
            spolu << op.text.simplified();
        const auto cislo = std::find_if(texty.begin(), texty.end(), [](auto &t) { return t.text.contains(cislo_prikladu); });
        if (cislo == texty.end())
            continue;
        const auto y = [&](const QString &text) { return spolu.count(text) == 1 ? texty[spolu.indexOf(text)].y : NAN; };
        for (const auto &[a, stred_a] : obrazovka) {
            if (!spolu.join(QLatin1Char(' ')).contains(a))
                chyby << QStringLiteral("%1: \"%2\" of the screen is missing").arg(cislo->text, a);
            for (const auto &[b, stred_b] : obrazovka)
                if (stred_a >= 0 && stred_b > stred_a && y(b) < y(a))
                    chyby << QStringLiteral("%1: \"%2\" stands over \"%3\"").arg(cislo->text, b, a);
        }
    }
    return chyby;
}

// What is wrong with a worksheet's pages: the ink, examples not numbered 1
// to the count, a page with none or more than the first or without the
// first's statement or the pupil's name, and an example not upright in black.
QStringList Chyby_listu(const QList<Strana> &strany, int pocet, float sirka, float vyska)
{
    QStringList chyby, zadanie_1;
    int posledny = 0;
    for (qsizetype i = 0; i < strany.size(); ++i) {
        const Strana &s = strany[i];
        const QString strana = QStringLiteral("page %1: ").arg(i + 1);
        for (const QString &chyba : Chyby_strany(s.ops, sirka, vyska))
            chyby << strana + chyba;
        if (s.priklady.isEmpty() || s.priklady.size() > strany[0].priklady.size())
            chyby << strana + QStringLiteral("%1 examples").arg(s.priklady.size());
        for (int n : s.priklady)
            if (n != ++posledny)
                chyby << strana + QStringLiteral("example %1 numbered %2").arg(posledny).arg(n);
        QStringList zadanie;
        for (const PrintOp &op : s.ops) {
            if (op.kind == PrintOp::Text && op.italic)
                zadanie << op.text;
            if (op.kind == PrintOp::Text && op.fontName == QLatin1String("Ruvo") && (op.italic || op.color != Qt::black))
                chyby << strana + op.text + QStringLiteral(" not upright in black");
        }
        zadanie_1 = i ? zadanie_1 : zadanie;
        if (zadanie != zadanie_1 || zadanie.join(QString()).trimmed().isEmpty())
            chyby << strana + QStringLiteral("the statement is ") + zadanie.join(QLatin1Char('|'));
        if (!s.texty.contains(Jmeno_zaka))
            chyby << strana + QStringLiteral("no name");
    }
    if (posledny != pocet)
        chyby << QStringLiteral("%1 examples of %2").arg(posledny).arg(pocet);
    return chyby;
}

// Every task's worksheet laid out with the real measures: its pages, ink and
// examples as above. For a person to look at, build/print/ holds
// pracovny_list_NN.pdf with a PNG of each of its pages.
TEST_F(Pracovny_list, EveryWorksheetKeepsItsInkOnThePageClearOfBarsAndLines)
{
    Nacti_texty(Cesta_HD + QStringLiteral("Texty.dat"));
    Jmeno_zaka = QStringLiteral("Ľudmila Šťastná");
    const QString vystup = QStringLiteral(LK_BUILD_DIR "/print/");
    ASSERT_TRUE(QDir().mkpath(vystup));
    for (int uloha = 1; uloha <= 21; ++uloha) {
        for (int varianta : uloha == 19 || uloha == 21 ? QList<int>{1, 2} : QList<int>{0}) {
            const QString meno = vystup + QStringLiteral("pracovny_list_%1%2").arg(uloha, 2, 10, QLatin1Char('0'))
                                              .arg(QLatin1String(varianta ? varianta == 1 ? "a" : "b" : ""));
            const int pocet = uloha == 19 && varianta == 2 ? 20 : 25;
            SCOPED_TRACE(meno.toStdString());
            Meriaca_tlaciaren tlaciaren(meno + QStringLiteral(".pdf"));
            platform::ScopedService<platform::Printer> g(tlaciaren);
            QList<Obrazovka_a_texty> obrazovky;
            tlaciaren.pri_texte = [&](const PrintOp &op) {
                const QList<Popis> o = Popisy_obrazovky(*formular, uloha);
                if (obrazovky.isEmpty() || obrazovky.last().first != o)
                    obrazovky.append({o, {}});
                obrazovky.last().second << op;
            };
            Randomize_seed(uloha);
            Vytlac(uloha, varianta, pocet);
            EXPECT_EQ(Chyby_prikladov(obrazovky).join('\n').toStdString(), "");
            const QList<Strana> strany = Strany(tlaciaren.Ops());
            tlaciaren.EndDoc();
            ASSERT_FALSE(strany.isEmpty());
            EXPECT_EQ(Chyby_listu(strany, pocet, tlaciaren.Width(), tlaciaren.Height()).join('\n').toStdString(), "");
            if (uloha == 19 && varianta == 2) {
                QStringList ulohy;
                for (const Strana &s : strany)
                    ulohy += s.texty.filter(cislo_prikladu).replaceInStrings(cislo_prikladu, QString());
                EXPECT_EQ(ulohy.removeDuplicates(), 0) << "no word problem twice on a sheet";
            }
            if (uloha == 20) {
                // The heads of the last example's two arrows: the same way for
                // a direct proportion, opposite ways for an inverse one.
                QList<bool> dolu;
                for (const PrintOp &op : strany.last().ops)
                    if (op.kind == PrintOp::Line && op.x != op.x2)
                        dolu << (op.y2 < op.y);
                EXPECT_TRUE(dolu.size() >= 4 && (dolu[dolu.size() - 4] == dolu.last()) == (Vybrany_vzor[1] == 1));
            }
            QPdfDocument pdf;
            ASSERT_EQ(pdf.load(meno + QStringLiteral(".pdf")), QPdfDocument::Error::None);
            EXPECT_EQ(pdf.pageCount(), strany.size());
            for (int i = 0; i < pdf.pageCount(); ++i)
                EXPECT_TRUE(pdf.render(i, QSize(827, 1169)).save(meno + QStringLiteral("_%1.png").arg(i + 1)));
        }
    }
}

// The pupil's name stands on the dots of its line and ends where they end:
// whole, set smaller or, at 8 points, cut short with "…". For a person to
// look at, build/print/hlavicka_dlhe_meno.pdf holds a page of each.
TEST_F(Pracovny_list, ALongNameEndsWhereTheDotsOfItsLineEnd)
{
    const struct { const char *nazov, *meno; float velkost; bool cely; } Riadky[] = {
        {"a short name whole at 12 points", "Ján Novák", 12, true},
        {"a long name set smaller", "Alžbeta Šťastná-Vrbovská zo Zemplína", 10, true},
        {"a longer one cut short", "Maximilián Bartolomej Ďurovič-Šťastný z Veľkého Lapáša pri Nitre a Zobore", 8, false},
    };
    const QString pdf = QStringLiteral(LK_BUILD_DIR "/print/hlavicka_dlhe_meno.pdf");
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(LK_BUILD_DIR "/print")));
    Meriaca_tlaciaren t(pdf);
    platform::ScopedService<platform::Printer> g(t);
    for (const auto &r : Riadky) {
        Vytiskni_hlavicku(QStringLiteral("Rovnice a nerovnice"), QStringLiteral("Lineárne nerovnice"),
                          QString::fromUtf8(r.meno), QStringLiteral(" 1"));
        t.NewPage();
    }
    const QList<Strana> strany = Strany(t.Ops());
    t.EndDoc();
    ASSERT_EQ(strany.size(), std::size(Riadky));
    for (qsizetype i = 0; i < strany.size(); ++i) {
        const auto &r = Riadky[i];
        SCOPED_TRACE(r.nazov);
        const QString meno = QString::fromUtf8(r.meno);
        const auto op = [&](const QString &zaciatok) {
            const auto o = std::find_if(strany[i].ops.begin(), strany[i].ops.end(),
                                        [&](const PrintOp &o) { return o.kind == PrintOp::Text && o.text.startsWith(zaciatok); });
            return o == strany[i].ops.end() ? PrintOp() : *o;
        };
        const PrintOp m = op(meno.left(3));
        EXPECT_EQ(m.fontSize, r.velkost);
        EXPECT_TRUE(r.cely ? m.text == meno : m.text.endsWith(u'…') && meno.startsWith(m.text.chopped(1))) << m.text.toStdString();
        // The ink of the last dot stops a little short of where the dots end.
        EXPECT_LE(Atrament(m).right(), Atrament(op(QStringLiteral("Jméno:"))).right() + 0.5 * t.Width() / 210);
        EXPECT_EQ(Chyby_strany(strany[i].ops, t.Width(), t.Height()).join('\n').toStdString(), "");
    }
    QPdfDocument dokument;
    ASSERT_EQ(dokument.load(pdf), QPdfDocument::Error::None);
    for (int i = 0; i < dokument.pageCount(); ++i)
        EXPECT_TRUE(dokument.render(i, QSize(827, 1169)).save(QString(pdf).replace(".pdf", QStringLiteral("_%1.png").arg(i + 1))));
}

// Every copy is a whole worksheet, dated when printed; pages left out of the
// printer dialog's range (the first, none past the last) use up their examples.
TEST_F(Pracovny_list, CopiesOfThePagesChosenKeepTheirNumbersAndTheirDay)
{
    Vytlac(11, 0, 25);
    const QList<Strana> cely = Strany(tlaciaren.Ops());
    ASSERT_EQ(cely.size(), 4);
    tlaciaren = platform::FakePrinter();
    tlaciaren.SetPageRange(2, 9);
    Vytlac(11, 0, 25, 2);
    hodiny.SetNow(QDateTime(QDate(2028, 1, 1), QTime(0, 1)));
    Vytlac(11, 0, 25);
    const QList<Strana> vybrane = Strany(tlaciaren.Ops());
    ASSERT_EQ(vybrane.size(), 9);
    for (qsizetype i = 0; i < vybrane.size(); ++i) {
        EXPECT_EQ(vybrane[i].priklady, cely[1 + i % 3].priklady) << i;
        const QStringList paticka{QStringLiteral("T32: ") + (i < 6 ? "05.03.2027" : "01.01.2028"),
                                  QStringLiteral("Stránka:  %1").arg(2 + i % 3)};
        EXPECT_EQ(vybrane[i].texty.filter(QRegularExpression(QStringLiteral("^(T32|Stránka): "))), paticka) << i;
    }
    EXPECT_FALSE(Tisk) << "the next load shows the screen";
}

} // namespace
