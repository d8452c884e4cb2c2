// Millimetre conversions, the row of text pieces, the statement block and
// the page frame of a worksheet.
#include "printing/Stranka.h"

#include "platform/Services.h"
#include "services/Tabulky.h"

#include <QColor>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Misc {

namespace {

// The printer is asked for anew by every operation: a test or the print
// dialog may put another one in place between any two of them.
platform::Printer &Tlaciaren() { return platform::services().printer(); }

const QColor Namornicka_modra = QColor(0, 0, 128);
const QColor Cierna = QColor(0, 0, 0);

void Vytiskni_na(float x_mm, float y_mm, const QString &text)
{
    Tlaciaren().SetCurrentX(Prepocitej_mm_x(x_mm));
    Tlaciaren().SetCurrentY(Prepocitej_mm_y(y_mm));
    Tlaciaren().Print(text);
}

void Vodorovna_cara(float y_mm)
{
    Tlaciaren().Line(Prepocitej_mm_x(0), Prepocitej_mm_y(y_mm), Prepocitej_mm_x(Sirka_listu_mm),
                     Prepocitej_mm_y(y_mm), Cierna);
}

// A name that would run past the dots of its line, which end at `koniec`
// printer units, is set smaller, down to 8 points, and then cut short with
// "…", as the results table shows it. Leaves the size it is printed at.
QString Meno_na_bodky(QString meno, float koniec)
{
    const float miesto = koniec - Prepocitej_mm_x(136);
    for (int velkost = 11; velkost >= 8 && Tlaciaren().TextWidth(meno) > miesto; --velkost)
        Tlaciaren().SetFontSize(float(velkost));
    if (Tlaciaren().TextWidth(meno) <= miesto)
        return meno;
    while (!meno.isEmpty() && Tlaciaren().TextWidth(meno + u'…') > miesto)
        meno.chop(1);
    return meno.trimmed() + u'…';
}

} // namespace

float Prepocitej_mm_x(float mm)
{
    const float sirka = Tlaciaren().Width();
    return float(double(sirka) / double(Sirka_listu_mm) * double(mm));
}

float Prepocitej_mm_y(float mm)
{
    const float vyska = Tlaciaren().Height();
    return float(double(vyska) / double(Vyska_listu_mm) * double(mm));
}

float Sirka_mm(const QString &text)
{
    Tlaciaren().SetFontName(QStringLiteral("Ruvo"));
    return Tlaciaren().TextWidth(text) / Prepocitej_mm_x(1);
}

float Zaciatok_cisla(float x_mm, const QString &cislo)
{
    static const QRegularExpression cislice(QStringLiteral("^\\d+"));
    return x_mm + Sirka_mm(QString(cislo).replace(cislice, QStringLiteral("0"))) - Sirka_mm(cislo);
}

QString Ciara_mm(float mm, bool najviac)
{
    const float podciarknik = Sirka_mm(QStringLiteral("_"));
    const float kusov = mm / podciarknik;
    return QString(std::max(1, int(najviac ? std::floor(kusov) : std::ceil(kusov))), QLatin1Char('_'));
}

void Vytiskni_radek(float X_mm, qint16 Y_mm, QString Cast1, QString Pismo1, QString Cast2, QString Pismo2,
                    QString Cast3, QString Pismo3)
{
    const float X = Prepocitej_mm_x(X_mm);
    const float G = Prepocitej_mm_x(1);

    Tlaciaren().SetFontName(Pismo1);
    Tlaciaren().SetFontItalic(false);
    Tlaciaren().SetCurrentX(X);
    Tlaciaren().SetCurrentY(Prepocitej_mm_y(float(Y_mm)));
    Tlaciaren().Print(Cast1);

    if (!Cast2.isEmpty()) {
        Tlaciaren().SetFontName(Pismo2);
        Tlaciaren().SetFontItalic(false);
        // Float sums in one fixed order: rows that begin with the same pieces
        // put the next one at the same printer unit, never one unit apart.
        const float x2 = Tlaciaren().TextWidth(Cast1) + X + G;
        Tlaciaren().SetCurrentX(x2);
        Tlaciaren().SetCurrentY(Prepocitej_mm_y(float(Y_mm)));
        Tlaciaren().Print(Cast2);
    }

    if (!Cast3.isEmpty()) {
        Tlaciaren().SetFontName(Pismo3);
        Tlaciaren().SetFontItalic(false);
        const float w1 = Tlaciaren().TextWidth(Cast1);
        const float w2 = Tlaciaren().TextWidth(Cast2);
        const float S = w1 + X + G;
        const float x3 = S + w2 + G;
        Tlaciaren().SetCurrentX(x3);
        Tlaciaren().SetCurrentY(Prepocitej_mm_y(float(Y_mm)));
        Tlaciaren().Print(Cast3);
    }
}

void Vytiskni_zadani(QString Radek1, QString Radek2, QString Radek3, QString Radek4, QString Radek5,
                     qint16 &Y_pod_zadanim)
{
    Tlaciaren().SetFontSize(12);
    Tlaciaren().SetFontBold(false);
    Tlaciaren().SetFontItalic(true);

    const QString *radky[] = {&Radek1, &Radek2, &Radek3, &Radek4, &Radek5};
    for (int i = 0; i < 5; ++i) {
        const qint16 y = qint16(30 + 5 * i);
        Vytiskni_na(4, y, *radky[i]);
        // The examples start 7 mm under the last line that holds anything;
        // a line of blanks counts.
        if (!radky[i]->isEmpty())
            Y_pod_zadanim = qint16(y + 7);
    }
}

void Vytiskni_hlavicku(QString Skupina, QString Typ_ulohy, QString Jmeno, QString Stranka)
{
    Tlaciaren().SetForeColor(Namornicka_modra);
    Tlaciaren().SetFontSize(20);
    Tlaciaren().SetFontBold(true);
    Tlaciaren().SetFontItalic(false);
    Vytiskni_na(4, 4, Skupina);

    Tlaciaren().SetFontSize(12);
    Vytiskni_na(4, 17, Typ_ulohy);
    // However wide the face prints the dots, the line ends inside the sheet.
    QString radek_jmena = Radek_jmena;
    while (radek_jmena.endsWith(QLatin1Char('.'))
           && Tlaciaren().TextWidth(radek_jmena) > Prepocitej_mm_x(Sirka_listu_mm - 4 - 116))
        radek_jmena.chop(1);
    Vytiskni_na(116, 17, radek_jmena);
    const float koniec_bodiek = Prepocitej_mm_x(116) + Tlaciaren().TextWidth(radek_jmena);
    Vytiskni_na(135, 285, Nazev_produktu);

    Tlaciaren().SetForeColor(Cierna);
    Tlaciaren().SetFontBold(false);
    // The name stands on the dots of the name line, 3 mm above its text; a
    // smaller one keeps its foot there (a point of size is about 0.3 mm of
    // the line above its foot).
    const QString meno = Meno_na_bodky(Jmeno, koniec_bodiek);
    Vytiskni_na(136, 14 + 0.3f * (12 - Tlaciaren().FontSize()), meno);

    Vodorovna_cara(25);
    Vodorovna_cara(282);

    Tlaciaren().SetFontSize(10);
    // The date is read for every page: a worksheet may run past midnight.
    const QString datum = platform::services().clock().Now().date().toString(QStringLiteral("dd.MM.yyyy"));
    Vytiskni_na(4, 285, Texty[32] + QStringLiteral(": ") + datum);
    Vytiskni_na(100, 285, QStringLiteral("Stránka: ") + Stranka);
}

} // namespace Misc
