#pragma once
// Worksheet printing under test: the fake printer in place of the real one,
// the clock at a known date, the maths font registered, and a printer that
// records like the fake but measures text as the real device does.
#include "platform/Clock.h"
#include "platform/PrinterDevice.h"
#include "platform/PrinterFake.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Pismo.h"
#include "services/Tabulky.h"

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
    // of underscores as one "_", and with s_x its x in mm after "@". Every
    // text of a block stands upright in the maths font.
    QString Texty_bloku(bool s_x = false) const
    {
        static const QRegularExpression ciara(QStringLiteral("_+"));
        QStringList texty;
        for (const platform::PrintOp &op : tlaciaren.Texts()) {
            QString text = op.text.trimmed().replace(ciara, QStringLiteral("_"));
            EXPECT_TRUE(op.fontName == QLatin1String("Ruvo") && !op.italic) << text.toStdString();
            texty << (s_x ? text + QLatin1Char('@') + QString::number(op.x / 10) : text);
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
