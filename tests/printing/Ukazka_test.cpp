// Sample worksheet pages for a person to look at: build/print/ gets the PDF
// that the real printer writes and a PNG of every page drawn from what was
// recorded with the same measures. The examples are made up here, in the
// displayed form the generators give their captions.
#include "Tlac_support.h"

#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"
#include "printing/Pracovni_list.h"
#include "printing/Stranka.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>

using namespace Misc;
using platform::PrintOp;

namespace {

const QString vystup = QStringLiteral(LK_BUILD_DIR "/print");

// One sample page: the task whose block prints it, and the captions of the
// labels of each example.
struct Ukazka {
    const char *uloha;
    const char *skupina, *nazov, *zadanie;
    QList<QMap<QString, QString>> priklady; // "TZ1(1)" -> caption
};

QString Z(const char *vnutorny) { return Preved_na_zobrazeni(QString::fromUtf8(vnutorny)); }

QList<Ukazka> Ukazky()
{
    return {
        {"2", "Číselné výrazy", "Desatinné čísla",
         "Vypočítaj hodnotu každého výrazu. Desatinné čísla píš s desatinnou čiarkou, napríklad 2,5. Dodrž "
         "poradie počtových operácií: najprv zátvorky, potom mocniny, násobenie a delenie, nakoniec sčítanie "
         "a odčítanie.",
         {{{"TZ1(1)", Z("2.5+3*(1.2-0.4)")}},
          {{"TZ1(1)", Z("(-3)^(2)-4*0.75")}},
          {{"TZ1(1)", Z("12.6/(2.1*3)+1.5^(2)")}},
          {{"TZ1(1)", Z("0.2^(3)*1000-7")}},
          {{"TZ1(1)", Z("(4.5-6)*(-2)+10^(2)/25")}}}},
        {"13", "Lomené výrazy", "Sčítanie a odčítanie",
         "Sčítaj alebo odčítaj lomené výrazy. Výsledok zapíš ako jeden zlomok v základnom tvare.",
         {{{"TZ1(1)", Z("3*x")}, {"TZ1(2)", Z("x^(2)-1")}, {"TZR(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", Z("x+1")}},
          {{"TZ1(1)", Z("a+b")}, {"TZ1(2)", Z("a*b")}, {"TZR(1)", "-"}, {"TZ2(1)", "1"}, {"TZ2(2)", "b"}},
          {{"TZ1(1)", "5"}, {"TZ1(2)", Z("2*y^(3)")}, {"TZR(1)", "+"}, {"TZ2(1)", "7"}, {"TZ2(2)", Z("4*y^(2)")}}}},
        {"15", "Rovnice a nerovnice", "Lineárne rovnice",
         "Vyrieš rovnicu. Zapisuj jednotlivé kroky riešenia, na koniec napíš koreň x.",
         {{{"TZ1(1)", Z("3*(x-2)+4")}, {"TZR(1)", "="}, {"TZ2(1)", Z("2*x+5")}},
          {{"TZ1(1)", Z("5*x-7")}, {"TZR(1)", "="}, {"TZ2(1)", Z("3*(x+1)")}}}},
    };
}

// A page as the worksheet driver prints it, with the captions above.
void Vytlac_stranu(const Ukazka &u, int strana)
{
    platform::Printer &p = platform::services().printer();
    p.SetFontName(QStringLiteral("MS Sans Serif"));
    Rozdel_text_do_radku(QString::fromUtf8(u.zadanie), 190, Radky_zadani[1], Radky_zadani[2], Radky_zadani[3],
                         Radky_zadani[4], Radky_zadani[5]);
    p.SetFontName(QStringLiteral("MS Sans Serif"));
    p.SetFontSize(12);
    Vytiskni_hlavicku(QString::fromUtf8(u.skupina), QString::fromUtf8(u.nazov), QStringLiteral("Ľudmila Šťastná"),
                      QStringLiteral(" %1").arg(strana));
    qint16 Y = 0;
    Vytiskni_zadani(Radky_zadani[1], Radky_zadani[2], Radky_zadani[3], Radky_zadani[4], Radky_zadani[5], Y);
    const Blok_ulohy &blok = *Blok_pre_ulohu(QLatin1String(u.uloha));
    Cislo_tisteneho_prikladu = 1;
    for (int s = 1; s <= u.priklady.size(); ++s) {
        const auto &popisky = u.priklady[s - 1];
        Vytiskni_blok(blok, s, s, Y, [&popisky](Harok::Pole pole, int i) {
            return popisky.value(QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(i));
        });
    }
    p.NewPage();
}

// Draws recorded operations on a white A4 page at 150 dpi, as the device
// draws them: the text position is its top-left corner.
QImage Obrazok_strany(const QList<PrintOp> &ops, float sirka, float vyska)
{
    constexpr double dpi = 150;
    QImage obraz(int(210 / 25.4 * dpi), int(297 / 25.4 * dpi), QImage::Format_RGB32);
    obraz.setDotsPerMeterX(int(dpi / 0.0254));
    obraz.setDotsPerMeterY(int(dpi / 0.0254));
    obraz.fill(Qt::white);
    QPainter p(&obraz);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double kx = obraz.width() / double(sirka), ky = obraz.height() / double(vyska);
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::Line) {
            p.setPen(QPen(op.color, 1.0));
            p.drawLine(QPointF(op.x * kx, op.y * ky), QPointF(op.x2 * kx, op.y2 * ky));
        } else if (op.kind == PrintOp::Text && !op.text.isEmpty()) {
            QFont pismo(platform::mapFontFamily(op.fontName));
            pismo.setPointSizeF(op.fontSize);
            pismo.setBold(op.bold);
            pismo.setItalic(op.italic);
            p.setFont(pismo);
            p.setPen(op.color);
            p.drawText(QPointF(op.x * kx, op.y * ky + QFontMetricsF(pismo, &obraz).ascent()), op.text);
        }
    }
    return obraz;
}

TEST(Ukazka, SamplePagesToPdfAndPng)
{
    tlac_test::Zaregistruj_ruvo();
    platform::FakeClock hodiny;
    platform::ScopedService<platform::Clock> g1(hodiny);
    Texty[32] = QStringLiteral("Dátum");
    ASSERT_TRUE(QDir().mkpath(vystup));
    const QList<Ukazka> ukazky = Ukazky();

    const QString pdf = vystup + QStringLiteral("/pracovny_list_ukazka.pdf");
    QFile::remove(pdf);
    {
        platform::PrinterDevice zariadenie(pdf, false);
        platform::ScopedService<platform::Printer> g2(zariadenie);
        for (int i = 0; i < ukazky.size(); ++i)
            Vytlac_stranu(ukazky[i], i + 1);
        zariadenie.EndDoc();
    }
    EXPECT_GT(QFileInfo(pdf).size(), 10000) << "a PDF with text in the bundled faces";

    tlac_test::Meriaca_tlaciaren zaznam;
    platform::ScopedService<platform::Printer> g3(zaznam);
    for (int i = 0; i < ukazky.size(); ++i)
        Vytlac_stranu(ukazky[i], i + 1);
    int strana = 1;
    QList<PrintOp> ops;
    for (const PrintOp &op : zaznam.Ops()) {
        if (op.kind != PrintOp::NewPage) {
            ops.append(op);
            continue;
        }
        const QImage obraz = Obrazok_strany(ops, zaznam.Width(), zaznam.Height());
        const QString png = vystup + QStringLiteral("/pracovny_list_ukazka_%1.png").arg(strana++);
        EXPECT_TRUE(obraz.save(png)) << png.toStdString();
        ops.clear();
    }
    EXPECT_EQ(strana - 1, ukazky.size());
    Texty[32].clear();
    Cislo_tisteneho_prikladu = 0;
}

} // namespace
