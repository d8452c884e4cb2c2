#pragma once
// Worksheet printing under test: the fake printer in place of the real one,
// the clock at a known date, the maths font registered, and a printer that
// records like the fake but measures text as the real device does.
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/PrinterDevice.h"
#include "platform/PrinterFake.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Pismo.h"
#include "services/Tabulky.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace tlac_test {

// Records what is drawn, as the fake does; widths come from the real
// device with the same face, size and style.
class Meriaca_tlaciaren final : public platform::Printer {
public:
    float TextWidth(const QString &text) override
    {
        Prenes_pismo(zariadenie);
        return zariadenie.TextWidth(text);
    }
    void Line(float x1, float y1, float x2, float y2, const QColor &c) override { zaznam.Line(x1, y1, x2, y2, c); }
    void PaintPicture(const QImage &p, float x, float y) override { zaznam.PaintPicture(p, x, y); }
    void NewPage() override { zaznam.NewPage(); }
    void EndDoc() override { zaznam.EndDoc(); }
    void KillDoc() override { zaznam.KillDoc(); }
    float Width() override { return zariadenie.Width(); }
    float Height() override { return zariadenie.Height(); }

    const QList<platform::PrintOp> &Ops() const { return zaznam.Ops(); }
    QList<platform::PrintOp> Texts() const { return zaznam.Texts(); }

protected:
    void DrawText(float x, float y, const QString &text) override
    {
        Prenes_pismo(zaznam);
        zaznam.SetForeColor(ForeColor());
        zaznam.SetCurrentX(x);
        zaznam.SetCurrentY(y);
        zaznam.Print(text);
    }
    float LineHeight() override { return FontSize() * 20.0f; }

private:
    void Prenes_pismo(platform::Printer &p) const
    {
        p.SetFontName(FontName());
        p.SetFontSize(FontSize());
        p.SetFontBold(FontBold());
        p.SetFontItalic(FontItalic());
    }
    platform::PrinterDevice zariadenie{false};
    platform::FakePrinter zaznam;
};

// The maths font "Ruvo" as the program registers it at start.
inline void Zaregistruj_ruvo()
{
    Misc::Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");
    Misc::Zaregistruj_pismo();
}

// What is wrong with the ink of one recorded page, measured with the fonts
// used: a text or picture outside the printable page (the sheet less 3 mm,
// a printer's usual margin), a text crossing a bar (a text of underscores alone), a
// drawn line or a picture, a line crossing a picture, and a text standing
// on a bar or hanging under it beyond the bar's ends.
inline QStringList Chyby_strany(const QList<platform::PrintOp> &ops, float sirka, float vyska)
{
    using platform::PrintOp;
    static const QImage meradlo = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(platform::TwipsPerInch / 0.0254));
        i.setDotsPerMeterY(qRound(platform::TwipsPerInch / 0.0254));
        return i;
    }();
    platform::registerBundledFonts();
    const double mm_x = sirka / 210.0, mm_y = vyska / 297.0;
    struct Kus {
        QRectF ink;
        QString text;
    };
    QList<Kus> texty, ciary_z_textu;
    QList<QLineF> ciary;
    QList<QRectF> obrazky;
    for (const PrintOp &op : ops) {
        if (op.kind == PrintOp::Line)
            ciary << QLineF(op.x, op.y, op.x2, op.y2);
        if (op.kind == PrintOp::Picture)
            obrazky << QRectF(QPointF(op.x, op.y), QSizeF(op.pictureSize) * platform::TwipsPerPicturePixel);
        if (op.kind != PrintOp::Text || op.text.trimmed().isEmpty())
            continue;
        QFont pismo(platform::mapFontFamily(op.fontName));
        pismo.setPointSizeF(op.fontSize);
        pismo.setBold(op.bold);
        pismo.setItalic(op.italic);
        const QFontMetricsF m(pismo, &meradlo);
        // Blanks leave no ink.
        qsizetype pred = 0;
        while (op.text[pred].isSpace())
            ++pred;
        const QPointF zaciatok(op.x + m.horizontalAdvance(op.text.left(pred)), op.y + m.ascent());
        const Kus k{m.tightBoundingRect(op.text.trimmed()).translated(zaciatok), op.text};
        (op.text.count(QLatin1Char('_')) == op.text.size() ? ciary_z_textu : texty) << k;
    }
    const auto pretina = [](const QRectF &r, const QLineF &l) {
        for (int i = 0; i <= 100; ++i)
            if (r.contains(l.pointAt(i / 100.0)))
                return true;
        return false;
    };
    const QRectF strana(3 * mm_x, 3 * mm_y, 204 * mm_x, 291 * mm_y);
    const auto kde = [&](const QRectF &r) {
        return QStringLiteral(" at %1..%2 x %3..%4 mm")
            .arg(r.left() / mm_x, 0, 'f', 1).arg(r.right() / mm_x, 0, 'f', 1)
            .arg(r.top() / mm_y, 0, 'f', 1).arg(r.bottom() / mm_y, 0, 'f', 1);
    };
    QStringList chyby;
    for (const Kus &k : texty + ciary_z_textu)
        if (!strana.contains(k.ink))
            chyby << QStringLiteral("\"%1\" runs off the page").arg(k.text) + kde(k.ink);
    for (const QRectF &r : obrazky) {
        if (!strana.contains(r))
            chyby << QStringLiteral("a picture runs off the page");
        for (const QLineF &l : ciary)
            if (pretina(r.adjusted(1, 1, -1, -1), l))
                chyby << QStringLiteral("a line crosses a picture");
    }
    for (const Kus &k : texty) {
        for (const Kus &b : ciary_z_textu) {
            const bool nad_sebou = k.ink.right() > b.ink.left() && k.ink.left() < b.ink.right();
            const double medzera = std::max(b.ink.top() - k.ink.bottom(), k.ink.top() - b.ink.bottom());
            if (k.ink.intersects(b.ink))
                chyby << QStringLiteral("\"%1\" crosses a bar").arg(k.text) + kde(k.ink) + kde(b.ink);
            else if (nad_sebou && medzera < 3 * mm_y
                     && (k.ink.left() < b.ink.left() - 0.3 * mm_x || k.ink.right() > b.ink.right() + 0.3 * mm_x))
                chyby << QStringLiteral("\"%1\" reaches past its bar").arg(k.text) + kde(k.ink) + kde(b.ink);
        }
        for (const QLineF &l : ciary)
            if (pretina(k.ink, l))
                chyby << QStringLiteral("\"%1\" crosses a line").arg(k.text) + kde(k.ink);
        for (const QRectF &r : obrazky)
            if (k.ink.intersects(r))
                chyby << QStringLiteral("\"%1\" crosses a picture").arg(k.text);
    }
    return chyby;
}

// The fake printer on an A4 sheet measured in tenths of a millimetre, so
// that every position reads as a whole number; the date 5 March 2027.
class Tlac : public ::testing::Test {
protected:
    Tlac() { Misc::Texty[32] = QStringLiteral("Dátum"); }
    ~Tlac() override { Misc::Texty[32].clear(); }

    // A fresh sheet, the printer as the statement block leaves it.
    void Nova_strana()
    {
        tlaciaren = platform::FakePrinter(2100.0f, 2970.0f);
        tlaciaren.SetFontSize(12);
        tlaciaren.SetFontItalic(true);
    }

    // What an example block printed, "|" between texts: each trimmed, a run
    // of underscores as one "_". Every text of a block stands upright in
    // the maths font.
    QString Texty_bloku() const
    {
        static const QRegularExpression ciara(QStringLiteral("_+"));
        QStringList texty;
        for (const platform::PrintOp &op : tlaciaren.Texts()) {
            QString text = op.text.trimmed().replace(ciara, QStringLiteral("_"));
            EXPECT_TRUE(op.fontName == QLatin1String("Ruvo") && !op.italic) << text.toStdString();
            texty << text;
        }
        return texty.join(QLatin1Char('|'));
    }

    platform::FakeClock hodiny;
    platform::FakePrinter tlaciaren{2100.0f, 2970.0f};

private:
    platform::ScopedService<platform::Clock> g1{hodiny};
    platform::ScopedService<platform::Printer> g2{tlaciaren};
};

} // namespace tlac_test
