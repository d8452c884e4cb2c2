// Whole worksheets as the setup screen's print command makes them: the
// exercise screen loaded in print mode prints one worksheet per copy. The
// examples come from whatever the task's generator puts on the answer sheet.
#include "exercise/Hra_support.h"
#include "exercise/Nacti_priklady.h"
#include "expr/Random.h"
#include "platform/Fonts.h"
#include "platform/PrinterDevice.h"
#include "printing/Pracovni_list.h"
#include "services/Pismo.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLineF>
#include <QPdfDocument>
#include <QRegularExpression>

#include <cmath>
#include <functional>

using namespace Misc;
using platform::PrintOp;

namespace {

// The print command on the fake printer, with the maths font registered:
// the exercise screen loaded with the print flag set.
class Pracovny_list : public hra_test::Obrazovka {
protected:
    Pracovny_list() { Misc::Zaregistruj_pismo(); }

    void Vytlac(const char *uloha, int varianta, int pocet, int kopie = 1)
    {
        platform::services().printer().SetCopies(kopie);
        Misc::Tisk = true;
        Misc::Cislo_ulohy = QString::fromLatin1(uloha);
        Misc::Varianta_ulohy = quint8(varianta);
        Misc::Zvoleny_pocet_prikladu = quint8(pocet);
        formular = std::make_unique<frm_Game01>();
        formular->Load();
    }

    std::unique_ptr<frm_Game01> formular;
};

// Prints on the real device into a PDF file and records what is drawn, as
// the fake does, telling pri_texte of every text; widths come from the
// device.
class Meriaca_tlaciaren final : public platform::Printer {
public:
    explicit Meriaca_tlaciaren(const QString &pdf) { zariadenie.SetOutputFileName(pdf); }
    float TextWidth(const QString &text) override { return Prenes_pismo(zariadenie).TextWidth(text); }
    void Line(float x1, float y1, float x2, float y2, const QColor &c) override
    {
        Obe([&](platform::Printer &p) { p.Line(x1, y1, x2, y2, c); });
    }
    void PaintPicture(const QImage &o, float x, float y) override
    {
        Obe([&](platform::Printer &p) { p.PaintPicture(o, x, y); });
    }
    void NewPage() override { Obe([](platform::Printer &p) { p.NewPage(); }); }
    void EndDoc() override { Obe([](platform::Printer &p) { p.EndDoc(); }); }
    void KillDoc() override { Obe([](platform::Printer &p) { p.KillDoc(); }); }
    float Width() override { return zariadenie.Width(); }
    float Height() override { return zariadenie.Height(); }
    const QList<PrintOp> &Ops() const { return zaznam.Ops(); }
    std::function<void(const PrintOp &)> pri_texte;

protected:
    void DrawText(float x, float y, const QString &text) override
    {
        Obe([&](platform::Printer &p) {
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

// What is wrong with the ink of one recorded page, measured with the fonts
// used: a text or picture outside the printable page (the sheet less 3 mm,
// a printer's usual margin), a text over another (but for one on a line to
// write on), a bar (a text of underscores alone), a drawn line or a picture,
// a line crossing a picture, two bars too close to write between, and a text
// standing on a bar or hanging under it beyond the bar's ends.
QStringList Chyby_strany(const QList<PrintOp> &ops, float sirka, float vyska)
{
    static const QImage meradlo = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(platform::TwipsPerInch / 0.0254));
        i.setDotsPerMeterY(qRound(platform::TwipsPerInch / 0.0254));
        return i;
    }();
    static const QRegularExpression na_pisanie(QStringLiteral("_{3}|\\.{3}")), blanky(QStringLiteral("^\\s*"));
    platform::registerBundledFonts();
    const double mm_x = sirka / 210.0, mm_y = vyska / 297.0;
    struct Kus {
        QRectF ink;
        QString text;
    };
    QList<Kus> texty, ciary_z_textu, obrazky;
    QList<QLineF> ciary;
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::Line)
            ciary << QLineF(op.x, op.y, op.x2, op.y2);
        if (op.kind == PrintOp::Picture)
            obrazky << Kus{QRectF(QPointF(op.x, op.y), QSizeF(op.pictureSize) * platform::TwipsPerPicturePixel),
                           QStringLiteral("a picture")};
        if (op.kind != PrintOp::Text || op.text.trimmed().isEmpty())
            continue;
        QFont pismo(platform::mapFontFamily(op.fontName));
        pismo.setPointSizeF(op.fontSize);
        pismo.setBold(op.bold);
        pismo.setItalic(op.italic);
        const QFontMetricsF m(pismo, &meradlo);
        // Blanks leave no ink.
        const QPointF zaciatok(op.x + m.horizontalAdvance(blanky.match(op.text).captured()), op.y + m.ascent());
        const Kus k{m.tightBoundingRect(op.text.trimmed()).translated(zaciatok), op.text};
        (op.text.count(QLatin1Char('_')) == op.text.size() ? ciary_z_textu : texty) << k;
    }
    const auto pretina = [](const QRectF &r, const QLineF &l) {
        for (int i = 0; i <= 100; ++i)
            if (r.contains(l.pointAt(i / 100.0)))
                return true;
        return false;
    };
    const auto kde = [&](const Kus &k) {
        return QStringLiteral("\"%1\" at %2, %3 mm ").arg(k.text).arg(k.ink.left() / mm_x, 0, 'f', 1).arg(k.ink.top() / mm_y, 0, 'f', 1);
    };
    const QRectF strana(3 * mm_x, 3 * mm_y, 204 * mm_x, 291 * mm_y);
    QStringList chyby;
    for (const Kus &k : texty + ciary_z_textu + obrazky)
        if (!strana.contains(k.ink))
            chyby << kde(k) + QStringLiteral("runs off the page");
    for (const Kus &o : obrazky)
        for (const QLineF &l : ciary)
            if (pretina(o.ink.adjusted(1, 1, -1, -1), l))
                chyby << kde(o) + QStringLiteral("is crossed by a line");
    for (qsizetype i = 0; i < ciary_z_textu.size(); ++i)
        for (const Kus &b : ciary_z_textu.mid(i + 1))
            if (const double dy = std::abs(b.ink.top() - ciary_z_textu[i].ink.top()); dy > 0.5 * mm_y && dy < 4 * mm_y
                && b.ink.right() > ciary_z_textu[i].ink.left() && b.ink.left() < ciary_z_textu[i].ink.right())
                chyby << kde(b) + QStringLiteral("crowds the bar ") + kde(ciary_z_textu[i]);
    for (qsizetype i = 0; i < texty.size(); ++i) {
        const Kus &k = texty[i];
        for (const Kus &t : texty.mid(i + 1))
            if (k.ink.intersects(t.ink) && !k.text.contains(na_pisanie) && !t.text.contains(na_pisanie))
                chyby << kde(k) + QStringLiteral("runs into ") + kde(t);
        for (const Kus &b : ciary_z_textu) {
            const bool nad_sebou = k.ink.right() > b.ink.left() && k.ink.left() < b.ink.right();
            const double medzera = std::max(b.ink.top() - k.ink.bottom(), k.ink.top() - b.ink.bottom());
            if (k.ink.intersects(b.ink))
                chyby << kde(k) + QStringLiteral("crosses the bar ") + kde(b);
            else if (nad_sebou && medzera < 3 * mm_y
                     && (k.ink.left() < b.ink.left() - 0.3 * mm_x || k.ink.right() > b.ink.right() + 0.3 * mm_x))
                chyby << kde(k) + QStringLiteral("reaches past its bar ") + kde(b);
        }
        for (const QLineF &l : ciary)
            if (pretina(k.ink, l))
                chyby << kde(k) + QStringLiteral("crosses a line");
        for (const Kus &o : obrazky)
            if (k.ink.intersects(o.ink))
                chyby << kde(k) + QStringLiteral("crosses a picture");
    }
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
    EXPECT_TRUE(strany.last().ops.isEmpty()) << "every page, the last included, is closed by a page break";
    strany.removeLast();
    return strany;
}

// A caption of the screen and how far down the screen its middle stands.
struct Popis {
    QString text;
    int stred;
    bool operator==(const Popis &) const = default;
};

// What a screen of the task shows of the examples one slot prints: the
// visible captions of the answer sheet's label arrays (element 1 where a
// label is an example of its own, 1 and 2 where an example takes two, every
// one of task 21's whole screen), task 21's k and task 18's sign.
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

// What is wrong with the texts printed while one screen was on the form: a
// caption of the screen missing, or two captions printed the other way up
// than the screen shows them (each printed alone, once). A screen that
// printed no example number (the frame, a word problem drawn again) has none.
QStringList Chyby_prikladu(const QList<Popis> &obrazovka, const QList<PrintOp> &texty)
{
    QStringList spolu;
    for (const PrintOp &op : texty)
        spolu << op.text.simplified();
    if (std::none_of(texty.begin(), texty.end(), [](const PrintOp &op) { return op.text.contains(cislo_prikladu); }))
        return {};
    const auto y = [&](const QString &text) { return spolu.count(text) == 1 ? texty[spolu.indexOf(text)].y : NAN; };
    QStringList chyby;
    for (const Popis &a : obrazovka) {
        if (!spolu.join(QLatin1Char(' ')).contains(a.text))
            chyby << QStringLiteral("\"%1\" of the screen is missing").arg(a.text);
        for (const Popis &b : obrazovka)
            if (a.stred >= 0 && b.stred > a.stred && y(b.text) < y(a.text))
                chyby << QStringLiteral("\"%1\" stands over \"%2\"").arg(b.text, a.text);
    }
    return chyby;
}

// What is wrong with a worksheet's pages: the ink, examples not numbered 1
// to the count, a page with none or more than the first, one without the
// statement of the first, the pupil's name, the date or its number, and an
// example not upright in black.
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
        for (const QString &text : {Jmeno_zaka, QStringLiteral("Dátum: 05.03.2027"), QStringLiteral("Stránka:  %1").arg(i + 1)})
            if (!s.texty.contains(text))
                chyby << strana + QStringLiteral("no ") + text;
    }
    if (posledny != pocet)
        chyby << QStringLiteral("%1 examples of %2").arg(posledny).arg(pocet);
    return chyby;
}

// Every task's worksheet as the print command makes it, laid out with the
// real measures: pages of whole examples numbered 1 to the count, each with
// the frame and the statement, no ink out of place, and every example as
// the screen generated for it shows it. For a person to look at,
// build/print/pracovny_list_NN.pdf with a PNG of each of its pages.
TEST_F(Pracovny_list, EveryWorksheetKeepsItsInkOnThePageClearOfBarsAndLines)
{
    Nacti_texty(Cesta_HD + QStringLiteral("Texty.dat"));
    Jmeno_zaka = QStringLiteral("Ľudmila Šťastná");
    const QString vystup = QStringLiteral(LK_BUILD_DIR "/print/");
    ASSERT_TRUE(QDir().mkpath(vystup));
    for (int uloha = 1; uloha <= 21; ++uloha) {
        for (int varianta : uloha == 19 || uloha == 21 ? QList<int>{1, 2} : QList<int>{0}) {
            const QByteArray cislo = QByteArray::number(uloha);
            const QString meno = vystup + QStringLiteral("pracovny_list_%1%2").arg(uloha, 2, 10, QLatin1Char('0'))
                                              .arg(QLatin1String(varianta ? varianta == 1 ? "a" : "b" : ""));
            const int pocet = uloha == 19 && varianta == 2 ? 20 : 25;
            SCOPED_TRACE(meno.toStdString());
            Meriaca_tlaciaren tlaciaren(meno + QStringLiteral(".pdf"));
            platform::ScopedService<platform::Printer> g(tlaciaren);
            QList<std::pair<QList<Popis>, QList<PrintOp>>> obrazovky;
            tlaciaren.pri_texte = [&](const PrintOp &op) {
                const QList<Popis> o = Popisy_obrazovky(*formular, uloha);
                if (obrazovky.isEmpty() || obrazovky.last().first != o)
                    obrazovky.append({o, {}});
                obrazovky.last().second << op;
            };
            Randomize_seed(uloha);
            Vytlac(cislo.constData(), varianta, pocet);
            for (const auto &[obrazovka, texty] : obrazovky) {
                const QStringList chyby = Chyby_prikladu(obrazovka, texty);
                EXPECT_TRUE(chyby.isEmpty()) << texty.last().text.toStdString() << ": " << chyby.join(", ").toStdString();
            }
            const QList<Strana> strany = Strany(tlaciaren.Ops());
            tlaciaren.EndDoc();
            ASSERT_FALSE(strany.isEmpty());
            const QStringList chyby = Chyby_listu(strany, pocet, tlaciaren.Width(), tlaciaren.Height());
            EXPECT_TRUE(chyby.isEmpty()) << chyby.join('\n').toStdString();
            if (uloha == 19 && varianta == 2) {
                QStringList ulohy;
                for (const Strana &s : strany)
                    for (const QString &text : s.texty.filter(cislo_prikladu))
                        ulohy << text.section(QLatin1Char(')'), 1);
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

// Every copy is a whole worksheet, dated when printed; pages left out of the
// printer dialog's range (here the first, and none past the last) use up
// their examples, so the pages printed are those of the whole worksheet.
TEST_F(Pracovny_list, CopiesOfThePagesChosenKeepTheirNumbersAndTheirDay)
{
    Vytlac("11", 0, 25);
    const QList<Strana> cely = Strany(tlaciaren.Ops());
    ASSERT_EQ(cely.size(), 4);
    tlaciaren = platform::FakePrinter();
    tlaciaren.SetPageRange(2, 9);
    Vytlac("11", 0, 25, 2);
    hodiny.SetNow(QDateTime(QDate(2028, 1, 1), QTime(0, 1)));
    Vytlac("11", 0, 25);
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
